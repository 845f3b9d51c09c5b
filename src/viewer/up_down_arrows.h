#pragma once

#include <QAbstractSpinBox>

namespace kv {

// An up-down arrow pair without a number of its own: each click on an arrow
// (or a wheel notch, or an arrow key) is one step of the selector beside it.
class UpDownArrows : public QAbstractSpinBox {
    Q_OBJECT
  public:
    explicit UpDownArrows(QWidget* parent = nullptr);

    void stepBy(int steps) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  signals:
    void stepped(bool up);

  protected:
    StepEnabled stepEnabled() const override;
};

}  // namespace kv
