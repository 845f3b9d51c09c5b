#include "app/button_icons.h"

#include <QPainter>
#include <QPainterPath>

#include "widgets/drawn_icon.h"

namespace kv {
namespace {

using namespace iconColour;

constexpr int kSide = 48;

void drawInformation(QPainter& p) {
    p.setPen(QPen(kOutline, 2));
    p.setBrush(kBlue);
    p.drawEllipse(QRectF(4, 4, 40, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(21, 11, 6, 6));
    p.drawRoundedRect(QRectF(21, 20, 6, 17), 2, 2);
}

// A recorder with a setting dial: the conditions are written to the device.
void drawConditions(QPainter& p) {
    p.setPen(QPen(kOutline, 2));
    p.setBrush(kRecorder);
    p.drawRoundedRect(QRectF(5, 9, 38, 30), 4, 4);
    p.setBrush(kRecorderPanel);
    p.drawRect(QRectF(10, 14, 16, 10));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(29, 14, 10, 10));
    p.drawLine(QPointF(34, 19), QPointF(37, 16));
    for (int i = 0; i < 3; ++i) p.drawLine(QPointF(11 + i * 6, 33), QPointF(11 + i * 6, 29));
}

void drawPcSettings(QPainter& p) {
    p.setPen(QPen(kOutline, 2));
    p.setBrush(kSteel);
    p.drawRoundedRect(QRectF(4, 6, 40, 28), 3, 3);
    p.setBrush(QColor(0x3c, 0x8d, 0xbc));
    p.drawRect(QRectF(8, 10, 32, 20));
    p.setBrush(kSteel);
    p.drawRect(QRectF(20, 34, 8, 5));
    p.drawRoundedRect(QRectF(12, 39, 24, 5), 2, 2);
    // A cable leaving the PC: the serial line.
    p.setPen(QPen(QColor(0xf5, 0xf5, 0xf5), 2));
    p.drawLine(QPointF(12, 25), QPointF(20, 17));
    p.drawLine(QPointF(20, 17), QPointF(27, 22));
    p.drawLine(QPointF(27, 22), QPointF(36, 13));
}

void drawGraph(QPainter& p) {
    p.setPen(QPen(kOutline, 2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5, 5, 38, 38));
    p.setPen(QPen(kGrid, 1));
    for (int i = 1; i < 4; ++i) {
        p.drawLine(QPointF(5, 5 + i * 9.5), QPointF(43, 5 + i * 9.5));
        p.drawLine(QPointF(5 + i * 9.5, 5), QPointF(5 + i * 9.5, 43));
    }
    p.setPen(QPen(kRed, 2.5));
    QPainterPath curve;
    curve.moveTo(7, 36);
    curve.lineTo(15, 30);
    curve.lineTo(21, 33);
    curve.lineTo(29, 17);
    curve.lineTo(35, 22);
    curve.lineTo(41, 9);
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
}

// A shock trace on a monitor: the live telegrams.
void drawRealTime(QPainter& p) {
    p.setPen(QPen(kOutline, 2));
    p.setBrush(QColor(0x1e, 0x29, 0x33));
    p.drawRoundedRect(QRectF(4, 6, 40, 34), 4, 4);
    p.setPen(QPen(QColor(0x4c, 0xe0, 0x6a), 2.5));
    QPainterPath trace;
    trace.moveTo(8, 24);
    trace.lineTo(16, 24);
    trace.lineTo(19, 12);
    trace.lineTo(23, 34);
    trace.lineTo(27, 18);
    trace.lineTo(30, 24);
    trace.lineTo(40, 24);
    p.setBrush(Qt::NoBrush);
    p.drawPath(trace);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe0, 0x3c, 0x3c));
    p.drawEllipse(QRectF(36, 9, 5, 5));
}

void drawDownload(QPainter& p) {
    p.setPen(QPen(kOutline, 2));
    p.setBrush(QColor(0x3c, 0x9d, 0x5d));
    QPolygonF arrow;
    arrow << QPointF(18, 4) << QPointF(30, 4) << QPointF(30, 20) << QPointF(38, 20)
          << QPointF(24, 34) << QPointF(10, 20) << QPointF(18, 20);
    p.drawPolygon(arrow);
    p.setBrush(kSteel);
    p.drawRoundedRect(QRectF(5, 36, 38, 8), 2, 2);
}

}  // namespace

QIcon buttonIcon(ButtonPicture picture) {
    constexpr IconDrawing kDrawings[] = {drawInformation, drawConditions, drawPcSettings,
                                         drawGraph,       drawRealTime,   drawDownload};
    return drawnIcon(kSide, kDrawings[static_cast<int>(picture)]);
}

}  // namespace kv
