#include "graph/live_list.h"

#include <gtest/gtest.h>

#include <memory>

#include "base/datetime.h"
#include "monitor/live_monitor.h"

namespace kv {
namespace {

class LiveList : public ::testing::Test {
  protected:
    // Telegram n into the next ring row, as the monitor stores it.
    void receive(int n, int axes = 1) {
        PeakRow& row = view->peakRows[static_cast<size_t>(view->currentIndex)];
        for (int a = 0; a < axes; ++a) {
            row.time[a] = *encodeDateTime({2026, 12, 7, 10, n / 60, n % 60, 0});
            row.peak[2 * a] = static_cast<float>(n);
            row.peak[2 * a + 1] = -static_cast<float>(n) / 10;
            row.width[2 * a] = n;
            row.width[2 * a + 1] = a;
        }
        if (view->lastIndex < kLiveRingRows - 1) ++view->lastIndex;
        view->currentIndex = (view->currentIndex + 1) % kLiveRingRows;
    }
    std::unique_ptr<DataSet> view = std::make_unique<DataSet>();
};

TEST_F(LiveList, TheLatestRowsThatFitWithTheNewestAtTheBottomAcrossTheWrap) {
    for (int n = 1; n <= 101; ++n) receive(n);
    std::vector<LiveListRow> rows = liveListRows(*view, 5100, 100, 10);
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[9], (LiveListRow{"", "2026/12/07", "10:01:41", "101.0", "101", "-10.1", "0"}));
    EXPECT_EQ(rows[0][3], "92.0");
    EXPECT_EQ(liveListColumns(5100).size(), rows[0].size());
    // Fewer rows received than fit: all of them.
    auto fresh = std::make_unique<DataSet>();
    view.swap(fresh);
    receive(1);
    receive(2);
    EXPECT_EQ(liveListRows(*view, 5100, 100, 10).size(), 2u);
    EXPECT_TRUE(liveListRows(*view, 5100, 100, 0).empty());
}

TEST_F(LiveList, SeparatorRowsAreEmptyAndTriaxialRowsHaveFourCellsPerAxis) {
    receive(5, 3);
    LiveMonitor monitor(*view, RecorderState{});
    monitor.appendSeparator();
    receive(200, 3);  // beyond 1.1 x 100 G
    std::vector<LiveListRow> rows = liveListRows(*view, 6300, 100, 30);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1], LiveListRow(15));
    EXPECT_EQ(rows[0][11], "5.00");
    EXPECT_EQ(rows[0][14], "2");
    EXPECT_EQ(rows[2][3], "+OVER");
    EXPECT_EQ(rows[2][5], "-20.0");
    const std::vector<ListColumn>& columns = liveListColumns(6300);
    ASSERT_EQ(columns.size(), 15u);
    EXPECT_EQ(columns[11].caption, "ZG(+)");
    EXPECT_EQ(columns[2].width, 54);
    EXPECT_EQ(liveListColumns(4100)[3].caption, "Ｇ(+)");
}

}  // namespace
}  // namespace kv
