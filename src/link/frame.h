#pragma once

#include <cstddef>
#include <cstdint>

namespace kv {

class RecorderPort;

constexpr size_t kCommandLength = 32;
// Largest reply of a command (a wave block) and of a live telegram.
constexpr size_t kMaxReplyLength = 658;
constexpr size_t kMaxTelegramLength = 1928;

// CRC-16/XMODEM: polynomial 0x1021, initial 0, no reflection, no final XOR.
uint16_t crc16(const uint8_t* data, size_t n);

// Completes bytes 0-3 and 28-31 of a 32-byte command frame around its payload.
void completeFrame(uint8_t cmd, uint8_t* frame);

// One request/reply exchange with up to three attempts and modem-line resets.
// The caller fills only the payload (bytes 4-27); on success the reply buffer
// holds exactly n valid bytes. Lets the host process events once at the end.
bool transact(RecorderPort& port, uint8_t cmd, uint8_t* command, size_t commandLength,
              uint8_t* reply, size_t n);

// Waits for exactly n bytes (idle deadline 400 ms from the last byte) and
// validates them as a reply to cmd.
bool receiveReply(RecorderPort& port, uint8_t* reply, size_t n, uint8_t cmd);
// The n bytes have the reply envelope of cmd: 55 AA, the code and its
// complement, the CRC over all but the last four bytes, AA 55.
bool isValidReply(const uint8_t* reply, size_t n, uint8_t cmd);

// Purges input, completes the frame and writes it once; no reply is awaited.
bool sendOnly(RecorderPort& port, uint8_t cmd, uint8_t* command, size_t commandLength,
              uint8_t* reply);

inline uint16_t be16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] << 8 | p[1]);
}
inline uint32_t be32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
           static_cast<uint32_t>(p[2]) << 8 | p[3];
}
// (low nibble) + 10 x (high nibble); nibbles are not checked (0x9A gives 100).
inline int bcdToInt(uint8_t b) {
    return (b & 0x0F) + 10 * (b >> 4);
}
inline uint8_t intToBcd(int v) {
    return static_cast<uint8_t>((v / 10) << 4 | (v % 10));
}

}  // namespace kv
