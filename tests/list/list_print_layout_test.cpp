// The printed list's page arithmetic and font fitting, with numbers.
#include <gtest/gtest.h>

#include "list/list_print_layout.h"

namespace kv {
namespace {

TEST(ListPrintLayout, ModelAndModeChooseTheLayout) {
    struct Case {
        ModelCode model;
        bool wave;
        std::optional<ListPrintKind> kind;
    };
    const Case cases[] = {
        {4100, false, ListPrintKind::SingleAxisPeak},
        {5100, false, ListPrintKind::SingleAxisPeak},
        {6100, false, ListPrintKind::SingleAxisPeak},
        {4300, false, ListPrintKind::TriaxialPeak},
        {5300, false, ListPrintKind::TriaxialPeak},
        {6300, false, ListPrintKind::TriaxialPeak},
        {5100, true, ListPrintKind::SingleAxisWave},
        {6100, true, ListPrintKind::SingleAxisWave},
        {5300, true, ListPrintKind::TriaxialWave},
        {6300, true, ListPrintKind::TriaxialWave},
        {0, false, std::nullopt},
        {7100, false, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(listPrintKind(c.model, c.wave), c.kind) << c.model << " wave " << c.wave;
        if (!c.kind) continue;
        const ListPrintLayout& layout = listPrintLayout(*c.kind);
        ASSERT_EQ(layout.edges.size(), layout.captions.size() + 1) << c.model;
        EXPECT_TRUE(std::is_sorted(layout.edges.begin(), layout.edges.end())) << c.model;
    }
    EXPECT_TRUE(listPrintLayout(ListPrintKind::TriaxialPeak).landscape);
    EXPECT_EQ(listPrintLayout(ListPrintKind::TriaxialPeak).edges.back(), 150);
}

TEST(ListPrintLayout, RowsPerPageKeepThreeRowsFreeAtTheBottom) {
    // Row n fits while (n + 3) × h < H.
    struct Case {
        int h, H, last;
    };
    for (Case c : {Case{100, 10000, 96}, Case{100, 10001, 97}, Case{100, 9999, 96},
                   Case{72, 6774, 91}, Case{86, 4960, 54}}) {
        const int n = lastListRowOnPage(c.h, c.H);
        EXPECT_EQ(n, c.last) << c.h << " " << c.H;
        EXPECT_LT((n + 3) * c.h, c.H);
        EXPECT_GE((n + 4) * c.h, c.H);
    }
}

TEST(ListPrintLayout, PagePlanOfARange) {
    // h 100, H 10000: rows up to 96. Data starts at row 9 (triaxial peak 13) on
    // the first page and row 5 (9) on later ones.
    struct Case {
        ListPrintKind kind;
        int rows, firstRows, laterRows, pages;
    };
    const Case cases[] = {
        {ListPrintKind::SingleAxisPeak, 1, 1, 92, 1},
        {ListPrintKind::SingleAxisPeak, 88, 88, 92, 1},
        {ListPrintKind::SingleAxisPeak, 89, 88, 92, 2},
        {ListPrintKind::SingleAxisPeak, 180, 88, 92, 2},
        {ListPrintKind::SingleAxisPeak, 181, 88, 92, 3},
        {ListPrintKind::TriaxialWave, 89, 88, 92, 2},
        {ListPrintKind::TriaxialPeak, 1, 1, 88, 1},
        {ListPrintKind::TriaxialPeak, 84, 84, 88, 1},
        {ListPrintKind::TriaxialPeak, 85, 84, 88, 2},
        {ListPrintKind::TriaxialPeak, 120000, 84, 88, 1364},
    };
    for (const Case& c : cases) {
        const ListPagePlan plan = planListPages(listPrintLayout(c.kind), 100, 10000, c.rows);
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.kind) << " rows " << c.rows);
        EXPECT_EQ(plan.firstPageRows, c.firstRows);
        EXPECT_EQ(plan.laterPageRows, c.laterRows);
        ASSERT_EQ(plan.pages, c.pages);
        // The pages cover the range once, in order, and pageOf agrees.
        int next = 0;
        for (int k = 0; k < plan.pages; ++k) {
            EXPECT_EQ(plan.pageBegin(k), next);
            EXPECT_LT(plan.pageBegin(k), plan.pageEnd(k));
            EXPECT_EQ(plan.pageOf(plan.pageBegin(k)), k);
            EXPECT_EQ(plan.pageOf(plan.pageEnd(k) - 1), k);
            next = plan.pageEnd(k);
        }
        EXPECT_EQ(next, c.rows);
    }
}

TEST(ListPrintLayout, APageShorterThanTheTableStillPrintsEveryRow) {
    // Rows up to 9 only: the first page has its caption row 12 below the
    // limit, so its table is empty and every later page takes one row.
    const ListPagePlan plan =
        planListPages(listPrintLayout(ListPrintKind::TriaxialPeak), 100, 1250, 3);
    EXPECT_EQ(plan.firstPageRows, 0);
    EXPECT_EQ(plan.laterPageRows, 1);
    EXPECT_EQ(plan.pages, 4);
    EXPECT_EQ(plan.pageBegin(1), 0);
    EXPECT_EQ(plan.pageOf(2), 3);
}

TEST(ListPrintLayout, TableFontShrinksInStepsOfTwoUntilTheTableFits) {
    // "8" is half the font height wide; the unit is 1.2 × that, truncated.
    auto unitFor = [](int h) { return listTableUnit(h / 2); };
    EXPECT_EQ(listTableUnit(30), 36);
    EXPECT_EQ(fitListTableFont(60, 82, 2952, unitFor), 60);  // 36 × 82 fits exactly
    EXPECT_EQ(fitListTableFont(60, 82, 2951, unitFor), 58);
    EXPECT_EQ(fitListTableFont(60, 82, 2000, unitFor), 40);   // 24 × 82 = 1968
    EXPECT_EQ(fitListTableFont(50, 150, 2000, unitFor), 22);  // 13 × 150 = 1950
    EXPECT_EQ(fitListTableFont(60, 82, 10, unitFor), 2);      // never below 2
}

TEST(ListPrintLayout, MetricsAndFooters) {
    EXPECT_EQ(listHeaderUnit(25), 27);
    EXPECT_EQ(listRowHeight(61), 73);
    EXPECT_EQ(listTextOffset(73), 47);  // trunc(7.3 + 40)
    EXPECT_EQ(listRowTop(9, 73), 697);
    const ListPrintLayout& single = listPrintLayout(ListPrintKind::SingleAxisPeak);
    const ListPrintLayout& triaxial = listPrintLayout(ListPrintKind::TriaxialPeak);
    EXPECT_EQ(listFooterText(single, 1, 2), "1ページ  ");
    EXPECT_EQ(listFooterText(single, 2, 2), "2ページ  ");
    EXPECT_EQ(listFooterText(triaxial, 1, 2), "1ページ  ");
    EXPECT_EQ(listFooterText(triaxial, 2, 2), "2 ページ ");
}

}  // namespace
}  // namespace kv
