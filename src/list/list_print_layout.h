#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "recorder/records.h"

namespace kv {

// The printed list comes in four layouts (ListPrintKind, chosen by the
// model); they differ only in the values of one table, the page procedure is
// the same for all.
//
// Positions are in printer device units; horizontal ones are multiples of the
// column unit, vertical ones multiples of the row height, 40 units below the
// page's top edge.
struct ListPrintLayout {
    ListPrintKind kind;
    bool landscape;
    int tableFontHeight;
    int firstRow;       // caption row of the first page; the data follows below it
    int laterFirstRow;  // caption row of every later page
    int headerOffset;   // header block lines move down by this many rows
    std::vector<std::string> captions;
    std::vector<int> edges;  // column edges in units: one more than captions
    // The footer text is the page number and this; the last page of the
    // triaxial peak layout reads differently.
    std::string footerSuffix;
    std::string lastFooterSuffix;
};

// The layout for a data set of this model and kind; nullopt for a model code
// other than the six, or wave data of a model that records none, which print
// nothing.
std::optional<ListPrintKind> listPrintKind(ModelCode model, bool waveData);
const ListPrintLayout& listPrintLayout(ListPrintKind kind);

// Font metrics of the printed table: the column unit from the width of "8",
// the row height from its height, the text's offset inside a row.
int listTableUnit(int widthOf8);   // trunc(1.2 × width)
int listHeaderUnit(int widthOf8);  // trunc(1.1 × width)
int listRowHeight(int heightOf8);  // trunc(1.2 × height)
int listTextOffset(int rowHeight);
int listRowTop(int row, int rowHeight);  // y of a row's top rule

// Shrinks the table font in steps of 2 from the layout's height until
// unitFor(height) × lastEdge fits the page width. A page too narrow even for
// the smallest font keeps the smallest (2) rather than vanishing the text.
int fitListTableFont(int startHeight, int lastEdge, int pageWidth,
                     const std::function<int(int fontHeight)>& unitFor);

// How the rows of a printed range fall onto pages. A table row n fits on a
// page of height H with row height h while (n + 3) × h < H; the first page's
// data starts one row below its caption row, and so does every later page's.
// A later page holds at least one row, so a page too short for the table
// still prints every row.
struct ListPagePlan {
    int rowCount = 0;       // data rows in the range
    int firstPageRows = 0;  // data rows on the first page (may be 0 on a tiny page)
    int laterPageRows = 0;  // data rows on each later page
    int pages = 1;

    // Range rows [first, end) of page index k (0-based).
    int pageBegin(int k) const;
    int pageEnd(int k) const;
    // The page (0-based) that prints range row i.
    int pageOf(int i) const;
};

int lastListRowOnPage(int rowHeight, int pageHeight);  // largest n with (n + 3) × h < H
ListPagePlan planListPages(const ListPrintLayout& layout, int rowHeight, int pageHeight,
                           int rowCount);

// The footer of page k (1-based) of a job of `pages` pages.
std::string listFooterText(const ListPrintLayout& layout, int page, int pages);

}  // namespace kv
