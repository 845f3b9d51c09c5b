// The widths of lines on pixel surfaces and on paper, with numbers.
#include <gtest/gtest.h>

#include "list/line_widths.h"

namespace kv {
namespace {

TEST(LineWidths, PixelSurfacesKeepWholePixelsAndPaperGetsPoints) {
    struct Case {
        LineRole role;
        LineStyle screen;    // at 96 dots per inch
        double paperPoints;  // the width on paper
    };
    const Case cases[] = {
        {LineRole::Grid, {1, true, 0, 0}, 0.25},      {LineRole::Rule, {1, false, 0, 0}, 0.75},
        {LineRole::Frame, {2, false, 0, 0}, 0.75},    {LineRole::Curve, {1, false, 0, 0}, 0.75},
        {LineRole::Bar, {1, false, 0, 0}, 0.5},       {LineRole::TableRule, {2, false, 0, 0}, 0.5},
        {LineRole::ThinRule, {1, false, 0, 0}, 0.25},
    };
    for (const Case& c : cases) {
        const int role = static_cast<int>(c.role);
        EXPECT_EQ(lineStyle(c.role, 96), c.screen) << role;
        // An SVG's 72 units per inch are pixels as well.
        EXPECT_EQ(lineStyle(c.role, 72), c.screen) << role;
        for (double dpi : {300.0, 600.0, 1200.0}) {
            const LineStyle paper = lineStyle(c.role, dpi);
            EXPECT_DOUBLE_EQ(paper.width, c.paperPoints * dpi / 72) << role << " " << dpi;
            EXPECT_EQ(paper.dotted, c.screen.dotted) << role;
        }
    }
    // The grid's dots are sized in points on paper: 0.5 pt on, 1.5 pt off.
    const LineStyle grid = lineStyle(LineRole::Grid, 1200);
    EXPECT_DOUBLE_EQ(grid.dash, 0.5 * 1200 / 72);
    EXPECT_DOUBLE_EQ(grid.gap, 1.5 * 1200 / 72);
}

}  // namespace
}  // namespace kv
