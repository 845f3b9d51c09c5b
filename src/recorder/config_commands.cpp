#include "recorder/config_commands.h"

#include <cmath>
#include <cstring>

#include "base/kv_assert.h"
#include "link/frame.h"

namespace kv {
namespace {

constexpr size_t kEchoLength = 32;
constexpr size_t kPayload = 4;
constexpr int kConditionSends = 5;
// The recorder stores the conditions before it answers.
constexpr int64_t kConditionStoreMs = 2000;

// A write: the recorder confirms it by sending the completed frame back
// unchanged, so any difference (even with a valid CRC of its own) is a failure.
bool writeWithEcho(RecorderSession& s, uint8_t code, uint8_t* cmd) {
    uint8_t reply[kEchoLength];
    if (!transact(s, code, cmd, kCommandLength, reply, sizeof reply)) return false;
    return std::memcmp(reply, cmd, kCommandLength) == 0;
}

void putBe16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v >> 8 & 0xFF);
    p[1] = static_cast<uint8_t>(v & 0xFF);
}

// Sensitivity in mV/G with one decimal to the tenths sent on the wire. The
// detour through single precision makes 2.3 x 10 (22.999999999999996 in double)
// read 23, as the recorder's own tools send it. Values no recorder can hold
// (not finite, beyond 32 bits) send 0 rather than an undefined conversion.
uint32_t sensitivityTenths(double sensitivity) {
    double v = sensitivity * 10.0;
    if (!std::isfinite(v) || std::fabs(v) > 2.0e9) return 0;
    float f = static_cast<float>(v);
    return static_cast<uint32_t>(static_cast<int64_t>(std::trunc(f))) & 0xFFFF;
}

bool writeSensorSettings(RecorderSession& s, uint8_t code, const std::array<int32_t, 3>& numbers,
                         const std::array<double, 3>& sensitivities) {
    uint8_t cmd[kCommandLength] = {};
    for (int a = 0; a < 3; ++a) {
        putBe16(cmd + kPayload + 2 * a, static_cast<uint32_t>(numbers[a]));
        putBe16(cmd + kPayload + 6 + 2 * a, sensitivityTenths(sensitivities[a]));
    }
    return writeWithEcho(s, code, cmd);
}

bool writeSingleByte(RecorderSession& s, uint8_t code, uint8_t value) {
    uint8_t cmd[kCommandLength] = {};
    cmd[kPayload] = value;
    return writeWithEcho(s, code, cmd);
}

void encodeClock(DateTime t, uint8_t* p) {
    CalendarTime c = decodeDateTime(t);
    p[0] = intToBcd((c.year % 100 + 100) % 100);
    p[1] = intToBcd(c.month);
    p[2] = intToBcd(c.day);
    p[3] = 0;
    p[4] = intToBcd(c.hour);
    p[5] = intToBcd(c.minute);
    p[6] = intToBcd(c.second);
}

bool setClockCommand(RecorderSession& s, uint8_t code, DateTime t) {
    uint8_t cmd[kCommandLength] = {};
    encodeClock(t, cmd + kPayload);
    return writeWithEcho(s, code, cmd);
}

// Both generations send the year in two digits; it gets its century here, once.
bool readClockCommand(RecorderSession& s, uint8_t code, RecorderClock& clock) {
    uint8_t cmd[kCommandLength] = {};
    uint8_t r[kEchoLength];
    if (!transact(s, code, cmd, sizeof cmd, r, sizeof r)) return false;
    const uint8_t* p = r + kPayload;
    clock = RecorderClock{recorderYear(bcdToInt(p[0])),
                          bcdToInt(p[1]),
                          bcdToInt(p[2]),
                          bcdToInt(p[4]),
                          bcdToInt(p[5]),
                          bcdToInt(p[6])};
    return true;
}

}  // namespace

bool setDeviceNumberLegacy(RecorderSession& s, uint8_t number) {
    return writeSingleByte(s, 0x01, number);
}

bool setRecordPeriodLegacy(RecorderSession& s, int periodIndex) {
    KV_ASSERT(0 <= periodIndex);
    KV_ASSERT(periodIndex <= 8);
    return writeSingleByte(s, 0x02, static_cast<uint8_t>(periodIndex));
}

bool writeSensorLegacy(RecorderSession& s, const LegacyRecorderInfo& info) {
    return writeSensorSettings(s, 0x03, info.sensorNumber, info.sensitivity);
}

bool readClockLegacy(RecorderSession& s, RecorderClock& clock) {
    return readClockCommand(s, 0x10, clock);
}

bool setClockLegacy(RecorderSession& s, DateTime t) {
    return setClockCommand(s, 0x11, t);
}

bool setDeviceNumber(RecorderSession& s, uint8_t number) {
    return writeSingleByte(s, 0x51, number);
}

bool writeSensor(RecorderSession& s, const RecorderInfo& info) {
    return writeSensorSettings(s, 0x52, info.sensorNumber, info.sensitivity);
}

bool writeMeasurementSettings(RecorderSession& s, const MeasurementSettings& m) {
    uint8_t cmd[kCommandLength] = {};
    uint8_t* p = cmd + kPayload;
    p[0] = static_cast<uint8_t>(m.waveMode);
    p[1] = static_cast<uint8_t>(m.recordPeriod);
    p[2] = static_cast<uint8_t>(m.samplePeriodMs);
    for (int a = 0; a < 3; ++a) {
        p[3 + a] = static_cast<uint8_t>(m.triggerLevel[a]);
        putBe16(p + 6 + 2 * a, static_cast<uint32_t>(m.triggerThreshold[a]));
    }
    p[12] = static_cast<uint8_t>(m.preTrigger);
    p[13] = static_cast<uint8_t>(m.axisMode);
    p[14] = static_cast<uint8_t>(m.overwriteMode);

    // Own sends instead of transact: the recorder answers only after it has
    // stored the conditions, and resetting the modem lines meanwhile would
    // interrupt it.
    uint8_t reply[kEchoLength];
    for (int send = 0; send < kConditionSends; ++send) {
        sendOnly(s, 0x53, cmd, sizeof cmd, reply);
        s.link().clock.sleepMs(kConditionStoreMs);
        if (receiveReply(s, reply, sizeof reply, 0x53))
            return std::memcmp(reply, cmd, kCommandLength) == 0;
    }
    return false;
}

bool readClock(RecorderSession& s, RecorderClock& clock) {
    return readClockCommand(s, 0x60, clock);
}

bool setClock(RecorderSession& s, DateTime t) {
    return setClockCommand(s, 0x61, t);
}

}  // namespace kv
