#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// One line of a protocol trace, read back: its time, its event and whichever
// of the other members it carries (missing numbers read as 0, missing bytes
// as none).
struct TraceEvent {
    int64_t timeMs = 0;
    std::string event;
    std::vector<uint8_t> bytes;  // "send" and "receive"
    long long command = -1;
    long long error = 0;
};

// Reads one line. False for a line that is no trace event: not a flat JSON
// object, no time or no event, or bytes that are not hexadecimal.
bool parseTraceLine(std::string_view line, TraceEvent& out);

// Every event of a trace text in order; lines that do not parse (a line cut
// by a crash, a hand-made note) are passed over and counted in `skipped`.
std::vector<TraceEvent> parseTrace(std::string_view text, size_t& skipped);

}  // namespace kv
