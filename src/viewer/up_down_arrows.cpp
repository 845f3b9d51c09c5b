#include "viewer/up_down_arrows.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

namespace kv {

UpDownArrows::UpDownArrows(QWidget* parent) : QAbstractSpinBox(parent) {
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
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

// The arrows of an ordinary spin box of the style, with its frame, without
// the field for the number: as wide and as high as the style draws them there.
QSize UpDownArrows::sizeHint() const {
    const int height = QAbstractSpinBox::sizeHint().height();
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    constexpr int kWideBox = 200;
    option.rect = QRect(0, 0, kWideBox, height);
    const QRect up =
        style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, this);
    const QRect field =
        style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxEditField, this);
    return {field.left() + kWideBox - up.left(), height};
}

}  // namespace kv
