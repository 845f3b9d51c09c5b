// kvtool: the recorder and file operations of the program, from a shell.
#include <cstdio>
#include <string>

#include "tool_options.h"

namespace {

const char* kUsage =
    "usage: kvtool [--port DEV|COMn] [--baud N] [--ini FILE] info [--json]\n"
    "       kvtool [--port DEV|COMn] [--baud N] [--ini FILE] download (--all | --select 1,3)"
    " [--dir DIR]\n"
    "       kvtool show FILE [--json]\n"
    "       kvtool list FILE [--sort COLUMN] [--largest | --smallest] [--signed] [--json]\n"
    "       kvtool [--port DEV|COMn] [--baud N] [--ini FILE] monitor --mode 1-4 [--range G]\n"
    "              [--sensitivity X,Y,Z] [--sample-period MS] [--count N] [--seconds S] [--json]\n"
    "       kvtool [--ini FILE] plot FILE --out OUT(.png|.svg|.pdf) [--view 0-4] [--record N]\n"
    "              [--time-zoom 0-18] [--g-zoom 0-3] [--scroll H,V] [--size WxH]\n"
    "       kvtool print FILE --out OUT.pdf [--range FIRST-LAST] [--sort COLUMN]"
    " [--largest | --smallest] [--signed]\n";

}  // namespace

int main(int argc, char** argv) {
    using namespace kv::tool;
    std::string error;
    auto options = parseToolOptions(argc, argv, error);
    if (!options) {
        std::fprintf(stderr, "kvtool: %s\n%s", error.c_str(), kUsage);
        return kExitUsage;
    }
    const std::string& command = options->args.front();
    if (command == "info") return runInfo(*options);
    if (command == "download") return runDownload(*options);
    if (command == "show") return runShow(*options);
    if (command == "list") return runList(*options);
    if (command == "monitor") return runMonitor(*options);
#ifdef KV_TOOL_DRAW
    if (command == "plot") return runPlot(*options);
    if (command == "print") return runPrint(*options);
#endif
    std::fprintf(stderr, "kvtool: unknown command '%s'\n%s", command.c_str(), kUsage);
    return kExitUsage;
}
