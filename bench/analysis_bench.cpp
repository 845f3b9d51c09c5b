#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

#include "analysis/file_analysis.h"
#include "analysis/shock_spectrum.h"

// The whole analysis of the largest files the store holds. The wave file's
// spectrum is measured against its bare filtering: the same second-order
// filter steps (every record, axis and frequency, over the samples and the
// padding) as one plain loop per frequency.
namespace {

// Values as a file holds them: two decimals.
float fileValue(double v) {
    return static_cast<float>(std::round(v * 100) / 100);
}

// 500 triaxial records at 1 ms: a half-sine of 20 to 70 G, 4 to 15 ms wide,
// somewhere in each record, on a ripple.
const kv::DataSet& waveSet() {
    static kv::DataSet data = [] {
        kv::DataSet d;
        d.rangeG = 100;
        d.lastIndex = kv::kWaveCapacity - 1;
        for (int r = 0; r < kv::kWaveCapacity; ++r) {
            for (int a = 0; a < 3; ++a) {
                kv::WaveBlock& b = d.waveRecords[a][r];
                b.time = 41713.375 + r / 1440.0;
                const double peak = 20 + (r * 7 + a * 13) % 51;
                const double width = 4 + (r + a) % 12;
                const int start = 50 + (r * 31 + a * 17) % 300;
                for (int s = 0; s < kv::kWaveSamples; ++s) {
                    double v = 0.3 * std::sin(s * 0.7 + a);
                    const double t = s - start;
                    if (t >= 0 && t <= width) v += peak * std::sin(std::numbers::pi * t / width);
                    b.samples[s] = fileValue(a == 1 ? -v : v);
                }
            }
        }
        return d;
    }();
    return data;
}

// 120000 triaxial peak rows of every magnitude up to beyond the range.
const kv::DataSet& peakSet() {
    static kv::DataSet data = [] {
        kv::DataSet d;
        d.rangeG = 100;
        d.lastIndex = kv::kPeakCapacity - 1;
        for (int r = 0; r < kv::kPeakCapacity; ++r) {
            kv::PeakRow& row = d.peakRows[r];
            for (int a = 0; a < 3; ++a) {
                row.time[a] = 41713.375 + r / 86400.0;
                row.peak[2 * a] = fileValue((r * 37 + a * 11) % 1200 * 0.1);
                row.peak[2 * a + 1] = -fileValue((r * 53 + a * 7) % 900 * 0.1);
                row.width[2 * a] = (r * 7 + a) % 1001;
                row.width[2 * a + 1] = (r * 11 + a) % 1001;
            }
        }
        return d;
    }();
    return data;
}

kv::DataHeader header(bool wave) {
    kv::DataHeader h;
    h.model = 6300;
    h.wave = wave;
    h.axisCount = 3;
    h.rangeG = 100;
    h.samplePeriodMs = wave ? 1 : 0;
    return h;
}

void BM_WaveAnalysisWithSrs(benchmark::State& state) {
    const kv::DataSet& data = waveSet();
    kv::AnalysisOptions options;
    options.withSrs = true;
    for (auto _ : state) {
        kv::FileAnalysis f = kv::analyseDataSet(data, header(true), options);
        benchmark::DoNotOptimize(f.records.data());
    }
}

void BM_WaveAnalysisWithoutSrs(benchmark::State& state) {
    const kv::DataSet& data = waveSet();
    for (auto _ : state) {
        kv::FileAnalysis f = kv::analyseDataSet(data, header(true), kv::AnalysisOptions{});
        benchmark::DoNotOptimize(f.records.data());
    }
}

// The baseline: one plain recursion per record, axis and frequency, on
// samples already in doubles.
void BM_PlainFilterBaseline(benchmark::State& state) {
    const kv::DataSet& data = waveSet();
    const kv::SrsPlan plan = kv::planSrs(1, 10);
    static double samples[kv::kWaveCapacity][3][kv::kWaveSamples];
    for (int r = 0; r < kv::kWaveCapacity; ++r)
        for (int a = 0; a < 3; ++a)
            for (int s = 0; s < kv::kWaveSamples; ++s)
                samples[r][a][s] = data.waveRecords[a][r].samples[s];
    int64_t steps = 0;
    for (auto _ : state) {
        double sum = 0;
        for (int r = 0; r < kv::kWaveCapacity; ++r)
            for (int a = 0; a < 3; ++a)
                for (const kv::SrsFilter& f : plan.filters)
                    sum += kv::runSrsFilter(samples[r][a], plan.paddingSamples, f);
        benchmark::DoNotOptimize(sum);
        steps += int64_t{kv::kWaveCapacity} * 3 * static_cast<int64_t>(plan.filters.size()) *
                 (kv::kWaveSamples + plan.paddingSamples);
    }
    state.counters["steps"] =
        benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kAvgIterations);
}

void BM_PeakTripStatistics(benchmark::State& state) {
    const kv::DataSet& data = peakSet();
    kv::AnalysisOptions options;
    for (auto _ : state) {
        kv::FileAnalysis f = kv::analyseDataSet(data, header(false), options);
        benchmark::DoNotOptimize(f.trip.events.data());
    }
}

}  // namespace

BENCHMARK(BM_WaveAnalysisWithSrs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainFilterBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WaveAnalysisWithoutSrs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeakTripStatistics)->Unit(benchmark::kMillisecond);
