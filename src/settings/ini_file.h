#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/input_file.h"

namespace kv {

// A CP932 INI file kept line by line, so that a save writes back every section,
// key, comment and even undecodable line it did not touch, in its place.
// Section and key names match without regard to ASCII case, so a file edited
// by hand ("[COM]", "device1") still reads; texts are UTF-8 on this side of the file.
class IniFile {
  public:
    // A settings file is a few kilobytes; anything much larger is no INI file.
    static constexpr uint64_t kMaxBytes = uint64_t{1} << 20;

    // Reads the file. When it is missing, unreadable, no regular file or larger
    // than kMaxBytes, the contents are empty and the refusal is returned, with
    // its reason in `reason` when given.
    InputRefusal load(const std::string& path, std::string* reason = nullptr);
    // Replaces the contents with these bytes: any bytes, never fails.
    void parse(std::string_view bytes);
    // The file's bytes: CP932, every line ended by CR LF.
    std::string serialise() const;
    // Replaces the file at `path` as a whole (a symbolic link stays and its
    // destination is replaced): either the whole new file or the old one
    // survives. False with "PATH: reason" in `error`.
    bool save(const std::string& path, std::string& error) const;

    // The value of the first key of that name in the first section of that name;
    // nullopt when absent or when its bytes are not CP932.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // Sets the value in place, or adds the key at the end of its section (and the
    // section at the end of the file). False, with nothing changed, when the
    // text has no CP932 form or holds a line break.
    bool setValue(std::string_view section, std::string_view key, std::string_view value);
    void removeKey(std::string_view section, std::string_view key);
    bool hasSection(std::string_view name) const { return findSection(name) != nullptr; }

  private:
    struct Line {
        std::string raw;                   // the file's bytes, without the line end
        std::optional<std::string> key;    // UTF-8, trimmed; nullopt for other lines
        std::optional<std::string> value;  // UTF-8, trimmed; nullopt when undecodable
    };
    struct Section {
        std::optional<std::string> name;  // nullopt: the lines before the first header
        std::string rawHeader;
        std::vector<Line> lines;
    };

    Section* findSection(std::string_view name);
    const Section* findSection(std::string_view name) const;

    std::vector<Section> sections_;
};

}  // namespace kv
