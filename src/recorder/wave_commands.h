#pragma once

#include <cstdint>

#include "base/datetime.h"
#include "recorder/records.h"
#include "recorder/session.h"

namespace kv {

// Command 113 for single-axis models (axis 1), scaled with the Z sensitivity.
bool readWaveBlock(RecorderSession& s, uint16_t blockNumber, WaveBlock& block, uint8_t axis,
                   DateTime start, const RecorderIdentity& identity, const RecorderInfo& info);
// Command 113 for triaxial models (axis 1, 2, 3), scaled with that axis' sensitivity.
bool readWaveBlockAxis(RecorderSession& s, uint16_t blockNumber, WaveBlock& block, uint8_t axis,
                       DateTime start, const RecorderIdentity& identity, const RecorderInfo& info);

}  // namespace kv
