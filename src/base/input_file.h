#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace kv {

// Why a file was not opened for reading.
enum class InputRefusal {
    None,
    Missing,     // no such file
    Unreadable,  // it exists but cannot be opened (permissions, I/O): see errorNumber
    NotRegular,  // a folder, a pipe, a device or a socket
    TooLarge,    // more bytes than the file can hold when it is what it claims
};

// An input file opened for reading, or why not. Owns the stream.
class InputFile {
  public:
    InputFile() = default;
    ~InputFile();
    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&& other) noexcept;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Opens `path` only when it is a regular file of at most maxBytes. It is
    // opened without blocking and looked at before a byte is read, so a pipe
    // or a terminal named by mistake is refused at once instead of waiting
    // for a writer, and /dev/zero is not read until memory runs out.
    static InputFile open(const std::string& path, uint64_t maxBytes);

    std::FILE* stream() const { return file_; }
    explicit operator bool() const { return file_ != nullptr; }
    InputRefusal refusal() const { return refusal_; }
    int errorNumber() const { return errorNumber_; }
    uint64_t size() const { return size_; }  // of the file, also when too large

  private:
    std::FILE* file_ = nullptr;
    InputRefusal refusal_ = InputRefusal::None;
    int errorNumber_ = 0;
    uint64_t size_ = 0;
};

// The refusal in words for a message: "not a regular file", "larger than
// 1048576 bytes (2000000)", or the system's reason.
std::string inputRefusalReason(const InputFile& input, uint64_t maxBytes);

}  // namespace kv
