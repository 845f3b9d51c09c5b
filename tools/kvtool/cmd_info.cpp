#include <cstdio>

#include "tool_options.h"

namespace kv::tool {

int runInfo(const ToolOptions&) {
    std::fprintf(stderr, "kvtool: info is not available yet\n");
    return kExitFailed;
}

}  // namespace kv::tool
