#include "model/recorder_model.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <span>
#include <sstream>

#include "base/clock.h"
#include "link/frame.h"
#include "model/wire.h"

namespace kv::sim {
namespace {

constexpr size_t kPayloadAt = 4;

void putBe16(std::vector<uint8_t>& p, size_t at, uint32_t v) {
    p[at] = static_cast<uint8_t>(v >> 8 & 0xFF);
    p[at + 1] = static_cast<uint8_t>(v & 0xFF);
}

void putBe32(std::vector<uint8_t>& p, size_t at, uint32_t v) {
    putBe16(p, at, v >> 16);
    putBe16(p, at + 2, v & 0xFFFF);
}

// Six BCD bytes of an index time, year as two digits.
void putIndexTime(std::vector<uint8_t>& p, size_t at, const CalendarTime& c) {
    const int fields[6] = {(c.year % 100 + 100) % 100, c.month, c.day, c.hour, c.minute, c.second};
    for (int i = 0; i < 6; ++i) p[at + i] = intToBcd(std::clamp(fields[i], 0, 99));
}

char statusTypeCharacter(int model) {
    switch (model) {
        case 4100:
        case 5100:
            return '1';
        case 4300:
        case 5300:
            return '3';
        case 6100:
            return '4';
        case 6300:
            return '6';
        default:
            return '0';
    }
}

// The first generation reports its range as an index.
uint8_t legacyRangeIndex(int range) {
    static const int kRanges[] = {5, 10, 20, 50, 100};
    for (uint8_t i = 0; i < 5; ++i)
        if (kRanges[i] == range) return i;
    return 0xFF;
}

std::vector<uint8_t> echo(const uint8_t* frame) {
    return {frame, frame + kCommandLength};
}

// 512 raw codes into 128 five-byte groups: the high bits of four samples in the
// first byte (first sample in bits 7-6), their low bytes after it.
void packCodes(const uint16_t* codes, uint8_t* out) {
    for (int g = 0; g < kWaveSamples / 4; ++g, out += 5) {
        out[0] = 0;
        for (int k = 0; k < 4; ++k) {
            uint16_t c = codes[4 * g + k];
            out[0] |= static_cast<uint8_t>((c >> 8 & 0x03) << (6 - 2 * k));
            out[1 + k] = static_cast<uint8_t>(c & 0xFF);
        }
    }
}

}  // namespace

RecorderModel::RecorderModel(RecorderData data, std::function<DateTime()> now)
    : data_(std::move(data)), now_(std::move(now)) {
    if (!now_) now_ = [] { return localDateTimeNow(); };
    if (data_.clockStart) clockOffsetDays_ = *data_.clockStart - now_();
}

DateTime RecorderModel::clockNow() const {
    return now_() + clockOffsetDays_;
}

std::vector<uint8_t> RecorderModel::respond(const uint8_t* f, size_t n) {
    if (n != kCommandLength || !isValidFrame(f, n, f[2])) return {};
    const uint8_t* p = f + kPayloadAt;
    const uint8_t code = f[2];
    // What each generation answers; a recorder stays silent on the other
    // generation's commands, which is how the program tells them apart.
    static constexpr uint8_t kFirstGeneration[] = {0x00, 0x01, 0x02, 0x03, 0x10, 0x11, 0x20, 0x21};
    static constexpr uint8_t kLaterGeneration[] = {0xF0, 0x50, 0x51, 0x52, 0x53, 0x60,
                                                   0x61, 0x20, 0x21, 0x70, 0x71};
    const std::span<const uint8_t> answered =
        data_.firstGeneration() ? std::span<const uint8_t>(kFirstGeneration) : kLaterGeneration;
    if (std::find(answered.begin(), answered.end(), code) == answered.end()) return {};
    switch (code) {
        case 0x00:
            return legacyStatusReply();
        case 0xF0:
            return identityReply();
        case 0x50:
            return statusReply();
        case 0x01:
        case 0x51:
            data_.deviceNumber = p[0];
            return echo(f);
        case 0x02:
            data_.settings.recordPeriod = p[0];
            return echo(f);
        case 0x03:
        case 0x52:
            writeSensors(p);
            return echo(f);
        case 0x53:
            writeConditions(p);
            return echo(f);
        case 0x10:
        case 0x60:
            return clockReply(code);
        case 0x11:
        case 0x61:
            setClockFrom(p);
            return echo(f);
        case 0x20:
            return peakIndexReply();
        case 0x21:
            return peakRecordsReply(p);
        case 0x70:
            return waveIndexReply();
        case 0x71:
            return waveBlockReply(p);
        default:
            return {};
    }
}

void RecorderModel::setClockFrom(const uint8_t* p) {
    // The recorder keeps two-digit years; the PC's window puts 98 and 99 in
    // the 1900s, so the model does the same.
    CalendarTime c{recorderYear(bcdToInt(p[0])),
                   bcdToInt(p[1]),
                   bcdToInt(p[2]),
                   bcdToInt(p[4]),
                   bcdToInt(p[5]),
                   bcdToInt(p[6]),
                   0};
    // A date no clock can show is echoed like any write but not taken.
    if (auto t = encodeDateTime(c)) clockOffsetDays_ = *t - now_();
}

void RecorderModel::writeSensors(const uint8_t* p) {
    for (int a = 0; a < 3; ++a) {
        data_.sensorNumber[a] = be16(p + 2 * a);
        data_.sensitivityTenths[a] = be16(p + 6 + 2 * a);
    }
}

void RecorderModel::writeConditions(const uint8_t* p) {
    MeasurementSettings& s = data_.settings;
    bool wasWave = data_.waveMode();
    s.waveMode = p[0];
    s.recordPeriod = p[1];
    s.samplePeriodMs = p[2];
    for (int a = 0; a < 3; ++a) {
        s.triggerLevel[a] = p[3 + a];
        s.triggerThreshold[a] = be16(p + 6 + 2 * a);
    }
    s.preTrigger = p[12];
    s.axisMode = p[13];
    s.overwriteMode = p[14];
    if (data_.waveMode() != wasWave) data_.measurements.clear();
}

std::vector<uint8_t> RecorderModel::identityReply() const {
    std::vector<uint8_t> p(24, 0);
    p[0] = static_cast<uint8_t>(data_.family[0]);
    p[1] = static_cast<uint8_t>(data_.family[1]);
    std::string model = data_.identityModelText;
    if (model.empty()) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%04d-%03d%c", data_.model % 10000, data_.sensorRange % 1000,
                      data_.sensorPlace);
        model = buf;
    }
    std::copy_n(model.begin(), std::min<size_t>(model.size(), 9), p.begin() + 2);
    std::copy_n(data_.identityText.begin(), std::min<size_t>(data_.identityText.size(), 12),
                p.begin() + 11);
    return makeReply(0xF0, p);
}

std::vector<uint8_t> RecorderModel::statusReply() const {
    std::vector<uint8_t> p(36, 0);
    const MeasurementSettings& s = data_.settings;
    p[0] = static_cast<uint8_t>(data_.deviceNumber);
    p[1] = static_cast<uint8_t>(statusTypeCharacter(data_.model));
    p[2] = static_cast<uint8_t>(data_.sensorRange);
    p[3] = static_cast<uint8_t>(data_.sensorPlace);
    putBe16(p, 4, static_cast<uint32_t>(data_.serialNumber));
    for (size_t a = 0; a < 3; ++a) {
        putBe16(p, 6 + 2 * a, static_cast<uint32_t>(data_.sensorNumber[a]));
        putBe16(p, 12 + 2 * a, static_cast<uint32_t>(data_.sensitivityTenths[a]));
        p[21 + a] = static_cast<uint8_t>(s.triggerLevel[a]);
        putBe16(p, 24 + 2 * a, static_cast<uint32_t>(s.triggerThreshold[a]));
    }
    // Reply bytes 22-36: the conditions in the order command 83 writes them.
    p[18] = static_cast<uint8_t>(s.waveMode);
    p[19] = static_cast<uint8_t>(s.recordPeriod);
    p[20] = static_cast<uint8_t>(s.samplePeriodMs);
    p[30] = static_cast<uint8_t>(s.preTrigger);
    p[31] = static_cast<uint8_t>(s.axisMode);
    p[32] = static_cast<uint8_t>(s.overwriteMode);
    putBe16(p, 33, static_cast<uint32_t>(data_.batteryTenths));
    p[35] = static_cast<uint8_t>(data_.firmwareTenths);
    return makeReply(0x50, p);
}

std::vector<uint8_t> RecorderModel::legacyStatusReply() const {
    std::vector<uint8_t> p(24, 0);
    p[0] = static_cast<uint8_t>(data_.deviceNumber);
    p[1] = static_cast<uint8_t>(data_.settings.recordPeriod);
    p[2] = static_cast<uint8_t>(statusTypeCharacter(data_.model));
    p[3] = legacyRangeIndex(data_.sensorRange);
    p[4] = static_cast<uint8_t>(data_.sensorPlace);
    putBe16(p, 5, static_cast<uint32_t>(data_.serialNumber));
    for (size_t a = 0; a < 3; ++a) {
        putBe16(p, 7 + 2 * a, static_cast<uint32_t>(data_.sensorNumber[a]));
        putBe16(p, 13 + 2 * a, static_cast<uint32_t>(data_.sensitivityTenths[a]));
    }
    putBe16(p, 19, static_cast<uint32_t>(data_.batteryTenths));
    return makeReply(0x00, p);
}

std::vector<uint8_t> RecorderModel::clockReply(uint8_t code) const {
    CalendarTime c = decodeDateTime(clockNow());
    std::vector<uint8_t> p(24, 0);
    p[0] = intToBcd((c.year % 100 + 100) % 100);
    p[1] = intToBcd(c.month);
    p[2] = intToBcd(c.day);
    p[4] = intToBcd(c.hour);
    p[5] = intToBcd(c.minute);
    p[6] = intToBcd(c.second);
    return makeReply(code, p);
}

std::vector<uint8_t> RecorderModel::peakIndexReply() const {
    std::vector<uint8_t> p(240, 0);
    if (data_.waveMode()) return makeReply(0x20, p);
    uint32_t first = 0;
    for (size_t i = 0; i < data_.measurements.size() && i < 10; ++i) {
        const SimMeasurement& m = data_.measurements[i];
        size_t e = i * 24;
        if (m.rawEntry.size() == 24) {
            std::copy(m.rawEntry.begin(), m.rawEntry.end(), p.begin() + static_cast<long>(e));
        } else {
            putIndexTime(p, e, m.start);
            putIndexTime(p, e + 6, m.end);
            p[e + 12] = m.startCause;
            p[e + 13] = m.endCause;
            p[e + 15] = static_cast<uint8_t>(m.recordPeriod);
            putBe32(p, e + 16, first);
            putBe32(p, e + 20, static_cast<uint32_t>(m.count));
        }
        first += static_cast<uint32_t>(m.count);
    }
    return makeReply(0x20, p);
}

std::vector<uint8_t> RecorderModel::waveIndexReply() const {
    std::vector<uint8_t> p(200, 0);
    if (!data_.waveMode()) return makeReply(0x70, p);
    for (size_t i = 0; i < data_.measurements.size() && i < 10; ++i) {
        const SimMeasurement& m = data_.measurements[i];
        size_t e = i * 20;
        if (m.rawEntry.size() == 20) {
            std::copy(m.rawEntry.begin(), m.rawEntry.end(), p.begin() + static_cast<long>(e));
            continue;
        }
        putIndexTime(p, e, m.start);
        putIndexTime(p, e + 6, m.end);
        p[e + 12] = m.startCause;
        p[e + 13] = m.endCause;
        for (size_t a = 0; a < 3; ++a) {
            int c = m.axisCounts[a] >= 0 ? m.axisCounts[a] : m.count;
            putBe16(p, e + 14 + 2 * a, static_cast<uint32_t>(std::min(c, 0xFFFF)));
        }
    }
    return makeReply(0x70, p);
}

std::vector<uint8_t> RecorderModel::peakRecordsReply(const uint8_t* q) const {
    // Offsets have 16 bits, except on the 6100, which adds a third byte.
    long offset = q[0] << 8 | q[1];
    if (data_.model == 6100) offset |= static_cast<long>(q[3]) << 16;
    const int count = q[2];
    const int axes = data_.axes();
    std::vector<uint8_t> p(3 + static_cast<size_t>(count * axes) * 12, 0);
    p[0] = q[0];
    p[1] = q[1];
    p[2] = q[2];
    size_t at = 3;
    for (int k = 0; k < count; ++k) {
        SimPeakRecord r = data_.waveMode() ? SimPeakRecord{} : peakRecordAt(data_, offset + k);
        for (int a = 0; a < axes; ++a, at += 12) {
            putBe32(p, at, r[a].elapsed);
            putBe16(p, at + 4, r[a].positive);
            putBe16(p, at + 6, static_cast<uint16_t>(r[a].negative));
            putBe16(p, at + 8, r[a].positiveWidth);
            putBe16(p, at + 10, r[a].negativeWidth);
        }
    }
    return makeReply(0x21, p);
}

std::vector<uint8_t> RecorderModel::waveBlockReply(const uint8_t* q) const {
    const long number = q[0] << 8 | q[1];
    const int axis = q[2] >= 1 && q[2] <= 3 ? q[2] - 1 : 0;
    SimWaveBlock b = data_.waveMode() ? waveBlockAt(data_, number) : SimWaveBlock{};
    uint16_t codes[kWaveSamples];
    waveCodes(b.axes[axis], static_cast<uint64_t>(number) * 4 + static_cast<uint64_t>(axis) + 1,
              codes);

    std::vector<uint8_t> p(650, 0);
    p[0] = q[0];
    p[1] = q[1];
    p[2] = q[2];
    putBe32(p, 4, b.elapsed);
    putBe16(p, 8, peakCode(b.axes[axis]));
    packCodes(codes, p.data() + 10);
    return makeReply(0x71, p);
}

std::vector<uint8_t> RecorderModel::nextTelegram() {
    const long n = liveCount_++;
    const int axes = data_.axes();
    if (!data_.waveMode()) {
        SimPeakRecord r = livePeakRecord(data_, n);
        std::vector<uint8_t> p(static_cast<size_t>(axes) * 8, 0);
        for (int a = 0; a < axes; ++a) {
            size_t at = static_cast<size_t>(a) * 8;
            putBe16(p, at, r[a].positive);
            putBe16(p, at + 2, static_cast<uint16_t>(r[a].negative));
            putBe16(p, at + 4, r[a].positiveWidth);
            putBe16(p, at + 6, r[a].negativeWidth);
        }
        return makeReply(227, p);
    }
    SimWaveBlock b = liveWaveBlock(data_, n);
    std::vector<uint8_t> p(static_cast<size_t>(axes) * 640, 0);
    uint16_t codes[kWaveSamples];
    for (int a = 0; a < axes; ++a) {
        waveCodes(b.axes[a], static_cast<uint64_t>(n) * 4 + static_cast<uint64_t>(a) + 7, codes);
        packCodes(codes, p.data() + static_cast<size_t>(a) * 640);
    }
    return makeReply(226, p);
}

std::unique_ptr<RecorderModel> makeRecorderModel(const RecorderConfig& config, std::string& error) {
    RecorderData data = generateRecorderData(config);
    if (!config.description.empty()) {
        std::ifstream in(config.description, std::ios::binary);
        if (!in) {
            error = "cannot read " + config.description;
            return nullptr;
        }
        std::ostringstream text;
        text << in.rdbuf();
        if (!applyRecorderDescription(text.str(), data, error)) {
            error = config.description + ": " + error;
            return nullptr;
        }
    }
    if (!config.descriptionText.empty() &&
        !applyRecorderDescription(config.descriptionText, data, error))
        return nullptr;
    // A description that chose the other kind of data wants the generated
    // measurements of that kind too.
    if (data.data != config.data) {
        RecorderConfig chosen = config;
        chosen.data = data.data;
        return makeRecorderModel(chosen, error);
    }
    planTrips(data);
    return std::make_unique<RecorderModel>(std::move(data), config.now);
}

std::unique_ptr<Responder> makeRecorderModel(const RecorderConfig& config) {
    std::string error;
    if (auto model = makeRecorderModel(config, error)) return model;
    return std::make_unique<RecorderModel>(generateRecorderData(config), config.now);
}

}  // namespace kv::sim
