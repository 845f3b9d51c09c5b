#pragma once

#include <cstddef>
#include <cstdint>

#include "base/datetime.h"
#include "recorder/records.h"

namespace kv {

// Telegrams a recorder sends unprompted while it measures: one peak telegram per
// shock, one wave telegram per trigger. They have the reply-frame envelope and
// are accepted with receiveReply before they are decoded here.
constexpr uint8_t kLiveWaveCode = 226;
constexpr uint8_t kLivePeakCode = 227;

// Telegram length for the number of axes (1 or 3).
constexpr size_t livePeakLength(int axes) {
    return axes == 3 ? 32 : 16;
}
constexpr size_t liveWaveLength(int axes) {
    return axes == 3 ? 1928 : 648;
}

// A peak telegram of 16 (X) or 32 (X, Y, Z) bytes into the raw form of a peak
// row: elapsed seconds 0, positive peak unsigned, negative peak signed, widths
// as sent; the conversion to G and the time stamp "now" are the caller's. Axes
// the telegram does not carry are left alone. False (row unchanged) for any
// other length.
bool decodeLivePeakTelegram(const uint8_t* telegram, size_t length, PeakRecord& row);

// How live wave samples become G: the range, the sample period and the three
// sensitivities (X, Y, Z) the monitor was set up with. A single-axis recorder's
// live wave is scaled with the X sensitivity.
struct LiveWaveSetup {
    int sensorRange = 0;
    int samplePeriodMs = 0;
    double sensitivity[3] = {0, 0, 0};
};

// A wave telegram of 648 (X) or 1928 (X, Y, Z) bytes into planes[0..axes-1],
// each stamped with now; triaxial telegrams also give every plane the resultant
// peak (root of the sum of the squared peaks). False (blocks unchanged) for any
// other length.
bool decodeLiveWaveTelegram(const uint8_t* telegram, size_t length, DateTime now,
                            const LiveWaveSetup& setup, WaveBlock* const planes[3]);

}  // namespace kv
