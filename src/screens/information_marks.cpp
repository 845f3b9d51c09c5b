#include "screens/information_marks.h"

#include <cstdlib>

namespace kv {

namespace {
constexpr long long kClockToleranceSeconds = 60;
}  // namespace

const char* const kClockOffsetHint =
    "機器の時計が1分以上ずれています。\n測定条件設定で時計を合わせて下さい。";

std::string clockOffsetText(std::optional<long long> seconds) {
    if (!seconds) return "";
    return (*seconds > 0 ? "+" : "") + std::to_string(*seconds) + " 秒";
}

bool clockOffsetNeedsSetting(std::optional<long long> seconds) {
    return seconds && std::llabs(*seconds) > kClockToleranceSeconds;
}

ListColumn savedColumn() {
    return {"保存", 64};
}

std::string savedMarkText(const std::vector<std::string>& files) {
    return files.empty() ? "" : "保存済み";
}

std::string savedFilesText(const std::vector<std::string>& files) {
    std::string text;
    for (const std::string& f : files) text += (text.empty() ? "" : "\n") + f;
    return text;
}

}  // namespace kv
