#include "graph/analysis_texts.h"

#include <charconv>
#include <cmath>

#include "base/datetime.h"
#include "recorder/value_texts.h"

namespace kv {
namespace {

constexpr const char* kNoValue = "—";
constexpr const char* kAtLeast = "≥";

// A signed value the recorder cut off lies further from zero than shown: at
// least a positive one, at most a negative one.
std::string boundText(double g, bool clipped) {
    return (clipped ? (g < 0 ? "≤" : kAtLeast) : "") + valueText(g);
}

std::string restitutionText(double e) {
    return "e=" + fixedText(e, 2);
}

std::string fullNumber(double v) {
    char text[32];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, v);
    return ec == std::errc() ? std::string(text, end) : std::string("0");
}

}  // namespace

const char* const kClippedHint =
    "記録計の測定範囲を超えた衝撃です。実際の大きさは表示の値より大きくなります。";

const char* const kExtremeHeaders[5] = {"軸", "向き", "ピーク値(G)", "No.", "時刻"};

std::array<std::string, kRecordTableColumns> recordTableHeaders(double restitution) {
    return {"軸",         "最大値(G)",
            "時間幅(ms)", "速度変化(m/s)",
            "波形",       "推定落下高さ(cm) " + restitutionText(restitution)};
}

std::vector<RecordTableRow> recordTableRows(const RecordAnalysis& record, double resultantG,
                                            double samplePeriodMs, double restitution) {
    const bool timed = samplePeriodMs > 0;
    std::vector<RecordTableRow> rows;
    bool anyClipped = false;
    for (int a = 0; a < record.axisCount; ++a) {
        const PulseAnalysis& p = record.axes[a];
        const std::string mark = p.clipped ? kAtLeast : "";
        RecordTableRow row;
        row.clipped = p.clipped;
        row.cells = {axisName(a),
                     boundText(p.peakG, p.clipped),
                     timed ? fixedText(p.durationMs, 2) : kNoValue,
                     timed ? mark + fixedText(p.velocityChangeMps, 3) : kNoValue,
                     pulseShapeText(p.shape),
                     ""};
        anyClipped = anyClipped || p.clipped;
        rows.push_back(row);
    }
    const std::string mark = anyClipped ? kAtLeast : "";
    RecordTableRow total;
    total.clipped = anyClipped;
    total.cells = {
        "合成",
        valueText(resultantG),
        "",
        timed ? mark + fixedText(record.velocityChangeMps, 3) : kNoValue,
        "",
        timed ? mark + fixedText(dropHeightM(record.velocityChangeMps, restitution) * 100, 1)
              : kNoValue};
    rows.push_back(total);
    return rows;
}

std::vector<std::string> recordTableLines(const std::vector<RecordTableRow>& rows,
                                          double restitution) {
    std::vector<std::string> lines;
    for (const RecordTableRow& r : rows) {
        const auto& c = r.cells;
        if (r.cells[0] == "合成")
            lines.push_back(c[0] + ":  最大値 " + c[1] + "G  速度変化 " + c[3] +
                            "m/s  推定落下高さ " + c[5] + "cm (" + restitutionText(restitution) +
                            ")");
        else
            lines.push_back(c[0] + ":  最大値 " + c[1] + "G  時間幅 " + c[2] + "ms  速度変化 " +
                            c[3] + "m/s  " + c[4]);
    }
    return lines;
}

std::string srsCsvText(const SrsChart& chart) {
    const char* unit = chart.pseudoVelocity ? "(m/s)" : "(G)";
    std::string out = "周波数(Hz)";
    for (int a = 0; a < chart.axisCount; ++a) out += std::string(",") + axisName(a) + unit;
    out += "\r\n";
    for (size_t k = 0; k < chart.frequenciesHz.size(); ++k) {
        out += fullNumber(chart.frequenciesHz[k]);
        for (int a = 0; a < chart.axisCount; ++a)
            out += "," + (k < chart.values[a].size() ? fullNumber(chart.values[a][k]) : "");
        out += "\r\n";
    }
    return out;
}

std::vector<ExtremeRow> extremeRows(const TripStatistics& trip, double rangeG) {
    std::vector<ExtremeRow> rows;
    for (int a = 0; a < trip.axisCount; ++a) {
        for (bool positive : {true, false}) {
            ExtremeRow r;
            r.axis = a;
            r.positive = positive;
            r.extreme = positive ? trip.axes[a].maxPositive : trip.axes[a].maxNegative;
            const bool found = r.extreme.found();
            r.clipped =
                found && rangeG > 0 && std::fabs(r.extreme.g) > kClippedBeyondRange * rangeG;
            r.cells = {axisName(a), positive ? "+" : "−",
                       found ? boundText(r.extreme.g, r.clipped) : kNoValue,
                       found ? std::to_string(r.extreme.record + 1) : kNoValue,
                       found ? formatDateTimeText(r.extreme.time) : kNoValue};
            rows.push_back(r);
        }
    }
    return rows;
}

std::string eventCountText(const TripStatistics& trip) {
    std::string text = "イベント数";
    for (int a = 0; a < trip.axisCount; ++a)
        text += std::string("  ") + axisName(a) + ": " + std::to_string(trip.axes[a].events);
    return text;
}

std::vector<PercentileRow> percentileRows(const TripStatistics& trip) {
    const Percentiles& p = trip.dropHeightM;
    auto cm = [](double m) { return fixedText(m * 100, 1); };
    return {{"50%", cm(p.p50)}, {"90%", cm(p.p90)}, {"99%", cm(p.p99)}, {"最大", cm(p.max)}};
}

std::string percentileCaption(double restitution) {
    return "推定落下高さ(cm)  推定: 各軸を半正弦波とみなした値, " + restitutionText(restitution);
}

std::string srsChartDescription(const SrsChart& chart) {
    std::string text = chart.pseudoVelocity ? "擬似速度の応答スペクトル" : "加速度の応答スペクトル";
    if (chart.frequenciesHz.empty()) return text + "なし";
    const char* unit = chart.pseudoVelocity ? "m/s" : "G";
    text += "、周波数 " + tickText(chart.frequenciesHz.front()) + "〜" +
            tickText(chart.frequenciesHz.back()) + " Hz";
    for (int a = 0; a < chart.axisCount; ++a) {
        const std::vector<double>& v = chart.values[a];
        if (v.empty()) continue;
        size_t k = 0;
        for (size_t i = 1; i < v.size() && i < chart.frequenciesHz.size(); ++i)
            if (v[i] > v[k]) k = i;
        text += std::string("、") + axisName(a) + " 最大 " + tickText(v[k]) + " " + unit + " (" +
                tickText(chart.frequenciesHz[k]) + " Hz)";
    }
    return text;
}

std::string histogramChartDescription(const HistogramChart& chart) {
    std::string text =
        "ピーク値の分布 (" + tickText(chart.lowerEdgesG[1] - chart.lowerEdgesG[0]) + " G ごと)";
    for (int a = 0; a < chart.axisCount; ++a) {
        text += std::string("、") + axisName(a) + ":";
        for (int b = 0; b < kHistogramBins; ++b)
            text += (b ? " " : "") + std::to_string(chart.counts[a][b]);
    }
    return text;
}

std::vector<std::string> tripStatisticsLines(const TripStatistics& trip, double rangeG,
                                             double restitution) {
    // Short lines: a page holds about seventy characters across.
    std::vector<std::string> lines;
    for (const ExtremeRow& r : extremeRows(trip, rangeG))
        lines.push_back(r.cells[0] + " " + r.cells[1] + ":  " + r.cells[2] + "G  No." + r.cells[3] +
                        "  " + r.cells[4]);
    lines.push_back(percentileCaption(restitution));
    std::string heights;
    for (const PercentileRow& r : percentileRows(trip))
        heights += (heights.empty() ? "" : "  ") + r.name + ": " + r.heightCm;
    lines.push_back(heights);
    return lines;
}

}  // namespace kv
