#pragma once

#include <vector>

#include "base/list_column.h"

class QString;
class QTableWidget;
class QTreeWidget;

namespace kv {

// Replaces the list's columns by one right-aligned column per caption with
// its width, in one update. The rows keep their count; cells of removed
// columns go.
void setListColumns(QTableWidget* list, const std::vector<ListColumn>& columns);
// The same for the real-time monitor's report list.
void setListColumns(QTreeWidget* list, const std::vector<ListColumn>& columns);

// A cell as the data lists show it: right-aligned, selectable, not editable.
void setListCell(QTableWidget* list, int row, int column, const QString& text);

}  // namespace kv
