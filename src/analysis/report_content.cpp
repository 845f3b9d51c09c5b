#include "analysis/report_content.h"

#include "analysis/trip_statistics.h"
#include "base/datetime.h"
#include "recorder/value_texts.h"

namespace kv {
namespace {

const char* const kAxisNames[3] = {"Ｘ軸", "Ｙ軸", "Ｚ軸"};
const char* const kNone = "-";

std::string signedG(double g) {
    return g > 0 ? "+" + valueText(g) : valueText(g);
}
std::string mpsText(double v) {
    return fixedText(v, 3);
}
std::string cmText(double heightM) {
    return fixedText(heightM * 100, 1);
}
std::string timeText(DateTime t) {
    return formatDateTimeText(t);
}
std::string count(int n) {
    return std::to_string(n);
}

// The limits an event reached, in words.
std::string reasonWords(unsigned reasons) {
    struct Word {
        unsigned bit;
        const char* text;
    };
    static const Word kWords[] = {
        {kReachedAlarm, "警報レベル"},    {kReachedVelocityChange, "速度変化"},
        {kReachedDropHeight, "落下高さ"}, {kReachedDamage, "損傷境界"},
        {kReachedWarning, "注意レベル"},
    };
    std::string out;
    for (const Word& w : kWords) {
        if (!(reasons & w.bit)) continue;
        // An alarm is also a warning: naming both says nothing more.
        if (w.bit == kReachedWarning && (reasons & kReachedAlarm)) continue;
        out += (out.empty() ? "" : "・") + std::string(w.text);
    }
    return out;
}

std::vector<std::string> limitLines(const Limits& limits, int axisCount, double restitution,
                                    bool estimated) {
    std::vector<std::string> lines;
    if (!limits.anySet()) {
        lines.push_back("判定基準が設定されていません。判定は行いません。");
        return lines;
    }
    for (int a = 0; a < axisCount; ++a)
        lines.push_back(std::string(kAxisNames[a]) + ": " +
                        (limits.axisSet(a)
                             ? "注意レベル " + readableNumber(limits.warningG[a], 6) +
                                   " G、警報レベル " + readableNumber(limits.alarmG[a], 6) + " G"
                             : std::string("設定なし")));
    lines.push_back("速度変化の上限: " + (limits.velocityChangeMps > 0
                                              ? readableNumber(limits.velocityChangeMps, 6) + " m/s"
                                              : std::string("設定なし")));
    lines.push_back("落下高さの上限: " +
                    (limits.dropHeightCm > 0
                         ? readableNumber(limits.dropHeightCm, 6) + " cm (反発係数 " +
                               readableNumber(restitution) + " で換算)"
                         : std::string("設定なし")));
    lines.push_back("損傷境界: " +
                    (limits.damageSet()
                         ? readableNumber(limits.damageVelocityChangeMps, 6) + " m/s かつ " +
                               readableNumber(limits.damageG, 6) + " G に達した衝撃"
                         : std::string("設定なし")));
    if (estimated)
        lines.push_back(
            "ピークモードのため、速度変化と落下高さは各パルスを半正弦波とみなした推定値です。");
    return lines;
}

ReportTable axisTable(const FileJudgement& j, const Limits& limits) {
    const std::string estimate = j.estimated ? " (推定)" : "";
    ReportTable t;
    t.header = {"軸",
                "衝撃数",
                "注意以上",
                "警報以上",
                "最大 +G",
                "最大 -G",
                "最大の時刻",
                "最大速度変化 m/s" + estimate,
                "最大落下高さ cm" + estimate};
    for (int a = 0; a < j.axisCount; ++a) {
        const AxisJudgement& x = j.axes[a];
        const bool set = limits.axisSet(a);
        t.rows.push_back({kAxisNames[a], count(x.events), set ? count(x.warning.count) : kNone,
                          set ? count(x.alarm.count) : kNone,
                          x.maxPositiveG > 0 ? signedG(x.maxPositiveG) : kNone,
                          x.maxNegativeG < 0 ? signedG(x.maxNegativeG) : kNone,
                          x.maxAbs.found() ? timeText(x.maxAbs.time) : kNone,
                          mpsText(x.maxVelocityChangeMps), cmText(x.maxDropHeightM)});
    }
    if (j.axisCount > 1)
        t.rows.push_back({"全軸", count(j.events), kNone, kNone, kNone, kNone, kNone,
                          mpsText(j.maxVelocityChange.value), cmText(j.maxDropHeight.value)});
    return t;
}

ReportTable peakEventTable(const DataSet& data, const FileJudgement& j, const FileAnalysis& f) {
    ReportTable t;
    t.header = {"順位", "記録", "日時"};
    for (int a = 0; a < j.axisCount; ++a) {
        const std::string axis = j.axisCount > 1 ? std::string(kAxisNames[a]) + " " : "";
        t.header.push_back(axis + "+G / -G");
        t.header.push_back(axis + "幅 ms");
    }
    t.header.insert(t.header.end(), {"速度変化 m/s (推定)", "落下高さ cm (推定)", "判定"});
    t.numericFrom = 3;
    t.numericEnd = static_cast<int>(t.header.size()) - 1;
    t.wrapLast = true;
    int rank = 0;
    for (const FlaggedEvent& e : j.flagged) {
        const PeakRow& row = data.peakRows[e.record];
        std::vector<std::string> cells = {count(++rank), count(e.record + 1), timeText(e.time)};
        for (int a = 0; a < j.axisCount; ++a) {
            const PeakAxisEvent axis = peakAxisEvent(row, a);
            cells.push_back(signedG(axis.positiveG) + " / " + signedG(axis.negativeG));
            cells.push_back(count(row.width[2 * a]) + " / " + count(row.width[2 * a + 1]));
        }
        const EventEstimate& estimate = f.trip.events[e.record];
        cells.push_back(mpsText(estimate.velocityChangeMps));
        cells.push_back(cmText(estimate.dropHeightM));
        cells.push_back(std::string(verdictText(e.level())) + " (" + reasonWords(e.reasons) + ")");
        t.rows.push_back(std::move(cells));
    }
    return t;
}

}  // namespace

std::string fileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

WaveEventTexts waveEventTexts(const FlaggedEvent& event, int rank, const RecordAnalysis& r,
                              double restitution) {
    WaveEventTexts w;
    w.record = event.record;
    w.heading = count(rank) + ". 記録 " + count(event.record + 1) + "  " + timeText(r.time) + "  " +
                verdictText(event.level()) + " (" + reasonWords(event.reasons) + ")";
    w.axes.header = {"軸", "ピーク G", "持続時間 ms", "速度変化 m/s", "パルス波形", "クリップ"};
    for (int a = 0; a < r.axisCount; ++a) {
        const PulseAnalysis& p = r.axes[a];
        w.axes.rows.push_back({kAxisNames[a], signedG(p.peakG), fixedText(p.durationMs, 1),
                               mpsText(p.velocityChangeMps), pulseShapeText(p.shape),
                               p.clipped ? "あり (実際はより大きい)" : "なし"});
    }
    w.axes.numericEnd = 4;
    w.axes.wrapLast = true;
    w.summary = "速度変化 " + mpsText(r.velocityChangeMps) + " m/s、等価落下高さ " +
                cmText(r.dropHeightM) + " cm (反発係数 " + readableNumber(restitution) + ")";
    return w;
}

FileReportTexts fileReportTexts(const ReportFileInput& in, const Limits& limits) {
    const DataSet& d = *in.data;
    const FileAnalysis& f = *in.analysis;
    const FileJudgement& j = *in.judgement;
    FileReportTexts t;
    t.title = fileNameOf(in.path);
    t.verdict = j.verdict;
    t.verdictText = verdictText(j.verdict);
    t.reasons = verdictReasons(j, limits);

    const bool wave = f.header.wave;
    t.facts = {
        {"ファイル", in.path},
        {"機種", "KV-" + d.modelText + (wave ? " 波形モード" : " ピークモード")},
        {"製造番号", d.serialNumberText},
        {"データ親番号", d.deviceNumberText},
        {"センサ感度 (mV/G)", in.sensitivityText.empty() ? kNone : in.sensitivityText},
        {"測定レンジ", count(d.rangeG) + " G" +
                           (d.sensorPlaceText.empty() ? "" : " (" + d.sensorPlaceText + ")")},
        wave ? std::pair<std::string, std::string>{"サンプル周期", d.samplePeriodText +
                                                                       " ms、トリガポイント " +
                                                                       d.triggerPointText + " pt"}
             : std::pair<std::string, std::string>{"記録周期", d.recordPeriodText},
        {"開始", timeText(d.startTime)},
        {"終了", timeText(d.endTime)},
        {wave ? "記録数 (衝撃数)" : "衝撃数", count(j.events)},
        {"SHA-256", in.sha256},
    };
    t.limitLines = limitLines(limits, j.axisCount, j.restitution, j.estimated);
    t.axisTable = axisTable(j, limits);

    t.eventsHeading = "判定基準に達した衝撃 (大きい順)";
    if (j.flaggedCount == 0)
        t.eventsNotes.push_back(limits.anySet()
                                    ? "判定基準に達した衝撃はありません。"
                                    : "判定基準が設定されていないため、一覧はありません。");
    else if (static_cast<size_t>(j.flaggedCount) > j.flagged.size())
        t.eventsNotes.push_back("全 " + count(j.flaggedCount) + " 件のうち大きい順に " +
                                count(static_cast<int>(j.flagged.size())) + " 件を示します。");
    else
        t.eventsNotes.push_back("全 " + count(j.flaggedCount) + " 件。");
    if (!wave) {
        if (!j.flagged.empty()) {
            t.eventsNotes.push_back("速度変化と落下高さは推定値です (反発係数 " +
                                    readableNumber(j.restitution) + ")。");
            t.peakEvents = peakEventTable(d, j, f);
        }
        return t;
    }
    int rank = 0;
    for (const FlaggedEvent& e : j.flagged) {
        ++rank;
        if (e.record >= 0 && static_cast<size_t>(e.record) < f.records.size())
            t.waveEvents.push_back(waveEventTexts(e, rank, f.records[e.record], j.restitution));
    }
    return t;
}

ReportTable summaryTable(const std::vector<std::string>& paths,
                         const std::vector<FileSummary>& files, const Limits& limits) {
    ReportTable t;
    t.header = {"ファイル", "機種", "製造番号", "開始", "終了", "衝撃数", "判定", "主な理由"};
    t.numericFrom = 5;
    t.numericEnd = 6;
    t.wrapLast = true;
    for (size_t i = 0; i < files.size() && i < paths.size(); ++i) {
        const FileSummary& f = files[i];
        t.rows.push_back({fileNameOf(paths[i]), "KV-" + std::to_string(f.model), f.serialNumber,
                          timeText(f.start), timeText(f.end), count(f.judgement.events),
                          verdictText(f.judgement.verdict),
                          verdictReasons(f.judgement, limits).front()});
    }
    return t;
}

std::vector<std::string> closingLines(const std::string& programVersion, double restitution,
                                      double q, DateTime madeAt) {
    return {
        "作成: ＫＶマネージャー " + programVersion,
        "解析設定: 反発係数 e = " + readableNumber(restitution) +
            "、衝撃応答スペクトルの Q = " + readableNumber(q) + "、重力加速度 g = 9.80665 m/s²",
        "作成日時: " + timeText(madeAt),
    };
}

}  // namespace kv
