#pragma once

#include <QLayout>
#include <QList>

namespace kv {

// The graph window's tool panels side by side, wrapping into further rows in
// a narrow window (see wrapToolPanels): every command stays reachable. Panels
// that are hidden take no room. The rows are as high as the highest panel.
class ToolRowLayout : public QLayout {
  public:
    explicit ToolRowLayout(QWidget* parent) : QLayout(parent) {
        setContentsMargins(0, 0, 0, 0);
        setSpacing(0);
    }
    ~ToolRowLayout() override;

    void addItem(QLayoutItem* item) override { items_.append(item); }
    int count() const override { return static_cast<int>(items_.size()); }
    QLayoutItem* itemAt(int index) const override { return items_.value(index); }
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;  // one row
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

  private:
    std::vector<int> widths() const;
    int rowHeight() const;

    QList<QLayoutItem*> items_;
};

}  // namespace kv
