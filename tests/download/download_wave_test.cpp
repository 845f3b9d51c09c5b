#include <cstdlib>

#include "download_fixture.h"

namespace kv::test {
namespace {

using DownloadWave = DownloadTest;

// The MAX(G値) columns of a wave block line, X Y Z (empty) per record.
std::vector<double> fields(const std::string& line) {
    std::vector<double> values;
    size_t start = line.find(',');
    while (start != std::string::npos) {
        size_t end = line.find(',', start + 1);
        std::string f = line.substr(start + 1, end == std::string::npos ? end : end - start - 1);
        if (!f.empty()) values.push_back(std::strtod(f.c_str(), nullptr));
        start = end;
    }
    return values;
}

TEST_F(DownloadWave, TriaxialRecordsAreSavedInTimeOrderWithAllAxes) {
    // 100 G at 10 mV/G: one code is 0.645 G. Each block has its own pulse
    // heights per axis, so the maxima show which block a column came from
    // (within noise and three digits).
    use(R"(
model 5300
mode wave
range 100
sensor X 1 10
sensor Y 2 10
sensor Z 3 10
measurement
  start 2014/03/15 10:00:00
  causes S S
  block 5 30 256 10 40 256 10 50 256 10
  block 1 90 256 10 100 256 10 110 256 10
  block 3 140 256 10 150 256 10 160 256 10
)");
    ASSERT_TRUE(download({1}));
    ASSERT_EQ(savedNames(), std::vector<std::string>{"KV53W01-2025040101-01.CSV"});
    auto lines = linesOf(saved[0]);
    ASSERT_EQ(lines.size(), 14u + 518u);
    EXPECT_EQ(lines[10], "計測回数,3,3,3");
    EXPECT_EQ(lines[15],
              ",Ｘ軸( 1 ),Ｙ軸( 1 ),Ｚ軸( 1 ),,Ｘ軸( 2 ),Ｙ軸( 2 ),Ｚ軸( 2 ),,"
              "Ｘ軸( 3 ),Ｙ軸( 3 ),Ｚ軸( 3 ),");
    EXPECT_EQ(lines[17],
              "時刻,10:00:01,10:00:01,10:00:01,,10:00:03,10:00:03,10:00:03,,"
              "10:00:05,10:00:05,10:00:05,");
    const std::vector<double> heights = {90, 100, 110, 140, 150, 160, 30, 40, 50};
    std::vector<double> maxima = fields(lines[18]);
    ASSERT_EQ(maxima.size(), heights.size());
    for (size_t k = 0; k < heights.size(); ++k)
        EXPECT_NEAR(maxima[k], heights[k] * 100 * 2 / 31 / 10, 2.5) << k;
}

TEST_F(DownloadWave, SingleAxisRecordsInBlocksOfThirty) {
    sim::RecorderConfig config;
    config.model = 5100;
    config.waveMode = true;
    config.measurements = 2;
    config.recordsPerMeasurement = 65;
    use(config);
    ASSERT_TRUE(download({2}));
    // Blocks are numbered over all measurements: the second starts at 65.
    EXPECT_EQ(framesOf(0x71), 65);
    EXPECT_EQ(device->frames().back()[4] << 8 | device->frames().back()[5], 129);
    ASSERT_EQ(saved.size(), 1u);
    auto lines = linesOf(saved[0]);
    ASSERT_EQ(lines.size(), 14u + 3 * 518u);
    EXPECT_EQ(lines[14 + 1].rfind(",Ｘ軸( 1 ),Ｘ軸( 2 ),", 0), 0u);
    EXPECT_EQ(lines[14 + 518 + 1].rfind(",Ｘ軸( 31 ),Ｘ軸( 32 ),", 0), 0u);
    EXPECT_EQ(lines[14 + 2 * 518 + 1], ",Ｘ軸( 61 ),Ｘ軸( 62 ),Ｘ軸( 63 ),Ｘ軸( 64 ),Ｘ軸( 65 )");
    EXPECT_EQ(lines[14 + 2 * 518 + 517].substr(0, 4), "512,");
}

TEST_F(DownloadWave, MeasurementWithoutBlocksGivesItsHeaderOnly) {
    use(R"(
model 6100
mode wave
measurement
  start 2014/03/15 10:00:00
  causes R 0
  records 0
measurement
  start 2014/03/16 10:00:00
  records 2
)");
    ASSERT_TRUE(download({1, 2}));
    EXPECT_EQ(state.measurementCounts[0], 0);
    ASSERT_EQ(saved.size(), 2u);
    auto lines = linesOf(saved[0]);
    EXPECT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[10], "計測回数,0");
    EXPECT_EQ(linesOf(saved[1]).size(), 14u + 518u);
}

TEST_F(DownloadWave, MoreBlocksThanTheStoreHoldsAreRefused) {
    use("model 6300\nmode wave\nmeasurement\n  records 499\nmeasurement\n  records 2\n");
    EXPECT_FALSE(download({1}));
    EXPECT_EQ(framesOf(0x71), 0);
    EXPECT_EQ(host.titles().back(), "データ読み込みエラー");
}

}  // namespace
}  // namespace kv::test
