#pragma once

#include <cstdint>

#include "base/datetime.h"
#include "recorder/records.h"
#include "recorder/session.h"

namespace kv {

// Every write is confirmed by the recorder echoing the command frame byte for byte.
bool setDeviceNumberLegacy(RecorderSession& s, uint8_t number);                 // 1
bool setRecordPeriodLegacy(RecorderSession& s, int periodIndex);                // 2
bool writeSensorLegacy(RecorderSession& s, const LegacyRecorderInfo&);          // 3
bool readClockLegacy(RecorderSession& s, RecorderClock& clock);                 // 16, window at 97
bool setClockLegacy(RecorderSession& s, DateTime t);                            // 17
bool setDeviceNumber(RecorderSession& s, uint8_t number);                       // 81
bool writeSensor(RecorderSession& s, const RecorderInfo&);                      // 82
bool writeMeasurementSettings(RecorderSession& s, const MeasurementSettings&);  // 83
bool readClock(RecorderSession& s, RecorderClock& clock);                       // 96, window at 97
bool setClock(RecorderSession& s, DateTime t);                                  // 97

}  // namespace kv
