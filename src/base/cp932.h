#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kv {

// Conversion between the program's UTF-8 text and the CP932 (Windows-31J) bytes of
// the data files and the INI file. Input that cannot be converted gives nullopt:
// nothing is guessed or replaced.
std::optional<std::string> utf8ToCp932(std::string_view utf8);
std::optional<std::string> cp932ToUtf8(std::string_view cp932);

// True when every character of the UTF-8 text has a CP932 form.
bool fitsCp932(std::string_view utf8);

}  // namespace kv
