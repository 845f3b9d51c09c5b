#include "settings/ini_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/cp932.h"
#include "base/safe_file_writer.h"

namespace kv {
namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

bool holdsLineBreak(std::string_view s) {
    return s.find('\n') != std::string_view::npos || s.find('\r') != std::string_view::npos;
}

}  // namespace

InputRefusal IniFile::load(const std::string& path, std::string* reason) {
    sections_.clear();
    InputFile in = InputFile::open(path, kMaxBytes);
    auto refused = [&](InputRefusal why, const std::string& text) {
        if (reason) *reason = text;
        return why;
    };
    if (!in) return refused(in.refusal(), inputRefusalReason(in, kMaxBytes));
    std::string bytes;
    char buf[8192];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, in.stream())) > 0) {
        bytes.append(buf, n);
        // It grew after it was looked at.
        if (bytes.size() > kMaxBytes)
            return refused(InputRefusal::TooLarge,
                           "larger than " + std::to_string(kMaxBytes) + " bytes");
    }
    if (std::ferror(in.stream())) return refused(InputRefusal::Unreadable, std::strerror(errno));
    parse(bytes);
    return InputRefusal::None;
}

void IniFile::parse(std::string_view bytes) {
    sections_.clear();
    sections_.push_back(Section{});
    while (!bytes.empty()) {
        size_t end = bytes.find('\n');
        std::string_view raw = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);

        // '[', ']' may be the second byte of a CP932 character, '=' never is:
        // headers are recognised on the decoded text, keys split on the bytes.
        std::string_view t = trim(raw);
        if (!t.empty() && t.front() == '[') {
            Section s;
            s.rawHeader = std::string(raw);
            if (auto text = cp932ToUtf8(t)) {
                std::string_view d = *text;
                size_t close = d.find(']');
                if (close != std::string_view::npos)
                    s.name = std::string(trim(d.substr(1, close - 1)));
            }
            // A header that cannot be read still opens a section, under no name
            // that anything can look up, so its keys are kept but never used.
            if (!s.name) s.name = std::string("\n");
            sections_.push_back(std::move(s));
            continue;
        }
        Line line;
        line.raw = std::string(raw);
        size_t eq = t.find('=');
        if (!t.empty() && t.front() != ';' && t.front() != '#' && eq != std::string_view::npos) {
            if (auto key = cp932ToUtf8(trim(t.substr(0, eq)))) {
                line.key = std::move(*key);
                line.value = cp932ToUtf8(trim(t.substr(eq + 1)));
            }
        }
        sections_.back().lines.push_back(std::move(line));
    }
}

std::string IniFile::serialise() const {
    std::string out;
    for (const Section& s : sections_) {
        if (s.name) {
            out += s.rawHeader;
            out += "\r\n";
        }
        for (const Line& l : s.lines) {
            out += l.raw;
            out += "\r\n";
        }
    }
    return out;
}

bool IniFile::save(const std::string& path, std::string& error) const {
    return writeFileSafely(path, serialise(), error);
}

IniFile::Section* IniFile::findSection(std::string_view name) {
    for (Section& s : sections_)
        if (s.name && sameName(*s.name, name)) return &s;
    return nullptr;
}

const IniFile::Section* IniFile::findSection(std::string_view name) const {
    for (const Section& s : sections_)
        if (s.name && sameName(*s.name, name)) return &s;
    return nullptr;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
    const Section* s = findSection(section);
    if (!s) return std::nullopt;
    for (const Line& l : s->lines)
        if (l.key && sameName(*l.key, key)) return l.value;
    return std::nullopt;
}

bool IniFile::setValue(std::string_view section, std::string_view key, std::string_view value) {
    if (holdsLineBreak(section) || holdsLineBreak(key) || holdsLineBreak(value)) return false;
    auto rawSection = utf8ToCp932(section);
    auto rawKey = utf8ToCp932(key);
    auto rawValue = utf8ToCp932(value);
    if (!rawSection || !rawKey || !rawValue) return false;

    Section* s = findSection(section);
    if (!s) {
        if (sections_.empty()) sections_.push_back(Section{});
        Section added;
        added.name = std::string(section);
        added.rawHeader = "[" + *rawSection + "]";
        sections_.push_back(std::move(added));
        s = &sections_.back();
    }
    Line line;
    line.raw = *rawKey + "=" + *rawValue;
    line.key = std::string(key);
    line.value = std::string(value);
    for (Line& l : s->lines) {
        if (l.key && sameName(*l.key, key)) {
            l = std::move(line);
            return true;
        }
    }
    // New keys go after the section's last key, before any blank lines that
    // separate it from the next section.
    auto at = s->lines.end();
    while (at != s->lines.begin() && trim((at - 1)->raw).empty()) --at;
    s->lines.insert(at, std::move(line));
    return true;
}

void IniFile::removeKey(std::string_view section, std::string_view key) {
    Section* s = findSection(section);
    if (!s) return;
    for (auto it = s->lines.begin(); it != s->lines.end(); ++it) {
        if (it->key && sameName(*it->key, key)) {
            s->lines.erase(it);
            return;
        }
    }
}

}  // namespace kv
