#include "recorder/index_commands.h"

#include "recorder/session.h"
#include "recorder_line.h"

namespace kv::test {
namespace {

using IndexCommands = RecorderLine;

// A peak index reply with the given 24-byte entries at the front.
std::vector<uint8_t> peakIndex(std::initializer_list<std::vector<uint8_t>> entries) {
    std::vector<uint8_t> p(240, 0);
    size_t at = 0;
    for (const auto& e : entries) {
        std::copy(e.begin(), e.end(), p.begin() + static_cast<long>(at));
        at += 24;
    }
    return sim::makeReply(0x20, p);
}

TEST_F(IndexCommands, PeakIndexEntriesWithTheYearWindowAt90) {
    script().on(0x20, peakIndex({
                          {0x90, 0x12, 0x31, 0x23, 0x59, 0x59, 0x91, 0x01, 0x01, 0,    0,    0,
                           'R',  'M',  0,    8,    0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05},
                          {0x14, 0x03, 0x05, 0x09, 0x07, 0x02, 0x14, 0x03, 0x05, 0x10, 0, 0,
                           'S',  'B',  0,    0,    0,    0,    0,    0,    0,    0,    0, 0},
                      }));
    RecorderSession s(*link, 1, 9600);
    MeasurementIndex index{};
    MeasurementCounts counts{};
    ASSERT_TRUE(readMeasurementIndex(s, index, counts));
    const auto& e = index[0];
    EXPECT_EQ(e.startTime.year, 2090);
    EXPECT_EQ(e.startTime.month, 12);
    EXPECT_EQ(e.startTime.second, 59);
    EXPECT_EQ(e.endTime.year, 1991);
    EXPECT_EQ(e.startCause, 'R');
    EXPECT_EQ(e.endCause, 'M');
    EXPECT_EQ(e.recordPeriod, 8);
    EXPECT_EQ(e.firstRecord, 0x10000u);
    EXPECT_EQ(e.recordCount, 5u);
    EXPECT_EQ(counts[0], 5);
    // A count of 0 is no measurement, whatever its dates.
    EXPECT_EQ(index[1].startTime.year, 2014);
    EXPECT_EQ(counts[1], -1);
    // Unused entries are zeros and are kept as they came.
    EXPECT_EQ(index[9].startTime.year, 2000);
    EXPECT_EQ(index[9].startTime.month, 0);
    EXPECT_EQ(index[9].startTime.day, 0);
    EXPECT_EQ(counts[9], -1);
}

TEST_F(IndexCommands, CountsBeyondTheStoresAreRecognisable) {
    script().on(0x20, peakIndex({
                          {0,   0,   0, 0, 0, 0, 0, 0, 0,    0,    0,    0,
                           'S', 'S', 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF},
                      }));
    RecorderSession s(*link, 1, 9600);
    MeasurementIndex index{};
    MeasurementCounts counts{};
    ASSERT_TRUE(readMeasurementIndex(s, index, counts));
    EXPECT_EQ(counts[0], INT32_MAX);  // not -1: it exists, and it is too large
    EXPECT_FALSE(peakIndexFitsCapacity(counts, 6100));

    MeasurementCounts c{60000, 60000, -1, -1, -1, -1, -1, -1, -1, -1};
    EXPECT_TRUE(peakIndexFitsCapacity(c, 6100));
    EXPECT_FALSE(peakIndexFitsCapacity(c, 6300));  // 16-bit offsets
    c[1] = 5536;
    EXPECT_TRUE(peakIndexFitsCapacity(c, 6300));
    c = {20000, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    EXPECT_TRUE(peakIndexFitsCapacity(c, 4300));
    c[5] = 1;  // also after a gap
    EXPECT_FALSE(peakIndexFitsCapacity(c, 4300));
    c = {120000, 1, -1, -1, -1, -1, -1, -1, -1, -1};
    EXPECT_FALSE(peakIndexFitsCapacity(c, 6100));
    c = {250, 250, -1, -1, -1, -1, -1, -1, -1, -1};
    EXPECT_TRUE(waveIndexFitsCapacity(c));
    c[2] = 1;
    EXPECT_FALSE(waveIndexFitsCapacity(c));
}

TEST_F(IndexCommands, WaveIndexRunningTotalsAndEmptyMeasurements) {
    use(R"(model 5300
mode wave
measurement
start 2014/03/05 09:00:00
end 2014/03/05 10:00:00
causes S M
counts 4 4 5
measurement
start 2091/01/01 00:00:00
causes S 0
records 0
measurement
causes 0 0
records 0
measurement
causes S B
records 3
)");
    RecorderSession s(*link, 1, 9600);
    WaveMeasurementIndex index{};
    MeasurementCounts counts{};
    ASSERT_TRUE(readWaveIndex(s, index, counts));
    EXPECT_EQ(counts[0], 5);
    EXPECT_EQ(counts[1], 0);
    EXPECT_EQ(counts[2], -1);
    EXPECT_EQ(counts[3], 3);
    EXPECT_EQ(counts[4], -1);
    EXPECT_EQ(index[0].recordCount, (std::array<int32_t, 3>{4, 4, 5}));
    EXPECT_EQ(index[1].firstRecord, (std::array<int32_t, 3>{4, 4, 5}));
    EXPECT_EQ(index[2].firstRecord[2], 5);
    EXPECT_EQ(index[4].firstRecord, (std::array<int32_t, 3>{7, 7, 8}));
    EXPECT_EQ(index[0].startTime.hour, 9);
    EXPECT_EQ(index[0].endCause, 'M');
    EXPECT_EQ(index[1].startTime.year, 1991);  // two digits 91
}

TEST_F(IndexCommands, OffsetBytesOfThe6100AndThe6300) {
    for (int code : {6100, 6300}) {
        use("model " + std::to_string(code) + "\nmeasurement\nrecords 70010");
        RecorderSession s(*link, 1, 38400);
        PeakRecord rec[5];
        if (code == 6100) {
            ASSERT_TRUE(readPeakRecords(s, code, 70000, 5, rec));
            EXPECT_EQ(device->frames().back()[2], 0x21);
            EXPECT_EQ(payloadOf(device->frames().size() - 1)[3], 0x01);
            // The recorder read from its record 70000, not 70000 - 65536.
            sim::SimPeakRecord expected = sim::peakRecordAt(model->data(), 70000);
            EXPECT_EQ(rec[0].time[0], expected[0].elapsed);
        } else {
            // 16-bit offsets: a caller must not ask; this is what it would send.
            ASSERT_TRUE(readPeakRecords(s, code, 0x1170, 5, rec));
        }
        auto p = payloadOf(device->frames().size() - 1);
        EXPECT_EQ(p[0], 0x11);
        EXPECT_EQ(p[1], 0x70);
        EXPECT_EQ(p[2], 0x05);
        EXPECT_EQ(p[3], code == 6100 ? 0x01 : 0x00);
    }
}

TEST_F(IndexCommands, PeakRecordsFromTheRecorderInOrder) {
    use(R"(model 5300
measurement
records 3
peak 10 100 -200 5 6   11 101 -201 7 8   12 65336 -32768 65535 0
peak 20 1 -1 1 1
measurement
records 7
peak 99 2 -2 2 2
)");
    PeakRecord rec[5];
    {
        RecorderSession s(*link, 1, 38400);
        ASSERT_TRUE(readPeakRecords(s, 5300, 0, 5, rec));
    }
    EXPECT_EQ(device->frames().size(), 1u);
    EXPECT_EQ(rec[0].time[0], 10);
    EXPECT_EQ(rec[0].time[1], 11);
    EXPECT_EQ(rec[0].peak[0], 100);
    EXPECT_EQ(rec[0].peak[1], -200);
    EXPECT_EQ(rec[0].width[3], 8);
    EXPECT_EQ(rec[0].peak[4], 65336);  // unsigned positive
    EXPECT_EQ(rec[0].peak[5], -32768);
    EXPECT_EQ(rec[0].width[4], 65535);
    EXPECT_EQ(rec[1].time[2], 20);
    EXPECT_EQ(rec[3].time[0], 99);  // measurement 2 begins at record 3

    // A single-axis reply carries X only: 12 bytes per record.
    use("model 5100\nmeasurement\nrecords 20\npeak 1 65336 -200 3 4");
    RecorderSession single(*link, 1, 38400);
    PeakRecord many[15];
    many[0].peak[2] = 42;
    ASSERT_TRUE(readPeakRecords(single, 5100, 0, 15, many));
    EXPECT_EQ(many[0].peak[0], 65336);
    EXPECT_EQ(many[0].peak[1], -200);
    EXPECT_EQ(many[0].peak[2], 42);  // Y untouched
}

TEST_F(IndexCommands, ARecordReplyEchoingAnotherCountIsRejected) {
    script().on(0x21, [](const uint8_t* f, size_t) {
        std::vector<uint8_t> p(3 + 5 * 36, 0);
        p[0] = f[4];
        p[1] = f[5];
        p[2] = 4;  // the length still fits the request
        return sim::makeReply(0x21, p);
    });
    RecorderSession s(*link, 1, 38400);
    PeakRecord rec[5];
    rec[0].peak[0] = 7;
    EXPECT_FALSE(readPeakRecords(s, 6300, 10, 5, rec));
    EXPECT_EQ(rec[0].peak[0], 7);
    EXPECT_EQ(scripted.countOf(0x21), 1);
}

}  // namespace
}  // namespace kv::test
