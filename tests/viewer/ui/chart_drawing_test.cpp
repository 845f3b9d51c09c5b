#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <numbers>

#include "analysis/shock_spectrum.h"
#include "graph/graph_view_state.h"
#include "viewer/chart_drawing.h"
#include "viewer/graph_drawing.h"

namespace kv {
namespace {

const QRgb kRed = qRgb(255, 0, 0), kBlue = qRgb(0, 0, 255), kGreen = qRgb(0, 128, 0);
const QRgb kBlack = qRgb(0, 0, 0), kWhite = qRgb(255, 255, 255);

// Half-sines of 11 ms sampled every millisecond: 50 G on X, 20 G on Y, 8 G on Z.
SrsChart halfSineSpectra(bool pseudoVelocity) {
    const SrsPlan plan = planSrs(1, 10);
    SrsChart c;
    c.axisCount = 3;
    c.pseudoVelocity = pseudoVelocity;
    c.frequenciesHz = plan.frequenciesHz;
    const double peaks[] = {50, 20, 8};
    for (int a = 0; a < 3; ++a) {
        std::vector<double> samples(512, 0.0);
        for (int i = 0; i <= 11; ++i)
            samples[100 + i] = peaks[a] * std::sin(std::numbers::pi * i / 11);
        c.values[a].resize(plan.frequenciesHz.size());
        shockResponseSpectrumG(samples, plan, c.values[a]);
        if (pseudoVelocity)
            for (size_t k = 0; k < c.values[a].size(); ++k)
                c.values[a][k] = pseudoVelocityMps(c.values[a][k], c.frequenciesHz[k]);
    }
    return c;
}

struct ChartPicture : ::testing::Test {
    QImage image{700, 450, QImage::Format_RGB32};
    ChartPlan plan;

    template <typename Draw>
    void paint(Draw draw) {
        image.fill(Qt::magenta);
        QPainter p(&image);
        GraphSurface surface(p, image.rect());
        surface.setFont(graphLabelFont());
        plan = draw(surface);
    }
    int count(QRgb color) const {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == color;
        return n;
    }
};

TEST_F(ChartPicture, SpectrumCurvesLieWhereTheLogScalesPutThem) {
    for (bool pv : {false, true}) {
        SCOPED_TRACE(pv ? "pseudo-velocity" : "acceleration");
        const SrsChart chart = halfSineSpectra(pv);
        paint([&](GraphSurface& s) { return drawSrsChart(s, chart, defaultGraphColors()); });
        EXPECT_EQ(count(qRgb(255, 0, 255)), 0);  // the whole box is painted
        const PixelRect& p = plan.layout.plot;
        // Every frequency's point of every axis is on its curve (the curves
        // lie apart: their peaks differ by more than a pixel everywhere).
        const QRgb colours[] = {kRed, kBlue, kGreen};
        for (int a = 0; a < 3; ++a) {
            for (size_t k = 0; k < chart.frequenciesHz.size(); ++k) {
                const double fx = std::log10(chart.frequenciesHz[k] / plan.x.lo()) /
                                  std::log10(plan.x.hi() / plan.x.lo());
                const double fy = std::log10(chart.values[a][k] / plan.y.lo()) /
                                  std::log10(plan.y.hi() / plan.y.lo());
                const int x = p.left + static_cast<int>(std::lround(fx * p.width()));
                const int y = p.bottom - static_cast<int>(std::lround(fy * p.height()));
                if (y <= p.top || y >= p.bottom) continue;
                ASSERT_EQ(image.pixel(x, y), colours[a]) << "axis " << a << " f " << k;
            }
        }
        // A decade line is solid, a 2 or 5 line dotted: there the back colour
        // shows between the dots.
        const int decade = plan.x.toPixel(10), two = plan.x.toPixel(20);
        int decadeGaps = 0, twoGaps = 0;
        for (int y = p.top; y <= p.bottom; ++y) {
            decadeGaps += image.pixel(decade, y) == kWhite;
            twoGaps += image.pixel(two, y) == kWhite;
        }
        EXPECT_EQ(decadeGaps, 0);
        EXPECT_GT(twoGaps, p.height() / 4);
        // The legend's line for X sits in the legend row in X's colour.
        const LegendEntry& x = plan.legend[0];
        EXPECT_EQ(image.pixel((x.lineLeft + x.lineRight) / 2,
                              plan.layout.legendTop + QFontMetrics(graphLabelFont()).height() / 2),
                  kRed);
    }
}

TEST_F(ChartPicture, HistogramBarsInTheAxisColoursOverTheirBins) {
    HistogramChart h;
    h.axisCount = 3;
    for (int b = 0; b < kHistogramBins; ++b) h.lowerEdgesG[b] = 10.0 * b;
    h.counts[0] = {40, 12, 0, 3};
    h.counts[1] = {30, 0, 0, 1};
    h.counts[2] = {20, 5};
    for (bool log : {false, true}) {
        h.logCounts = log;
        paint([&](GraphSurface& s) { return drawHistogramChart(s, h, defaultGraphColors()); });
        const QRgb colours[] = {kRed, kBlue, kGreen};
        for (const ChartBar& b : histogramBars(plan, h)) {
            const int x = (b.rect.left + b.rect.right) / 2;
            EXPECT_EQ(image.pixel(x, b.rect.top), colours[b.axis]) << b.bin;
            EXPECT_EQ(image.pixel(x, b.rect.bottom), colours[b.axis]) << b.bin;
            EXPECT_NE(image.pixel(x, b.rect.top - 1), colours[b.axis]) << b.bin;
        }
        // The empty bin 2 has no bar; the frame is in the grid colour.
        const int x = (plan.x.toPixel(2) + plan.x.toPixel(3)) / 2;
        EXPECT_EQ(image.pixel(x, plan.layout.plot.bottom - 1), kWhite);
        EXPECT_EQ(image.pixel(x, plan.layout.plot.bottom), kBlack);
    }
}

TEST_F(ChartPicture, OnPaperTheLinesHaveTheGraphsWidthsInPoints) {
    // A printer-like surface: 1200 dots per inch, 16.7 dots to the point.
    QImage fine(5000, 3400, QImage::Format_RGB32);
    fine.setDotsPerMeterX(47244);
    fine.setDotsPerMeterY(47244);
    fine.fill(Qt::white);
    const SrsChart chart = halfSineSpectra(false);
    QPainter p(&fine);
    GraphSurface surface(p, fine.rect());
    QFont font = graphLabelFont();
    font.setPointSize(16);
    surface.setFont(font);
    const ChartPlan fp = drawSrsChart(surface, chart, defaultGraphColors());
    p.end();
    // The curve 0.75 pt (steeper parts run longer down a column).
    const PixelPoint pt = srsCurvePixels(fp, chart, 0)[0][20];
    int run = 0;
    for (int y = pt.y - 80; y <= pt.y + 80; ++y) run += fine.pixel(pt.x, y) == kRed;
    EXPECT_GE(run, 12);
    // A decade's solid line 0.75 pt.
    int rule = 0;
    const int decade = fp.y.toPixel(10);
    for (int y = decade - 30; y <= decade + 30; ++y)
        rule += fine.pixel(fp.layout.plot.left + 40, y) == kBlack;
    EXPECT_NEAR(rule, 12.5, 1);
}

}  // namespace
}  // namespace kv
