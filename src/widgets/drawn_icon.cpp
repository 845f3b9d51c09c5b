#include "widgets/drawn_icon.h"

#include <QPainter>
#include <QPixmap>

namespace kv {

QIcon drawnIcon(int side, IconDrawing draw, std::initializer_list<qreal> ratios) {
    QIcon icon;
    for (qreal ratio : ratios) {
        QPixmap pixmap(QSize(side, side) * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace kv
