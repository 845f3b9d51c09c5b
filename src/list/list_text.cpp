#include "list/list_text.h"

namespace kv {
namespace {

void appendLine(std::string& out, const std::vector<std::string>& cells) {
    for (size_t c = 0; c < cells.size(); ++c) {
        if (c > 0) out += '\t';
        out += cells[c];
    }
    out += '\n';
}

}  // namespace

std::string tabSeparatedRows(const ListTable& table, const std::vector<int>& positions) {
    std::string out;
    std::vector<std::string> cells;
    for (const ListColumn& column : table.columns()) cells.push_back(column.caption);
    appendLine(out, cells);
    for (int p : positions) {
        if (p < 0 || p >= table.recordCount()) continue;
        table.rowTexts(p, cells);
        appendLine(out, cells);
    }
    return out;
}

std::string tabSeparatedTable(const ListTable& table) {
    std::vector<int> positions(table.recordCount());
    for (int p = 0; p < table.recordCount(); ++p) positions[p] = p;
    return tabSeparatedRows(table, positions);
}

}  // namespace kv
