#include "screens/condition_widgets.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

#include "base/host.h"

namespace kv {
namespace {

class DigitKeyFilter : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            const QString text = key->text();
            const bool shortcut = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
            if (!shortcut && !text.isEmpty() && text.at(0).isPrint()) {
                for (QChar c : text) {
                    if (c < u'0' || c > u'9') return true;
                }
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

class TypedLengthFilter : public QObject {
  public:
    TypedLengthFilter(QLineEdit* edit, int maxLength) : QObject(edit), maxLength_(maxLength) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            auto* edit = static_cast<QLineEdit*>(watched);
            const QString text = key->text();
            const bool shortcut = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
            if (!shortcut && !text.isEmpty() && text.at(0).isPrint() &&
                edit->text().size() - edit->selectedText().size() + text.size() > maxLength_)
                return true;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    int maxLength_;
};

class ShiftRightClickFilter : public QObject {
  public:
    ShiftRightClickFilter(QObject* parent, std::function<void()> action)
        : QObject(parent), action_(std::move(action)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::RightButton && (mouse->modifiers() & Qt::ShiftModifier))
                action_();
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> action_;
};

}  // namespace

void fillItems(QComboBox* combo, const std::vector<std::string>& items) {
    combo->clear();
    for (const std::string& item : items) combo->addItem(qs(item));
}

void selectItem(QComboBox* combo, int index) {
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

QLabel* captionFor(const QString& caption, QWidget* control, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setBuddy(control);
    control->setAccessibleName(caption);
    return label;
}

void acceptDigitKeysOnly(QLineEdit* edit) {
    edit->installEventFilter(new DigitKeyFilter(edit));
}

void limitTypedLength(QLineEdit* edit, int maxLength) {
    edit->installEventFilter(new TypedLengthFilter(edit, maxLength));
    // Pasted or composed text is cut to the limit as well.
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, maxLength](const QString& text) {
        if (text.size() > maxLength) edit->setText(text.left(maxLength));
    });
}

void onShiftRightClick(QGroupBox* group, std::function<void()> unlock) {
    group->installEventFilter(new ShiftRightClickFilter(group, std::move(unlock)));
}

QGridLayout* buildSensorGrid(QGroupBox* group, std::array<QLineEdit*, 6>& edits) {
    auto* grid = new QGridLayout(group);
    const QString numberCaption = QStringLiteral("センサー番号");
    const QString sensitivityCaption = QStringLiteral("感度(mV/G)");
    grid->addWidget(new QLabel(numberCaption, group), 0, 1, Qt::AlignHCenter);
    grid->addWidget(new QLabel(sensitivityCaption, group), 0, 2, Qt::AlignHCenter);
    const QString axes[3] = {QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z")};
    for (int axis = 0; axis < 3; ++axis) {
        auto* number = new QLineEdit(group);
        auto* sensitivity = new QLineEdit(group);
        number->setObjectName(QStringLiteral("Edit%1").arg(4 + 2 * axis));
        sensitivity->setObjectName(QStringLiteral("Edit%1").arg(5 + 2 * axis));
        number->setFixedWidth(96);
        sensitivity->setFixedWidth(96);
        number->setAccessibleName(numberCaption + QLatin1Char(' ') + axes[axis]);
        sensitivity->setAccessibleName(sensitivityCaption + QLatin1Char(' ') + axes[axis]);
        auto* axisLabel = new QLabel(axes[axis], group);
        axisLabel->setBuddy(number);
        grid->addWidget(axisLabel, axis + 1, 0);
        grid->addWidget(number, axis + 1, 1);
        grid->addWidget(sensitivity, axis + 1, 2);
        edits[2 * axis] = number;
        edits[2 * axis + 1] = sensitivity;
    }
    grid->setColumnStretch(3, 1);
    return grid;
}

std::array<std::string, 3> sensitivityTexts(const std::array<QLineEdit*, 6>& edits) {
    return {str(edits[1]->text()), str(edits[3]->text()), str(edits[5]->text())};
}

std::array<std::string, 3> sensorNumberTexts(const std::array<QLineEdit*, 6>& edits) {
    return {str(edits[0]->text()), str(edits[2]->text()), str(edits[4]->text())};
}

SessionBusy::SessionBusy(Host& host, QWidget* controls, bool& flag)
    : host_(host), controls_(controls), flag_(flag) {
    flag_ = true;
    controls_->setEnabled(false);
    host_.setBusy(true);
    host_.processEvents();
}

SessionBusy::~SessionBusy() {
    host_.processEvents();
    host_.setBusy(false);
    controls_->setEnabled(true);
    flag_ = false;
}

}  // namespace kv
