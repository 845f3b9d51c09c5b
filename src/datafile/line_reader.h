#pragma once

#include <cstdio>
#include <string_view>
#include <vector>

namespace kv {

// Reads a text file line by line through a buffer of its own. A line ends at
// LF; a CR before the LF is dropped (CR LF files read like LF files) and the
// line ends at its first NUL byte, as a C string would. Lines longer than a
// data file can hold are reported instead of being cut into pieces that would
// read as further lines.
class LineReader {
  public:
    // Longest line, without its line end, that a data file can carry.
    static constexpr size_t kMaxLine = 1022;

    enum class Status { Line, End, TooLong, Failed };

    // The file stays owned by the caller.
    explicit LineReader(std::FILE* file);

    // The next line, valid until the next call.
    Status next(std::string_view& line);

    // Whether the line last read ended in CR LF (or LF). A last line without
    // one is what a file cut off in the middle of writing ends in: every data
    // file the program writes ends in CR LF.
    bool lineEnded() const { return lineEnded_; }
    // 1-based number of the line last read.
    long lineNumber() const { return lineNumber_; }

  private:
    bool fill();

    std::FILE* file_;
    std::vector<char> buffer_;
    size_t begin_ = 0;
    size_t end_ = 0;
    bool atEnd_ = false;
    bool lineEnded_ = true;
    long lineNumber_ = 0;
};

}  // namespace kv
