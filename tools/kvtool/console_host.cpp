#include "console_host.h"

#include <cstdio>

namespace kv::tool {

int ConsoleHost::messageBox(const std::string& title, const std::string& text, int flags) {
    if (flags == QuestionYesNo) return Yes;
    if (flags == Error) lastError_ = text;
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    return Ok;
}

void ConsoleHost::showProgressText(int, const std::string& text) {
    if (progressTextsShown_ && !text.empty()) std::fprintf(stderr, "%s\n", text.c_str());
}

}  // namespace kv::tool
