#include "settings/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "base/cp932.h"

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

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

}  // namespace

bool IniFile::load(const std::string& path) {
    sections_.clear();
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::string bytes;
    char buf[8192];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    if (!ok) return false;
    parse(bytes);
    return true;
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

bool IniFile::save(const std::string& path) const {
    std::string bytes = serialise();
    std::string temp = path + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;

    // mkstemp creates the file private; give it the old file's mode, or the
    // mode a new file would have had.
    struct stat old;
    mode_t mode;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // The rename itself reaches the disk with the folder.
    const size_t slash = path.find_last_of('/');
    const std::string folder =
        slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
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
