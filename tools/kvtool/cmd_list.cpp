// kvtool list FILE [--sort COLUMN] [--largest | --smallest] [--signed] [--json]:
// the rows the list window shows for the whole data set, in its display
// order, with the window's cell texts.
#include <cstdio>
#include <string>

#include "json_writer.h"
#include "list/list_table.h"
#include "list/list_text.h"
#include "list_options.h"

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
    const std::string out = list.json ? listJson(*loaded.table) : tabSeparatedTable(*loaded.table);
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0)
        return kExitFailed;
    return kExitOk;
}

}  // namespace kv::tool
