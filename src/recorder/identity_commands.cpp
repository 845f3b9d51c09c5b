#include "recorder/identity_commands.h"

#include <cstring>
#include <string_view>

#include "link/frame.h"

namespace kv {
namespace {

constexpr size_t kStatusLegacyLength = 32;
constexpr size_t kStatusLength = 44;
constexpr size_t kIdentityLength = 32;

// 'A' internal, 'B' external; any other character leaves the field as it was.
void setSensorPlace(uint8_t character, uint8_t& place) {
    if (character == 'A') place = 0;
    if (character == 'B') place = 1;
}

double tenths(const uint8_t* p) {
    return be16(p) * 0.1;
}

// The decimal number of the characters, or fallback when they are empty or
// hold anything but digits.
int decimalOr(std::string_view digits, int fallback) {
    if (digits.empty()) return fallback;
    int v = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return fallback;
        v = v * 10 + (c - '0');
    }
    return v;
}

}  // namespace

bool readStatusLegacy(RecorderSession& s, LegacyRecorderInfo& info, RecorderIdentity& identity) {
    uint8_t cmd[kCommandLength] = {};
    uint8_t r[kStatusLegacyLength];
    if (!transact(s, 0x00, cmd, sizeof cmd, r, sizeof r)) return false;

    static const int kRanges[] = {5, 10, 20, 50, 100};
    LegacyRecorderInfo i = info;
    i.deviceNumber = r[4];
    i.recordPeriod = r[5];
    i.modelCode = r[6] == '1' ? 4100 : r[6] == '3' ? 4300 : 0;
    i.sensorRange = r[7] < 5 ? kRanges[r[7]] : 0;
    setSensorPlace(r[8], i.sensorPlace);
    i.serialNumber = be16(r + 9);
    for (int a = 0; a < 3; ++a) {
        i.sensorNumber[a] = be16(r + 11 + 2 * a);
        i.sensitivity[a] = tenths(r + 17 + 2 * a);
    }
    i.batteryVolts = tenths(r + 23);
    info = i;

    if (i.modelCode != 0) identity.modelCode = i.modelCode;
    std::memcpy(identity.family, "KV", 3);
    identity.sensorRange = static_cast<uint8_t>(i.sensorRange);
    identity.sensorPlace = static_cast<char>(r[8]);
    identity.waveData = 0;
    return true;
}

bool readStatus(RecorderSession& s, RecorderInfo& info) {
    uint8_t cmd[kCommandLength] = {};
    uint8_t r[kStatusLength];
    if (!transact(s, 0x50, cmd, sizeof cmd, r, sizeof r)) return false;

    RecorderInfo i = info;
    i.deviceNumber = r[4];
    switch (r[5]) {
        case '1':
            i.modelCode = 5100;
            break;
        case '3':
            i.modelCode = 5300;
            break;
        case '4':
            i.modelCode = 6100;
            break;
        case '6':
            i.modelCode = 6300;
            break;
        default:
            i.modelCode = 0;
            break;
    }
    i.sensorRange = r[6];
    setSensorPlace(r[7], i.sensorPlace);
    i.serialNumber = be16(r + 8);
    for (int a = 0; a < 3; ++a) {
        i.sensorNumber[a] = be16(r + 10 + 2 * a);
        i.sensitivity[a] = tenths(r + 16 + 2 * a);
        i.triggerLevel[a] = r[25 + a];
        i.triggerThreshold[a] = be16(r + 28 + 2 * a);
    }
    // Bytes 22-36 are the measurement conditions in the order command 83 writes them.
    i.waveMode = r[22] == 1 ? 1 : 0;
    i.recordPeriod = r[23];
    i.samplePeriodMs = r[24];
    i.preTrigger = r[34];
    i.axisMode = r[35];
    i.overwriteMode = r[36];
    i.batteryVolts = tenths(r + 37);
    i.firmwareVersion = r[39];
    info = i;
    return true;
}

bool readIdentity(RecorderSession& s, RecorderIdentity& identity) {
    uint8_t cmd[kCommandLength] = {};
    uint8_t r[kIdentityLength];
    if (!transact(s, 0xF0, cmd, sizeof cmd, r, sizeof r)) return false;

    // The text runs from byte 6 to its first zero byte, and never past the
    // payload: a recorder that sends no zero does not make us read the CRC.
    const char* text = reinterpret_cast<const char*>(r + 6);
    size_t length = 0;
    while (length < kIdentityLength - 4 - 6 && text[length] != 0) ++length;
    std::string_view t(text, length);

    identity.family[0] = static_cast<char>(r[4]);
    identity.family[1] = static_cast<char>(r[5]);
    identity.family[2] = 0;
    identity.modelCode = decimalOr(t.substr(0, 4), -1);
    identity.sensorRange =
        static_cast<uint8_t>(t.size() > 5 ? decimalOr(t.substr(5, 3), 255) : 255);
    identity.sensorPlace = static_cast<char>(r[14]);
    std::memcpy(identity.identityText, r + 15, sizeof identity.identityText);
    return true;
}

bool isFirstGeneration(RecorderSession& s, LegacyRecorderInfo& info, RecorderIdentity& identity) {
    RecorderIdentity local = identity;
    if (readIdentity(s, local)) return local.modelCode <= 4300;
    // First-generation recorders do not answer the identity command.
    return readStatusLegacy(s, info, identity);
}

}  // namespace kv
