// The checksum, the frame envelope and the number codecs every command uses.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "link/frame.h"

namespace kv {
namespace {

TEST(Crc16, MatchesTheXmodemCatalogueValues) {
    const char* check = "123456789";
    EXPECT_EQ(crc16(reinterpret_cast<const uint8_t*>(check), 9), 0x31C3);
    uint8_t head[28] = {0x55, 0xAA, 0x00, 0xFF};
    EXPECT_EQ(crc16(head, 28), 0x2C68);
    EXPECT_EQ(crc16(head, 0), 0x0000);
    uint8_t one = 0x01;
    EXPECT_EQ(crc16(&one, 1), 0x1021);  // one shifted-in bit feeds the polynomial once
    uint8_t ff[2] = {0xFF, 0xFF};
    EXPECT_EQ(crc16(ff, 2), 0x1D0F);
}

TEST(CompleteFrame, BuildsTheWorkedExampleAndLeavesThePayload) {
    uint8_t frame[32];
    std::memset(frame, 0xEE, sizeof frame);
    std::memset(frame + 4, 0, 24);
    completeFrame(0, frame);
    std::vector<uint8_t> expected = {0x55, 0xAA, 0x00, 0xFF};
    expected.resize(28, 0);
    expected.insert(expected.end(), {0x2C, 0x68, 0xAA, 0x55});
    EXPECT_EQ(std::vector<uint8_t>(frame, frame + 32), expected);

    for (int i = 0; i < 24; ++i) frame[4 + i] = static_cast<uint8_t>(i * 11);
    completeFrame(0xF0, frame);
    EXPECT_EQ(frame[2], 0xF0);
    EXPECT_EQ(frame[3], 0x0F);
    for (int i = 0; i < 24; ++i) EXPECT_EQ(frame[4 + i], static_cast<uint8_t>(i * 11));
    uint16_t crc = crc16(frame, 28);
    EXPECT_EQ(frame[28], crc >> 8);  // high byte first
    EXPECT_EQ(frame[29], crc & 0xFF);
}

TEST(NumberCodecs, BigEndianAndPackedBcd) {
    const uint8_t b[4] = {0x12, 0x34, 0xFE, 0xDC};
    EXPECT_EQ(be16(b), 0x1234);
    EXPECT_EQ(be16(b + 2), 0xFEDC);
    EXPECT_EQ(be32(b), 0x1234FEDCu);
    EXPECT_EQ(bcdToInt(0x59), 59);
    EXPECT_EQ(bcdToInt(0x09), 9);
    EXPECT_EQ(bcdToInt(0x9A), 100);  // nibbles are not checked
    EXPECT_EQ(intToBcd(0), 0x00);
    EXPECT_EQ(intToBcd(7), 0x07);
    EXPECT_EQ(intToBcd(59), 0x59);
    EXPECT_EQ(intToBcd(99), 0x99);
    for (int v = 0; v < 100; ++v) EXPECT_EQ(bcdToInt(intToBcd(v)), v);
}

}  // namespace
}  // namespace kv
