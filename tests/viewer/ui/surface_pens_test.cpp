#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>

#include "base/datetime.h"
#include "graph/graph_labels.h"
#include "graph/zoom_scale.h"
#include "viewer/graph_drawing.h"

namespace kv {
namespace {

// A triaxial measurement of both kinds with shapes in every part of the plot
// area, drawn as a paint box draws it.
struct Measurement {
    DataSet data;
    RecorderIdentity identity;
    GraphViewState view;

    explicit Measurement(bool wave) {
        data.filePath = "/tmp/KV53.csv";
        data.samplePeriodText = "2";
        data.startTime = encodeDateTimeLenient(CalendarTime{2014, 3, 15, 9, 0, 0, 0});
        data.endTime = data.startTime + 0.5;
        identity.modelCode = 5300;
        identity.sensorRange = 100;
        identity.waveData = wave ? 1 : 0;
        if (wave) {
            data.lastIndex = data.currentIndex = 0;
            for (int a = 0; a < 3; ++a)
                for (int s = 0; s < kWaveSamples; ++s)
                    data.waveRecords[a][0].samples[s] =
                        static_cast<float>((40 + 30 * a) * std::sin(s / (17.0 + 9 * a)));
            view.currentScale = defaultWaveScale(100);
        } else {
            data.lastIndex = 199;
            for (int i = 0; i <= data.lastIndex; ++i) {
                PeakRow& r = data.peakRows[i];
                for (int a = 0; a < 3; ++a) {
                    r.time[a] = data.startTime + (i + 0.5) / 400.0;
                    r.peak[2 * a] = static_cast<float>((i * 37 + a * 11) % 130);
                    r.peak[2 * a + 1] = -static_cast<float>((i * 53 + a * 7) % 125);
                }
            }
            view.currentScale = defaultPeakScale(data.startTime, data.endTime, 100);
        }
        view.zoomScale = view.currentScale;
        // Labels in the paper's colour: the lines alone, whatever fonts the
        // machine has.
        for (GraphColors& c : view.colors) c.font = 0xFFFFFF;
    }

    QImage draw(int box, const PixelRect& area, QSize size) const {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        GraphSurface surface(p, image.rect());
        surface.setFont(graphLabelFont());
        drawGraphBox(surface, box, area, view, data, identity);
        return image;
    }
};

uint64_t fingerprint(const QImage& image) {
    uint64_t h = 1469598103934665603ULL;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            h ^= line[x] & 0xFFFFFF;
            h *= 1099511628211ULL;
        }
    }
    return h;
}

// The screen's lines are what they were before pens learned about paper: one
// pixel, dotted grid, two-pixel frame. Any change of a pixel shows here.
TEST(ScreenPens, PicturesAtScreenResolutionStayAsTheyWere) {
    struct Case {
        const char* name;
        bool wave;
        int view;
        int box;
        int gZoom;
        uint64_t expected;
    };
    const Case cases[] = {
        {"wave, all axes", true, kViewAllAxes, 0, 0, 6450916590272477823u},
        {"wave, separate Y", true, kViewSeparate, 1, 0, 18105146777771884758u},
        {"peak, X", false, kViewX, 0, 0, 13104748996855480767u},
        {"peak, all axes x5", false, kViewAllAxes, 0, 2, 12900325167248295655u},
    };
    const QSize size(675, 365);
    const PixelRect area{33, 15, 595, 335};
    for (const Case& c : cases) {
        Measurement m(c.wave);
        m.view.viewMode = c.view;
        if (c.gZoom) setZoom(m.view, 0, c.gZoom, c.wave, m.data.startTime, m.data.endTime, 100);
        const QImage image = m.draw(c.box, area, size);
        EXPECT_EQ(fingerprint(image), c.expected) << c.name;
    }
}

// On paper the lines have their widths in points, and the grid stays dotted
// in dots sized in points rather than turning into a solid mesh.
TEST(PaperPens, APrintedGraphReadsLikeTheScreen) {
    Measurement m(true);
    m.view.viewMode = kViewX;
    for (GraphColors& c : m.view.colors) c.back = 0xFFFFFF;
    QImage image(4000, 2600, QImage::Format_RGB32);
    image.setDotsPerMeterX(47244);  // 1200 dots per inch: 16.7 to the point
    image.setDotsPerMeterY(47244);
    image.fill(Qt::white);
    const PixelRect area{400, 200, 3600, 2400};
    {
        QPainter p(&image);
        GraphSurface surface(p, image.rect());
        surface.setFont(graphLabelFont());
        drawGraphBox(surface, 0, area, m.view, m.data, m.identity);
    }
    const QRgb black = qRgb(0, 0, 0);
    auto runDown = [&](int x, int y0, int y1, QRgb colour) {
        int n = 0;
        for (int y = y0; y <= y1; ++y) n += image.pixel(x, y) == colour;
        return n;
    };
    // The frame and the zero line 0.75 pt, a grid line 0.25 pt.
    const int x = area.left + 1000;
    EXPECT_NEAR(runDown(x, area.top - 40, area.top + 40, black), 12.5, 1) << "frame";
    const int zero = (area.top + area.bottom) / 2;
    EXPECT_NEAR(runDown(area.left + 40, zero - 40, zero + 40, black), 12.5, 1) << "zero line";
    ScaleMapping map;
    map.setArea(area);
    map.setRange(0, -120, 512, -240);
    const int gridY = map.toPixelY(-100);
    int dashX = area.left + 20;
    while (image.pixel(dashX, gridY) != black) ++dashX;
    EXPECT_NEAR(runDown(dashX + 2, gridY - 20, gridY + 20, black), 4.2, 1) << "grid";
    // Its dots: 0.5 pt on and 1.5 pt off, a quarter of the line inked.
    int inked = 0;
    for (int px = area.left + 20; px < area.right - 20; ++px)
        inked += image.pixel(px, gridY) == black;
    EXPECT_NEAR(inked / double(area.right - area.left - 40), 0.25, 0.03);
    // The curve 0.75 pt: at its top, where it runs flat, a column crosses 12 or 13.
    const int crest = 17 * 3.14159 / 2;  // sin(s / 17) peaks here
    const int cx = map.toPixelX(crest);
    EXPECT_NEAR(runDown(cx, area.top, area.bottom, qRgb(255, 0, 0)), 12.5, 1.5) << "curve";
}

}  // namespace
}  // namespace kv
