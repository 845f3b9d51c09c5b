#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/datetime.h"
#include "list/list_print_layout.h"

namespace kv {

struct DataSet;

// One line of the file information that heads the first page: texts at the
// left, the middle and the right of the block (empty ones are not drawn).
struct ListPrintHeaderLine {
    std::string left;
    std::string middle;
    std::string right;
};
using ListPrintHeader = std::array<ListPrintHeaderLine, 5>;

// The file information of a data set, printed on `printedOn`.
ListPrintHeader listPrintHeader(const DataSet& data, ListPrintKind kind, DateTime printedOn);

// The rows of one printout, in print order: the cells of range row i
// (0-based), one text per column of the layout.
class ListPrintRows {
  public:
    virtual ~ListPrintRows() = default;
    virtual int count() const = 0;
    virtual void cells(int i, std::vector<std::string>& out) const = 0;
};

// Everything a printout shows; the drawing adds only the page geometry.
struct ListPrintJob {
    const ListPrintLayout* layout = nullptr;
    std::string filePath;  // running head of every later page
    std::string today;     // "yyyy/mm/dd"
    ListPrintHeader header;
    const ListPrintRows* rows = nullptr;
};

}  // namespace kv
