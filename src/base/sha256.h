#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

// SHA-256 of a byte stream, fed in pieces of any size. The journal of saved
// files carries it so that a file can be checked against what was saved.
class Sha256 {
  public:
    Sha256();
    void update(const void* data, size_t n);
    void update(std::string_view bytes) { update(bytes.data(), bytes.size()); }
    // The digest; the object must not be fed afterwards.
    std::array<uint8_t, 32> finish();

  private:
    void block(const uint8_t* p);

    std::array<uint32_t, 8> h_;
    std::array<uint8_t, 64> buffer_{};
    size_t buffered_ = 0;
    uint64_t length_ = 0;  // bytes fed so far
};

// Lower-case hexadecimal of the digest of the bytes.
std::string sha256Hex(std::string_view bytes);
std::string hexText(const uint8_t* data, size_t n);

// The digest of a file's contents in hexadecimal. False with the error number
// (errno) when the file cannot be read to its end.
bool sha256OfFile(const std::string& path, std::string& hex, int& error);

}  // namespace kv
