#include <cstdio>

#include "tool_options.h"

namespace kv::tool {

int runShow(const ToolOptions&) {
    std::fprintf(stderr, "kvtool: show is not available yet\n");
    return kExitFailed;
}

}  // namespace kv::tool
