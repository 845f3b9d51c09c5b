#include "recorder/index_commands.h"

#include <algorithm>
#include <cstdint>

#include "base/kv_assert.h"
#include "link/frame.h"

namespace kv {
namespace {

constexpr size_t kPeakIndexLength = 248;
constexpr size_t kWaveIndexLength = 208;
constexpr size_t kPeakEntryBytes = 24;
constexpr size_t kWaveEntryBytes = 20;
constexpr size_t kRecordGroupBytes = 12;
constexpr size_t kRecordHeader = 7;
constexpr size_t kMaxRecordReply = 191;

// Six BCD bytes, year first; two-digit years up to 90 are this century.
IndexTime decodeIndexTime(const uint8_t* p) {
    int y = bcdToInt(p[0]);
    return IndexTime{y > 90 ? 1900 + y : 2000 + y,
                     bcdToInt(p[1]),
                     bcdToInt(p[2]),
                     bcdToInt(p[3]),
                     bcdToInt(p[4]),
                     bcdToInt(p[5])};
}

size_t peakReplyLength(ModelCode model, int count) {
    return static_cast<size_t>(count) * (isTriaxial(model) ? 3 : 1) * kRecordGroupBytes +
           kRecordHeader + 4;
}

long long peakOffsetLimit(ModelCode model) {
    const ModelTraits* m = findModel(model);
    return m ? m->peakRows : 0;
}

bool sendsThirdOffsetByte(ModelCode model) {
    const ModelTraits* m = findModel(model);
    return m && m->peakOffsetBytes == 3;
}

}  // namespace

bool readMeasurementIndex(RecorderSession& s, MeasurementIndex& index, MeasurementCounts& counts) {
    uint8_t cmd[kCommandLength] = {};
    uint8_t r[kPeakIndexLength];
    if (!transact(s, 0x20, cmd, sizeof cmd, r, sizeof r)) return false;

    for (int i = 0; i < kMeasurementSlots; ++i) {
        const uint8_t* e = r + 4 + i * kPeakEntryBytes;
        MeasurementIndexEntry& m = index[i];
        m.startTime = decodeIndexTime(e);
        m.endTime = decodeIndexTime(e + 6);
        m.startCause = e[12];
        m.endCause = e[13];
        m.recordPeriod = e[15];
        m.firstRecord = be32(e + 16);
        m.recordCount = be32(e + 20);
        counts[i] = m.recordCount == 0
                        ? -1
                        : static_cast<int32_t>(std::min<uint32_t>(m.recordCount, INT32_MAX));
    }
    return true;
}

bool readWaveIndex(RecorderSession& s, WaveMeasurementIndex& index, MeasurementCounts& counts) {
    uint8_t cmd[kCommandLength] = {};
    uint8_t r[kWaveIndexLength];
    if (!transact(s, 0x70, cmd, sizeof cmd, r, sizeof r)) return false;

    // Where each measurement begins, per axis: the blocks of all earlier ones.
    std::array<int32_t, 3> total{};
    for (int i = 0; i < kMeasurementSlots; ++i) {
        const uint8_t* e = r + 4 + i * kWaveEntryBytes;
        WaveIndexEntry& w = index[i];
        w.startTime = decodeIndexTime(e);
        w.endTime = decodeIndexTime(e + 6);
        w.startCause = e[12];
        w.endCause = e[13];
        for (int a = 0; a < 3; ++a) {
            w.recordCount[a] = be16(e + 14 + 2 * a);
            w.firstRecord[a] = total[a];
            total[a] += w.recordCount[a];  // at most 10 x 65535
        }
        counts[i] = w.recordCount[2] != 0 || w.startCause != 0 ? w.recordCount[2] : -1;
    }
    return true;
}

bool readPeakRecords(RecorderSession& s, ModelCode model, int offset, int count,
                     PeakRecord* destination) {
    KV_ASSERT(0 <= offset);
    KV_ASSERT(1 <= count);
    if (isTriaxial(model))
        KV_ASSERT(count <= 5);
    else
        KV_ASSERT(count <= 15);
    if (model == 4300) KV_ASSERT(offset <= 19999);
    KV_ASSERT(offset <= (sendsThirdOffsetByte(model) ? 0xFFFFFF : 0xFFFF));
    KV_ASSERT(destination != nullptr);

    uint8_t cmd[kCommandLength] = {};
    cmd[4] = static_cast<uint8_t>(offset >> 8 & 0xFF);
    cmd[5] = static_cast<uint8_t>(offset & 0xFF);
    cmd[6] = static_cast<uint8_t>(count);
    cmd[7] = sendsThirdOffsetByte(model) ? static_cast<uint8_t>(offset >> 16 & 0xFF) : 0;

    uint8_t r[kMaxRecordReply];
    const size_t n = peakReplyLength(model, count);
    if (!transact(s, 0x21, cmd, sizeof cmd, r, n)) return false;
    // The recorder repeats header, offset and count; the 6100's third offset
    // byte is not repeated.
    if (std::equal(r, r + kRecordHeader, cmd) == false) return false;

    const int axes = axisCount(model);
    const uint8_t* g = r + kRecordHeader;
    for (int k = 0; k < count; ++k) {
        PeakRecord& rec = destination[k];
        for (int a = 0; a < axes; ++a, g += kRecordGroupBytes) {
            rec.time[a] = be32(g);
            rec.peak[2 * a] = static_cast<float>(be16(g + 4));
            rec.peak[2 * a + 1] = static_cast<float>(static_cast<int16_t>(be16(g + 6)));
            rec.width[2 * a] = be16(g + 8);
            rec.width[2 * a + 1] = be16(g + 10);
        }
    }
    return true;
}

long long measurementTotal(const MeasurementCounts& counts) {
    long long total = 0;
    for (int32_t c : counts)
        if (c > 0) total += c;
    return total;
}

bool peakIndexFitsCapacity(const MeasurementCounts& counts, ModelCode model) {
    return measurementTotal(counts) <= peakOffsetLimit(model);
}

bool waveIndexFitsCapacity(const MeasurementCounts& counts) {
    return measurementTotal(counts) <= kWaveCapacity;
}

}  // namespace kv
