#include "analysis/file_analysis.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <span>
#include <string_view>

#include "analysis/file_values.h"
#include "base/kv_assert.h"

namespace kv {
namespace {

double samplePeriodOf(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    double ms = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), ms);
    if (ec != std::errc() || end != text.data() + text.size()) return 0;
    return ms > 0 && std::isfinite(ms) ? ms : 0;
}

// Records the store really holds, whatever lastIndex claims.
int recordCount(const DataSet& data, bool wave) {
    size_t capacity = wave ? data.waveRecords[0].size() : data.peakRows.size();
    if (wave)
        for (const auto& plane : data.waveRecords) capacity = std::min(capacity, plane.size());
    return static_cast<int>(
        std::clamp<int64_t>(int64_t{data.lastIndex} + 1, 0, static_cast<int64_t>(capacity)));
}

}  // namespace

DataHeader dataHeaderOf(const DataSet& data, const RecorderIdentity& identity) {
    DataHeader h;
    h.model = identity.modelCode;
    h.wave = identity.waveData != 0;
    h.axisCount = axisCount(identity.modelCode);
    h.rangeG = std::max<double>(data.rangeG, 0);
    h.samplePeriodMs = h.wave ? samplePeriodOf(data.samplePeriodText) : 0;
    return h;
}

RecordAnalysis analyseWaveRecord(const DataSet& data, const DataHeader& header, int record,
                                 double restitution, const SrsPlan* plan) {
    KV_ASSERT(0 <= record);
    KV_ASSERT(record < recordCount(data, true));
    RecordAnalysis r;
    r.record = record;
    r.time = data.waveRecords[0][record].time;
    r.axisCount = header.axisCount;
    std::array<double, kWaveSamples> samples;
    std::array<double, 3> axisVelocityMps{};
    for (int a = 0; a < header.axisCount; ++a) {
        fileDecimals(data.waveRecords[a][record].samples, samples);
        r.axes[a] = analysePulse(samples, header.samplePeriodMs, header.rangeG);
        axisVelocityMps[a] = r.axes[a].velocityChangeMps;
        if (!plan) continue;
        const size_t n = plan->frequenciesHz.size();
        r.srsG[a].resize(n);
        r.pvssMps[a].resize(n);
        shockResponseSpectrumG(samples, *plan, r.srsG[a]);
        for (size_t k = 0; k < n; ++k)
            r.pvssMps[a][k] = pseudoVelocityMps(r.srsG[a][k], plan->frequenciesHz[k]);
    }
    r.velocityChangeMps = combinedVelocityChangeMps(
        std::span<const double>(axisVelocityMps.data(), header.axisCount));
    r.dropHeightM = dropHeightM(r.velocityChangeMps, restitution);
    return r;
}

FileAnalysis analyseDataSet(const DataSet& data, const DataHeader& header,
                            const AnalysisOptions& options) {
    KV_ASSERT(isValidRestitution(options.restitution));
    KV_ASSERT(isValidQ(options.q));
    KV_ASSERT(header.axisCount == 1 || header.axisCount == 3);
    FileAnalysis f;
    f.header = header;
    f.options = options;
    const int count = recordCount(data, header.wave);
    if (!header.wave) {
        f.trip = analysePeakRows(std::span<const PeakRow>(data.peakRows.data(), count),
                                 header.axisCount, header.rangeG, options.restitution);
        return f;
    }
    SrsPlan plan;
    if (options.withSrs) {
        plan = planSrs(header.samplePeriodMs, options.q);
        f.srsFrequenciesHz = plan.frequenciesHz;
    }
    f.records.reserve(count);
    for (int i = 0; i < count; ++i)
        f.records.push_back(analyseWaveRecord(data, header, i, options.restitution,
                                              options.withSrs ? &plan : nullptr));
    return f;
}

}  // namespace kv
