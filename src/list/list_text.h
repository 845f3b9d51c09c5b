#pragma once

#include <string>
#include <vector>

#include "list/list_table.h"

namespace kv {

// Rows of the list as tab-separated text: the column captions first, then the
// rows at the given display positions, each line ended by "\n". What the list
// copies to the clipboard and `kvtool list` prints.
std::string tabSeparatedRows(const ListTable& table, const std::vector<int>& positions);
// Every row in display order.
std::string tabSeparatedTable(const ListTable& table);

}  // namespace kv
