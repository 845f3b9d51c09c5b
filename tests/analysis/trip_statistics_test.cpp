// Trip statistics of peak files: rows with known values.
#include "analysis/trip_statistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "analysis/file_values.h"
#include "analysis/pulse_analysis.h"

namespace kv {
namespace {

// A 50 G, 11 ms half-sine changes velocity by 2·A·g·D/pi.
constexpr double kHalfSine50G11MsMps = 3.433709;

struct Axis {
    float positive = 0, negative = 0;
    int positiveWidth = 0, negativeWidth = 0;
};

PeakRow row(std::initializer_list<Axis> axes, DateTime time = 41713.375) {
    PeakRow r;
    int a = 0;
    for (const Axis& x : axes) {
        r.time[a] = time + a / 86400.0;
        r.peak[2 * a] = x.positive;
        r.peak[2 * a + 1] = x.negative;
        r.width[2 * a] = x.positiveWidth;
        r.width[2 * a + 1] = x.negativeWidth;
        ++a;
    }
    return r;
}

TEST(TripStatistics, HistogramCountsEventsByTheirLargerMagnitudeInTenthsOfTheRange) {
    const std::vector<PeakRow> rows = {
        row({{0.5f, 0}}),       row({{1.0f, -0.2f}}),  // on an edge: the bin it opens
        row({{0, -9.99f}}),     row({{10.0f, 0}}),     // the range itself is over range
        row({{12.0f, -3.0f}}),  row({{0, 0}}),         // no event
        row({{0.99f, -0.99f}}),
    };
    const TripStatistics t = analysePeakRows(rows, 1, 10, 0.5);
    const PeakAxisStatistics& x = t.axes[0];
    EXPECT_EQ(x.events, 6);
    const std::array<double, 11> edges = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    EXPECT_EQ(x.lowerEdgesG, edges);
    const std::array<int, 11> counts = {2, 1, 0, 0, 0, 0, 0, 0, 0, 1, 2};
    EXPECT_EQ(x.counts, counts);
    EXPECT_EQ(x.maxPositive.g, 12.0);
    EXPECT_EQ(x.maxPositive.record, 4);
    EXPECT_EQ(x.maxNegative.g, -9.99);  // the file's decimal, not the float's
    EXPECT_EQ(x.maxNegative.record, 2);
    EXPECT_EQ(x.maxNegative.time, rows[2].time[0]);
    EXPECT_EQ(t.events.size(), rows.size());
}

TEST(TripStatistics, PeaksOnEdgesThatNoBinaryFractionHolds) {
    // Range 1 G: edges at 0.1 steps, which floats miss (0.7f < 0.7).
    const struct {
        float peak;
        double rangeG;
        int bin;
    } cases[] = {
        {0.7f, 1, 7}, {0.3f, 1, 3},   {0.1f, 1, 1},    {0.09f, 1, 0}, {0.99f, 1, 9}, {1.2f, 1, 10},
        {2.5f, 5, 5}, {49.9f, 50, 9}, {60.0f, 50, 10}, {3.0f, 0, 10},  // no range: over range
    };
    for (const auto& c : cases) {
        const std::vector<PeakRow> rows = {row({{c.peak, 0}})};
        const TripStatistics t = analysePeakRows(rows, 1, c.rangeG, 0.5);
        for (int bin = 0; bin < kHistogramBins; ++bin)
            EXPECT_EQ(t.axes[0].counts[bin], bin == c.bin ? 1 : 0) << c.peak << " G, bin " << bin;
    }
}

TEST(TripStatistics, EachRowsEstimateTakesItsLargerPeakAsAHalfSine) {
    const double single = kHalfSine50G11MsMps;
    const struct {
        const char* name;
        PeakRow row;
        int axes;
        double velocityMps;
    } cases[] = {
        {"half-sine", row({{50, -10, 11, 40}}), 1, single},
        {"the negative peak with its own width", row({{10, -50, 40, 11}}), 1, single},
        {"equal magnitudes: the positive one", row({{50, -50, 11, 30}}), 1, single},
        {"zero width", row({{50, -1, 0, 0}}), 1, 0},
        {"negative width", row({{50, 0, -11, 0}}), 1, 0},
        {"no peak", row({{0, 0, 11, 11}}), 1, 0},
        {"three equal axes", row({{50, 0, 11, 0}, {0, -50, 0, 11}, {50, 0, 11, 0}}), 3,
         std::sqrt(3.0) * single},
        {"one axis of three", row({{0, 0, 0, 0}, {0, 0, 0, 0}, {50, 0, 11, 0}}), 3, single},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TripStatistics t = analysePeakRows({&c.row, 1}, c.axes, 100, 0.5);
        ASSERT_EQ(t.events.size(), 1u);
        EXPECT_NEAR(t.events[0].velocityChangeMps, c.velocityMps, 1e-5);
        EXPECT_NEAR(t.events[0].dropHeightM, dropHeightM(c.velocityMps, 0.5), 1e-6);
        EXPECT_EQ(t.events[0].time, c.row.time[0]);
    }
}

TEST(TripStatistics, AxesWithoutPeaksOfASignHaveNoExtreme) {
    const std::vector<PeakRow> rows = {row({{0, -2, 0, 5}, {3, 0, 5, 0}, {0, 0, 0, 0}}),
                                       row({{0, -4, 0, 5}, {3, 0, 5, 0}, {0, 0, 0, 0}}, 41714)};
    const TripStatistics t = analysePeakRows(rows, 3, 10, 0.5);
    EXPECT_FALSE(t.axes[0].maxPositive.found());
    EXPECT_EQ(t.axes[0].maxNegative.record, 1);
    EXPECT_EQ(t.axes[1].maxPositive.record, 0);  // the first of equals
    EXPECT_EQ(t.axes[1].maxPositive.time, rows[0].time[1]);
    EXPECT_FALSE(t.axes[1].maxNegative.found());
    EXPECT_EQ(t.axes[2].events, 0);
    EXPECT_FALSE(t.axes[2].maxPositive.found());

    const TripStatistics none = analysePeakRows({}, 3, 10, 0.5);
    EXPECT_TRUE(none.events.empty());
    EXPECT_EQ(none.dropHeightM.max, 0);
    EXPECT_EQ(none.dropHeightM.p50, 0);
}

TEST(TripStatistics, PercentilesInterpolateBetweenSortedValues) {
    const struct {
        std::vector<double> values;
        double p50, p90, p99, max;
    } cases[] = {
        {{}, 0, 0, 0, 0},
        {{7}, 7, 7, 7, 7},
        {{4, 1, 3, 2}, 2.5, 3.7, 3.97, 4},
        {{10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}, 5, 9, 9.9, 10},
        {{0, 0, 0, 5}, 0, 3.5, 4.85, 5},
    };
    for (auto c : cases) {
        const Percentiles p = percentilesOf(c.values);
        EXPECT_NEAR(p.p50, c.p50, 1e-12);
        EXPECT_NEAR(p.p90, c.p90, 1e-12);
        EXPECT_NEAR(p.p99, c.p99, 1e-12);
        EXPECT_EQ(p.max, c.max);
    }
}

TEST(FileValues, FloatsReadAsTheDecimalsTheFileWrote) {
    const struct {
        float value;
        double decimal;
    } cases[] = {
        {0.7f, 0.7},
        {-0.33f, -0.33},
        {12.3f, 12.3},
        {-120.0f, -120.0},
        {0.001f, 0.001},
        {1234.56f, 1234.56},
        {123456.7f, 123456.7},
        {std::numeric_limits<float>::quiet_NaN(), 0},
        {std::numeric_limits<float>::infinity(), 0},
    };
    for (const auto& c : cases) EXPECT_EQ(fileDecimal(c.value), c.decimal) << c.value;
}

}  // namespace
}  // namespace kv
