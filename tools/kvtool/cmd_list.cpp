// kvtool list FILE [--sort COLUMN] [--largest | --smallest] [--signed] [--json]:
// the rows the list window shows for the whole data set, in its display
// order, with the window's cell texts.
#include <cstdio>
#include <string>

#include "console_host.h"
#include "datafile/data_file_loader.h"
#include "datafile/data_set.h"
#include "json_writer.h"
#include "list/data_input_rules.h"
#include "list/list_table.h"
#include "list/list_text.h"
#include "recorder/records.h"
#include "tool_options.h"

namespace kv::tool {
namespace {

struct ListOptions {
    std::string path;
    int sortColumn = 0;
    SortDirection direction = SortDirection::LargestFirst;
    bool absolute = true;
    bool json = false;
};

bool parseListOptions(const ToolOptions& options, ListOptions& out) {
    bool directionGiven = false;
    for (size_t i = 1; i < options.args.size(); ++i) {
        const std::string& a = options.args[i];
        if (a == "--json") {
            out.json = true;
        } else if (a == "--signed") {
            out.absolute = false;
        } else if (a == "--largest" || a == "--smallest") {
            if (directionGiven) {
                std::fprintf(stderr, "kvtool: list takes one of --largest and --smallest\n");
                return false;
            }
            directionGiven = true;
            out.direction =
                a == "--largest" ? SortDirection::LargestFirst : SortDirection::SmallestFirst;
        } else if (a == "--sort") {
            if (i + 1 >= options.args.size() ||
                (out.sortColumn = parseIntegerOrZero(options.args[i + 1])) <= 0) {
                std::fprintf(stderr, "kvtool: --sort needs a column number from 1 on\n");
                return false;
            }
            ++i;
        } else if (out.path.empty() && !a.empty() && a[0] != '-') {
            out.path = a;
        } else {
            std::fprintf(stderr, "kvtool: list does not take '%s'\n", a.c_str());
            return false;
        }
    }
    if (out.path.empty()) {
        std::fprintf(stderr, "kvtool: list needs a FILE\n");
        return false;
    }
    return true;
}

std::string listJson(const ListTable& table) {
    JsonWriter j(0);
    j.beginObject();
    j.key("columns");
    j.beginArray();
    for (const ListColumn& c : table.columns()) j.string(c.caption);
    j.endArray();
    j.key("rows");
    j.beginArray();
    std::vector<std::string> cells;
    for (int p = 0; p < table.recordCount(); ++p) {
        table.rowTexts(p, cells);
        j.beginArray();
        for (const std::string& cell : cells) j.string(cell);
        j.endArray();
    }
    j.endArray();
    j.endObject();
    return j.text() + "\n";
}

}  // namespace

int runList(const ToolOptions& options) {
    ListOptions list;
    if (!parseListOptions(options, list)) return kExitUsage;

    ConsoleHost host;
    DataSet data;
    RecorderIdentity identity;
    if (!loadDataFile(list.path, data, identity, host)) {
        std::fprintf(stderr, "kvtool: %s could not be loaded as a data file\n", list.path.c_str());
        return kExitFailed;
    }
    normaliseWaveOrder(data, identity);
    ListTable table(data, identity);
    if (list.sortColumn != 0) {
        if (!table.isDataColumn(list.sortColumn)) {
            std::fprintf(stderr, "kvtool: this list sorts by columns 1 to %d\n",
                         table.columnCount() - 2);
            return kExitUsage;
        }
        if (!table.sort(list.sortColumn, list.direction, list.absolute)) {
            std::fprintf(stderr, "kvtool: not enough memory to sort\n");
            return kExitFailed;
        }
    }
    const std::string out = list.json ? listJson(table) : tabSeparatedTable(table);
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0)
        return kExitFailed;
    return kExitOk;
}

}  // namespace kv::tool
