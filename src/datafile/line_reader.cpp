#include "datafile/line_reader.h"

#include <cstring>

namespace kv {

LineReader::LineReader(std::FILE* file) : file_(file), buffer_(64 * 1024) {}

bool LineReader::fill() {
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    size_t n = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
    if (n == 0) {
        if (std::ferror(file_)) return false;
        atEnd_ = true;
    }
    end_ += n;
    return true;
}

LineReader::Status LineReader::next(std::string_view& line) {
    for (;;) {
        const char* start = buffer_.data() + begin_;
        size_t waiting = end_ - begin_;
        if (const void* lf = std::memchr(start, '\n', waiting)) {
            size_t length = static_cast<const char*>(lf) - start;
            line = std::string_view(start, length);
            begin_ += length + 1;
            // An LF alone ends a line; a CR LF cut after its CR does not.
            lineEnded_ = true;
            break;
        }
        // Enough bytes for the longest line, its CR and its LF, and still no LF.
        if (waiting > kMaxLine + 1) return Status::TooLong;
        if (atEnd_) {
            if (waiting == 0) return Status::End;
            line = std::string_view(start, waiting);  // a last line without its line end
            begin_ = end_;
            lineEnded_ = false;
            break;
        }
        if (!fill()) return Status::Failed;
    }
    ++lineNumber_;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > kMaxLine) return Status::TooLong;
    if (const void* nul = std::memchr(line.data(), '\0', line.size()))
        line = line.substr(0, static_cast<const char*>(nul) - line.data());
    return Status::Line;
}

}  // namespace kv
