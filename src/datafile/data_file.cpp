#include "datafile/data_file.h"

#include <unistd.h>

#include <cerrno>
#include <utility>

#include "base/safe_file_writer.h"

namespace kv {

DataFile::DataFile(int fd, std::string path, bool created)
    : fd_(fd), created_(created), path_(std::move(path)) {
    buffer_.reserve(kChunk);
}

DataFile::DataFile(DataFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      created_(std::exchange(other.created_, false)),
      path_(std::move(other.path_)),
      buffer_(std::move(other.buffer_)),
      error_(std::exchange(other.error_, 0)) {}

DataFile& DataFile::operator=(DataFile&& other) noexcept {
    if (this != &other) {
        closeFd();
        fd_ = std::exchange(other.fd_, -1);
        created_ = std::exchange(other.created_, false);
        path_ = std::move(other.path_);
        buffer_ = std::move(other.buffer_);
        error_ = std::exchange(other.error_, 0);
    }
    return *this;
}

DataFile::~DataFile() {
    closeFd();
}

void DataFile::flush() {
    if (fd_ < 0 || error_ != 0) {
        buffer_.clear();
        return;
    }
    error_ = writeFully(systemFileCalls(), fd_, buffer_);
    buffer_.clear();
}

void DataFile::closeFd() {
    if (fd_ < 0) return;
    int rc = ::close(fd_);
    // A network file system may report a lost write only here.
    if (rc != 0 && errno != EINTR && error_ == 0) error_ = errno;
    fd_ = -1;
}

bool DataFile::finish() {
    if (fd_ < 0) return false;
    flush();
    closeFd();
    return error_ == 0;
}

void DataFile::discard() {
    closeFd();
    buffer_.clear();
    // Only a file this object created is removed; a failed creation left none.
    if (created_) ::unlink(path_.c_str());
    created_ = false;
}

}  // namespace kv
