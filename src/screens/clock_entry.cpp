#include "screens/clock_entry.h"

#include <cstdio>

#include "screens/condition_messages.h"

namespace kv {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads 1 to maxDigits digits at pos; false when there is none or too many.
bool readDigits(std::string_view s, size_t& pos, int maxDigits, int& value) {
    size_t start = pos;
    value = 0;
    while (pos < s.size() && isDigit(s[pos])) {
        if (static_cast<int>(pos - start) == maxDigits) return false;
        value = value * 10 + (s[pos] - '0');
        ++pos;
    }
    return pos > start;
}

bool expect(std::string_view s, size_t& pos, char c) {
    if (pos >= s.size() || s[pos] != c) return false;
    ++pos;
    return true;
}

// Splits like the C tokenizer: each field skips the delimiters in front of it
// and ends at the next delimiter, which is consumed.
class FieldSplitter {
  public:
    explicit FieldSplitter(std::string_view s) : s_(s) {}

    std::optional<std::string_view> next(char delimiter) {
        while (pos_ < s_.size() && s_[pos_] == delimiter) ++pos_;
        if (pos_ >= s_.size()) return std::nullopt;
        size_t start = pos_;
        while (pos_ < s_.size() && s_[pos_] != delimiter) ++pos_;
        std::string_view field = s_.substr(start, pos_ - start);
        if (pos_ < s_.size()) ++pos_;
        return field;
    }

    std::optional<std::string_view> rest() {
        if (pos_ >= s_.size()) return std::nullopt;
        std::string_view field = s_.substr(pos_);
        pos_ = s_.size();
        return field;
    }

  private:
    std::string_view s_;
    size_t pos_ = 0;
};

// Leading blanks, an optional sign and the digits that follow; no digits give
// 0. Saturates instead of overflowing, so that a long run of digits is simply
// out of every range.
int leadingNumber(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && (isBlank(s[i]) || s[i] == '\n' || s[i] == '\r')) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    long long v = 0;
    for (; i < s.size() && isDigit(s[i]); ++i) {
        if (v < 1000000) v = v * 10 + (s[i] - '0');
    }
    return static_cast<int>(negative ? -v : v);
}

}  // namespace

std::optional<DateTime> parseDateTimeText(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    size_t yearStart = pos;
    CalendarTime c;
    if (!readDigits(text, pos, 4, c.year)) return std::nullopt;
    if (pos - yearStart <= 2) c.year = recorderYear(c.year);
    if (!expect(text, pos, '/') || !readDigits(text, pos, 2, c.month) || !expect(text, pos, '/') ||
        !readDigits(text, pos, 2, c.day))
        return std::nullopt;
    c.hour = c.minute = c.second = 0;
    size_t afterDate = pos;
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    if (pos < text.size()) {
        if (pos == afterDate) return std::nullopt;  // a time is set apart by a blank
        if (!readDigits(text, pos, 2, c.hour) || !expect(text, pos, ':') ||
            !readDigits(text, pos, 2, c.minute))
            return std::nullopt;
        if (pos < text.size() && text[pos] == ':') {
            ++pos;
            if (!readDigits(text, pos, 2, c.second)) return std::nullopt;
        }
        while (pos < text.size() && isBlank(text[pos])) ++pos;
        if (pos != text.size()) return std::nullopt;
    }
    return encodeDateTime(c);
}

ClockTextCheck checkClockText(std::string_view text) {
    ClockTextCheck check;
    std::optional<DateTime> t = parseDateTimeText(text);
    if (!t) {
        check.message = conditionText::kClockNotRecognised;
        return check;
    }
    // Both ends are excluded: the recorder's two-digit year cannot tell them apart
    // from the other end of its window.
    const DateTime lowest = *encodeDateTime(CalendarTime{1998, 1, 1, 0, 0, 0, 0});
    const DateTime highest = *encodeDateTime(CalendarTime{2097, 12, 31, 23, 59, 59, 0});
    if (!(*t > lowest) || !(*t < highest)) {
        check.status = ClockTextStatus::OutOfRange;
        check.message = conditionText::kClockOutOfRange;
        return check;
    }
    check.status = ClockTextStatus::Accepted;
    check.time = *t;
    return check;
}

std::optional<DateTime> parseLegacyClockText(std::string_view text) {
    FieldSplitter split(text);
    std::optional<std::string_view> fields[6];
    fields[0] = split.next('/');
    fields[1] = split.next('/');
    fields[2] = split.next(' ');
    fields[3] = split.next(':');
    fields[4] = split.next(':');
    fields[5] = split.rest();
    int v[6];
    for (int i = 0; i < 6; ++i) {
        if (!fields[i]) return std::nullopt;
        v[i] = leadingNumber(*fields[i]);
    }
    int year = v[0];
    if (year >= 1998 && year <= 1999) {
        year -= 1900;
    } else if (year >= 2000 && year <= 2097) {
        year -= 2000;
    } else if (year < 0 || year > 99) {
        return std::nullopt;
    }
    if (v[1] < 0 || v[1] > 12 || v[2] < 0 || v[2] > 31 || v[3] < 0 || v[3] > 23 || v[4] < 0 ||
        v[4] > 59 || v[5] < 0 || v[5] > 59)
        return std::nullopt;
    // Month 0, day 0 or 31 April would set the recorder's clock to a date that
    // never comes; encodeDateTime refuses them.
    return encodeDateTime(CalendarTime{recorderYear(year), v[1], v[2], v[3], v[4], v[5], 0});
}

std::string legacyClockText(const RecorderClock& clock) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %02d:%02d:%02d", clock.year, clock.month,
                  clock.day, clock.hour, clock.minute, clock.second);
    return buf;
}

CalendarTime calendarOf(const RecorderClock& clock) {
    return CalendarTime{clock.year,   clock.month,  clock.day, clock.hour,
                        clock.minute, clock.second, 0};
}

RecorderClock recorderClockOf(DateTime t) {
    CalendarTime c = decodeDateTime(t);
    return RecorderClock{c.year, c.month, c.day, c.hour, c.minute, c.second};
}

}  // namespace kv
