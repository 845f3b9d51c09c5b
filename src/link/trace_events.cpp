#include "link/trace_events.h"

#include <charconv>

namespace kv {
namespace {

// A reader of the flat objects the trace writes: string, integer, true,
// false and null values; nested values are refused.
class FlatObject {
  public:
    explicit FlatObject(std::string_view text) : s_(text) {}

    template <typename OnMember>
    bool read(OnMember onMember) {
        skipSpace();
        if (!take('{')) return false;
        skipSpace();
        if (take('}')) return atEnd();
        for (;;) {
            std::string name, text;
            long long number = 0;
            bool isText = false;
            skipSpace();
            if (!string(name)) return false;
            skipSpace();
            if (!take(':')) return false;
            skipSpace();
            if (peek() == '"') {
                if (!string(text)) return false;
                isText = true;
            } else if (!scalar(number)) {
                return false;
            }
            if (!onMember(name, isText, text, number)) return false;
            skipSpace();
            if (take('}')) return atEnd();
            if (!take(',')) return false;
        }
    }

  private:
    char peek() const { return i_ < s_.size() ? s_[i_] : '\0'; }
    bool take(char c) {
        if (peek() != c) return false;
        ++i_;
        return true;
    }
    void skipSpace() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\r')) ++i_;
    }
    bool atEnd() {
        skipSpace();
        return i_ == s_.size();
    }
    bool word(std::string_view w) {
        if (s_.substr(i_, w.size()) != w) return false;
        i_ += w.size();
        return true;
    }
    bool scalar(long long& out) {
        if (word("true") || word("false") || word("null")) {
            out = s_[i_ - 1] == 'e' && s_[i_ - 2] == 'u' ? 1 : 0;  // only "true" ends in "ue"
            return true;
        }
        const char* begin = s_.data() + i_;
        auto [end, ec] = std::from_chars(begin, s_.data() + s_.size(), out);
        if (ec != std::errc()) return false;
        i_ += static_cast<size_t>(end - begin);
        return true;
    }
    bool string(std::string& out) {
        if (!take('"')) return false;
        while (i_ < s_.size()) {
            const char c = s_[i_++];
            if (c == '"') return true;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (i_ >= s_.size()) return false;
            const char e = s_[i_++];
            switch (e) {
                case '"':
                case '\\':
                case '/':
                    out += e;
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 'u': {
                    unsigned code = 0;
                    auto [end, ec] = std::from_chars(s_.data() + i_, s_.data() + i_ + 4, code, 16);
                    if (ec != std::errc() || end != s_.data() + i_ + 4 || code > 0x7F)
                        return false;  // the trace escapes control characters only
                    out += static_cast<char>(code);
                    i_ += 4;
                    break;
                }
                default:
                    return false;
            }
        }
        return false;
    }

    std::string_view s_;
    size_t i_ = 0;
};

bool fromHex(const std::string& text, std::vector<uint8_t>& out) {
    if (text.size() % 2 != 0) return false;
    out.clear();
    out.reserve(text.size() / 2);
    for (size_t i = 0; i < text.size(); i += 2) {
        unsigned v = 0;
        auto [end, ec] = std::from_chars(text.data() + i, text.data() + i + 2, v, 16);
        if (ec != std::errc() || end != text.data() + i + 2) return false;
        out.push_back(static_cast<uint8_t>(v));
    }
    return true;
}

}  // namespace

bool parseTraceLine(std::string_view line, TraceEvent& out) {
    out = TraceEvent{};
    bool hasTime = false;
    FlatObject object(line);
    const bool ok = object.read(
        [&](const std::string& name, bool isText, const std::string& text, long long number) {
            if (name == "t") {
                hasTime = !isText;
                out.timeMs = number;
            } else if (name == "event") {
                out.event = text;
            } else if (name == "bytes" && isText) {
                return fromHex(text, out.bytes);
            } else if (name == "command") {
                out.command = number;
            } else if (name == "error") {
                out.error = number;
            }
            return true;
        });
    return ok && hasTime && !out.event.empty();
}

std::vector<TraceEvent> parseTrace(std::string_view text, size_t& skipped) {
    std::vector<TraceEvent> events;
    skipped = 0;
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find('\n', begin);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(begin, end - begin);
        begin = end + 1;
        if (line.find_first_not_of(" \t\r") == std::string_view::npos) continue;
        TraceEvent e;
        if (parseTraceLine(line, e))
            events.push_back(std::move(e));
        else
            ++skipped;
    }
    return events;
}

}  // namespace kv
