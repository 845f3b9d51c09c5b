// kvtool list FILE [--sort COLUMN] [--largest | --smallest] [--signed] [--json]:
// the rows the list window shows for the whole data set, in its display
// order, with the window's cell texts.
#include <cstdio>
#include <string>

#include "json_writer.h"
#include "list/list_table.h"
#include "list/list_text.h"
#include "list_options.h"
#include "tool_output.h"

namespace kv::tool {
namespace {

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
    LoadedList loaded;
    if (const int status = loadSortedList(list, loaded); status != kExitOk) return status;
    return writeOutput(list.json ? listJson(*loaded.table) : tabSeparatedTable(*loaded.table))
               ? kExitOk
               : kExitFailed;
}

const char* const kListHelp =
    "Usage: kvtool list FILE [--sort COLUMN] [--largest | --smallest] [--signed] [--json]\n\n"
    "Loads a data file and prints the rows the list window shows for it, in its\n"
    "order, with its cell texts.\n\n"
    "Options:\n"
    "  FILE          the data file to load.\n"
    "                Example: kvtool list KV53W07-2014031502-01.CSV\n"
    "  --sort N      sort by column N (1 = the first column) as the list window's\n"
    "                sort does. Example: kvtool list data.csv --sort 3\n"
    "  --largest     with --sort: largest values first (the default).\n"
    "                Example: kvtool list data.csv --sort 3 --largest\n"
    "  --smallest    with --sort: smallest values first.\n"
    "                Example: kvtool list data.csv --sort 3 --smallest\n"
    "  --signed      with --sort: by the signed value instead of its magnitude.\n"
    "                Example: kvtool list data.csv --sort 5 --signed\n"
    "  --json        print the columns and rows as one JSON object.\n"
    "                Example: kvtool list data.csv --json\n";

}  // namespace kv::tool
