#include <cstdio>

#include "tool_options.h"

namespace kv::tool {

int runDownload(const ToolOptions&) {
    std::fprintf(stderr, "kvtool: download is not available yet\n");
    return kExitFailed;
}

}  // namespace kv::tool
