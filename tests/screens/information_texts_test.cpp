#include "screens/information_texts.h"

#include <gtest/gtest.h>

#include <map>

namespace kv {
namespace {

std::map<std::string, std::string> asMap(const std::vector<FieldText>& fields) {
    std::map<std::string, std::string> m;
    for (const auto& f : fields) m[f.control] = f.text;
    return m;
}

TEST(InformationTexts, LaterGenerationFieldsUseTheScreensFormats) {
    RecorderInfo info;
    info.modelCode = 5300;
    info.serialNumber = 4321;
    info.deviceNumber = 12;
    info.batteryVolts = 3.6;
    info.firmwareVersion = 12;
    info.sensorNumber = {101, 102, 103};
    info.sensitivity = {12.3, 0.25, 20};
    info.sensorRange = 50;
    info.sensorPlace = 1;
    info.recordPeriod = 8;
    info.samplePeriodMs = 2;
    info.waveMode = 1;
    info.axisMode = 0;
    info.triggerLevel = {10, 20, 30};
    info.preTrigger = 64;
    info.overwriteMode = 2;
    auto f = asMap(laterGenerationFields(info, RecorderClock{2014, 3, 5, 9, 7, 2}));
    EXPECT_EQ(f["txtName"], "KV-5300");
    EXPECT_EQ(f["txtS_Number"], "4321");
    EXPECT_EQ(f["txtG_Number"], "12");
    EXPECT_EQ(f["txtTime"], "2014/03/05 09:07:02");
    EXPECT_EQ(f["txtBat"], "3.6v");
    EXPECT_EQ(f["txtVer"], "Ver-1.2");
    EXPECT_EQ(f["txtY_Num"], "102");
    EXPECT_EQ(f["txtY_Sencer"], "0.3");  // a decimal tie rounds away from zero
    EXPECT_EQ(f["txtZ_Sencer"], "20.0");
    EXPECT_EQ(f["txtRange"], "50 Ｇ");
    EXPECT_EQ(f["txtPlace"], "外付け");
    EXPECT_EQ(f["txtRecType"], "１０分");
    EXPECT_EQ(f["txtSapmType"], "2 (ms)");
    EXPECT_EQ(f["RecModeList"], "波形モード");
    EXPECT_EQ(f["txtRecMode"], "３軸同時");
    EXPECT_EQ(f["txtTrigLebel"], "10 ％");
    EXPECT_EQ(f["txtTrigPos"], "64 ﾎﾟｲﾝﾄ");
    EXPECT_EQ(f["txtCycle"], "Ｙ軸比較");

    info.sensorPlace = 0;
    info.axisMode = 1;
    info.waveMode = 0;
    info.overwriteMode = 9;
    info.recordPeriod = 9;
    f = asMap(laterGenerationFields(info, {}));
    EXPECT_EQ(f["txtPlace"], "内蔵");
    EXPECT_EQ(f["txtRecMode"], "３軸独立");
    EXPECT_EQ(f["RecModeList"], "ピークモード");
    EXPECT_EQ(f["txtCycle"], "上書き無し");
    EXPECT_EQ(f["txtRecType"], "不明");
}

TEST(InformationTexts, FirstGenerationFields) {
    LegacyRecorderInfo info;
    info.modelCode = 4300;
    info.serialNumber = 42;
    info.deviceNumber = 3;
    info.sensorRange = 20;
    info.recordPeriod = 0;
    info.batteryVolts = 3.1;
    auto f = asMap(firstGenerationFields(info, RecorderClock{1998, 12, 31, 23, 59, 58}));
    EXPECT_EQ(f["StaticText6"], "KV 4300");
    EXPECT_EQ(f["StaticText34"], "00042");
    EXPECT_EQ(f["StaticText2"], "3");
    EXPECT_EQ(f["StaticText4"], "１秒");
    EXPECT_EQ(f["StaticText8"], "20 G");
    EXPECT_EQ(f["StaticText32"], "3.1v");
    EXPECT_EQ(f["StaticText12"], "1998/12/31 23:59:58");
}

TEST(InformationTexts, CauseTexts) {
    EXPECT_EQ(startCauseText('S'), "Switch");
    EXPECT_EQ(startCauseText('R'), "Remote");
    EXPECT_EQ(startCauseText('B'), "*");
    EXPECT_EQ(endCauseText('B'), "Bat Empty");
    EXPECT_EQ(endCauseText('M'), "Mem-Full");
    EXPECT_EQ(endCauseText('X'), "*");
    EXPECT_EQ(endCauseText(0), "*");
}

TEST(InformationTexts, ColumnsFollowModeAndAxes) {
    auto captions = [](const std::vector<ListColumn>& columns) {
        std::vector<std::string> c;
        for (const auto& col : columns) c.push_back(col.caption + "/" + std::to_string(col.width));
        return c;
    };
    EXPECT_EQ(
        captions(measurementColumns(false, true)),
        (std::vector<std::string>{"計測番号/70", "   開始時刻   /138", "開始条件/72",
                                  "   終了時刻   /138", "終了条件/72", " 周期 /56", " 計測数/84"}));
    auto wave3 = captions(measurementColumns(true, true));
    ASSERT_EQ(wave3.size(), 8u);
    EXPECT_EQ(wave3[5], "Ｘ計測数/60");
    EXPECT_EQ(wave3[7], "Ｚ計測数/60");
    auto wave1 = captions(measurementColumns(true, false));
    ASSERT_EQ(wave1.size(), 6u);
    EXPECT_EQ(wave1[5], "計測数/60");
    EXPECT_EQ(captions(legacyMeasurementColumns())[1], "開始時刻/138");
}

TEST(InformationTexts, PeakRows) {
    MeasurementIndex index{};
    index[0].startTime = {2014, 3, 5, 9, 0, 0};
    index[0].endTime = {2014, 3, 5, 10, 0, 0};
    index[0].startCause = 'B';
    index[0].endCause = 'M';
    index[0].recordPeriod = 3;
    index[0].recordCount = 20;
    auto later = peakIndexRows(index, CauseTexts::EndCausesForBoth);
    EXPECT_EQ(later[0].caption, "01");
    EXPECT_TRUE(later[0].measured);
    EXPECT_EQ(later[0].cells,
              (std::vector<std::string>{"2014/03/05 09:00:00", "Bat Empty", "2014/03/05 10:00:00",
                                        "Mem-Full", "１０秒", "20"}));
    EXPECT_EQ(later[9].caption, "10");
    EXPECT_FALSE(later[9].measured);
    EXPECT_EQ(later[9].cells, (std::vector<std::string>{"未計測です。"}));
    auto legacy = peakIndexRows(index, CauseTexts::Legacy);
    EXPECT_EQ(legacy[0].cells[1], "*");
}

TEST(InformationTexts, WaveRowsCountAMeasurementWithCausesButNoBlocks) {
    WaveMeasurementIndex index{};
    index[0].startCause = 'S';
    index[0].endCause = 'R';
    index[1].recordCount = {4, 5, 6};
    index[1].startCause = 'R';
    index[2].recordCount = {7, 0, 0};  // X blocks only, no causes: not listed
    auto rows = waveIndexRows(index);
    EXPECT_TRUE(rows[0].measured);
    EXPECT_EQ(rows[0].cells[1], "Switch");
    EXPECT_EQ(rows[0].cells[3], "Remote");
    EXPECT_EQ(rows[0].cells[6], "0");
    EXPECT_EQ(rows[1].cells[4], "4");
    EXPECT_EQ(rows[1].cells[6], "6");
    EXPECT_FALSE(rows[2].measured);
}

}  // namespace
}  // namespace kv
