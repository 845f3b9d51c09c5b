#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

// SHA-256 of a byte stream, fed in pieces of any size. The journal of saved
// files carries it so that a file can be checked against what was saved, and
// summaries and reports name each data file by it. Where the processor has the
// SHA instructions the blocks are compressed with them (three to five times
// faster, which a summary of a thousand files feels); the digest is the same.
class Sha256 {
  public:
    enum class Engine { Fastest, Portable };
    explicit Sha256(Engine engine = Engine::Fastest);
    void update(const void* data, size_t n);
    void update(std::string_view bytes) { update(bytes.data(), bytes.size()); }
    // The digest; the object must not be fed afterwards.
    std::array<uint8_t, 32> finish();

    // Whether Engine::Fastest uses the processor's SHA instructions.
    static bool accelerated();

  private:
    void blocks(const uint8_t* p, size_t count);

    std::array<uint32_t, 8> h_;
    std::array<uint8_t, 64> buffer_{};
    size_t buffered_ = 0;
    uint64_t length_ = 0;  // bytes fed so far
    bool accelerated_ = false;
};

// Lower-case hexadecimal of the digest of the bytes.
std::string sha256Hex(std::string_view bytes);
std::string hexText(const uint8_t* data, size_t n);

// The digest of a file's contents in hexadecimal. False with the error number
// (errno) when the file cannot be read to its end.
bool sha256OfFile(const std::string& path, std::string& hex, int& error);

}  // namespace kv
