#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <random>

#include "base/datetime.h"
#include "viewer/graph_drawing.h"
#include "graph/graph_labels.h"
#include "graph/zoom_scale.h"

namespace kv {
namespace {

constexpr QRgb kUntouched = 0xFF123456;
const QRgb kRed = qRgb(255, 0, 0), kBlue = qRgb(0, 0, 255), kGreen = qRgb(0, 128, 0);

// A triaxial peak measurement of `rows` shocks, one a minute from the start,
// and the state the window has after loading it.
struct PeakPicture : ::testing::Test {
    DataSet data;
    RecorderIdentity identity;
    GraphViewState view;
    PixelRect area;
    QImage image{1000, 700, QImage::Format_RGB32};

    void load(int rows, int model = 5300) {
        data.filePath = "/tmp/KV53P.csv";
        data.startTime = encodeDateTimeLenient(CalendarTime{2014, 3, 15, 9, 0, 0, 0});
        data.endTime = data.startTime + rows / 1440.0;
        data.lastIndex = rows - 1;
        for (int i = 0; i < rows; ++i) {
            PeakRow& r = data.peakRows[i];
            for (int a = 0; a < 3; ++a) {
                r.time[a] = data.startTime + (i + 0.5) / 1440.0;
                r.peak[2 * a] = 10.0f * (a + 1);
                r.peak[2 * a + 1] = -5.0f * (a + 1);
            }
        }
        identity.modelCode = model;
        identity.sensorRange = 100;
        identity.waveData = 0;
        view.viewMode = kViewX;
        view.currentScale = view.zoomScale =
            defaultPeakScale(data.startTime, data.endTime, identity.sensorRange);
    }

    void draw(int box = 0) {
        image.fill(kUntouched);
        QPainter p(&image);
        GraphSurface surface(p, image.rect());
        surface.setFont(graphLabelFont());
        area = plotMargins(image.width(), image.height(), surface.textMetrics());
        drawGraphBox(surface, box, area, view, data, identity);
    }

    int countInArea(QRgb color) const {
        int n = 0;
        for (int y = area.top; y <= area.bottom; ++y)
            for (int x = area.left; x <= area.right; ++x) n += image.pixel(x, y) == color;
        return n;
    }

    ScaleMapping mapping() const {
        ScaleMapping m;
        m.setArea(area);
        const GraphScale& s = view.currentScale;
        m.setRange(s.xMin, s.yMin, s.xSpan, s.ySpan);
        return m;
    }
};

TEST_F(PeakPicture, NoFileLoadedLeavesTheBoxAsItIs) {
    load(10);
    data.filePath.clear();
    draw();
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7) ASSERT_EQ(image.pixel(x, y), kUntouched);
    // A box the view does not use stays as it is too.
    load(10);
    draw(1);
    EXPECT_EQ(image.pixel(500, 350), kUntouched);
}

TEST_F(PeakPicture, GridOnlyWhenThereIsNothingToDraw) {
    struct Case {
        const char* name;
        std::function<void(PeakPicture&)> setUp;
    };
    const Case cases[] = {
        {"no records", [](PeakPicture& t) { t.data.lastIndex = -1; }},
        {"both peaks zero",
         [](PeakPicture& t) {
             for (int i = 0; i <= t.data.lastIndex; ++i)
                 for (float& v : t.data.peakRows[i].peak) v = 0;
         }},
        {"window past the last row",
         [](PeakPicture& t) {
             GraphViewState& v = t.view;
             setZoom(v, 7, 0, false, t.data.endTime + 1, t.data.endTime + 2, 100);
         }},
    };
    for (const Case& c : cases) {
        load(30);
        c.setUp(*this);
        draw();
        EXPECT_EQ(countInArea(kRed), 0) << c.name;
        // The frame and the solid zero line are there.
        const ScaleMapping m = mapping();
        EXPECT_EQ(image.pixel(area.left - 1, area.top + 5), qRgb(0, 0, 0)) << c.name;
        const int zero = m.toPixelY(0);
        for (int x = area.left; x <= area.right; ++x)
            ASSERT_EQ(image.pixel(x, zero), qRgb(0, 0, 0)) << c.name << " x " << x;
    }
}

TEST_F(PeakPicture, BarsRunFromThePositiveToTheNegativePeakOnTheirColumn) {
    load(30);
    draw();
    const ScaleMapping m = mapping();
    for (int i = 0; i < 30; ++i) {
        const PeakRow& r = data.peakRows[i];
        const int x = m.toPixelX(r.time[0]);
        const int top = m.toPixelY(r.peak[0]), bottom = m.toPixelY(r.peak[1]);
        for (int y = top; y <= bottom; ++y) ASSERT_EQ(image.pixel(x, y), kRed) << i << " " << y;
        EXPECT_NE(image.pixel(x, top - 1), kRed);
        EXPECT_NE(image.pixel(x, bottom + 1), kRed);
    }
    // View 0 draws X last, over Y and Z: the Z bar shows only beyond the X one.
    view.viewMode = kViewAllAxes;
    draw();
    const PeakRow& r = data.peakRows[3];
    const int x = m.toPixelX(r.time[0]);
    EXPECT_EQ(image.pixel(x, m.toPixelY(5)), kRed);
    EXPECT_EQ(image.pixel(x, m.toPixelY(15)), kBlue);
    EXPECT_EQ(image.pixel(x, m.toPixelY(25)), kGreen);
    EXPECT_EQ(image.pixel(x, m.toPixelY(-14)), kGreen);
}

TEST_F(PeakPicture, MergedColumnsGiveTheSamePictureAsBarByBar) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> g(-150, 150);
    load(20000);
    for (int i = 0; i <= data.lastIndex; ++i) {
        PeakRow& r = data.peakRows[i];
        for (int a = 0; a < 3; ++a) {
            // Bars of every kind: around zero, wholly above or below it, past
            // the plot area, single points and empty rows.
            float p = g(random), q = i % 5 == 0 ? p : g(random);
            r.peak[2 * a] = i % 97 == 0 ? 0 : p;
            r.peak[2 * a + 1] = i % 97 == 0 ? 0 : q;
        }
    }
    for (int v : {0, 1, 2, 3, 4}) {
        for (int g : {0, 3}) {
            view.viewMode = v;
            setZoom(view, g == 0 ? 0 : 11, g, false, data.startTime, data.endTime, 100);
            scrollTo(view, 0, g == 0 ? 0 : 40, 100);
            QImage pictures[2];
            for (bool merge : {false, true}) {
                QImage img(900, 500, QImage::Format_RGB32);
                img.fill(Qt::white);
                QPainter p(&img);
                GraphSurface surface(p, img.rect());
                surface.setFont(graphLabelFont());
                ScaleGraph graph;
                graph.SetCanvas(&surface);
                graph.SetArea(plotMargins(img.width(), img.height(), surface.textMetrics()));
                const int box = v == 4 ? 2 : std::max(0, graphOfView(v));
                graph.SetRange(view.currentScale.xMin, view.currentScale.yMin,
                               view.currentScale.xSpan, view.currentScale.ySpan);
                GraphContext c{view, data, identity};
                Write_PeakGrid(graph, c);
                Write_PeakData(graph, box, c, merge);
                p.end();
                pictures[merge] = img;
            }
            EXPECT_TRUE(pictures[0] == pictures[1]) << "view " << v << " zoom " << g;
        }
    }
}

TEST(WavePicture, SingleAxisCurveGoesThroughEverySamplesPixel) {
    DataSet data;
    data.filePath = "/tmp/KV51W.csv";
    data.samplePeriodText = "2";
    data.lastIndex = 1;
    data.currentIndex = 1;
    for (int s = 0; s < kWaveSamples; ++s)
        data.waveRecords[0][1].samples[s] = 90.0f * std::sin(s / 30.0);
    RecorderIdentity identity;
    identity.modelCode = 5100;
    identity.sensorRange = 100;
    identity.waveData = 1;
    GraphViewState view;
    view.viewMode = kViewX;
    view.currentScale = defaultWaveScale(100);

    QImage image(800, 400, QImage::Format_RGB32);
    image.fill(kUntouched);
    QPainter p(&image);
    GraphSurface surface(p, image.rect());
    surface.setFont(graphLabelFont());
    const PixelRect area = plotMargins(800, 400, surface.textMetrics());
    drawGraphBox(surface, 0, area, view, data, identity);
    p.end();
    ScaleMapping m;
    m.setArea(area);
    m.setRange(0, -120, 512, -240);
    for (int s = 0; s < kWaveSamples; ++s) {
        const PixelPoint pt = m.toPixel(s, data.waveRecords[0][1].samples[s]);
        ASSERT_EQ(image.pixel(pt.x, pt.y), kRed) << s;
    }
    // Dotted time lines at 0, 100 … 500, solid G lines at both ends.
    for (int x : {100, 200, 500}) {
        const int px = m.toPixelX(x);
        int dots = 0;
        for (int y = area.top; y <= area.bottom; ++y) dots += image.pixel(px, y) == qRgb(0, 0, 0);
        EXPECT_GT(dots, 0) << x;
        EXPECT_LT(dots, area.height()) << x;
    }
    EXPECT_EQ(image.pixel(area.left + 3, area.top), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(area.left + 3, area.bottom), qRgb(0, 0, 0));
}

}  // namespace
}  // namespace kv
