#include "recorder/config_commands.h"

#include "recorder/identity_commands.h"
#include "recorder/session.h"
#include "recorder_line.h"

namespace kv::test {
namespace {

using ConfigCommands = RecorderLine;

std::vector<uint8_t> bytes(std::initializer_list<int> v) {
    return {v.begin(), v.end()};
}

std::vector<uint8_t> head(const std::vector<uint8_t>& payload, size_t n) {
    return {payload.begin(), payload.begin() + static_cast<long>(n)};
}

TEST_F(ConfigCommands, SetClockSendsBcdAndTheRecorderClockFollows) {
    use("model 5300");
    RecorderSession s(*link, 1, 38400);
    DateTime t = *encodeDateTime({2014, 3, 5, 9, 7, 2, 0});
    ASSERT_TRUE(setClock(s, t));
    EXPECT_EQ(device->frames()[0][2], 0x61);
    EXPECT_EQ(payloadOf(0), bytes({0x14, 0x03, 0x05, 0x00, 0x09, 0x07, 0x02, 0, 0, 0, 0, 0,
                                   0,    0,    0,    0,    0,    0,    0,    0, 0, 0, 0, 0}));
    clock.advanceMs(3000);  // the recorder's clock runs
    RecorderClock c;
    ASSERT_TRUE(readClock(s, c));
    EXPECT_EQ(c.year, 2014);
    EXPECT_EQ(c.month, 3);
    EXPECT_EQ(c.day, 5);
    EXPECT_EQ(c.hour, 9);
    EXPECT_EQ(c.minute, 7);
    EXPECT_GE(c.second, 5);
}

TEST_F(ConfigCommands, FirstGenerationClockGetsItsCenturyToo) {
    use("model 4300\nclock 2014/12/31 23:59:58");
    RecorderSession s(*link, 1, 9600);
    RecorderClock c;
    ASSERT_TRUE(readClockLegacy(s, c));
    EXPECT_EQ(c.year, 2014);
    EXPECT_EQ(c.month, 12);
    ASSERT_TRUE(setClockLegacy(s, *encodeDateTime({1999, 1, 2, 3, 4, 5, 0})));
    EXPECT_EQ(head(payloadOf(1), 7), bytes({0x99, 0x01, 0x02, 0x00, 0x03, 0x04, 0x05}));
    // The later generation's command is not understood by a first-generation recorder.
    RecorderClock later;
    EXPECT_FALSE(readClock(s, later));
}

TEST_F(ConfigCommands, ClockYearWindowAt97InBothGenerations) {
    for (auto [bcd, year] : {std::pair{0x98, 1998}, {0x97, 2097}, {0x00, 2000}, {0x99, 1999}}) {
        for (uint8_t code : {0x60, 0x10}) {
            script().on(code,
                        replyWith(code, 32, {{4, static_cast<uint8_t>(bcd)}, {5, 1}, {6, 1}}));
            RecorderSession s(*link, 1, 9600);
            RecorderClock c;
            ASSERT_TRUE(code == 0x60 ? readClock(s, c) : readClockLegacy(s, c));
            EXPECT_EQ(c.year, year) << std::hex << bcd << " command " << int{code};
        }
    }
}

TEST_F(ConfigCommands, UndecodableClockBcdIsKeptWithoutHarm) {
    script().on(0x60, replyWith(0x60, 32, {{4, 0xFF}, {5, 0x1A}, {6, 0x00}, {8, 0x99}}));
    RecorderSession s(*link, 1, 9600);
    RecorderClock c;
    ASSERT_TRUE(readClock(s, c));
    EXPECT_EQ(c.year, 1900 + 165);
    EXPECT_EQ(c.month, 20);
    EXPECT_EQ(c.day, 0);
    EXPECT_EQ(c.hour, 99);
}

TEST_F(ConfigCommands, SensorSensitivitiesAreSentInTenths) {
    use("model 5300");
    RecorderSession s(*link, 1, 38400);
    RecorderInfo info;
    info.sensorNumber = {0x10203, 7, 65535};  // low 16 bits only
    info.sensitivity = {12.3, 0.0, 2.3};      // 2.3 x 10 is 22.999... in double
    ASSERT_TRUE(writeSensor(s, info));
    EXPECT_EQ(device->frames()[0][2], 0x52);
    EXPECT_EQ(head(payloadOf(0), 12),
              bytes({0x02, 0x03, 0x00, 0x07, 0xFF, 0xFF, 0x00, 0x7B, 0x00, 0x00, 0x00, 0x17}));
    // The recorder took them.
    RecorderInfo back;
    ASSERT_TRUE(readStatus(s, back));
    EXPECT_EQ(back.sensorNumber, (std::array<int32_t, 3>{0x0203, 7, 65535}));
    EXPECT_DOUBLE_EQ(back.sensitivity[0], 12.3);
    EXPECT_DOUBLE_EQ(back.sensitivity[2], 2.3);
}

TEST_F(ConfigCommands, FirstGenerationWritesAreEchoedAndTaken) {
    use("model 4100");
    RecorderSession s(*link, 1, 9600);
    LegacyRecorderInfo info;
    info.sensitivity = {0, 0, 99.9};
    ASSERT_TRUE(setDeviceNumberLegacy(s, 77));
    ASSERT_TRUE(setRecordPeriodLegacy(s, 8));
    ASSERT_TRUE(writeSensorLegacy(s, info));
    EXPECT_EQ(device->frames()[2][2], 0x03);
    LegacyRecorderInfo back;
    RecorderIdentity id;
    ASSERT_TRUE(readStatusLegacy(s, back, id));
    EXPECT_EQ(back.deviceNumber, 77);
    EXPECT_EQ(back.recordPeriod, 8);
    EXPECT_DOUBLE_EQ(back.sensitivity[2], 99.9);
    // The later generation's write is met with silence.
    EXPECT_FALSE(setDeviceNumber(s, 5));
}

TEST_F(ConfigCommands, AnEchoThatDiffersInOneByteFails) {
    script().on(0x51, [](const uint8_t* f, size_t n) {
        std::vector<uint8_t> frame(f, f + n);
        frame[4] ^= 1;  // a different device number with a CRC of its own
        return sim::makeReply(0x51, std::vector<uint8_t>(frame.begin() + 4, frame.begin() + 28));
    });
    RecorderSession s(*link, 1, 9600);
    EXPECT_FALSE(setDeviceNumber(s, 12));
    EXPECT_EQ(scripted.countOf(0x51), 1);  // an accepted reply is not retried
}

MeasurementSettings conditions() {
    return MeasurementSettings{1, 3, 20, {30, 40, 50}, {0x1234, 0x0001, 0xFFFF}, 100, 1, 4};
}

TEST_F(ConfigCommands, ConditionsAreWrittenAndReadBack) {
    use("model 6300");
    RecorderSession s(*link, 1, 38400);
    ASSERT_TRUE(writeMeasurementSettings(s, conditions()));
    EXPECT_EQ(head(payloadOf(0), 15),
              bytes({1, 3, 20, 30, 40, 50, 0x12, 0x34, 0x00, 0x01, 0xFF, 0xFF, 100, 1, 4}));
    RecorderInfo i;
    ASSERT_TRUE(readStatus(s, i));
    EXPECT_EQ(i.waveMode, 1);
    EXPECT_EQ(i.recordPeriod, 3);
    EXPECT_EQ(i.samplePeriodMs, 20);
    EXPECT_EQ(i.triggerLevel, (std::array<int32_t, 3>{30, 40, 50}));
    EXPECT_EQ(i.triggerThreshold, (std::array<int32_t, 3>{0x1234, 1, 0xFFFF}));
    EXPECT_EQ(i.preTrigger, 100);
    EXPECT_EQ(i.axisMode, 1);
    EXPECT_EQ(i.overwriteMode, 4);
}

TEST_F(ConfigCommands, ConditionsAnsweredOnTheThirdSendAfterAboutSevenSeconds) {
    use("model 5300");
    device->faults().silent = 2;
    RecorderSession s(*link, 1, 38400);
    size_t modemBefore = device->modemChanges().size();
    int64_t t0 = clock.nowMs();
    ASSERT_TRUE(writeMeasurementSettings(s, conditions()));
    int64_t took = clock.nowMs() - t0;
    EXPECT_GE(took, 6800);
    EXPECT_LT(took, 7200);
    EXPECT_EQ(device->frames().size(), 3u);
    EXPECT_EQ(device->modemChanges().size(), modemBefore);  // no resets in between
    EXPECT_EQ(device->discardTimesMs().size(), 3u);         // input purged before every send
}

TEST_F(ConfigCommands, ConditionsToASilentRecorderCostFiveSendsAndTwelveSeconds) {
    script();
    RecorderSession s(*link, 1, 38400);
    size_t modemBefore = device->modemChanges().size();
    int64_t t0 = clock.nowMs();
    EXPECT_FALSE(writeMeasurementSettings(s, conditions()));
    int64_t took = clock.nowMs() - t0;
    EXPECT_GE(took, 12000);
    EXPECT_LT(took, 12200);
    EXPECT_EQ(device->frames().size(), 5u);
    EXPECT_EQ(device->modemChanges().size(), modemBefore);
    EXPECT_EQ(host.processEventsCount, 0);
}

TEST_F(ConfigCommands, SwitchingModeEmptiesTheRecorder) {
    auto& m = use("model 5300\nmode peak");
    ASSERT_FALSE(m.data().measurements.empty());
    RecorderSession s(*link, 1, 38400);
    MeasurementSettings peak = conditions();
    peak.waveMode = 0;
    ASSERT_TRUE(writeMeasurementSettings(s, peak));
    EXPECT_FALSE(m.data().measurements.empty());
    ASSERT_TRUE(writeMeasurementSettings(s, conditions()));
    EXPECT_TRUE(m.data().measurements.empty());
}

}  // namespace
}  // namespace kv::test
