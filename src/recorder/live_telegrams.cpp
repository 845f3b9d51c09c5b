#include "recorder/live_telegrams.h"

#include <cmath>

#include "base/kv_assert.h"
#include "link/frame.h"
#include "recorder/wave_decoding.h"

namespace kv {
namespace {

constexpr size_t kPayloadStart = 4;
constexpr size_t kPeakGroupBytes = 8;

}  // namespace

bool decodeLivePeakTelegram(const uint8_t* telegram, size_t length, PeakRecord& row) {
    int axes;
    if (length == livePeakLength(1))
        axes = 1;
    else if (length == livePeakLength(3))
        axes = 3;
    else
        return false;
    for (int a = 0; a < axes; ++a) {
        const uint8_t* g = telegram + kPayloadStart + a * kPeakGroupBytes;
        row.time[a] = 0;
        row.peak[2 * a] = static_cast<float>(be16(g));
        row.peak[2 * a + 1] = static_cast<float>(static_cast<int16_t>(be16(g + 2)));
        row.width[2 * a] = be16(g + 4);
        row.width[2 * a + 1] = be16(g + 6);
    }
    return true;
}

bool decodeLiveWaveTelegram(const uint8_t* telegram, size_t length, DateTime now,
                            const LiveWaveSetup& setup, WaveBlock* const planes[3]) {
    int axes;
    if (length == liveWaveLength(1))
        axes = 1;
    else if (length == liveWaveLength(3))
        axes = 3;
    else
        return false;
    for (int a = 0; a < axes; ++a) {
        KV_ASSERT(planes[a] != nullptr);
        WaveBlock& block = *planes[a];
        block.time = now;
        decodeWaveSamples(telegram + kPayloadStart + a * kBlockGroupBytes, block,
                          {setup.samplePeriodMs, setup.sensorRange, setup.sensitivity[a]});
    }
    if (axes == 3) {
        double x = planes[0]->peak, y = planes[1]->peak, z = planes[2]->peak;
        float resultant = static_cast<float>(std::sqrt(x * x + y * y + z * z));
        for (int a = 0; a < 3; ++a) planes[a]->resultantG = resultant;
    }
    return true;
}

}  // namespace kv
