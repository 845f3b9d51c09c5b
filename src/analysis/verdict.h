#pragma once

#include <array>
#include <string>
#include <vector>

#include "analysis/file_analysis.h"
#include "analysis/limits.h"
#include "base/datetime.h"
#include "datafile/data_set.h"

namespace kv {

// Was a trip within its limits: FAIL when an event reached an alarm level, the
// velocity-change or drop-height limit or the damage boundary; WARN when one
// reached a warning level and none failed; PASS otherwise; None without limits.
enum class Verdict { None, Pass, Warn, Fail };
// "", "PASS", "WARN", "FAIL": the machine-readable form.
const char* verdictKey(Verdict verdict);
// "判定なし", "合格", "注意", "不合格".
const char* verdictText(Verdict verdict);

// One event and the value it had: a record index (row of a peak file, record of
// a wave file) and its time.
struct LimitHit {
    int record = -1;
    DateTime time = 0;
    double value = 0;
    bool found() const { return record >= 0; }
};

// The events that reached one limit: how many, the first and the largest (the
// first of equals).
struct LimitHits {
    int count = 0;
    LimitHit first;
    LimitHit largest;
    void add(const LimitHit& hit);
};

// Which limits an event reached.
enum LimitReason : unsigned {
    kReachedWarning = 1u << 0,
    kReachedAlarm = 1u << 1,
    kReachedVelocityChange = 1u << 2,
    kReachedDropHeight = 1u << 3,
    kReachedDamage = 1u << 4,
};
constexpr unsigned kFailingReasons =
    kReachedAlarm | kReachedVelocityChange | kReachedDropHeight | kReachedDamage;

struct AxisJudgement {
    int events = 0;  // events with a peak on this axis
    double maxPositiveG = 0;
    double maxNegativeG = 0;
    LimitHit maxAbs;  // the event of the largest magnitude; its value keeps the sign
    double maxVelocityChangeMps = 0;  // this axis's part of an event's velocity change
    double maxDropHeightM = 0;        // the height that part alone gives
    LimitHits warning;                // events at or above the warning level
    LimitHits alarm;                  // at or above the alarm level
};

// An event that reached a limit, for the list of the worst.
struct FlaggedEvent {
    int record = 0;
    DateTime time = 0;
    double magnitudeG = 0;  // its largest magnitude on any axis
    unsigned reasons = 0;   // LimitReason bits
    Verdict level() const { return reasons & kFailingReasons ? Verdict::Fail : Verdict::Warn; }
};

struct FileJudgement {
    Verdict verdict = Verdict::None;
    // Peak data: velocity changes and drop heights are estimates (each pulse
    // taken as a half-sine); wave data: measured.
    bool estimated = false;
    double restitution = 0;  // what the drop heights assume
    int axisCount = 1;
    int events = 0;  // records or rows
    std::array<AxisJudgement, 3> axes;
    LimitHit maxVelocityChange;  // of whole events
    LimitHit maxDropHeight;      // in m
    LimitHits velocityChange;
    LimitHits dropHeight;  // values in m
    LimitHits damage;      // values: the event's velocity change
    int flaggedCount = 0;  // every event that reached a limit
    // The largest of them (by magnitude, the earlier of equals first), as
    // many as asked for.
    std::vector<FlaggedEvent> flagged;
};

// Judges every event of a data set against the limits. Wave records count
// their samples' extremes and their measured velocity change from the
// analysis, which must be of this data set (analyseDataSet, with or without the
// spectrum); peak rows are judged from the data set with their half-sine
// estimates, and of their analysis only the header and the options are used.
// Keeps the `keepFlagged` largest flagged events.
FileJudgement judgeFile(const FileAnalysis& analysis, const DataSet& data, const Limits& limits,
                        size_t keepFlagged = 0);

// Why the verdict is what it is, in one line per limit that events reached
// (the failing ones first), for the report's banner: "Ｚ軸の警報レベル 50 G 以上:
// 3 回 (最大 72.5 G、記録 12)". A pass or no limits give one line saying so.
std::vector<std::string> verdictReasons(const FileJudgement& judgement, const Limits& limits);

}  // namespace kv
