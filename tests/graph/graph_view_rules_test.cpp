#include <gtest/gtest.h>

#include "base/throttled_host.h"
#include "graph/graph_view_rules.h"
#include "support/recording_host.h"
#include "support/virtual_clock.h"

namespace kv {
namespace {

TEST(DataViewSetup, FollowsModelAndKind) {
    struct Case {
        int model;
        bool wave;
        GraphMenu menu;
        bool allViewButtons, allAxesItem, navigation, timeSelector;
        GraphView view;
    };
    const Case cases[] = {
        {4100, false, GraphMenu::KV41, false, false, false, true, kViewX},
        {4300, false, GraphMenu::KV53, true, true, false, true, kViewX},
        {5100, true, GraphMenu::KV51, false, false, true, false, kViewX},
        {6100, false, GraphMenu::KV51, false, false, false, true, kViewX},
        {5300, true, GraphMenu::KV53, true, true, true, false, kViewAllAxes},
        {6300, false, GraphMenu::KV53, true, false, false, true, kViewX},
        // A first-generation file that claims waves still has peaks only.
        {4300, true, GraphMenu::KV53, true, true, false, true, kViewX},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.model << (c.wave ? " wave" : " peak"));
        const DataViewSetup s = dataViewSetup(c.model, c.wave);
        EXPECT_EQ(s.menu, c.menu);
        EXPECT_EQ(s.allViewButtons, c.allViewButtons);
        EXPECT_EQ(s.allAxesItem, c.allAxesItem);
        EXPECT_EQ(s.navigation, c.navigation);
        EXPECT_EQ(s.timeSelector, c.timeSelector);
        EXPECT_EQ(s.view, c.view);
    }
}

TEST(StepRecord, MovesWithinTheRecordsAndStopsAtTheEnds) {
    struct Case {
        int current, last, step, expected;
    };
    const Case cases[] = {
        {0, 9, 1, 1},    {9, 9, 1, 9},     {5, 9, -1, 4},   {0, 9, -1, 0},
        {7, 20, -10, 0}, {17, 20, 10, 20}, {3, 20, 10, 13}, {20, 20, 10, 20},
        {0, -1, 1, 0},   {0, -1, -10, 0},  {2, -1, -1, 2},  {15, 20, -10, 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(stepRecord(c.current, c.last, c.step), c.expected)
            << c.current << " of " << c.last << " by " << c.step;
}

TEST(RecordOfNumberText, AcceptsOnlyNumbersOfExistingRecords) {
    EXPECT_EQ(recordOfNumberText("1", 9), 0);
    EXPECT_EQ(recordOfNumberText(" 10 ", 9), 9);
    EXPECT_EQ(recordOfNumberText("+3", 9), 2);
    for (const char* text : {"0", "11", "-1", "abc", "", "3x", "1.5", "99999999999999"})
        EXPECT_FALSE(recordOfNumberText(text, 9)) << text;
    EXPECT_FALSE(recordOfNumberText("1", -1));
}

TEST(SelectorStep, StaysAtEitherEnd) {
    EXPECT_EQ(selectorStep(0, 4, false), 0);
    EXPECT_EQ(selectorStep(3, 4, true), 3);
    EXPECT_EQ(selectorStep(1, 4, true), 2);
    EXPECT_EQ(selectorStep(1, 4, false), 0);
}

TEST(WindowEdge, ReadsTheDialogsDateTimeForms) {
    const DateTime day = *parseDate("2014/05/10");
    EXPECT_DOUBLE_EQ(*parseWindowEdge("2014/05/10 13:47:25"), day + *parseTime("13:47:25"));
    EXPECT_DOUBLE_EQ(*parseWindowEdge(" 2014/5/10 13:47 "), day + *parseTime("13:47:00"));
    EXPECT_DOUBLE_EQ(*parseWindowEdge("2014/05/10"), day);
    for (const char* bad : {"", "2014/13/01 00:00:00", "2014/05/10 24:00:00", "10:00:00",
                            "2014/05/10 1", "yesterday"})
        EXPECT_FALSE(parseWindowEdge(bad)) << bad;
}

TEST(WindowEdge, TypedWindowMustEndAfterItsStartAndTheDialogSaysWhy) {
    const std::string start = "開始時刻が読めません。\n形式: yyyy/mm/dd hh:mm:ss";
    const std::string end = "終了時刻が読めません。\n形式: yyyy/mm/dd hh:mm:ss";
    const std::string reversed = "終了時刻は開始時刻より\n後にしてください。";
    EXPECT_EQ(windowProblem(1.0, 2.0, true), "");
    EXPECT_EQ(windowProblem(2.0, 2.0, true), reversed);
    EXPECT_EQ(windowProblem(3.0, 2.0, true), reversed);
    // A preset window is never typed reversed; it only has to read.
    EXPECT_EQ(windowProblem(2.0, 2.0, false), "");
    EXPECT_EQ(windowProblem(std::nullopt, 2.0, false), start);
    EXPECT_EQ(windowProblem(std::nullopt, std::nullopt, true), start);
    EXPECT_EQ(windowProblem(1.0, std::nullopt, true), end);
}

TEST(DataFileFilters, OfferEveryModelAndKindInOrder) {
    const auto& filters = dataFileFilters();
    ASSERT_EQ(filters.size(), 10u);
    EXPECT_EQ(filters.front().label, "データファイル(*.csv)");
    EXPECT_EQ(filters[7].patterns, std::vector<std::string>{"????W*.csv"});
    EXPECT_EQ(filters.back().label, "全てのファイル(*.*)");
}

TEST(ThrottledHost, PassesProgressAndEventsOncePerInterval) {
    test::RecordingHost inner;
    test::VirtualClock clock;
    ThrottledHost host(inner, clock, 30);
    host.beginProgress(true);
    for (int i = 0; i < 100; ++i) {
        host.processEvents();
        host.showProgress(i, i);
        clock.advanceMs(1);
    }
    // Progress: begin, then one report every 30 ms of the 100 ms.
    ASSERT_EQ(inner.progress.size(), 5u);
    EXPECT_TRUE(inner.progress[0].cancellable);
    EXPECT_EQ(inner.progress[1].number, 0);
    EXPECT_EQ(inner.progress[2].number, 30);
    EXPECT_EQ(inner.processEventsCount, 4);
    // The cancel flag is never held back.
    inner.cancelRequested = true;
    EXPECT_TRUE(host.loadCancelRequested());
    host.setLoadCancelRequested(false);
    EXPECT_FALSE(inner.cancelRequested);
}

}  // namespace
}  // namespace kv
