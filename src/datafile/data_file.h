#pragma once

#include <string>
#include <string_view>

namespace kv {

// A measurement file being written: a new file of its own, filled through a
// large buffer, every write checked. A file that could not be written
// completely is never taken for a saved one: finish() says so, and discard()
// removes what was written.
class DataFile {
  public:
    DataFile() = default;
    // No file: the creation failed with the error number (errno).
    DataFile(std::string path, int error) : path_(std::move(path)), error_(error) {}
    // Adopts an open descriptor; `created` when this program has just made
    // the file, which discard() may then remove.
    DataFile(int fd, std::string path, bool created);
    DataFile(DataFile&& other) noexcept;
    DataFile& operator=(DataFile&& other) noexcept;
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;
    ~DataFile();  // closes; neither reports nor removes

    bool isOpen() const { return fd_ >= 0; }
    explicit operator bool() const { return isOpen(); }
    const std::string& path() const { return path_; }
    // The error number of the first failure; 0 while everything went through.
    int error() const { return error_; }

    // Appends bytes. After a failure further writes are dropped: the file is
    // lost already and the first error is the one worth reporting.
    void write(std::string_view bytes) {
        if (buffer_.size() + bytes.size() > kChunk) flush();
        buffer_.append(bytes);
    }
    void write(char c) {
        if (buffer_.size() >= kChunk) flush();
        buffer_.push_back(c);
    }

    // Writes what is buffered and closes. True only when every byte reached
    // the file and the close succeeded.
    bool finish();
    // Closes and removes the file: an incomplete file must not stay behind
    // looking like a saved measurement.
    void discard();

  private:
    static constexpr size_t kChunk = size_t{1} << 20;

    void flush();
    void closeFd();

    int fd_ = -1;
    bool created_ = false;  // this object made the file at path_
    std::string path_;
    std::string buffer_;
    int error_ = 0;
};

}  // namespace kv
