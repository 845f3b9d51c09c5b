#include "tool_output.h"

#include <csignal>
#include <cstdio>
#include <cstring>

#include "base/message_text.h"
#include "base/safe_file_writer.h"
#include "datafile/output_target.h"
#include "tool_options.h"

namespace kv::tool {
namespace {

bool outputLost = false;

void reportLostOutput(int error) {
    if (outputLost) return;
    outputLost = true;
    std::fprintf(stderr, "kvtool: the output could not be written: %s\n",
                 error ? std::strerror(error) : "write error");
}

}  // namespace

void prepareProcess() {
    std::signal(SIGPIPE, SIG_IGN);
    removePendingFilesOnSignals();
}

bool writeOutput(std::string_view bytes, std::FILE* out) {
    if (outputLost) return false;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size() && std::fflush(out) == 0)
        return true;
    reportLostOutput(errno);
    return false;
}

int finishOutput(int status) {
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0;
    if (flushed && !std::ferror(stdout) && !outputLost) return status;
    reportLostOutput(errno);
    return status == kExitOk ? kExitFailed : status;
}

int refuseClashingOutput(const std::string& output, const std::vector<std::string>& inputs) {
    const char* why = nullptr;
    switch (outputClash(output, inputs)) {
        case OutputClash::None:
            return kExitOk;
        case OutputClash::Input:
            why = "is the input; the output needs a name of its own";
            break;
        case OutputClash::DataFile:
            why = "is a recorder data file, which an output never replaces";
            break;
    }
    std::fprintf(stderr, "kvtool: %s %s\n", shortenedForMessage(output).c_str(), why);
    return kExitUsage;
}

}  // namespace kv::tool
