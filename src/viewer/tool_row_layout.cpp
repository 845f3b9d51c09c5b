#include "viewer/tool_row_layout.h"

#include <QWidget>
#include <algorithm>

#include "graph/graph_layout.h"

namespace kv {

ToolRowLayout::~ToolRowLayout() {
    while (QLayoutItem* item = takeAt(0)) delete item;
}

QLayoutItem* ToolRowLayout::takeAt(int index) {
    return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

std::vector<int> ToolRowLayout::widths() const {
    std::vector<int> w;
    for (QLayoutItem* item : items_)
        if (!item->isEmpty()) w.push_back(item->sizeHint().width());
    return w;
}

int ToolRowLayout::rowHeight() const {
    int h = 0;
    for (QLayoutItem* item : items_)
        if (!item->isEmpty()) h = std::max(h, item->sizeHint().height());
    return h;
}

int ToolRowLayout::heightForWidth(int width) const {
    const std::vector<int> w = widths();
    return toolRowCount(w, width) * rowHeight();
}

QSize ToolRowLayout::sizeHint() const {
    const std::vector<int> w = widths();
    int total = 0;
    for (int x : w) total += x;
    return {total, rowHeight()};
}

QSize ToolRowLayout::minimumSize() const {
    const std::vector<int> w = widths();
    return {w.empty() ? 0 : *std::max_element(w.begin(), w.end()), rowHeight()};
}

void ToolRowLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    const std::vector<int> w = widths();
    const std::vector<ToolPlace> places = wrapToolPanels(w, rect.width());
    const int h = rowHeight();
    size_t k = 0;
    for (QLayoutItem* item : items_) {
        if (item->isEmpty()) continue;
        const ToolPlace& p = places[k];
        item->setGeometry(QRect(rect.x() + p.left, rect.y() + p.row * h, w[k], h));
        ++k;
    }
}

}  // namespace kv
