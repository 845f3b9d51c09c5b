#include "list_options.h"

#include <cstdio>

#include "list/data_input_rules.h"
#include "tool_load.h"

namespace kv::tool {

bool parseListOptions(const ToolOptions& options, ListOptions& out) {
    out.command = options.args.front();
    const bool print = out.command == "print";
    const char* command = out.command.c_str();
    bool directionGiven = false;
    auto value = [&](size_t& i) -> const std::string* {
        if (i + 1 >= options.args.size()) return nullptr;
        return &options.args[++i];
    };
    for (size_t i = 1; i < options.args.size(); ++i) {
        const std::string& a = options.args[i];
        if (a == "--json" && !print) {
            out.json = true;
        } else if (a == "--signed") {
            out.absolute = false;
        } else if (a == "--largest" || a == "--smallest") {
            if (directionGiven) {
                std::fprintf(stderr, "kvtool: %s takes one of --largest and --smallest\n", command);
                return false;
            }
            directionGiven = true;
            out.direction =
                a == "--largest" ? SortDirection::LargestFirst : SortDirection::SmallestFirst;
        } else if (a == "--sort") {
            const std::string* column = value(i);
            if (!column || (out.sortColumn = parseIntegerOrZero(*column)) <= 0) {
                std::fprintf(stderr, "kvtool: --sort needs a column number from 1 on\n");
                return false;
            }
        } else if ((a == "--out" || a == "--range") && print) {
            const std::string* text = value(i);
            if (!text || text->empty()) {
                std::fprintf(stderr, "kvtool: %s needs a value\n", a.c_str());
                return false;
            }
            (a == "--out" ? out.out : out.range) = *text;
        } else if (out.path.empty() && !a.empty() && a[0] != '-') {
            out.path = a;
        } else {
            std::fprintf(stderr, "kvtool: %s does not take '%s'\n", command, a.c_str());
            return false;
        }
    }
    if (out.path.empty()) {
        std::fprintf(stderr, "kvtool: %s needs a FILE\n", command);
        return false;
    }
    return true;
}

int loadSortedList(const ListOptions& list, LoadedList& loaded) {
    DataSet& data = loaded.data;
    RecorderIdentity& identity = loaded.identity;
    LoadResult result;
    if (!loadForTool(list.path, data, identity, result)) return kExitFailed;
    loaded.table = std::make_unique<ListTable>(data, identity);
    ListTable* table = loaded.table.get();
    if (list.sortColumn != 0) {
        if (!table->isDataColumn(list.sortColumn)) {
            std::fprintf(stderr, "kvtool: this list sorts by columns 1 to %d\n",
                         table->columnCount() - 2);
            return kExitUsage;
        }
        if (!table->sort(list.sortColumn, list.direction, list.absolute)) {
            std::fprintf(stderr, "kvtool: not enough memory to sort\n");
            return kExitFailed;
        }
    }
    return kExitOk;
}

const char* const kPrintHelp =
    "Usage: kvtool print FILE --out OUT.pdf [--range FIRST-LAST] [--sort COLUMN]\n"
    "              [--largest | --smallest] [--signed]\n\n"
    "Prints the list window's printout of a data file into an A4 PDF, in the order\n"
    "the sort gives.\n\n"
    "Options:\n"
    "  FILE                the data file to load.\n"
    "                      Example: kvtool print data.csv --out list.pdf\n"
    "  --out OUT.pdf       the PDF to write (a name ending in .pdf; never the data\n"
    "                      file itself). Example: --out list.pdf\n"
    "  --range FIRST-LAST  only these records (from 1), as the print range dialog\n"
    "                      takes them. Example: --range 1-50\n"
    "  --sort N            sort by column N (from 1) as the list window does.\n"
    "                      Example: --sort 3\n"
    "  --largest           with --sort: largest values first (the default).\n"
    "  --smallest          with --sort: smallest values first.\n"
    "                      Example: --sort 3 --smallest\n"
    "  --signed            with --sort: by the signed value, not its magnitude.\n"
    "                      Example: --sort 5 --signed\n";

}  // namespace kv::tool
