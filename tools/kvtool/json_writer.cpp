#include "json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "base/kv_assert.h"

namespace kv::tool {
namespace {

// Length of the valid UTF-8 sequence at s[i], or 0 when it is not one
// (overlong forms, surrogates and values above U+10FFFF are refused).
size_t utf8Length(std::string_view s, size_t i) {
    const auto b = [&](size_t k) { return static_cast<uint8_t>(s[k]); };
    uint8_t c = b(i);
    size_t n;
    uint32_t cp;
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    for (size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        cp = cp << 6 | (b(i + k) & 0x3F);
    }
    if ((n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000) || cp > 0x10FFFF ||
        (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

void appendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (size_t i = 0; i < text.size();) {
        char c = text[i];
        switch (c) {
            case '"':
                out += "\\\"";
                ++i;
                continue;
            case '\\':
                out += "\\\\";
                ++i;
                continue;
            case '\n':
                out += "\\n";
                ++i;
                continue;
            case '\r':
                out += "\\r";
                ++i;
                continue;
            case '\t':
                out += "\\t";
                ++i;
                continue;
            case '\b':
                out += "\\b";
                ++i;
                continue;
            case '\f':
                out += "\\f";
                ++i;
                continue;
            default:
                break;
        }
        if (static_cast<uint8_t>(c) < 0x20 || c == 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x",
                          static_cast<unsigned>(static_cast<uint8_t>(c)));
            out += buf;
            ++i;
            continue;
        }
        size_t n = utf8Length(text, i);
        if (n == 0) {
            out += "\\ufffd";
            ++i;
        } else {
            out.append(text.substr(i, n));
            i += n;
        }
    }
    out += '"';
}

}  // namespace

std::string validUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t n = utf8Length(text, i);
        if (n == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(text.substr(i, n));
            i += n;
        }
    }
    return out;
}

std::string jsonQuoted(std::string_view text) {
    std::string out;
    appendQuoted(out, text);
    return out;
}

void JsonWriter::newline() {
    if (indent_ <= 0) return;
    out_ += '\n';
    out_.append(levels_.size() * static_cast<size_t>(indent_), ' ');
}

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (levels_.empty()) {
        KV_ASSERT(out_.empty());  // one top-level value
        return;
    }
    KV_ASSERT(!levels_.back().isObject);  // object members need a key first
    if (!levels_.back().empty) out_ += ',';
    levels_.back().empty = false;
    newline();
}

void JsonWriter::key(std::string_view name) {
    KV_ASSERT(!levels_.empty() && levels_.back().isObject && !afterKey_);
    if (!levels_.back().empty) out_ += ',';
    levels_.back().empty = false;
    newline();
    appendQuoted(out_, name);
    out_ += indent_ > 0 ? ": " : ":";
    afterKey_ = true;
}

void JsonWriter::beginObject() {
    beforeValue();
    out_ += '{';
    levels_.push_back({true});
}

void JsonWriter::beginArray() {
    beforeValue();
    out_ += '[';
    levels_.push_back({false});
}

void JsonWriter::close(char bracket) {
    KV_ASSERT(!levels_.empty() && !afterKey_);
    bool empty = levels_.back().empty;
    levels_.pop_back();
    if (!empty) newline();
    out_ += bracket;
}

void JsonWriter::endObject() {
    KV_ASSERT(!levels_.empty() && levels_.back().isObject);
    close('}');
}

void JsonWriter::endArray() {
    KV_ASSERT(!levels_.empty() && !levels_.back().isObject);
    close(']');
}

void JsonWriter::string(std::string_view text) {
    beforeValue();
    appendQuoted(out_, text);
}

void JsonWriter::integer(long long value) {
    beforeValue();
    out_ += std::to_string(value);
}

void JsonWriter::number(double value) {
    beforeValue();
    if (!std::isfinite(value)) {
        out_ += "null";
        return;
    }
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    out_.append(buf, res.ptr);
}

void JsonWriter::boolean(bool value) {
    beforeValue();
    out_ += value ? "true" : "false";
}

void JsonWriter::null() {
    beforeValue();
    out_ += "null";
}

}  // namespace kv::tool
