#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kv {

// Longest quotation of a path or a value in a message, in bytes.
constexpr size_t kMessageQuoteBytes = 160;

// `text` as a message quotes it: unchanged when short enough, otherwise its
// beginning and its end (where a path keeps its file name) joined by "…",
// cut between whole UTF-8 characters. A huge value (a pasted file, a path of
// megabytes) must not make a message box or a terminal line unreadable, nor
// keep the program busy laying it out.
std::string shortenedForMessage(std::string_view text, size_t maxBytes = kMessageQuoteBytes);

}  // namespace kv
