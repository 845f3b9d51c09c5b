#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kv::tool {

// Builds one JSON text for kvtool's --json output. Commas, nesting and
// indentation are kept here, so a subcommand only says what it writes:
//
//   JsonWriter j;
//   j.beginObject();
//   j.key("generation"); j.string("later");
//   j.key("counts"); j.beginArray(); j.integer(5); j.integer(-1); j.endArray();
//   j.endObject();
//   std::puts(j.text().c_str());
//
// Strings are expected in UTF-8; quotes, backslashes and control characters are
// escaped, and bytes that are not valid UTF-8 become U+FFFD so the output always
// parses. Reals print as the shortest text that reads back as the same double;
// NaN and infinities, which JSON cannot hold, print as null.
class JsonWriter {
  public:
    // indent = spaces per level; 0 gives the whole text on one line.
    explicit JsonWriter(int indent = 2) : indent_(indent) {}

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The member name of the next value; only inside an object.
    void key(std::string_view name);

    void string(std::string_view text);
    void integer(long long value);
    void number(double value);
    void boolean(bool value);
    void null();

    // The text so far; complete once every object and array is ended.
    const std::string& text() const { return out_; }

  private:
    struct Level {
        bool isObject;
        bool empty = true;
    };
    void beforeValue();
    void close(char bracket);
    void newline();
    void writeString(std::string_view text);

    int indent_;
    std::string out_;
    std::vector<Level> levels_;
    bool afterKey_ = false;
};

// The text with every byte that is not part of valid UTF-8 replaced by U+FFFD.
std::string validUtf8(std::string_view text);

// The JSON string literal (with its quotes) of a UTF-8 text.
std::string jsonQuoted(std::string_view text);

}  // namespace kv::tool
