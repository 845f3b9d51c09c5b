#include "recorder/value_texts.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace kv {
namespace {

// A finite double as decimal digits: value = (negative ? -1 : 1) x digits x
// 10^exponent. By default the shortest digits that read back as the same
// double; with a precision, that many digits of its exact value.
struct Decimal {
    bool negative = false;
    std::string digits;  // no leading zeros except the single "0"
    int exponent = 0;
};

Decimal toDecimal(double x, int precision = -1) {
    char buf[80];
    auto res =
        precision < 0
            ? std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific)
            : std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, precision);
    std::string_view text(buf, static_cast<size_t>(res.ptr - buf));  // "-1.2345e+02"
    Decimal d;
    size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        d.negative = true;
        ++i;
    }
    int fractionDigits = 0;
    bool afterPoint = false;
    for (; i < text.size() && text[i] != 'e'; ++i) {
        if (text[i] == '.') {
            afterPoint = true;
            continue;
        }
        d.digits += text[i];
        if (afterPoint) ++fractionDigits;
    }
    int e = 0;
    if (i < text.size()) e = std::atoi(std::string(text.substr(i + 1)).c_str());
    d.exponent = e - fractionDigits;
    return d;
}

// round(|x| x 10^decimals), exact decimal ties away from zero, as a digit
// string. The shortest digits decide, except where they end in the 5 that is
// being rounded: 0.125 is such a tie exactly, but 2.675 is stored as
// 2.67499999999999982..., below the tie, and rounds down as the exact value
// says. Forty digits of the exact value settle it: a double never lies closer
// than that to a short decimal tie without being on it.
std::string roundedDigits(double x, const Decimal& shortest, int decimals) {
    const bool tieInShortest = shortest.exponent + decimals == -1 && shortest.digits.back() == '5';
    Decimal precise;
    if (tieInShortest) precise = toDecimal(x, 40);
    const Decimal& d = tieInShortest ? precise : shortest;
    int shift = d.exponent + decimals;
    if (shift >= 0) return d.digits == "0" ? "0" : d.digits + std::string(shift, '0');
    size_t drop = static_cast<size_t>(-shift);
    if (drop > d.digits.size()) return "0";
    const size_t keep = d.digits.size() - drop;
    std::string kept = keep == 0 ? std::string(1, '0') : d.digits.substr(0, keep);
    bool up = d.digits[keep] >= '5';
    if (up) {
        int k = static_cast<int>(kept.size()) - 1;
        while (k >= 0 && kept[k] == '9') kept[k--] = '0';
        if (k < 0)
            kept = "1" + kept;
        else
            ++kept[k];
    }
    size_t nz = kept.find_first_not_of('0');
    return nz == std::string::npos ? "0" : kept.substr(nz);
}

// Places the decimal point into a rounded digit string.
std::string withPoint(const std::string& digits, int decimals) {
    if (decimals <= 0) return digits;
    std::string s = digits;
    if (s.size() <= static_cast<size_t>(decimals))
        s.insert(s.begin(), static_cast<size_t>(decimals) + 1 - s.size(), '0');
    s.insert(s.end() - decimals, '.');
    return s;
}

std::string nonFiniteText(double x) {
    if (std::isnan(x)) return "NAN";
    return x < 0 ? "-INF" : "INF";
}

// Power of ten of the leading digit (0 for 0).
int leadingExponent(const Decimal& d) {
    if (d.digits == "0") return 0;
    return d.exponent + static_cast<int>(d.digits.size()) - 1;
}

// Three significant digits in the form "-1.23E+03", for values whose rounded
// integer part no longer fits three digits.
std::string scientificText(double x, const Decimal& d) {
    int e = leadingExponent(d);
    std::string digits = roundedDigits(x, d, 2 - e);
    if (digits.size() > 3) {  // 9995 -> 1000: one more power of ten
        digits.resize(3);
        ++e;
    }
    char exp[16];
    std::snprintf(exp, sizeof exp, "E%c%02d", e < 0 ? '-' : '+', std::abs(e));
    return std::string(d.negative ? "-" : "") + digits[0] + "." + digits.substr(1) + exp;
}

const char* const kRecordPeriodNames[] = {"1秒", "2秒", "5秒", "10秒", "30秒",
                                          "1分", "2分", "5分", "10分"};

}  // namespace

std::string recordPeriodName(unsigned index) {
    return index < std::size(kRecordPeriodNames) ? kRecordPeriodNames[index] : "2秒";
}

std::string modeName(int waveMode) {
    return waveMode == 0 ? "ピークモード" : "波形モード";
}

std::string overwriteName(int overwriteMode) {
    switch (overwriteMode) {
        case 1:
            return "Ｘ軸比較";
        case 2:
            return "Ｙ軸比較";
        case 3:
            return "Ｚ軸比較";
        case 4:
            return "３軸比較";
        default:
            return "上書き無し";
    }
}

std::string axisModeName(int axisMode, ModelCode model) {
    if (isSingleAxis(model)) return "１軸";
    return axisMode == 0 ? "３軸同時" : "３軸独立";
}

std::string fixedText(double x, int decimals, int width, bool plusSign) {
    if (!std::isfinite(x)) return nonFiniteText(x);
    if (decimals < 0) decimals = 0;
    Decimal d = toDecimal(x);
    std::string digits = roundedDigits(x, d, decimals);
    std::string body = withPoint(digits, decimals);
    // A negative value keeps its minus even when it rounds to zero ("-0.00"),
    // as the fixed format prints it; a negative zero is no negative value.
    std::string sign = x < 0 ? "-" : (plusSign ? "+" : "");
    if (static_cast<int>(sign.size() + body.size()) < width)
        body.insert(body.begin(), static_cast<size_t>(width) - sign.size() - body.size(), '0');
    return sign + body;
}

std::string valueText(double x) {
    if (!std::isfinite(x)) return nonFiniteText(x);
    const int shown = std::fabs(x) >= 10.0 ? 1 : 2;
    Decimal d = toDecimal(x);
    // Round once, at the coarser of three significant digits and the shown
    // decimals; the shown decimals are padded with zeros afterwards.
    int roundAt = std::min(shown, 2 - leadingExponent(d));
    std::string digits = roundedDigits(x, d, roundAt);
    if (static_cast<int>(digits.size()) - roundAt > 3) return scientificText(x, d);
    if (roundAt < shown) digits += std::string(static_cast<size_t>(shown - roundAt), '0');
    std::string body = withPoint(digits, shown);
    return (x < 0 ? "-" : "") + body;
}

std::string dateTimeText(const CalendarTime& c) {
    // The fields as they are: a recorder's unused entry (month 0, day 0) reads
    // as such instead of as a date that nobody recorded.
    char buf[96];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %02d:%02d:%02d", c.year, c.month, c.day, c.hour,
                  c.minute, c.second);
    return buf;
}

DateTime addSeconds(DateTime start, double seconds) {
    return start + seconds / kSecondsPerDay;
}

}  // namespace kv
