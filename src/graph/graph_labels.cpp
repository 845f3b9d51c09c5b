#include "graph/graph_labels.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "recorder/value_texts.h"
#include "graph/graph_view_state.h"

namespace kv {

std::string fixedPrecisionText(double value, int precision, int decimals) {
    if (!std::isfinite(value)) return std::isnan(value) ? "NAN" : value > 0 ? "INF" : "-INF";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", precision - 1, value);
    const double rounded = std::strtod(buf, nullptr);
    const char* e = std::strchr(buf, 'e');
    const int exponent = e ? std::atoi(e + 1) : 0;
    if (rounded != 0 && exponent + 1 > precision) {
        std::snprintf(buf, sizeof buf, "%.*E", precision - 1, value);
        // Two exponent digits at least, as printf already gives: "1.235E+04".
        return buf;
    }
    std::snprintf(buf, sizeof buf, "%.*f", decimals, rounded);
    std::string text = buf;
    if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    return text;
}

int gLabelDecimals(double yStep) {
    // The step is a sum of binary fractions (0.2 × 0.5 …): a product that
    // misses a whole number by rounding noise counts as that number.
    const double hundredths = yStep * 100;
    const double nearest = std::round(hundredths);
    const long long d = static_cast<long long>(
        std::fabs(hundredths - nearest) < 1e-6 ? nearest : std::trunc(hundredths));
    if (d % 10 != 0) return 2;
    if (d % 100 != 0) return 1;
    return 0;
}

std::string gLabelText(double y, double yStep, bool withUnit) {
    std::string text = fixedPrecisionText(y, 4, gLabelDecimals(yStep));
    return withUnit ? text + "(G)" : text;
}

int samplePeriodMs(const std::string& samplePeriodText) {
    int value = 0;
    const char* begin = samplePeriodText.data();
    const char* end = begin + samplePeriodText.size();
    if (begin != end && *begin == '+') ++begin;
    auto [ptr, ec] = std::from_chars(begin, end, value);
    return ec == std::errc() && ptr == end && begin != end ? value : 0;
}

std::string timeLabelText(double ms, int samplePeriod, bool withUnit) {
    if (ms == 0) return "0";
    if (samplePeriod < 10) {
        std::string text = fixedPrecisionText(ms, 4, 0);
        return withUnit ? text + "(ms)" : text;
    }
    std::string text = fixedPrecisionText(ms * 0.001, 3, 1);
    return withUnit ? text + "(秒)" : text;
}

std::string shortDateText(DateTime t) {
    return formatDate(t).substr(2);
}

std::string longTimeText(DateTime t) {
    return formatTime(t);
}

std::string buildHeaderText(const DataSet& data, const RecorderIdentity& identity, int viewMode,
                            bool liveRunning) {
    if (identity.waveData == 1) {
        const int i = data.currentIndex;
        std::string text = liveRunning ? "--" : "No." + std::to_string(i + 1) + "--";
        if (i < 0 || i > data.lastIndex || i >= kWaveCapacity) return text;
        text += formatDateTimeText(data.waveRecords[0][i].time);
        const int v = viewMode % 4;
        static const char* const kAxisTags[3] = {"  X:", "  Y:", "  Z:"};
        // Only the axes the model records: a single-axis file's Y and Z planes
        // hold whatever an earlier file left there.
        const int axes = axisCount(identity.modelCode);
        for (int a = 0; a < axes; ++a) {
            if (v != 0 && v != a + 1) continue;
            const WaveBlock& r = data.waveRecords[a][i];
            text += kAxisTags[a] + valueText(r.peak) + "G( " + std::to_string(r.width) + "ms)";
        }
        if (v == 0 && axes == 3)
            text += "  合成G:" + valueText(data.waveRecords[0][i].resultantG) + "G";
        return text;
    }
    if (liveRunning) return "";
    std::string text = "データ数：" + std::to_string(data.lastIndex + 1) + "--開始時刻：" +
                       formatDateTimeText(data.startTime) + "--終了時刻：" +
                       formatDateTimeText(data.endTime);
    if (isTriaxial(identity.modelCode)) {
        static const char* const kViewTags[kViewCount] = {" (XYZ)", " (X軸)", " (Y軸)", " (Z軸)",
                                                          " (XYZ)"};
        text += kViewTags[viewMode >= 0 && viewMode < kViewCount ? viewMode : 0];
    }
    return text;
}

RowWindow peakRowWindow(const DataSet& data, int viewMode, double xMin, double xMax) {
    RowWindow w;
    const int last = std::min<int>(data.lastIndex, static_cast<int>(data.peakRows.size()) - 1);
    const int axis = viewMode == 4 ? -1 : std::max(0, graphOfView(viewMode));
    for (int i = 0; i <= last; ++i) {
        const DateTime* t = data.peakRows[i].time;
        const bool reachesMin =
            axis >= 0 ? t[axis] >= xMin : (t[0] >= xMin || t[1] >= xMin || t[2] >= xMin);
        if (w.first < 0 && reachesMin) w.first = i;
        w.last = i;
        const bool reachesMax =
            axis >= 0 ? t[axis] >= xMax : (t[0] >= xMax && t[1] >= xMax && t[2] >= xMax);
        if (reachesMax) break;
    }
    if (w.first < 0) return RowWindow{};
    return w;
}

bool viewUsesGraph(int viewMode, int graph) {
    return viewMode == 4 ? graph >= 0 && graph < 3 : graph == graphOfView(viewMode);
}

int graphOfView(int viewMode) {
    return viewMode <= 1 ? 0 : viewMode <= 3 ? viewMode - 1 : -1;
}

}  // namespace kv
