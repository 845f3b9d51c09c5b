#include "list/data_input_rules.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace kv {
namespace {

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

int parseIntegerOrZero(std::string_view text) {
    text = trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return 0;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<int>::max() + 1LL) return 0;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int>::max()) return 0;
    return static_cast<int>(value);
}

std::optional<double> parseDecimal(std::string_view text) {
    text = trimmed(text);
    if (text.empty()) return std::nullopt;
    // Only digits, one sign, "." and an exponent: strtod would also take
    // "inf", "nan" and hexadecimal, which no one types as a threshold.
    for (char c : text)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == 'e' || c == 'E'))
            return std::nullopt;
    const std::string copy(text);
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size() || errno == ERANGE) return std::nullopt;
    return value;
}

std::string searchValueText(float value) {
    if (value == 0) return "0";
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.4G", static_cast<double>(value));
    return buf;
}

std::optional<std::string> searchValueError(std::string_view text) {
    // The threshold is kept in single precision: a value beyond it is refused
    // rather than turned into infinity.
    const auto value = parseDecimal(text);
    if (value && *value > 0 && *value <= std::numeric_limits<float>::max()) return std::nullopt;
    return std::string("検索数値エラー！！\n入力データを確認してください。");
}

std::optional<std::string> dataNumberError(std::string_view text, int recordCount) {
    const int n = parseIntegerOrZero(text);
    if (n <= 0) return std::string("検索位置数値エラー！！\n入力データを確認してください。");
    if (n > recordCount) return std::string("検索位置数値エラー！！\n最大データ数を超えています。");
    return std::nullopt;
}

std::optional<std::string> printRangeError(std::string_view startText, std::string_view endText,
                                           int recordCount) {
    const int start = parseIntegerOrZero(startText);
    if (start <= 0 || start > recordCount) return std::string("開始位置入力エラー！！");
    const int end = parseIntegerOrZero(endText);
    if (end <= 0 || end > recordCount) return std::string("終了位置入力エラー！！");
    if (end < start) return std::string("開始終了位置が逆です。");
    return std::nullopt;
}

std::string dataNumberRangeText(int recordCount) {
    return "1　～ " + std::to_string(recordCount);
}

std::string printAllCaption(int start, int end) {
    return "全てを印刷する(" + std::to_string(start) + "～" + std::to_string(end) + ")";
}

}  // namespace kv
