#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kv::sim {

// A valid reply frame (or live telegram): 55 AA cmd ~cmd payload CRC(hi, lo) AA 55,
// payload.size() + 8 bytes long.
std::vector<uint8_t> makeReply(uint8_t cmd, const std::vector<uint8_t>& payload);
// A reply of exactly `length` bytes (at least 8) whose payload is `fill`.
std::vector<uint8_t> makeReply(uint8_t cmd, size_t length, uint8_t fill = 0);
// A complete 32-byte command frame; payload holds up to 24 bytes (rest zero).
std::vector<uint8_t> makeCommand(uint8_t cmd, const std::vector<uint8_t>& payload = {});
// True when the bytes have the reply envelope for cmd: header, code,
// complement, CRC and trailer (command frames have it too, with n = 32).
bool isValidFrame(const uint8_t* data, size_t n, uint8_t cmd);

// Cuts a byte stream from the PC into 32-byte command frames. A frame begins
// at 55 AA and ends with AA 55 thirty bytes later; bytes before a header are
// noise and dropped, and a candidate whose trailer is wrong is abandoned one
// byte after its header, so the search resynchronises on the next 55 AA.
// The CRC is not checked here: the responder decides what a bad frame gets.
class FrameAssembler {
  public:
    // Feeds bytes; complete frames are appended to `out`.
    void feed(const uint8_t* data, size_t n, std::vector<std::vector<uint8_t>>& out);
    void reset() { buffer_.clear(); }
    size_t buffered() const { return buffer_.size(); }
    size_t droppedBytes() const { return dropped_; }

  private:
    std::vector<uint8_t> buffer_;
    size_t dropped_ = 0;
};

}  // namespace kv::sim
