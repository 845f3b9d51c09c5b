#include "model/wire.h"

#include <algorithm>

#include "link/frame.h"

namespace kv::sim {

std::vector<uint8_t> makeReply(uint8_t cmd, const std::vector<uint8_t>& payload) {
    std::vector<uint8_t> r;
    r.reserve(payload.size() + 8);
    r.push_back(0x55);
    r.push_back(0xAA);
    r.push_back(cmd);
    r.push_back(static_cast<uint8_t>(~cmd));
    r.insert(r.end(), payload.begin(), payload.end());
    uint16_t crc = kv::crc16(r.data(), r.size());
    r.push_back(static_cast<uint8_t>(crc >> 8));
    r.push_back(static_cast<uint8_t>(crc & 0xFF));
    r.push_back(0xAA);
    r.push_back(0x55);
    return r;
}

std::vector<uint8_t> makeReply(uint8_t cmd, size_t length, uint8_t fill) {
    return makeReply(cmd, std::vector<uint8_t>(length < 8 ? 0 : length - 8, fill));
}

std::vector<uint8_t> makeCommand(uint8_t cmd, const std::vector<uint8_t>& payload) {
    std::vector<uint8_t> f(32, 0);
    std::copy_n(payload.begin(), std::min<size_t>(payload.size(), 24), f.begin() + 4);
    kv::completeFrame(cmd, f.data());
    return f;
}

bool isValidFrame(const uint8_t* d, size_t n, uint8_t cmd) {
    if (n < 8) return false;
    return d[0] == 0x55 && d[1] == 0xAA && d[2] == cmd && d[3] == static_cast<uint8_t>(~cmd) &&
           d[n - 2] == 0xAA && d[n - 1] == 0x55 &&
           kv::crc16(d, n - 4) == (d[n - 4] << 8 | d[n - 3]);
}

void FrameAssembler::feed(const uint8_t* data, size_t n, std::vector<std::vector<uint8_t>>& out) {
    buffer_.insert(buffer_.end(), data, data + n);
    size_t pos = 0;
    for (;;) {
        // Find the next header.
        size_t h = pos;
        while (h + 1 < buffer_.size() && !(buffer_[h] == 0x55 && buffer_[h + 1] == 0xAA)) ++h;
        if (h + 1 >= buffer_.size()) {
            // Keep a trailing 0x55 that may begin a header.
            size_t keep =
                (!buffer_.empty() && h < buffer_.size() && buffer_[h] == 0x55) ? h : buffer_.size();
            dropped_ += keep - pos;
            pos = keep;
            break;
        }
        dropped_ += h - pos;
        pos = h;
        if (buffer_.size() - pos < kv::kCommandLength) break;  // wait for the rest
        if (buffer_[pos + 30] == 0xAA && buffer_[pos + 31] == 0x55) {
            out.emplace_back(buffer_.begin() + pos, buffer_.begin() + pos + kv::kCommandLength);
            pos += kv::kCommandLength;
        } else {
            ++pos;  // not a frame after all: resynchronise
            ++dropped_;
        }
    }
    buffer_.erase(buffer_.begin(), buffer_.begin() + pos);
}

}  // namespace kv::sim
