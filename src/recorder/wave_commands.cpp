#include "recorder/wave_commands.h"

#include "base/kv_assert.h"
#include "link/frame.h"
#include "recorder/value_texts.h"
#include "recorder/wave_decoding.h"

namespace kv {
namespace {

constexpr size_t kWaveBlockLength = 658;
constexpr size_t kElapsedAt = 8;
constexpr size_t kPeakCodeAt = 12;
constexpr size_t kGroupsAt = 14;

bool readBlock(RecorderSession& s, uint16_t blockNumber, WaveBlock& block, uint8_t axis,
               DateTime start, int sensitivityIndex, const RecorderIdentity& identity,
               const RecorderInfo& info) {
    uint8_t cmd[kCommandLength] = {};
    cmd[4] = static_cast<uint8_t>(blockNumber >> 8);
    cmd[5] = static_cast<uint8_t>(blockNumber & 0xFF);
    cmd[6] = axis;
    uint8_t r[kWaveBlockLength];
    if (!transact(s, 0x71, cmd, sizeof cmd, r, sizeof r)) return false;

    block.blockNumber = blockNumber;
    block.time = addSeconds(start, be32(r + kElapsedAt));
    // The header's peak code is only a first guess; the peak search replaces it.
    block.peak = centre(be16(r + kPeakCodeAt));
    decodeWaveSamples(r + kGroupsAt, block,
                      {info.samplePeriodMs, identity.sensorRange,
                       info.sensitivity[static_cast<size_t>(sensitivityIndex)]});
    return true;
}

}  // namespace

bool readWaveBlock(RecorderSession& s, uint16_t blockNumber, WaveBlock& block, uint8_t axis,
                   DateTime start, const RecorderIdentity& identity, const RecorderInfo& info) {
    // Single-axis recorders keep their sensor's sensitivity in the Z slot.
    return readBlock(s, blockNumber, block, axis, start, 2, identity, info);
}

bool readWaveBlockAxis(RecorderSession& s, uint16_t blockNumber, WaveBlock& block, uint8_t axis,
                       DateTime start, const RecorderIdentity& identity, const RecorderInfo& info) {
    KV_ASSERT(1 <= axis && axis <= 3);
    return readBlock(s, blockNumber, block, axis, start, axis - 1, identity, info);
}

}  // namespace kv
