#include "analysis/verdict.h"

#include <algorithm>
#include <cmath>

#include "analysis/file_values.h"
#include "analysis/pulse_analysis.h"
#include "analysis/trip_statistics.h"
#include "base/kv_assert.h"

namespace kv {
namespace {

// One event as the limits see it, whatever kind of file it came from.
struct ShockEvent {
    int record = 0;
    DateTime time = 0;
    std::array<DateTime, 3> axisTime{};  // a peak recorder stamps each axis itself
    std::array<double, 3> positiveG{};
    std::array<double, 3> negativeG{};
    std::array<double, 3> axisVelocityChangeMps{};
    double velocityChangeMps = 0;
    double dropHeightM = 0;
};

class Tally {
  public:
    // Keeps the flagged events only when some are to be shown.
    Tally(FileJudgement& j, const Limits& limits, bool keepFlagged)
        : j_(j), limits_(limits), keepFlagged_(keepFlagged) {}

    bool failed() const { return failed_; }
    bool warned() const { return warned_; }

    void add(const ShockEvent& e) {
        unsigned reasons = 0;
        double magnitude = 0;
        for (int a = 0; a < j_.axisCount; ++a) {
            AxisJudgement& axis = j_.axes[a];
            const double positive = e.positiveG[a], negative = e.negativeG[a];
            const double axisMagnitude = std::max(positive, -negative);
            magnitude = std::max(magnitude, axisMagnitude);
            if (axisMagnitude <= 0) continue;
            ++axis.events;
            axis.maxPositiveG = std::max(axis.maxPositiveG, positive);
            axis.maxNegativeG = std::min(axis.maxNegativeG, negative);
            const LimitHit hit{e.record, e.axisTime[a], axisMagnitude};
            if (!axis.maxAbs.found() || axisMagnitude > std::fabs(axis.maxAbs.value))
                axis.maxAbs = {e.record, e.axisTime[a],
                               positive >= -negative ? positive : negative};
            axis.maxVelocityChangeMps =
                std::max(axis.maxVelocityChangeMps, e.axisVelocityChangeMps[a]);
            if (limits_.axisSet(a) && axisMagnitude >= limits_.warningG[a]) {
                axis.warning.add(hit);
                reasons |= kReachedWarning;
            }
            if (limits_.axisSet(a) && axisMagnitude >= limits_.alarmG[a]) {
                axis.alarm.add(hit);
                reasons |= kReachedAlarm;
            }
        }
        if (!j_.maxVelocityChange.found() || e.velocityChangeMps > j_.maxVelocityChange.value)
            j_.maxVelocityChange = {e.record, e.time, e.velocityChangeMps};
        if (!j_.maxDropHeight.found() || e.dropHeightM > j_.maxDropHeight.value)
            j_.maxDropHeight = {e.record, e.time, e.dropHeightM};
        if (limits_.velocityChangeMps > 0 && e.velocityChangeMps >= limits_.velocityChangeMps) {
            j_.velocityChange.add({e.record, e.time, e.velocityChangeMps});
            reasons |= kReachedVelocityChange;
        }
        // The limit is in centimetres, the analysis in metres.
        if (limits_.dropHeightCm > 0 && e.dropHeightM * 100 >= limits_.dropHeightCm) {
            j_.dropHeight.add({e.record, e.time, e.dropHeightM});
            reasons |= kReachedDropHeight;
        }
        if (limits_.damageSet() && e.velocityChangeMps >= limits_.damageVelocityChangeMps &&
            magnitude >= limits_.damageG) {
            j_.damage.add({e.record, e.time, e.velocityChangeMps});
            reasons |= kReachedDamage;
        }
        if (reasons == 0) return;
        ++j_.flaggedCount;
        const FlaggedEvent flagged{e.record, e.time, magnitude, reasons};
        (flagged.level() == Verdict::Fail ? failed_ : warned_) = true;
        if (keepFlagged_) j_.flagged.push_back(flagged);
    }

  private:
    FileJudgement& j_;
    const Limits& limits_;
    bool keepFlagged_;
    bool failed_ = false;
    bool warned_ = false;
};

// The largest and the smallest sample of one axis of a wave record, as the
// file wrote them.
void waveExtremes(const WaveBlock& block, double& positive, double& negative) {
    const auto [low, high] =
        std::minmax_element(std::begin(block.samples), std::end(block.samples));
    positive = std::max(fileDecimal(*high), 0.0);
    negative = std::min(fileDecimal(*low), 0.0);
}

void tallyWaveRecords(const FileAnalysis& f, const DataSet& data, Tally& tally) {
    for (const RecordAnalysis& r : f.records) {
        ShockEvent e;
        e.record = r.record;
        e.time = r.time;
        for (int a = 0; a < r.axisCount; ++a) {
            e.axisTime[a] = r.time;
            waveExtremes(data.waveRecords[a][r.record], e.positiveG[a], e.negativeG[a]);
            e.axisVelocityChangeMps[a] = r.axes[a].velocityChangeMps;
        }
        e.velocityChangeMps = r.velocityChangeMps;
        e.dropHeightM = r.dropHeightM;
        tally.add(e);
    }
}

// Peak rows are judged straight from the file's values, each row's velocity
// change and height estimated as the trip statistics estimate them: a summary
// of many files needs no other pass over them.
int tallyPeakRows(const FileAnalysis& f, const DataSet& data, Tally& tally) {
    const int axisCount = f.header.axisCount;
    const int rows = static_cast<int>(std::clamp<int64_t>(
        int64_t{data.lastIndex} + 1, 0, static_cast<int64_t>(data.peakRows.size())));
    for (int r = 0; r < rows; ++r) {
        const PeakRow& row = data.peakRows[r];
        ShockEvent e;
        e.record = r;
        e.time = row.time[0];
        for (int a = 0; a < axisCount; ++a) {
            const PeakAxisEvent axis = peakAxisEvent(row, a);
            e.axisTime[a] = row.time[a];
            e.positiveG[a] = axis.positiveG;
            e.negativeG[a] = axis.negativeG;
            e.axisVelocityChangeMps[a] = axis.velocityChangeMps;
        }
        e.velocityChangeMps = combinedVelocityChangeMps(
            std::span<const double>(e.axisVelocityChangeMps.data(), axisCount));
        e.dropHeightM = dropHeightM(e.velocityChangeMps, f.options.restitution);
        tally.add(e);
    }
    return rows;
}

}  // namespace

const char* verdictKey(Verdict verdict) {
    switch (verdict) {
        case Verdict::Pass:
            return "PASS";
        case Verdict::Warn:
            return "WARN";
        case Verdict::Fail:
            return "FAIL";
        case Verdict::None:
            break;
    }
    return "";
}

const char* verdictText(Verdict verdict) {
    switch (verdict) {
        case Verdict::Pass:
            return "合格";
        case Verdict::Warn:
            return "注意";
        case Verdict::Fail:
            return "不合格";
        case Verdict::None:
            break;
    }
    return "判定なし";
}

void LimitHits::add(const LimitHit& hit) {
    if (count++ == 0) first = hit;
    if (!largest.found() || hit.value > largest.value) largest = hit;
}

FileJudgement judgeFile(const FileAnalysis& analysis, const DataSet& data, const Limits& limits,
                        size_t keepFlagged) {
    FileJudgement j;
    j.estimated = !analysis.header.wave;
    j.restitution = analysis.options.restitution;
    j.axisCount = analysis.header.axisCount;
    KV_ASSERT(j.axisCount == 1 || j.axisCount == 3);
    Tally tally(j, limits, keepFlagged > 0);
    if (analysis.header.wave) {
        j.events = static_cast<int>(analysis.records.size());
        tallyWaveRecords(analysis, data, tally);
    } else {
        j.events = tallyPeakRows(analysis, data, tally);
    }
    for (AxisJudgement& axis : j.axes)
        axis.maxDropHeightM = dropHeightM(axis.maxVelocityChangeMps, j.restitution);
    j.verdict = !limits.anySet() ? Verdict::None
                : tally.failed() ? Verdict::Fail
                : tally.warned() ? Verdict::Warn
                                 : Verdict::Pass;

    const size_t keep = std::min(keepFlagged, j.flagged.size());
    std::partial_sort(j.flagged.begin(), j.flagged.begin() + keep, j.flagged.end(),
                      [](const FlaggedEvent& a, const FlaggedEvent& b) {
                          return a.magnitudeG != b.magnitudeG ? a.magnitudeG > b.magnitudeG
                                                              : a.record < b.record;
                      });
    j.flagged.resize(keep);
    j.flagged.shrink_to_fit();
    return j;
}

namespace {

const char* const kAxisNames[3] = {"Ｘ軸", "Ｙ軸", "Ｚ軸"};

// "3 回 (最大 72.5 G、記録 12)": records counted from 1, as the list shows them.
std::string hitsText(const LimitHits& hits, const std::string& largest) {
    return std::to_string(hits.count) + " 回 (最大 " + largest + "、記録 " +
           std::to_string(hits.largest.record + 1) + ")";
}

}  // namespace

std::vector<std::string> verdictReasons(const FileJudgement& j, const Limits& limits) {
    if (j.verdict == Verdict::None) return {"判定基準が設定されていません。"};
    const std::string estimate = j.estimated ? " (推定)" : "";
    std::vector<std::string> reasons;
    for (int a = 0; a < j.axisCount; ++a) {
        const LimitHits& hits = j.axes[a].alarm;
        if (hits.count > 0)
            reasons.push_back(
                std::string(kAxisNames[a]) + "の警報レベル " + readableNumber(limits.alarmG[a], 6) +
                " G 以上: " + hitsText(hits, readableNumber(hits.largest.value) + " G"));
    }
    if (j.velocityChange.count > 0)
        reasons.push_back(
            "速度変化の上限 " + readableNumber(limits.velocityChangeMps, 6) + " m/s 以上" +
            estimate + ": " +
            hitsText(j.velocityChange, readableNumber(j.velocityChange.largest.value) + " m/s"));
    if (j.dropHeight.count > 0)
        reasons.push_back(
            "落下高さの上限 " + readableNumber(limits.dropHeightCm, 6) + " cm 以上" + estimate +
            "、反発係数 " + readableNumber(j.restitution) + ": " +
            hitsText(j.dropHeight, readableNumber(j.dropHeight.largest.value * 100) + " cm"));
    if (j.damage.count > 0)
        reasons.push_back("損傷境界 (" + readableNumber(limits.damageVelocityChangeMps, 6) +
                          " m/s かつ " + readableNumber(limits.damageG, 6) + " G) に達した衝撃" +
                          estimate + ": " +
                          hitsText(j.damage, readableNumber(j.damage.largest.value) + " m/s"));
    if (j.verdict == Verdict::Fail) return reasons;
    for (int a = 0; a < j.axisCount; ++a) {
        const LimitHits& hits = j.axes[a].warning;
        if (hits.count > 0)
            reasons.push_back(std::string(kAxisNames[a]) + "の注意レベル " +
                              readableNumber(limits.warningG[a], 6) + " G 以上: " +
                              hitsText(hits, readableNumber(hits.largest.value) + " G"));
    }
    if (reasons.empty()) reasons.push_back("判定基準に達した衝撃はありません。");
    return reasons;
}

}  // namespace kv
