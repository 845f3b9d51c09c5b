#include "graph/graph_view_rules.h"

#include <algorithm>
#include <charconv>

#include "recorder/recorder_models.h"

namespace kv {
namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

DataViewSetup dataViewSetup(int modelCode, bool waveData) {
    DataViewSetup s;
    const bool triaxial = isTriaxial(modelCode);
    const bool firstGeneration = isFirstGeneration(modelCode);
    constexpr GraphMenu kMenuOfFamily[] = {GraphMenu::KV41, GraphMenu::KV51, GraphMenu::KV53};
    s.menu = kMenuOfFamily[static_cast<int>(modelMenu(modelCode))];
    s.allViewButtons = triaxial;
    // The first generation records peaks only; its files never navigate.
    const bool wave = waveData && !firstGeneration;
    s.navigation = wave;
    s.timeSelector = !wave;
    // Triaxial waves open with the three axes on one graph; the all-axes item
    // of the menu follows, except for later-generation peak files.
    s.view = wave && triaxial ? kViewAllAxes : kViewX;
    s.allAxesItem = triaxial && (wave || firstGeneration);
    return s;
}

int stepRecord(int current, int lastIndex, int step) {
    if (step > 0) return current < lastIndex ? std::min(current + step, lastIndex) : current;
    if (step < 0 && current > 0 && lastIndex != -1) return std::max(current + step, 0);
    return current;
}

std::optional<int> recordOfNumberText(std::string_view text, int lastIndex) {
    text = trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    long long n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return {};
    if (n < 1 || n > static_cast<long long>(lastIndex) + 1) return {};
    return static_cast<int>(n - 1);
}

int selectorStep(int index, int itemCount, bool up) {
    if (up) return index < itemCount - 1 ? index + 1 : index;
    return index > 0 ? index - 1 : index;
}

std::optional<DateTime> parseWindowEdge(std::string_view text) {
    text = trimmed(text);
    const size_t blank = text.find(' ');
    const std::optional<DateTime> date = parseDate(text.substr(0, blank));
    if (!date) return {};
    if (blank == std::string_view::npos) return date;
    std::string time(trimmed(text.substr(blank)));
    if (std::count(time.begin(), time.end(), ':') == 1) time += ":00";
    const std::optional<DateTime> timeOfDay = parseTime(time);
    if (!timeOfDay) return {};
    return *date + *timeOfDay;
}

std::string windowProblem(std::optional<DateTime> start, std::optional<DateTime> end, bool typed) {
    if (!start) return "開始時刻が読めません。\n形式: yyyy/mm/dd hh:mm:ss";
    if (!end) return "終了時刻が読めません。\n形式: yyyy/mm/dd hh:mm:ss";
    if (typed && !(*end > *start)) return "終了時刻は開始時刻より\n後にしてください。";
    return {};
}

const std::vector<FileFilter>& dataFileFilters() {
    static const std::vector<FileFilter> filters = {
        {"データファイル(*.csv)", {"*.csv"}},
        {"KV6300ﾌｧｲﾙ(KV63*.csv)", {"KV63*.csv"}},
        {"KV6100ﾌｧｲﾙ(KV61*.csv)", {"KV61*.csv"}},
        {"KV5300ﾌｧｲﾙ(KV53*.csv)", {"KV53*.csv"}},
        {"KV5100ﾌｧｲﾙ(KV51*.csv)", {"KV51*.csv"}},
        {"KV4300ﾌｧｲﾙ(KV43*.csv)", {"KV43*.csv"}},
        {"KV4100ﾌｧｲﾙ(KV41*.csv)", {"KV41*.csv"}},
        {"波形ﾌｧｲﾙ(W*.csv)", {"????W*.csv"}},
        {"ピークﾌｧｲﾙ(P*.csv)", {"????P*.csv"}},
        // A name without a dot is a file too here.
        {"全てのファイル(*.*)", {"*"}},
    };
    return filters;
}

}  // namespace kv
