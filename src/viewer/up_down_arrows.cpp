#include "viewer/up_down_arrows.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

namespace kv {

UpDownArrows::UpDownArrows(QWidget* parent) : QAbstractSpinBox(parent) {
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setFrame(false);
    setKeyboardTracking(false);
    lineEdit()->setReadOnly(true);
    lineEdit()->setVisible(false);
    setFocusPolicy(Qt::TabFocus);
    setFixedSize(sizeHint());
}

void UpDownArrows::stepBy(int steps) {
    for (int i = 0; i < std::abs(steps); ++i) emit stepped(steps > 0);
}

QAbstractSpinBox::StepEnabled UpDownArrows::stepEnabled() const {
    return isEnabled() ? (StepUpEnabled | StepDownEnabled) : StepNone;
}

QSize UpDownArrows::sizeHint() const {
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const int width = style()->pixelMetric(QStyle::PM_ScrollBarExtent, &option, this);
    return {width + 2, 22};
}

}  // namespace kv
