#include "download/peak_conversion.h"

#include <gtest/gtest.h>

#include "download_test_support.h"

namespace kv {
namespace {

class PeakConversion : public ::testing::Test {
  protected:
    // A raw record as the recorder sends it, on one axis.
    void raw(int index, int axis, double elapsed, float plus, int plusWidth, float minus,
             int minusWidth) {
        PeakRow& row = data.peakRows[index];
        row.time[axis] = elapsed;
        row.peak[2 * axis] = plus;
        row.peak[2 * axis + 1] = minus;
        row.width[2 * axis] = plusWidth;
        row.width[2 * axis + 1] = minusWidth;
    }
    const PeakRow& row(int index) { return data.peakRows[index]; }

    DataSet data;
    RecorderState r;
    const DateTime start = test::at(2014, 3, 15, 9, 0, 0);
};

TEST_F(PeakConversion, ClampsFromTheLimitOnAndZeroesWithinTheFloor) {
    // Range 10 G, 20 mV/G: raw 341 is exactly 11 G, the 110 % limit.
    r.identity.modelCode = 5100;
    r.identity.sensorRange = 10;
    r.info.sensitivity = {0, 0, 20.0};
    raw(0, 0, 0, 341, 0, -341, 0);
    raw(1, 0, 0, 340, 0, -340, 0);
    convertPeakRecord(data, 0, 2, start, r);
    EXPECT_EQ(row(0).peak[0], 12.0f);
    EXPECT_EQ(row(0).peak[1], -12.0f);
    EXPECT_FLOAT_EQ(row(1).peak[0], 340 * (10 * 2.0 / 31) / 20.0);
    EXPECT_FLOAT_EQ(row(1).peak[1], -340 * (10 * 2.0 / 31) / 20.0);

    // Range 100 G: raw 1 at this sensitivity is exactly 1 G, the 1 % floor.
    r.identity.sensorRange = 100;
    r.info.sensitivity[2] = 100 * 3.225806451612903 * 0.02;
    raw(2, 0, 0, 1, 0, -1, 0);
    raw(3, 0, 0, 2, 0, -2, 0);
    convertPeakRecord(data, 2, 2, start, r);
    EXPECT_EQ(row(2).peak[0], 0.0f);
    EXPECT_EQ(row(2).peak[1], 0.0f);
    EXPECT_EQ(row(3).peak[0], 2.0f);
    EXPECT_EQ(row(3).peak[1], -2.0f);
}

TEST_F(PeakConversion, SensitivityZeroGivesZeroAndWidthsStopAtOneThousand) {
    r.identity.modelCode = 5300;
    r.identity.sensorRange = 50;
    r.info.sensitivity = {0, 10, 10};
    raw(0, 0, 0, 500, 65535, -500, 1000);
    raw(0, 1, 0, 0, 999, 0, -1);
    raw(0, 2, 0, 65535, 1001, -32768, 0);
    convertPeakRecord(data, 0, 1, start, r);
    EXPECT_EQ(row(0).peak[0], 0.0f);
    EXPECT_EQ(row(0).peak[1], 0.0f);
    EXPECT_EQ(row(0).width[0], 1000);
    EXPECT_EQ(row(0).width[1], 1000);
    EXPECT_EQ(row(0).width[2], 999);
    EXPECT_EQ(row(0).width[3], 1000);  // negative on the wire side: read as unsigned
    EXPECT_EQ(row(0).peak[4], 60.0f);
    EXPECT_EQ(row(0).peak[5], -60.0f);
    EXPECT_EQ(row(0).width[4], 1000);
}

TEST_F(PeakConversion, TimesAreTheStartPlusElapsedSecondsPerAxis) {
    r.identity.modelCode = 6300;
    r.identity.sensorRange = 100;
    raw(5, 0, 3600, 0, 0, 0, 0);
    raw(5, 1, 86400, 0, 0, 0, 0);
    raw(5, 2, 4294967295.0, 0, 0, 0, 0);
    convertPeakRecord(data, 5, 1, start, r);
    EXPECT_EQ(decodeDateTime(row(5).time[0]), (CalendarTime{2014, 3, 15, 10, 0, 0, 0}));
    EXPECT_EQ(decodeDateTime(row(5).time[1]), (CalendarTime{2014, 3, 16, 9, 0, 0, 0}));
    EXPECT_EQ(decodeDateTime(row(5).time[2]).year, 2150);
}

TEST_F(PeakConversion, EachModelScalesWithItsOwnSensitivities) {
    r.identity.sensorRange = 31;  // 2 G per raw step and mV/G
    r.legacyInfo.sensitivity = {1, 2, 4};
    r.info.sensitivity = {8, 16, 32};
    struct Case {
        ModelCode model;
        float x, y, z;  // G of raw 10 per axis
    };
    for (Case c : {Case{4100, 5, 0, 0}, Case{4300, 20, 10, 5}, Case{5100, 0.625f, 0, 0},
                   Case{6100, 0.625f, 0, 0}, Case{5300, 2.5f, 1.25f, 0.625f},
                   Case{6300, 2.5f, 1.25f, 0.625f}}) {
        r.identity.modelCode = c.model;
        for (int a = 0; a < 3; ++a) raw(0, a, 0, 10, 0, 0, 0);
        convertPeakRecord(data, 0, 1, start, r);
        EXPECT_FLOAT_EQ(row(0).peak[0], c.x) << c.model;
        // Single-axis models leave the Y and Z members as they were.
        EXPECT_FLOAT_EQ(row(0).peak[2], c.y == 0 ? 10.0f : c.y) << c.model;
        EXPECT_FLOAT_EQ(row(0).peak[4], c.z == 0 ? 10.0f : c.z) << c.model;
    }
}

}  // namespace
}  // namespace kv
