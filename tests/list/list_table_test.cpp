#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "list/list_table.h"
#include "list/over_range.h"

namespace kv::test {
namespace {

// A data set of the given kind whose every field of record r holds a value
// that names the field, so a key read from the wrong place shows.
struct Fixture {
    std::unique_ptr<DataSet> data = std::make_unique<DataSet>();
    RecorderIdentity identity;

    Fixture(int model, bool wave, int records) {
        identity.modelCode = model;
        identity.sensorRange = 10;
        identity.waveData = wave;
        data->modeText = wave ? "波形モード" : "ピークモード";
        data->lastIndex = records - 1;
        for (int r = 0; r < records; ++r) {
            PeakRow& row = data->peakRows[r];
            for (int a = 0; a < 3; ++a) {
                row.time[a] = 40000 + r + a * 0.25;
                row.peak[2 * a] = 1 + a;
                row.peak[2 * a + 1] = -(4 + a);
                row.width[2 * a] = 7 + a;
                row.width[2 * a + 1] = 10 + a;
                WaveBlock& b = data->waveRecords[a][r];
                b.time = 40000 + r + a * 0.25;
                b.peak = -(2 + a);
                b.width = 20 + a;
                b.resultantG = 9.5f;
            }
        }
    }
};

TEST(ListColumns, KindFromModeTextAndModel) {
    const struct {
        int model;
        const char* mode;
        ListKind kind;
        size_t columns;
    } cases[] = {
        {4100, "ピークモード", ListKind::PeakSingle, 8},
        {5300, "ピークモード", ListKind::PeakTriaxial, 20},
        {6100, "Wave Mode", ListKind::WaveSingle, 6},
        {6300, "波形モード", ListKind::WaveTriaxial, 11},
    };
    for (const auto& c : cases) {
        DataSet data;
        data.modeText = c.mode;
        RecorderIdentity identity;
        identity.modelCode = c.model;
        EXPECT_EQ(listKindOf(data, identity), c.kind) << c.model;
        EXPECT_EQ(listColumns(c.kind).size(), c.columns);
        EXPECT_EQ(listColumnFields(c.kind).size(), c.columns);
    }
    EXPECT_EQ(listColumns(ListKind::WaveSingle)[1].width, 40);
    EXPECT_EQ(listColumns(ListKind::WaveTriaxial).back().caption, "合成Ｇ値");
    EXPECT_EQ(listColumns(ListKind::PeakTriaxial)[16].caption, "ZG(+)");
}

TEST(ListTable, EveryColumnKeysByItsField) {
    const struct {
        int model;
        bool wave;
        std::vector<double> keys;  // sort columns 1 .. of record 0, "絶対値比較" on
    } cases[] = {
        {4100, false, {40000, 40000, 1, 7, 4, 10}},
        {5300,
         false,
         {40000, 40000, 1, 7, 4, 10, 40000.25, 40000.25, 2, 8, 5, 11, 40000.5, 40000.5, 3, 9, 6,
          12}},
        {6100, true, {40000, 40000, 2, 20}},
        {6300, true, {40000, 40000, 2, 20, 3, 21, 4, 22, 9.5}},
    };
    for (const auto& c : cases) {
        Fixture f(c.model, c.wave, 2);
        ListTable table(*f.data, f.identity);
        ASSERT_EQ(static_cast<size_t>(table.columnCount()), c.keys.size() + 2) << c.model;
        for (size_t col = 1; col <= c.keys.size(); ++col)
            EXPECT_DOUBLE_EQ(table.columnKey(0, col, true), c.keys[col - 1])
                << c.model << " column " << col;
        // Unchecked, the negative values keep their sign.
        const int negative = c.wave ? 3 : 5;
        EXPECT_LT(table.columnKey(0, negative, false), 0) << c.model;
        // "No" and "DataNo" key by record position.
        EXPECT_EQ(table.columnKey(1, 0, true), 1);
        EXPECT_FALSE(table.isDataColumn(0));
        EXPECT_FALSE(table.isDataColumn(static_cast<int>(c.keys.size()) + 1));
    }
}

std::vector<int32_t> sorted(ListTable& t, int column, SortDirection d, bool absolute) {
    EXPECT_TRUE(t.sort(column, d, absolute));
    return t.displayOrder();
}

TEST(ListTable, SortingByMagnitudeAndEqualKeys) {
    Fixture f(4100, false, 4);
    f.identity.sensorRange = 20;
    const float negatives[] = {-3.0f, -12.5f, -3.0f, 1.0f};
    for (int r = 0; r < 4; ++r) f.data->peakRows[r].peak[1] = negatives[r];
    ListTable t(*f.data, f.identity);
    using V = std::vector<int32_t>;
    // Largest first: -12.5 above -3.0 only by magnitude; equal keys in
    // reverse data order.
    EXPECT_EQ(sorted(t, 5, SortDirection::LargestFirst, true), (V{1, 2, 0, 3}));
    EXPECT_EQ(sorted(t, 5, SortDirection::LargestFirst, false), (V{3, 2, 0, 1}));
    // Smallest first keeps equal keys in data order.
    EXPECT_EQ(sorted(t, 5, SortDirection::SmallestFirst, true), (V{3, 0, 2, 1}));
    // Keys come from data order, not from the order on show.
    EXPECT_EQ(sorted(t, 4, SortDirection::SmallestFirst, true), (V{0, 1, 2, 3}));
    EXPECT_EQ(t.cellText(0, 0), "1");
    t.sort(5, SortDirection::LargestFirst, true);
    EXPECT_EQ(t.cellText(0, 0), "1");
    EXPECT_EQ(t.cellText(0, 1), "2");
    EXPECT_EQ(t.cellText(0, 6), "-12.5");
    t.resetOrder();
    EXPECT_EQ(t.displayOrder(), (V{0, 1, 2, 3}));
    // Sort column 0 changes nothing.
    EXPECT_FALSE(t.sort(0, SortDirection::LargestFirst, true));
    EXPECT_EQ(t.displayOrder(), (V{0, 1, 2, 3}));
}

TEST(ListTable, MaximumAndThresholdSearchInDisplayOrder) {
    Fixture f(4100, false, 5);
    const float plus[] = {2, 9, 4, 9, 1};
    for (int r = 0; r < 5; ++r) f.data->peakRows[r].peak[0] = plus[r];
    ListTable t(*f.data, f.identity);
    EXPECT_EQ(t.findMaximum(3, true), 1);  // the first of two equal maxima
    EXPECT_EQ(t.findMaximum(0, true), -1);
    EXPECT_EQ(t.findAtLeast(3, true, 0, 4), 1);
    EXPECT_EQ(t.findAtLeast(3, true, 2, 4), 2);
    EXPECT_EQ(t.findAtLeast(3, true, 4, 4), -1);  // from the last record: nothing
    EXPECT_EQ(t.findAtLeast(3, true, 4, 1), 4);   // ... or the last record itself
    t.sort(3, SortDirection::SmallestFirst, true);
    EXPECT_EQ(t.findMaximum(3, true), 3);  // display positions, not records
    EXPECT_EQ(t.findAtLeast(3, true, 0, 4), 2);
    // A threshold compares as the float it is kept in.
    f.data->peakRows[0].peak[0] = 0.1f;
    t.resetOrder();
    EXPECT_EQ(t.findAtLeast(3, true, 0, 0.1f), 0);
}

TEST(ListTable, OverRangeTexts) {
    // Range 10: 11.0 is exactly 1.1 x range and still a number.
    const struct {
        float value;
        const char* text;
    } cases[] = {{11.0f, "11.0"},
                 {11.01f, "+OVER"},
                 {-11.0f, "-11.0"},
                 {-11.01f, "-OVER"},
                 {0.125f, "0.13"}};
    for (const auto& c : cases) EXPECT_EQ(gOverText(c.value, 10), c.text) << c.value;
    EXPECT_FALSE(isOverRange(110.0f, 100));
    EXPECT_TRUE(isOverRange(-110.01f, 100));

    Fixture f(6300, true, 2);
    f.data->waveRecords[1][1].peak = 11.5f;  // Y over range, resultant in range
    ListTable t(*f.data, f.identity);
    std::vector<std::string> row;
    t.rowTexts(0, row);
    EXPECT_EQ(row, (std::vector<std::string>{"1", "1", "2009/07/06", "00:00:00", "-2.00", "20",
                                             "-3.00", "21", "-4.00", "22", "9.50"}));
    t.rowTexts(1, row);
    EXPECT_EQ(row[6], "+OVER");
    EXPECT_EQ(row[10], "OVER");
}

TEST(ListTable, PeakRowTextsPerAxisWithUnsignedWidths) {
    Fixture f(5300, false, 1);
    f.data->peakRows[0].width[5] = -1;
    ListTable t(*f.data, f.identity);
    std::vector<std::string> row;
    t.rowTexts(0, row);
    EXPECT_EQ(row,
              (std::vector<std::string>{"1",     "1",         "2009/07/06", "00:00:00", "1.00", "7",
                                        "-4.00", "10",        "2009/07/06", "06:00:00", "2.00", "8",
                                        "-5.00", "11",        "2009/07/06", "12:00:00", "3.00", "9",
                                        "-6.00", "4294967295"}));
}

TEST(ListTable, CountBoundedByTheStores) {
    Fixture f(6100, true, 1);
    f.data->lastIndex = 900;  // more than the wave store holds
    ListTable t(*f.data, f.identity);
    EXPECT_EQ(t.recordCount(), kWaveCapacity);
    f.data->lastIndex = -1;
    t.reset();
    EXPECT_EQ(t.recordCount(), 0);
    EXPECT_EQ(t.findMaximum(1, true), -1);
}

}  // namespace
}  // namespace kv::test
