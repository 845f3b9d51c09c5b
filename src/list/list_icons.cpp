#include "list/list_icons.h"

#include <QPainter>
#include <QPainterPath>

#include "widgets/drawn_icon.h"

namespace kv {
namespace {

using namespace iconColour;

constexpr int kSide = 20;

void drawPrinter(QPainter& p) {
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5, 2, 10, 6));
    p.setBrush(kSteel);
    p.drawRoundedRect(QRectF(2, 8, 16, 7), 1.5, 1.5);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5, 12, 10, 6));
    p.drawLine(QPointF(7, 14.5), QPointF(13, 14.5));
}

// A bar chart whose highest bar is marked: the largest value.
void drawMaximum(QPainter& p) {
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kGrid);
    p.drawRect(QRectF(2, 11, 4, 7));
    p.drawRect(QRectF(14, 9, 4, 9));
    p.setBrush(QColor(0xd9, 0x3f, 0x3f));
    p.drawRect(QRectF(8, 4, 4, 14));
    p.drawLine(QPointF(6, 2), QPointF(14, 2));
}

void drawFind(QPainter& p) {
    p.setPen(QPen(kOutline, 2));
    p.setBrush(QColor(0xdd, 0xec, 0xfa));
    p.drawEllipse(QRectF(2, 2, 11, 11));
    p.drawLine(QPointF(11.5, 11.5), QPointF(18, 18));
}

void drawDataOrder(QPainter& p) {
    p.setPen(QPen(kBlue, 2));
    QPainterPath arc;
    arc.moveTo(15, 15);
    arc.cubicTo(19, 8, 13, 3, 6, 6);
    p.drawPath(arc);
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({QPointF(2, 6), QPointF(8, 2), QPointF(8, 10)}));
}

// Bars long to short (largest first) or short to long, with the arrow of the
// direction.
void drawSorted(QPainter& p, bool largestFirst) {
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    for (int i = 0; i < 4; ++i) {
        const double length = largestFirst ? 11 - i * 3 : 2 + i * 3;
        p.drawRect(QRectF(2, 2 + i * 4.5, length, 2.5));
    }
    p.setPen(QPen(kBlue, 2));
    p.drawLine(QPointF(16, 3), QPointF(16, 17));
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({QPointF(13, 13), QPointF(19, 13), QPointF(16, 18)}));
}

void drawLargestFirst(QPainter& p) {
    drawSorted(p, true);
}
void drawSmallestFirst(QPainter& p) {
    drawSorted(p, false);
}

}  // namespace

QIcon listIcon(ListPicture picture) {
    constexpr IconDrawing kDrawings[] = {drawPrinter,   drawMaximum,      drawFind,
                                         drawDataOrder, drawLargestFirst, drawSmallestFirst};
    // One pixel ratio: Qt scales it up on a high-density screen.
    return drawnIcon(kSide, kDrawings[static_cast<int>(picture)], {1.0});
}

}  // namespace kv
