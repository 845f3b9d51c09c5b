#include "datafile/output_target.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string_view>

namespace kv {
namespace {

// The first field of line 1, as CP932 bytes: "ＫＶ種別" (Japanese header)
// or "KV Model" (English header).
constexpr std::string_view kDataFileKeywords[] = {"\x82\x6a\x82\x75\x8e\xed\x95\xca,", "KV Model,"};

}  // namespace

bool beginsLikeDataFile(std::string_view firstBytes) {
    for (std::string_view keyword : kDataFileKeywords)
        if (firstBytes.substr(0, keyword.size()) == keyword) return true;
    return false;
}

OutputClash outputClash(const std::string& output, const std::vector<std::string>& inputs) {
    struct stat out {};
    if (::stat(output.c_str(), &out) != 0) return OutputClash::None;
    for (const std::string& input : inputs) {
        struct stat in {};
        if (::stat(input.c_str(), &in) == 0 && in.st_dev == out.st_dev && in.st_ino == out.st_ino)
            return OutputClash::Input;
    }
    if (!S_ISREG(out.st_mode)) return OutputClash::None;
    const int fd = ::open(output.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return OutputClash::None;
    char first[16];
    const ssize_t n = ::read(fd, first, sizeof first);
    ::close(fd);
    if (n > 0 && beginsLikeDataFile(std::string_view(first, static_cast<size_t>(n))))
        return OutputClash::DataFile;
    return OutputClash::None;
}

}  // namespace kv
