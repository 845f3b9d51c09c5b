#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include "model/recorder_model.h"
#include "recorder/value_texts.h"
#include "recorder/wave_decoding.h"

namespace {

std::vector<uint8_t> sampleGroups() {
    kv::sim::RecorderConfig config;
    config.model = 5300;
    config.waveMode = true;
    config.data = kv::sim::MeasurementData::Uniform;  // the block earlier runs decoded
    auto model = kv::sim::makeRecorderModel(config);
    const uint8_t command[32] = {0x55, 0xAA, 0x71, 0x8E, 0, 0, 1};
    std::vector<uint8_t> frame(command, command + 32);
    kv::sim::RecorderModel& m = static_cast<kv::sim::RecorderModel&>(*model);
    std::vector<uint8_t> reply = m.waveBlockReply(frame.data() + 4);
    return {reply.begin() + 14, reply.begin() + 14 + 640};
}

// One wave block from its 640 bytes to G values, peak and width: done once per
// block and axis during a download and per live telegram. The wire time of the
// 658-byte reply at 38400 baud (171 ms) is the budget it has to stay far below.
void BM_DecodeWaveBlock(benchmark::State& state) {
    std::vector<uint8_t> groups = sampleGroups();
    kv::WaveBlock block;
    const kv::WaveScaling scaling{1, 50, 10.0};
    for (auto _ : state) {
        kv::decodeWaveSamples(groups.data(), block, scaling);
        benchmark::DoNotOptimize(block);
    }
}
BENCHMARK(BM_DecodeWaveBlock);

// A wave CSV file prints 512 values per block with valueText.
void BM_ValueText(benchmark::State& state) {
    double x = -55.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kv::valueText(x));
        x += 0.0137;
        if (x > 55.0) x = -55.0;
    }
}
BENCHMARK(BM_ValueText);

// Baseline: the platform's own fixed formatting of the same values (with its
// round-half-even ties, which is why valueText does not use it).
void BM_SnprintfBaseline(benchmark::State& state) {
    double x = -55.0;
    char buf[32];
    for (auto _ : state) {
        std::snprintf(buf, sizeof buf, "%.2f", x);
        benchmark::DoNotOptimize(std::string(buf));
        x += 0.0137;
        if (x > 55.0) x = -55.0;
    }
}
BENCHMARK(BM_SnprintfBaseline);

}  // namespace
