#pragma once

#include <cstdint>
#include <vector>

#include "model/wire.h"
#include "recorder/live_telegrams.h"

namespace kv::test {

// One axis of a live peak telegram: raw codes and widths as the recorder sends them.
struct LivePeakAxis {
    uint16_t positive = 0;
    int16_t negative = 0;
    uint16_t positiveWidth = 0;
    uint16_t negativeWidth = 0;
};

// A live peak telegram of one axis (16 bytes) or three (32 bytes).
inline std::vector<uint8_t> livePeakTelegram(const std::vector<LivePeakAxis>& axes) {
    std::vector<uint8_t> payload;
    for (const LivePeakAxis& a : axes) {
        for (uint16_t v :
             {a.positive, static_cast<uint16_t>(a.negative), a.positiveWidth, a.negativeWidth}) {
            payload.push_back(static_cast<uint8_t>(v >> 8));
            payload.push_back(static_cast<uint8_t>(v & 0xFF));
        }
    }
    return sim::makeReply(kLivePeakCode, payload);
}

// A live wave telegram of one axis (648 bytes) or three (1928 bytes) in which
// every sample is quiet except sample 0 of each axis, which carries the raw
// code given (below 512: that many codes above the centre).
inline std::vector<uint8_t> liveWaveTelegram(const std::vector<uint16_t>& firstSamples) {
    std::vector<uint8_t> payload;
    for (uint16_t code : firstSamples) {
        std::vector<uint8_t> axis(640, 0);
        axis[0] = static_cast<uint8_t>((code >> 8 & 3) << 6);
        axis[1] = static_cast<uint8_t>(code & 0xFF);
        payload.insert(payload.end(), axis.begin(), axis.end());
    }
    return sim::makeReply(kLiveWaveCode, payload);
}

}  // namespace kv::test
