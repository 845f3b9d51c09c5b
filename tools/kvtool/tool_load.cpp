#include "tool_load.h"

#include <cstdio>

#include "base/message_text.h"
#include "console_host.h"

namespace kv::tool {

bool loadForTool(const std::string& path, DataSet& data, RecorderIdentity& identity,
                 LoadResult& result) {
    ConsoleHost host;
    result = loadDataFile(path, data, identity, host);
    const std::string quoted = shortenedForMessage(path);
    if (!result) {
        std::fprintf(stderr, "kvtool: %s could not be loaded as a data file%s%s\n", quoted.c_str(),
                     result.reason.empty() ? "" : ": ", result.reason.c_str());
        return false;
    }
    if (result.cutLine > 0) {
        std::fprintf(stderr,
                     "kvtool: warning: %s: line %ld has no line end; the file may be cut off\n",
                     quoted.c_str(), result.cutLine);
        if (result.recordsLeftOut > 0)
            std::fprintf(stderr,
                         "kvtool: warning: %s: %d record(s) cut short on that line are left out\n",
                         quoted.c_str(), result.recordsLeftOut);
    }
    return true;
}

}  // namespace kv::tool
