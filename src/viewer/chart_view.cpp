#include "viewer/chart_view.h"

#include <QPainter>

namespace kv {

ChartView::ChartView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(160, 120);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setFocusPolicy(Qt::TabFocus);
}

void ChartView::setPicture(const ChartPicture& picture, const QString& description) {
    picture_ = picture;
    setAccessibleDescription(description);
    update();
}

QSize ChartView::sizeHint() const {
    return {kDefaultChartWidth, kDefaultChartHeight};
}

void ChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    plan_ = paintChart(painter, width(), height(), picture_, false);
}

}  // namespace kv
