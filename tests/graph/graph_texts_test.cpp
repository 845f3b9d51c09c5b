#include <gtest/gtest.h>

#include "base/datetime.h"
#include "graph/graph_labels.h"

namespace kv {
namespace {

DateTime at(int y, int mo, int d, int h, int mi, int s) {
    return encodeDateTimeLenient(CalendarTime{y, mo, d, h, mi, s, 0});
}

void setWaveRecord(DataSet& d, int r, const float peaks[3], const uint16_t widths[3],
                   float resultant) {
    for (int a = 0; a < 3; ++a) {
        WaveBlock& b = d.waveRecords[a][r];
        b.time = at(2014, 3, 15, 12, 34, 56);
        b.peak = peaks[a];
        b.width = widths[a];
        b.resultantG = resultant;
    }
}

TEST(HeaderText, WaveRecordShowsThePeaksOfTheAxesInView) {
    DataSet d;
    d.lastIndex = 4;
    d.currentIndex = 2;
    const float peaks[3] = {1.25f, 0.5f, 2.0f};
    const uint16_t widths[3] = {12, 3, 8};
    setWaveRecord(d, 2, peaks, widths, 2.41f);
    RecorderIdentity id;
    id.modelCode = 5300;
    id.waveData = 1;
    struct Case {
        int view;
        bool live;
        const char* want;
    };
    const Case cases[] = {
        {0, false,
         "No.3--2014/03/15 12:34:56  X:1.25G( 12ms)  Y:0.50G( 3ms)  Z:2.00G( 8ms)  合成G:2.41G"},
        {4, false,
         "No.3--2014/03/15 12:34:56  X:1.25G( 12ms)  Y:0.50G( 3ms)  Z:2.00G( 8ms)  合成G:2.41G"},
        {1, false, "No.3--2014/03/15 12:34:56  X:1.25G( 12ms)"},
        {3, true, "--2014/03/15 12:34:56  Z:2.00G( 8ms)"},
    };
    for (const Case& c : cases) EXPECT_EQ(buildHeaderText(d, id, c.view, c.live), c.want);
    // A single-axis file has its X part only, in any view.
    id.modelCode = 5100;
    EXPECT_EQ(buildHeaderText(d, id, 0, false), "No.3--2014/03/15 12:34:56  X:1.25G( 12ms)");

    // A record outside the data set shows no record part.
    d.currentIndex = 5;
    EXPECT_EQ(buildHeaderText(d, id, 0, false), "No.6--");
}

TEST(HeaderText, PeakDataShowsCountStartEndAndForTriaxialTheAxes) {
    DataSet d;
    d.lastIndex = 119;
    d.startTime = at(2014, 3, 15, 9, 0, 0);
    d.endTime = at(2014, 3, 16, 21, 0, 0);
    RecorderIdentity id;
    id.modelCode = 6300;
    const std::string base =
        "データ数：120--開始時刻：2014/03/15 09:00:00--終了時刻：2014/03/16 21:00:00";
    EXPECT_EQ(buildHeaderText(d, id, 0, false), base + " (XYZ)");
    EXPECT_EQ(buildHeaderText(d, id, 2, false), base + " (Y軸)");
    EXPECT_EQ(buildHeaderText(d, id, 4, false), base + " (XYZ)");
    EXPECT_EQ(buildHeaderText(d, id, 0, true), "");
    id.modelCode = 4100;
    EXPECT_EQ(buildHeaderText(d, id, 1, false), base);
}

TEST(PeakRowWindow, FromTheFirstRowInTheWindowThroughTheFirstAtItsEnd) {
    DataSet d;
    const double times[][3] = {{1, 1, 5}, {2, 3, 6}, {4, 4, 7}, {6, 6, 6}, {8, 9, 9}};
    for (int i = 0; i < 5; ++i)
        for (int a = 0; a < 3; ++a) d.peakRows[i].time[a] = times[i][a];
    d.lastIndex = 4;
    struct Case {
        int view;
        double from, to;
        RowWindow want;
    };
    const Case cases[] = {
        {1, 0, 100, {0, 4}},                     // every row
        {1, 2, 4, {1, 2}},                       // stops after the first row at the end
        {1, 3, 5, {2, 3}},   {2, 3, 5, {1, 3}},  // the Y times
        {3, 6.5, 7, {2, 2}},                     // the Z times
        {1, 10, 20, {}},                         // past the last row: nothing
        {4, 5, 6, {0, 3}},                       // any axis reaches the start, all three the end
        {1, 5, 3, {}},                           // an end before the start
    };
    for (const Case& c : cases)
        EXPECT_EQ(peakRowWindow(d, c.view, c.from, c.to), c.want)
            << c.view << " " << c.from << ".." << c.to;
    d.lastIndex = -1;
    EXPECT_TRUE(peakRowWindow(d, 1, 0, 100).empty());
}

}  // namespace
}  // namespace kv
