#include "base/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace kv {

InputFile::~InputFile() {
    if (file_) std::fclose(file_);
}

InputFile::InputFile(InputFile&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)),
      refusal_(other.refusal_),
      errorNumber_(other.errorNumber_),
      size_(other.size_) {}

InputFile& InputFile::operator=(InputFile&& other) noexcept {
    if (this != &other) {
        if (file_) std::fclose(file_);
        file_ = std::exchange(other.file_, nullptr);
        refusal_ = other.refusal_;
        errorNumber_ = other.errorNumber_;
        size_ = other.size_;
    }
    return *this;
}

InputFile InputFile::open(const std::string& path, uint64_t maxBytes) {
    InputFile in;
    auto refuse = [&in](InputRefusal why, int error) {
        in.refusal_ = why;
        in.errorNumber_ = error;
        return false;
    };
    auto fileFits = [&](const struct stat& st) {
        in.size_ = static_cast<uint64_t>(st.st_size);
        if (!S_ISREG(st.st_mode))
            return refuse(InputRefusal::NotRegular, S_ISDIR(st.st_mode) ? EISDIR : 0);
        return in.size_ <= maxBytes || refuse(InputRefusal::TooLarge, EFBIG);
    };
    // Looked at before it is opened: opening a serial device would change its
    // lines, and a pipe without a writer would wait for one.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        refuse(errno == ENOENT ? InputRefusal::Missing : InputRefusal::Unreadable, errno);
        return in;
    }
    if (!fileFits(st)) return in;
    // Looked at again once open, in case another file took its place.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        refuse(errno == ENOENT ? InputRefusal::Missing : InputRefusal::Unreadable, errno);
        return in;
    }
    const bool fits =
        ::fstat(fd, &st) == 0 ? fileFits(st) : refuse(InputRefusal::Unreadable, errno);
    if (!fits) {
        ::close(fd);
        return in;
    }
    // Reads of a regular file never wait; the flag only mattered for the open.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    in.file_ = ::fdopen(fd, "rb");
    if (!in.file_) {
        refuse(InputRefusal::Unreadable, errno);
        ::close(fd);
    }
    return in;
}

std::string inputRefusalReason(const InputFile& input, uint64_t maxBytes) {
    switch (input.refusal()) {
        case InputRefusal::None:
            return {};
        case InputRefusal::NotRegular:
            return input.errorNumber() == EISDIR ? "is a folder" : "not a regular file";
        case InputRefusal::TooLarge:
            return "larger than " + std::to_string(maxBytes) + " bytes (" +
                   std::to_string(input.size()) + ")";
        case InputRefusal::Missing:
        case InputRefusal::Unreadable:
            break;
    }
    return std::strerror(input.errorNumber());
}

}  // namespace kv
