#include <gtest/gtest.h>

#include "datafile/csv_line.h"
#include "datafile/data_file_loader.h"
#include "datafile/graph_scale.h"
#include "datafile/wave_order.h"

namespace kv {
namespace {

using Fields = std::vector<std::string>;

TEST(SplitCsvLine, QuotesVanishFieldsEndAtLfAndMissingFieldsAreEmpty) {
    EXPECT_EQ(splitCsvLine("", ','), Fields{""});
    EXPECT_EQ(splitCsvLine("a,,b,", ','), (Fields{"a", "", "b", ""}));
    EXPECT_EQ(splitCsvLine("\"a,b\",\"\"c", ','), (Fields{"a", "b", "c"}));
    EXPECT_EQ(splitCsvLine("a,b\nc,d", ','), (Fields{"a", "b"}));
    EXPECT_EQ(splitCsvLine("2ms", 'm', 0), Fields{"2"});
    EXPECT_EQ(splitCsvLine("100", 'p', 0), Fields{"100"});
    EXPECT_EQ(splitCsvLine("a,b", ',', 5), Fields{""});

    CsvFields f;
    f.split("x,y", ',');
    EXPECT_EQ(f[1], "y");
    EXPECT_EQ(f[2], "");
    EXPECT_EQ(f[-1], "");
}

TEST(SplitCsvLine, AHundredFieldsAtMostTheRestJoinsTheLast) {
    std::string line;
    for (int i = 0; i < 150; ++i) line += std::to_string(i) + ",";
    Fields f = splitCsvLine(line, ',');
    ASSERT_EQ(f.size(), 100u);
    EXPECT_EQ(f[98], "98");
    std::string rest;
    for (int i = 99; i < 150; ++i) rest += std::to_string(i);
    EXPECT_EQ(f[99], rest);
}

TEST(DefaultScales, PeakShowsTheWholeMeasurementAndWaveTheSamples) {
    GraphScale p = defaultPeakScale(100.0, 102.0, 100);
    EXPECT_EQ(p.xMin, 100.0);
    EXPECT_EQ(p.xMax, 102.0);
    EXPECT_EQ(p.xSpan, 2.0);
    EXPECT_EQ(p.xStep, 0.5);
    EXPECT_DOUBLE_EQ(p.yMax, 120);
    EXPECT_DOUBLE_EQ(p.yMin, -120);
    EXPECT_DOUBLE_EQ(p.ySpan, -240);
    EXPECT_DOUBLE_EQ(p.yStep, 20);

    GraphScale w = defaultWaveScale(5);
    EXPECT_EQ(w.xMin, 0);
    EXPECT_EQ(w.xMax, 512);
    EXPECT_EQ(w.xSpan, 512);
    EXPECT_EQ(w.xStep, 100);
    EXPECT_DOUBLE_EQ(w.yMax, 6);
    EXPECT_DOUBLE_EQ(w.ySpan, -12);
    EXPECT_DOUBLE_EQ(w.yStep, 1);
}

class WaveOrderTest : public ::testing::Test {
  protected:
    void fill(int model, std::vector<double> times) {
        identity.modelCode = model;
        identity.waveData = 1;
        data.lastIndex = int(times.size()) - 1;
        for (int r = 0; r < int(times.size()); ++r)
            for (int p = 0; p < 3; ++p) {
                data.waveRecords[p][r].time = times[r];
                data.waveRecords[p][r].peak = float(r * 10 + p);  // which record, which plane
            }
    }
    std::vector<int> order(int plane) const {
        std::vector<int> out;
        for (int r = 0; r <= data.lastIndex; ++r)
            out.push_back(int(data.waveRecords[plane][r].peak) / 10);
        return out;
    }
    DataSet data;
    RecorderIdentity identity;
};

TEST_F(WaveOrderTest, ThirdGenerationRecordsAreSortedByTimeStably) {
    fill(6300, {5, 2, 9, 2, 1});
    normaliseWaveOrder(data, identity);
    for (int p = 0; p < 3; ++p) {
        EXPECT_EQ(order(p), (std::vector<int>{4, 1, 3, 0, 2}));
        EXPECT_EQ(int(data.waveRecords[p][0].peak) % 10, p);
    }
    fill(6100, {3, 1, 2});
    normaliseWaveOrder(data, identity);
    EXPECT_EQ(order(0), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(order(1), (std::vector<int>{0, 1, 2}));  // single axis: only X moves
}

TEST_F(WaveOrderTest, OtherDataSetsStayAsTheyAre) {
    for (int model : {5300, 5100}) {
        fill(model, {3, 1, 2});
        normaliseWaveOrder(data, identity);
        EXPECT_EQ(order(0), (std::vector<int>{0, 1, 2}));
    }
    fill(6300, {3, 1, 2});
    identity.waveData = 0;
    normaliseWaveOrder(data, identity);
    EXPECT_EQ(order(0), (std::vector<int>{0, 1, 2}));
    fill(6300, {});
    identity.waveData = 1;
    normaliseWaveOrder(data, identity);
    EXPECT_EQ(data.lastIndex, -1);
}

}  // namespace
}  // namespace kv
