#include "datafile/data_file_numbers.h"

#include <charconv>
#include <cstdlib>

#include "recorder/value_texts.h"

namespace kv {

std::string oneDecimalText(double x) {
    // valueText already rounds to three significant digits; values below 10
    // keep two decimals there and are rounded once more to one.
    std::string three = valueText(x);
    size_t point = three.find('.');
    if (point == std::string::npos || three.find('E') != std::string::npos) return three;
    if (three.size() - point - 1 <= 1) return three;
    return fixedText(std::strtod(three.c_str(), nullptr), 1);
}

void appendPositivePeak(std::string& out, double g) {
    if (g == 0) {
        out += ",+0.00";
        return;
    }
    out += ",+";
    out += fixedText(g, g < 10 ? 2 : 1, 4);
}

void appendNegativePeak(std::string& out, double g) {
    if (g == 0) {
        out += ",-0.00";
        return;
    }
    out += ',';
    std::string text = fixedText(g, g > -10 ? 2 : 1);
    // A negative reading keeps its sign even when it rounds to 0.00.
    if (g < 0 && text.front() != '-') out += '-';
    out += text;
}

void appendZeroPadded(std::string& out, long long value, int width) {
    char digits[24];
    unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                             : static_cast<unsigned long long>(value);
    auto res = std::to_chars(digits, digits + sizeof digits, magnitude);
    int length = static_cast<int>(res.ptr - digits);
    if (value < 0) {
        out += '-';
        --width;
    }
    if (length < width) out.append(static_cast<size_t>(width - length), '0');
    out.append(digits, res.ptr);
}

void appendDate(std::string& out, const CalendarTime& c) {
    appendZeroPadded(out, c.year, 4);
    out += '/';
    appendZeroPadded(out, c.month, 2);
    out += '/';
    appendZeroPadded(out, c.day, 2);
}

void appendTime(std::string& out, const CalendarTime& c) {
    appendZeroPadded(out, c.hour, 2);
    out += ':';
    appendZeroPadded(out, c.minute, 2);
    out += ':';
    appendZeroPadded(out, c.second, 2);
}

}  // namespace kv
