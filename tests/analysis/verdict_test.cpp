// The verdict of a trip against its limits: every level and limit, the ties at
// a level, the damage boundary that needs both of its values, and the counts
// a report and the summary show.
#include "analysis/verdict.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace kv {
namespace {

constexpr double kG = 9.80665;

// A peak row with the same peak on all three axes' columns that the case
// gives; widths in ms.
struct Shock {
    double x = 0, y = 0, z = 0;  // signed: a negative value goes in the negative column
    int widthMs = 11;
};

FileJudgement judgePeaks(const std::vector<Shock>& shocks, const Limits& limits, size_t keep = 0) {
    DataSet d;
    d.rangeG = 100;
    d.lastIndex = static_cast<int>(shocks.size()) - 1;
    for (size_t r = 0; r < shocks.size(); ++r) {
        PeakRow& row = d.peakRows[r];
        const double values[3] = {shocks[r].x, shocks[r].y, shocks[r].z};
        for (int a = 0; a < 3; ++a) {
            row.time[a] = 41713.375 + r / 1440.0 + a / 86400.0;
            row.peak[2 * a + (values[a] < 0 ? 1 : 0)] = static_cast<float>(values[a]);
            row.width[2 * a + (values[a] < 0 ? 1 : 0)] = shocks[r].widthMs;
        }
    }
    DataHeader h;
    h.model = 5300;
    h.axisCount = 3;
    h.rangeG = 100;
    const FileAnalysis f = analyseDataSet(d, h, AnalysisOptions{});
    return judgeFile(f, d, limits, keep);
}

Limits xLevels(double warning, double alarm) {
    Limits l;
    l.warningG[0] = warning;
    l.alarmG[0] = alarm;
    return l;
}

// The half-sine estimate of a 50 G, 11 ms pulse: 3.4337 m/s, 26.7 cm at e = 0.5.
const double kEstimateMps = 2 * 50 * kG * 0.011 / std::numbers::pi;
const double kEstimateCm = std::pow(kEstimateMps / 1.5, 2) / (2 * kG) * 100;

TEST(Verdict, EveryLevelAndLimitDecidesAsItShould) {
    Limits dv;
    dv.velocityChangeMps = kEstimateMps * 0.99;
    Limits dvAbove = dv;
    dvAbove.velocityChangeMps = kEstimateMps * 1.01;
    Limits height;
    height.dropHeightCm = kEstimateCm * 0.99;
    Limits heightAbove = height;
    heightAbove.dropHeightCm = kEstimateCm * 1.01;
    Limits damage;
    damage.damageVelocityChangeMps = 3;
    damage.damageG = 40;
    Limits yOnly;
    yOnly.warningG[1] = 10;
    yOnly.alarmG[1] = 20;

    const struct {
        const char* name;
        Limits limits;
        std::vector<Shock> shocks;
        Verdict verdict;
    } cases[] = {
        {"no limits", Limits{}, {{.x = 99}}, Verdict::None},
        {"below the warning level", xLevels(10, 20), {{.x = 9.99}}, Verdict::Pass},
        {"on the warning level", xLevels(10, 20), {{.x = 10}}, Verdict::Warn},
        {"between the levels", xLevels(10, 20), {{.x = 19.99}}, Verdict::Warn},
        {"on the alarm level", xLevels(10, 20), {{.x = 20}}, Verdict::Fail},
        {"a negative peak on the alarm level", xLevels(10, 20), {{.x = -20}}, Verdict::Fail},
        {"levels equal", xLevels(15, 15), {{.x = 15}}, Verdict::Fail},
        {"a warning, then an alarm", xLevels(10, 20), {{.x = 12}, {.x = 30}}, Verdict::Fail},
        {"another axis's levels", yOnly, {{.x = 50, .z = 50}}, Verdict::Pass},
        {"on that axis", yOnly, {{.y = -10}}, Verdict::Warn},
        {"velocity change reached", dv, {{.x = 50}}, Verdict::Fail},
        {"velocity change not reached", dvAbove, {{.x = 50}}, Verdict::Pass},
        {"drop height reached", height, {{.x = 50}}, Verdict::Fail},
        {"drop height not reached", heightAbove, {{.x = 50}}, Verdict::Pass},
        // 50 G for 11 ms: 3.43 m/s; 40 G for 11 ms: 2.75 m/s; 30 G for 20 ms: 3.75 m/s.
        {"damage: both reached", damage, {{.x = 50}}, Verdict::Fail},
        {"damage: G without the velocity change", damage, {{.x = 40}}, Verdict::Pass},
        {"damage: velocity change without the G",
         damage,
         {{.x = 30, .widthMs = 20}},
         Verdict::Pass},
        {"damage: the G of one axis and the velocity change of all",
         damage,
         {{.x = 40, .y = 25, .widthMs = 11}},
         Verdict::Fail},
        {"no events", xLevels(10, 20), {}, Verdict::Pass},
    };
    for (const auto& c : cases)
        EXPECT_EQ(judgePeaks(c.shocks, c.limits).verdict, c.verdict) << c.name;
}

TEST(Verdict, CountsTheFirstAndTheLargestOfEachAxis) {
    Limits limits = xLevels(10, 20);
    limits.warningG[2] = 5;
    limits.alarmG[2] = 50;
    const FileJudgement j = judgePeaks(
        {{.x = 12, .z = 1}, {.x = -25}, {.x = 15}, {.x = 25, .z = -6}, {.x = 3}}, limits, 3);
    const AxisJudgement& x = j.axes[0];
    EXPECT_EQ(j.events, 5);
    EXPECT_EQ(x.events, 5);
    EXPECT_EQ(x.warning.count, 4);
    EXPECT_EQ(x.alarm.count, 2);
    EXPECT_EQ(x.warning.first.record, 0);
    EXPECT_EQ(x.warning.first.value, 12);
    EXPECT_EQ(x.alarm.first.record, 1);
    EXPECT_EQ(x.alarm.largest.record, 1);  // the first of equal magnitudes
    EXPECT_EQ(x.alarm.largest.value, 25);
    EXPECT_EQ(x.maxPositiveG, 25);
    EXPECT_EQ(x.maxNegativeG, -25);
    EXPECT_EQ(x.maxAbs.value, -25);  // the sign of the largest
    EXPECT_EQ(j.axes[2].warning.count, 1);
    EXPECT_EQ(j.axes[2].warning.first.record, 3);
    // Each axis's own time stamp, as the peak recorder wrote it.
    EXPECT_NEAR((j.axes[2].warning.first.time - j.axes[0].alarm.largest.time) * 86400, 2 * 60 + 2,
                1e-6);
    EXPECT_EQ(j.axes[1].events, 0);

    // The worst first: by magnitude, the earlier of equals first; four flagged.
    EXPECT_EQ(j.flaggedCount, 4);
    ASSERT_EQ(j.flagged.size(), 3u);
    EXPECT_EQ(j.flagged[0].record, 1);
    EXPECT_EQ(j.flagged[1].record, 3);
    EXPECT_EQ(j.flagged[2].record, 2);
    EXPECT_EQ(j.flagged[2].level(), Verdict::Warn);
    EXPECT_TRUE(j.flagged[1].reasons & kReachedWarning);
    EXPECT_TRUE(j.flagged[1].reasons & kReachedAlarm);

    EXPECT_TRUE(j.estimated);
    EXPECT_NEAR(
        j.maxVelocityChange.value,
        std::hypot(2 * 25 * kG * 0.011 / std::numbers::pi, 2 * 6 * kG * 0.011 / std::numbers::pi),
        1e-9);
    EXPECT_EQ(j.maxVelocityChange.record, 3);

    const auto reasons = verdictReasons(j, limits);
    ASSERT_EQ(reasons.size(), 1u);  // a failure names only what failed
    EXPECT_EQ(reasons[0], "Ｘ軸の警報レベル 20 G 以上: 2 回 (最大 25 G、記録 2)");
}

TEST(Verdict, WaveRecordsUseTheirMeasuredVelocityChangeAndSampleExtremes) {
    DataSet d;
    d.rangeG = 100;
    d.samplePeriodText = "1";
    d.lastIndex = 1;
    // Record 1: a 50 G, 11 ms half-sine downwards with a 10 G overshoot.
    for (int s = 0; s < kWaveSamples; ++s) {
        const double x = (s - 100.5) / 11;
        d.waveRecords[0][1].samples[s] =
            x >= 0 && x <= 1 ? static_cast<float>(-50 * std::sin(std::numbers::pi * x)) : 0.0f;
    }
    d.waveRecords[0][1].samples[130] = 10;
    DataHeader h;
    h.model = 6100;
    h.wave = true;
    h.rangeG = 100;
    h.samplePeriodMs = 1;
    const FileAnalysis f = analyseDataSet(d, h, AnalysisOptions{});
    Limits limits = xLevels(45, 60);
    limits.velocityChangeMps = 3.3;
    const FileJudgement j = judgeFile(f, d, limits, 20);
    EXPECT_FALSE(j.estimated);
    EXPECT_EQ(j.verdict, Verdict::Fail);
    EXPECT_EQ(j.velocityChange.count, 1);
    EXPECT_EQ(j.velocityChange.first.record, 1);
    EXPECT_NEAR(j.velocityChange.first.value, 3.43, 0.07);
    EXPECT_EQ(j.axes[0].maxPositiveG, 10);
    EXPECT_NEAR(j.axes[0].maxNegativeG, -50, 0.1);
    EXPECT_EQ(j.axes[0].events, 1);  // a still record is no event on the axis
    EXPECT_EQ(j.events, 2);
    const auto reasons = verdictReasons(j, limits);
    ASSERT_EQ(reasons.size(), 1u);
    EXPECT_EQ(reasons[0].rfind("速度変化の上限 3.3 m/s 以上: 1 回 (最大 3.4", 0), 0u) << reasons[0];
}

TEST(Verdict, ReasonsOfAPassAWarningAndNoLimits) {
    EXPECT_EQ(verdictReasons(judgePeaks({{.x = 5}}, Limits{}), Limits{}),
              std::vector<std::string>{"判定基準が設定されていません。"});
    EXPECT_EQ(verdictReasons(judgePeaks({{.x = 5}}, xLevels(10, 20)), xLevels(10, 20)),
              std::vector<std::string>{"判定基準に達した衝撃はありません。"});
    Limits limits;
    limits.dropHeightCm = 10;
    limits.warningG[0] = 40;
    limits.alarmG[0] = 80;
    const auto reasons = verdictReasons(judgePeaks({{.x = 50}}, limits), limits);
    ASSERT_EQ(reasons.size(), 1u);
    EXPECT_EQ(reasons[0],
              "落下高さの上限 10 cm 以上 (推定)、反発係数 0.5: 1 回 (最大 26.7 cm、記録 1)");
}

}  // namespace
}  // namespace kv
