// kvtool print FILE --out OUT.pdf [--range A-B] [--sort COLUMN] [--largest |
// --smallest] [--signed]: the list window's printout of the file, in the
// order the sort gives, into an A4 PDF, on Qt's offscreen platform.
#include <cstdio>
#include <string>

#include "list/data_input_rules.h"
#include "list/list_printing.h"
#include "list_options.h"
#include "offscreen_gui.h"
#include "tool_output.h"

namespace kv::tool {
namespace {

// "A-B" within the records, as the range dialog checks it.
bool parseRange(const std::string& text, int records, int& start, int& end) {
    const size_t dash = text.find('-', 1);
    if (dash == std::string::npos) {
        std::fprintf(stderr, "kvtool: --range takes FIRST-LAST, as 1-%d\n", records);
        return false;
    }
    const std::string first = text.substr(0, dash), last = text.substr(dash + 1);
    if (auto message = printRangeError(first, last, records)) {
        std::fprintf(stderr, "kvtool: --range %s: %s (1-%d)\n", text.c_str(), message->c_str(),
                     records);
        return false;
    }
    start = parseIntegerOrZero(first);
    end = parseIntegerOrZero(last);
    return true;
}

}  // namespace

int runPrint(const ToolOptions& options) {
    ListOptions list;
    if (!parseListOptions(options, list)) return kExitUsage;
    if (list.out.empty()) {
        std::fprintf(stderr, "kvtool: print needs --out OUT.pdf\n");
        return kExitUsage;
    }
    if (!hasExtension(list.out, ".pdf")) {
        std::fprintf(stderr, "kvtool: print writes a PDF: --out must end in .pdf\n");
        return kExitUsage;
    }
    if (const int refused = refuseClashingOutput(list.out, {list.path})) return refused;
    LoadedList loaded;
    if (const int status = loadSortedList(list, loaded); status != kExitOk) return status;
    const int records = loaded.table->recordCount();
    if (records == 0) {
        std::fprintf(stderr, "kvtool: %s holds no records to print\n", list.path.c_str());
        return kExitFailed;
    }
    int start = 1, end = records;
    if (!list.range.empty() && !parseRange(list.range, records, start, end)) return kExitUsage;

    OffscreenGui gui;
    std::string error;
    const ListPrintRequest request{&loaded.data, &loaded.identity, &loaded.table->displayOrder(),
                                   start, end};
    if (!printListToPdf(list.out, request, error)) {
        std::fprintf(stderr, "kvtool: cannot write %s\n", error.c_str());
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace kv::tool
