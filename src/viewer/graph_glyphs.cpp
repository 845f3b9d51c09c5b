#include "viewer/graph_glyphs.h"

#include <QPainter>
#include <QPainterPath>

#include "widgets/drawn_icon.h"

namespace kv {
namespace {

using namespace iconColour;

constexpr int kSide = 24;
const QColor kGreen(0x2e, 0x8b, 0x3e);

// A folder with a sheet coming out of it.
void drawOpen(QPainter& p) {
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 3, 11, 12));
    p.setBrush(QColor(0xf0, 0xc0, 0x4a));
    QPainterPath folder;
    folder.moveTo(2, 9);
    folder.lineTo(8, 9);
    folder.lineTo(10, 11);
    folder.lineTo(22, 11);
    folder.lineTo(20, 21);
    folder.lineTo(2, 21);
    folder.closeSubpath();
    p.drawPath(folder);
}

// A table: a header row and lines.
void drawList(QPainter& p) {
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3, 4, 18, 16));
    p.setBrush(QColor(0xc8, 0xd8, 0xf0));
    p.drawRect(QRectF(3, 4, 18, 4));
    p.setPen(QPen(kOutline, 0.8));
    for (int y = 12; y <= 16; y += 4) p.drawLine(QPointF(3, y), QPointF(21, y));
    p.drawLine(QPointF(9, 4), QPointF(9, 20));
}

void drawPrint(QPainter& p) {
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 2, 10, 8));
    p.setBrush(QColor(0xb8, 0xbe, 0xc8));
    p.drawRoundedRect(QRectF(2, 9, 20, 9), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 15, 10, 7));
    p.setPen(QPen(kOutline, 0.8));
    p.drawLine(QPointF(9, 18), QPointF(15, 18));
}

void drawInfo(QPainter& p) {
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(kBlue);
    p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(10.5, 6, 3, 3));
    p.drawRect(QRectF(10.5, 10.5, 3, 8));
}

void wave(QPainter& p, const QColor& colour, double y0, double amplitude) {
    p.setPen(QPen(colour, 1.6));
    QPainterPath path;
    path.moveTo(3, y0);
    for (int x = 3; x <= 21; x += 3)
        path.lineTo(x, y0 + ((x / 3) % 2 ? -amplitude : amplitude) * (x < 12 ? 1.0 : 0.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

// Three curves on one frame.
void drawAllAxes(QPainter& p) {
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2, 2, 20, 20));
    wave(p, kRed, 8, 3);
    wave(p, kBlue, 12, 3);
    wave(p, kGreen, 16, 3);
}

// Three frames, one curve each.
void drawSeparate(QPainter& p) {
    const QColor colours[3] = {kRed, kBlue, kGreen};
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(kOutline, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2, 2 + i * 7, 20, 6));
        wave(p, colours[i], 5 + i * 7, 1.5);
    }
}

// Axes with a magnifying glass: the scale.
void drawScale(QPainter& p) {
    p.setPen(QPen(kOutline, 1.4));
    p.drawLine(QPointF(3, 2), QPointF(3, 21));
    p.drawLine(QPointF(3, 21), QPointF(22, 21));
    for (int i = 0; i < 4; ++i) p.drawLine(QPointF(3, 4 + i * 4.5), QPointF(6, 4 + i * 4.5));
    p.setBrush(QColor(0xe0, 0xee, 0xff));
    p.drawEllipse(QRectF(8, 4, 9, 9));
    p.setPen(QPen(kOutline, 2.4));
    p.drawLine(QPointF(16, 12), QPointF(21, 17));
}

// A recorder with a check mark: its settings confirmed.
void drawDataSet(QPainter& p) {
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(kRecorder);
    p.drawRoundedRect(QRectF(2, 5, 16, 14), 2, 2);
    p.setBrush(kRecorderPanel);
    p.drawRect(QRectF(5, 8, 10, 5));
    p.setPen(QPen(kGreen, 2.4));
    p.drawLine(QPointF(13, 15), QPointF(16, 19));
    p.drawLine(QPointF(16, 19), QPointF(22, 9));
}

// A response spectrum on log-log axes: the shock analysis.
void drawSpectrum(QPainter& p) {
    p.setPen(QPen(kOutline, 1.4));
    p.drawLine(QPointF(3, 2), QPointF(3, 21));
    p.drawLine(QPointF(3, 21), QPointF(22, 21));
    p.setPen(QPen(kOutline, 0.6, Qt::DotLine));
    for (double x : {9.0, 15.0}) p.drawLine(QPointF(x, 3), QPointF(x, 20));
    p.setBrush(Qt::NoBrush);
    QPainterPath curve;
    curve.moveTo(4, 18);
    curve.cubicTo(10, 14, 13, 6, 17, 6);
    curve.lineTo(21, 7);
    p.setPen(QPen(kRed, 1.8));
    p.drawPath(curve);
}

// Bars of falling height: the events of a trip by size.
void drawHistogram(QPainter& p) {
    p.setPen(QPen(kOutline, 1.4));
    p.drawLine(QPointF(3, 21), QPointF(22, 21));
    const double heights[] = {16, 10, 6, 3};
    const QColor colours[] = {kRed, kBlue, kGreen, kRed};
    p.setPen(QPen(kOutline, 0.8));
    for (int i = 0; i < 4; ++i) {
        p.setBrush(colours[i]);
        p.drawRect(QRectF(4 + i * 4.5, 21 - heights[i], 3.5, heights[i]));
    }
}

// By GraphGlyph.
constexpr IconDrawing kDrawings[] = {drawOpen,     drawList,     drawPrint, drawInfo,
                                     drawAllAxes,  drawSeparate, drawScale, drawDataSet,
                                     drawSpectrum, drawHistogram};

}  // namespace

QIcon graphGlyph(GraphGlyph glyph) {
    return drawnIcon(kSide, kDrawings[static_cast<int>(glyph)]);
}

}  // namespace kv
