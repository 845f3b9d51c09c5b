// What the printed list says: the header block and the cells of every layout.
#include <gtest/gtest.h>

#include "datafile/data_set.h"
#include "list/list_print_rows.h"

namespace kv {
namespace {

using Cells = std::vector<std::string>;

DateTime at(int day, int second) {
    return encodeDateTime({2024, 5, day, 0, 0, 0, 0}).value() + second / kSecondsPerDay;
}

Cells cellsOf(const DataSetPrintRows& rows, int i) {
    Cells out;
    rows.cells(i, out);
    return out;
}

TEST(ListPrintRows, PeakRowsFollowTheDisplayOrderAndMarkOverRange) {
    DataSet data;
    data.lastIndex = 2;
    for (int r = 0; r < 3; ++r) {
        PeakRow& row = data.peakRows[r];
        for (int a = 0; a < 3; ++a) {
            row.time[a] = at(1 + a, 3600 + r);
            row.peak[2 * a] = 1.5f * (r + 1) + a;
            row.peak[2 * a + 1] = -0.25f * (r + 1) - a;
            row.width[2 * a] = 10 * r + a;
            row.width[2 * a + 1] = -(10 * r + a);
        }
    }
    data.peakRows[1].peak[0] = 5.5f;   // exactly 1.1 × 5 G: a number
    data.peakRows[1].peak[3] = -5.6f;  // beyond: "-OVER"
    RecorderIdentity identity;
    identity.modelCode = 4300;
    identity.sensorRange = 5;
    const std::vector<int32_t> order = {2, 0, 1};

    // Positions 2 .. 3 of the order: records 0 and 1.
    DataSetPrintRows triaxial(data, identity, ListPrintKind::TriaxialPeak, order, 2, 3);
    ASSERT_EQ(triaxial.count(), 2);
    EXPECT_EQ(cellsOf(triaxial, 0), (Cells{"2",     "1",  "2024/05/01", "01:00:00", "1.50", "0",
                                           "-0.25", "0",  "2024/05/02", "01:00:00", "2.50", "1",
                                           "-1.25", "-1", "2024/05/03", "01:00:00", "3.50", "2",
                                           "-2.25", "-2"}));
    const Cells second = cellsOf(triaxial, 1);
    EXPECT_EQ(second[0], "3");
    EXPECT_EQ(second[1], "2");
    EXPECT_EQ(second[4], "5.50");
    EXPECT_EQ(second[12], "-OVER");

    identity.modelCode = 4100;
    DataSetPrintRows single(data, identity, ListPrintKind::SingleAxisPeak, order, 1, 1);
    EXPECT_EQ(cellsOf(single, 0),
              (Cells{"1", "3", "2024/05/01", "01:00:02", "4.50", "20", "-0.75", "-20"}));
}

TEST(ListPrintRows, TriaxialWaveResultantIsMarkedAsPrinted) {
    DataSet data;
    data.lastIndex = 2;
    for (int r = 0; r < 3; ++r) {
        for (int a = 0; a < 3; ++a) {
            WaveBlock& block = data.waveRecords[a][r];
            block.time = at(7, 60 * r);
            block.peak = 1.0f + a;
            block.width = static_cast<uint16_t>(4 + a);
        }
    }
    data.waveRecords[0][0].resultantG = 12.0f;  // over 1.1 × 10 G, no axis over
    data.waveRecords[1][1].peak = -11.5f;       // Y over: the whole record is "OVER"
    data.waveRecords[0][1].resultantG = 3.0f;
    data.waveRecords[0][2].resultantG = -2.345f;
    RecorderIdentity identity;
    identity.modelCode = 6300;
    identity.waveData = 1;
    identity.sensorRange = 10;
    const std::vector<int32_t> order = {0, 1, 2};
    DataSetPrintRows rows(data, identity, ListPrintKind::TriaxialWave, order, 1, 3);
    EXPECT_EQ(cellsOf(rows, 0), (Cells{"1", "1", "2024/05/07", "00:00:00", "1.00", "4", "2.00", "5",
                                       "3.00", "6", "+OVER"}));
    const Cells overY = cellsOf(rows, 1);
    EXPECT_EQ(overY[6], "-OVER");
    EXPECT_EQ(overY[10], "OVER");
    EXPECT_EQ(cellsOf(rows, 2)[10], "-2.35");

    identity.modelCode = 6100;
    DataSetPrintRows single(data, identity, ListPrintKind::SingleAxisWave, order, 3, 3);
    EXPECT_EQ(cellsOf(single, 0), (Cells{"3", "3", "2024/05/07", "00:02:00", "1.00", "4"}));
}

TEST(ListPrintRows, HeaderBlockNamesTheFile) {
    DataSet data;
    data.filePath = "/data/KV6300P0001.CSV";
    data.modelText = "6300";
    data.rangeG = 20;
    data.deviceNumberText = "0001";
    data.modeText = "波形モード";
    data.recordPeriodText = "1秒";
    data.samplePeriodText = "0.5";
    data.recordCountText = "12";
    data.startTime = at(1, 45296);
    data.endTime = at(2, 0);
    const DateTime today = at(9, 0);

    const ListPrintHeader wave = listPrintHeader(data, ListPrintKind::TriaxialWave, today);
    EXPECT_EQ(wave[0].left, "/data/KV6300P0001.CSV");
    EXPECT_EQ(wave[1].left, "ＫＶ種別: ＫＶ－6300");
    EXPECT_EQ(wave[1].middle, "ｾﾝｻｰﾚﾝｼﾞ: 20Ｇ");
    EXPECT_EQ(wave[1].right, "印刷日付");
    EXPECT_EQ(wave[2].left, "機器番号: 0001");
    EXPECT_EQ(wave[2].middle, "計測方法: 波形モード");
    EXPECT_EQ(wave[2].right, "2024/05/09");
    EXPECT_EQ(wave[3].left, "ｻﾝﾌﾟﾙ周期: 0.5ms");
    EXPECT_EQ(wave[3].middle, "記録データ数: 12");
    EXPECT_EQ(wave[4].left, "開始時刻: 2024/05/01 12:34:56");
    EXPECT_EQ(wave[4].middle, "終了時刻: 2024/05/02 00:00:00");
    EXPECT_EQ(listPrintHeader(data, ListPrintKind::TriaxialPeak, today)[3].left, "記録周期: 1秒");
}

}  // namespace
}  // namespace kv
