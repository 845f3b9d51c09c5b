#include "recorder/identity_commands.h"

#include <cerrno>

#include "recorder/session.h"
#include "recorder_line.h"

namespace kv::test {
namespace {

using IdentityCommands = RecorderLine;

TEST_F(IdentityCommands, SessionWaitsForTheRecorderOnlyWhenThePortOpened) {
    script();
    device->failOpenWith(ENOENT);
    int64_t t0 = clock.nowMs();
    {
        RecorderSession s(*link, 3, 38400);
        EXPECT_EQ(s.openError, static_cast<uint32_t>(ENOENT));
        EXPECT_EQ(clock.nowMs(), t0);
        LegacyRecorderInfo info;
        RecorderIdentity id;
        EXPECT_FALSE(readStatusLegacy(s, info, id));
    }
    device->failOpenWith(0);
    {
        RecorderSession s(*link, 3, 38400);
        EXPECT_EQ(s.openError, 0u);
        EXPECT_EQ(device->openedPaths().back(), "/dev/ttyS2");
        EXPECT_EQ(device->lineSettings().baud, 38400);
        ASSERT_FALSE(device->modemChanges().empty());
        EXPECT_TRUE(device->rts());
        EXPECT_EQ(clock.nowMs() - device->modemChanges().front().timeMs, 1000);
    }
    EXPECT_EQ(device->closeCount(), 1);
}

TEST_F(IdentityCommands, LegacyStatusFillsEveryFieldAndTheIdentity) {
    script().on(0x00,
                replyWith(0x00, 32, {{4, 7},     {5, 3},     {6, '3'},   {7, 3},    {8, 'B'},
                                     {9, 0x12},  {10, 0x34}, {11, 0x00}, {12, 101}, {13, 0x01},
                                     {14, 0x02}, {15, 0xFF}, {16, 0xFF}, {17, 0},   {18, 123},
                                     {19, 0x01}, {20, 0x00}, {22, 5},    {23, 0},   {24, 36}}));
    RecorderSession s(*link, 1, 9600);
    LegacyRecorderInfo info;
    RecorderIdentity id;
    ASSERT_TRUE(readStatusLegacy(s, info, id));
    EXPECT_EQ(info.deviceNumber, 7);
    EXPECT_EQ(info.recordPeriod, 3);
    EXPECT_EQ(info.modelCode, 4300);
    EXPECT_EQ(info.sensorRange, 50);
    EXPECT_EQ(info.sensorPlace, 1);
    EXPECT_EQ(info.serialNumber, 0x1234);
    EXPECT_EQ(info.sensorNumber, (std::array<int32_t, 3>{101, 0x0102, 0xFFFF}));
    EXPECT_DOUBLE_EQ(info.sensitivity[0], 12.3);
    EXPECT_DOUBLE_EQ(info.sensitivity[1], 25.6);
    EXPECT_DOUBLE_EQ(info.sensitivity[2], 0.5);
    EXPECT_DOUBLE_EQ(info.batteryVolts, 3.6);
    EXPECT_EQ(id.modelCode, 4300);
    EXPECT_STREQ(id.family, "KV");
    EXPECT_EQ(id.sensorRange, 50);
    EXPECT_EQ(id.sensorPlace, 'B');
    EXPECT_EQ(id.waveData, 0);
}

TEST_F(IdentityCommands, LegacyStatusWithUnknownCodesKeepsTheGlobalModel) {
    script().on(0x00, replyWith(0x00, 32, {{6, '2'}, {7, 5}, {8, 'C'}}));
    RecorderSession s(*link, 1, 9600);
    LegacyRecorderInfo info;
    info.sensorPlace = 1;
    RecorderIdentity id;
    id.modelCode = 4100;
    id.waveData = 1;
    ASSERT_TRUE(readStatusLegacy(s, info, id));
    EXPECT_EQ(info.modelCode, 0);
    EXPECT_EQ(id.modelCode, 4100);
    EXPECT_EQ(info.sensorRange, 0);
    EXPECT_EQ(id.sensorRange, 0);
    EXPECT_EQ(info.sensorPlace, 1);  // 'C' leaves it
    EXPECT_EQ(id.sensorPlace, 'C');  // kept as sent
    EXPECT_EQ(id.waveData, 0);
}

TEST_F(IdentityCommands, StatusTakesEveryFieldFromItsByte) {
    script().on(0x50,
                replyWith(0x50, 44,
                          {{4, 42},    {5, '6'},   {6, 100},   {7, 'A'},   {8, 0xAB},  {9, 0xCD},
                           {10, 0},    {11, 1},    {12, 0},    {13, 2},    {14, 0},    {15, 3},
                           {16, 0},    {17, 100},  {18, 0},    {19, 200},  {20, 1},    {21, 0},
                           {22, 1},    {23, 8},    {24, 50},   {25, 11},   {26, 12},   {27, 13},
                           {28, 0x01}, {29, 0x02}, {30, 0x03}, {31, 0x04}, {32, 0x05}, {33, 0x06},
                           {34, 64},   {35, 1},    {36, 4},    {37, 0},    {38, 33},   {39, 21}}));
    RecorderSession s(*link, 1, 9600);
    RecorderInfo i;
    ASSERT_TRUE(readStatus(s, i));
    EXPECT_EQ(i.deviceNumber, 42);
    EXPECT_EQ(i.modelCode, 6300);
    EXPECT_EQ(i.sensorRange, 100);
    EXPECT_EQ(i.sensorPlace, 0);
    EXPECT_EQ(i.serialNumber, 0xABCD);
    EXPECT_EQ(i.sensorNumber, (std::array<int32_t, 3>{1, 2, 3}));
    EXPECT_DOUBLE_EQ(i.sensitivity[0], 10.0);
    EXPECT_DOUBLE_EQ(i.sensitivity[1], 20.0);
    EXPECT_DOUBLE_EQ(i.sensitivity[2], 25.6);
    EXPECT_EQ(i.waveMode, 1);
    EXPECT_EQ(i.recordPeriod, 8);
    EXPECT_EQ(i.samplePeriodMs, 50);
    EXPECT_EQ(i.triggerLevel, (std::array<int32_t, 3>{11, 12, 13}));
    EXPECT_EQ(i.triggerThreshold, (std::array<int32_t, 3>{0x0102, 0x0304, 0x0506}));
    EXPECT_EQ(i.preTrigger, 64);
    EXPECT_EQ(i.axisMode, 1);
    EXPECT_EQ(i.overwriteMode, 4);
    EXPECT_DOUBLE_EQ(i.batteryVolts, 3.3);
    EXPECT_EQ(i.firmwareVersion, 21);
}

TEST_F(IdentityCommands, StatusWaveModeOnlyForOneAndUnknownTypeIsZero) {
    script().on(0x50, replyWith(0x50, 44, {{5, '2'}, {22, 2}}));
    RecorderSession s(*link, 1, 9600);
    RecorderInfo i;
    i.waveMode = 1;
    i.modelCode = 5300;
    ASSERT_TRUE(readStatus(s, i));
    EXPECT_EQ(i.waveMode, 0);
    EXPECT_EQ(i.modelCode, 0);
}

std::vector<uint8_t> identityReply(const char* text, size_t n) {
    std::vector<uint8_t> p(24, 0);
    p[0] = 'K';
    p[1] = 'V';
    std::copy(text, text + std::min<size_t>(n, 22), p.begin() + 2);
    return sim::makeReply(0xF0, p);
}

TEST_F(IdentityCommands, IdentityTextGivesModelRangeAndPlace) {
    script().on(0xF0, identityReply("5300-050A"
                                    "\0\0\0SN 9",
                                    16));
    RecorderSession s(*link, 1, 9600);
    RecorderIdentity id;
    id.waveData = 1;
    ASSERT_TRUE(readIdentity(s, id));
    EXPECT_EQ(id.modelCode, 5300);
    EXPECT_EQ(id.sensorRange, 50);
    EXPECT_EQ(id.sensorPlace, 'A');
    EXPECT_STREQ(id.family, "KV");
    EXPECT_EQ(std::string(reinterpret_cast<char*>(id.identityText), 6),
              std::string("\0\0\0SN ", 6));
    EXPECT_EQ(id.waveData, 1);  // not the identity's business
}

TEST_F(IdentityCommands, UnreadableIdentityTexts) {
    struct Case {
        const char* text;
        size_t n;
        int model;
        int range;
    } cases[] = {
        {"53X0-050A", 9, -1, 50},
        {"", 0, -1, 255},
        {"53", 2, 53, 255},  // ends early: what is there
        {"6100-1 0A", 9, 6100, 255},
        {"4300-999B", 9, 4300, 999 & 0xFF},
        {"1234567890123456789012", 22, 1234, 678 & 0xFF},  // no zero at all
    };
    for (const Case& c : cases) {
        script().on(0xF0, identityReply(c.text, c.n));
        RecorderSession s(*link, 1, 9600);
        RecorderIdentity id;
        ASSERT_TRUE(readIdentity(s, id)) << c.text;
        EXPECT_EQ(id.modelCode, c.model) << c.text;
        EXPECT_EQ(id.sensorRange, static_cast<uint8_t>(c.range)) << c.text;
    }
}

TEST_F(IdentityCommands, GenerationTestTrustsTheIdentityWhenAnswered) {
    script().on(0xF0, identityReply("4300-050A", 9));
    scripted.on(0x00, replyWith(0x00, 32, {{6, '3'}}));
    RecorderSession s(*link, 1, 9600);
    LegacyRecorderInfo info;
    RecorderIdentity id;
    id.modelCode = 6300;
    EXPECT_TRUE(isFirstGeneration(s, info, id));
    EXPECT_EQ(scripted.countOf(0x00), 0);
    EXPECT_EQ(id.modelCode, 6300);  // the global identity is not touched

    // A text without a model number (-1) or a model of 0 is no later generation.
    for (const char* text : {"ABCD-050A", "0000-050A"}) {
        scripted.on(0xF0, identityReply(text, 9));
        EXPECT_TRUE(isFirstGeneration(s, info, id)) << text;
    }

    scripted.on(0xF0, identityReply("5100-010A", 9));
    EXPECT_FALSE(isFirstGeneration(s, info, id));
    EXPECT_EQ(scripted.countOf(0x00), 0);
}

TEST_F(IdentityCommands, GenerationTestFallsBackToLegacyStatus) {
    sim::RecorderConfig config;
    config.model = 4100;
    use(config);
    RecorderSession s(*link, 1, 9600);
    LegacyRecorderInfo info;
    RecorderIdentity id;
    EXPECT_TRUE(isFirstGeneration(s, info, id));
    EXPECT_EQ(id.modelCode, 4100);
    EXPECT_EQ(info.modelCode, 4100);
    // Three silent attempts at 240, then command 0 once.
    ASSERT_EQ(device->frames().size(), 4u);
    EXPECT_EQ(device->frames()[3][2], 0x00);
}

TEST_F(IdentityCommands, NoAnswerLeavesTheRecordsAlone) {
    script();
    RecorderSession s(*link, 1, 9600);
    RecorderInfo info;
    info.deviceNumber = 9;
    LegacyRecorderInfo legacy;
    RecorderIdentity id;
    id.modelCode = 5300;
    EXPECT_FALSE(readStatus(s, info));
    EXPECT_FALSE(isFirstGeneration(s, legacy, id));
    EXPECT_EQ(info.deviceNumber, 9);
    EXPECT_EQ(id.modelCode, 5300);
}

}  // namespace
}  // namespace kv::test
