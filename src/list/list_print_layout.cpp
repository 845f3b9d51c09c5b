#include "list/list_print_layout.h"

#include <algorithm>

#include "base/kv_assert.h"

namespace kv {

namespace {

const char* const kPageWord = "ページ  ";

const ListPrintLayout kLayouts[] = {
    {ListPrintKind::SingleAxisPeak,
     false,
     60,
     8,
     4,
     0,
     {"番号", "データNo", "日付", "時刻", "Ｇ(+)", "ms", "Ｇ(-)", "ms"},
     {10, 18, 26, 38, 50, 58, 66, 74, 82},
     kPageWord,
     kPageWord},
    {ListPrintKind::TriaxialPeak,
     true,
     50,
     12,
     8,
     3,
     {"番号",  "データNo", "日付",  "時刻", "XG(+)", "ms",   "XG(-)", "ms", "日付",  "時刻",
      "YG(+)", "ms",       "YG(-)", "ms",   "日付",  "時刻", "ZG(+)", "ms", "ZG(-)", "ms"},
     {10, 17, 24, 34, 42, 49, 54, 61, 66, 76, 84, 91, 96, 103, 108, 118, 126, 133, 138, 145, 150},
     kPageWord,
     " ページ "},
    {ListPrintKind::SingleAxisWave,
     false,
     60,
     8,
     4,
     0,
     {"番号", "データNo", "日付", "時刻", "Ｇmax", "ms"},
     {10, 18, 26, 38, 50, 60, 70},
     kPageWord,
     kPageWord},
    {ListPrintKind::TriaxialWave,
     false,
     60,
     8,
     4,
     0,
     {"番号", "データNo", "日付", "時刻", "XGmax", "ms", "YGmax", "ms", "ZGmax", "ms", "合成Ｇ"},
     {10, 17, 24, 34, 42, 49, 54, 61, 66, 73, 78, 85},
     kPageWord,
     kPageWord},
};

constexpr int kTopMargin = 40;
constexpr int kSmallestFont = 2;

}  // namespace

std::optional<ListPrintKind> listPrintKind(ModelCode model, bool waveData) {
    const ModelTraits* m = findModel(model);
    if (!m || (waveData && m->waveRecords == 0)) return std::nullopt;
    return waveData ? m->wavePrint : m->peakPrint;
}

const ListPrintLayout& listPrintLayout(ListPrintKind kind) {
    const ListPrintLayout& layout = kLayouts[static_cast<int>(kind)];
    KV_ASSERT(layout.kind == kind);
    return layout;
}

int listTableUnit(int widthOf8) {
    return widthOf8 * 12 / 10;
}

int listHeaderUnit(int widthOf8) {
    return widthOf8 * 11 / 10;
}

int listRowHeight(int heightOf8) {
    return heightOf8 * 12 / 10;
}

int listTextOffset(int rowHeight) {
    return static_cast<int>(0.1 * rowHeight + kTopMargin);
}

int listRowTop(int row, int rowHeight) {
    return row * rowHeight + kTopMargin;
}

int fitListTableFont(int startHeight, int lastEdge, int pageWidth,
                     const std::function<int(int fontHeight)>& unitFor) {
    int height = startHeight;
    while (height > kSmallestFont && pageWidth < unitFor(height) * lastEdge) height -= 2;
    return std::max(height, kSmallestFont);
}

int lastListRowOnPage(int rowHeight, int pageHeight) {
    KV_ASSERT(rowHeight > 0);
    // (n + 3) × h < H  <=>  (n + 3) × h <= H − 1
    return (pageHeight - 1) / rowHeight - 3;
}

ListPagePlan planListPages(const ListPrintLayout& layout, int rowHeight, int pageHeight,
                           int rowCount) {
    KV_ASSERT(rowCount >= 0);
    const int last = lastListRowOnPage(rowHeight, pageHeight);
    ListPagePlan plan;
    plan.rowCount = rowCount;
    plan.firstPageRows = std::clamp(last - layout.firstRow, 0, rowCount);
    plan.laterPageRows = std::max(1, last - layout.laterFirstRow);
    const int rest = rowCount - plan.firstPageRows;
    plan.pages = 1 + (rest + plan.laterPageRows - 1) / plan.laterPageRows;
    return plan;
}

int ListPagePlan::pageBegin(int k) const {
    KV_ASSERT(k >= 0 && k < pages);
    return k == 0 ? 0 : firstPageRows + (k - 1) * laterPageRows;
}

int ListPagePlan::pageEnd(int k) const {
    return k + 1 == pages ? rowCount : pageBegin(k + 1);
}

int ListPagePlan::pageOf(int i) const {
    KV_ASSERT(i >= 0 && i < rowCount);
    return i < firstPageRows ? 0 : 1 + (i - firstPageRows) / laterPageRows;
}

std::string listFooterText(const ListPrintLayout& layout, int page, int pages) {
    return std::to_string(page) + (page == pages ? layout.lastFooterSuffix : layout.footerSuffix);
}

}  // namespace kv
