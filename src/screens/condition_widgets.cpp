#include "screens/condition_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "base/host.h"
#include "screens/settings_write.h"

namespace kv {
namespace {

// While a recorder session runs: the controls are disabled, the cursor is the
// hourglass and the window refuses to close (flag is true).
class SessionBusy {
  public:
    SessionBusy(Host& host, QWidget* controls, bool& flag)
        : host_(host), controls_(controls), flag_(flag) {
        flag_ = true;
        controls_->setEnabled(false);
        host_.setBusy(true);
        host_.processEvents();
    }
    ~SessionBusy() {
        host_.processEvents();
        host_.setBusy(false);
        controls_->setEnabled(true);
        flag_ = false;
    }
    SessionBusy(const SessionBusy&) = delete;
    SessionBusy& operator=(const SessionBusy&) = delete;

  private:
    Host& host_;
    QWidget* controls_;
    bool& flag_;
};

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

QWidget* addControlsArea(QDialog* dialog) {
    auto* outer = new QVBoxLayout(dialog);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    auto* controls = new QWidget(dialog);
    outer->addWidget(controls);
    return controls;
}

QPushButton* addOkRow(QDialog* dialog) {
    auto* ok = new QPushButton(QStringLiteral("ＯＫ(&Y)"), dialog);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setMinimumWidth(96);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(ok);
    static_cast<QVBoxLayout*>(dialog->layout())->addLayout(bottom);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    return ok;
}

void nameButtons(std::initializer_list<QPushButton*> buttons) {
    for (QPushButton* b : buttons) {
        b->setAutoDefault(false);
        b->setAccessibleName(b->text().remove(QLatin1Char('&')));
    }
}

QTimer* makeClockTimer(QObject* owner, std::function<void()> tick) {
    auto* timer = new QTimer(owner);
    timer->setObjectName(QStringLiteral("Timer1"));
    timer->setInterval(500);
    QObject::connect(timer, &QTimer::timeout, owner, std::move(tick));
    return timer;
}

void makeDeviceNumberControls(QGroupBox* group, QLineEdit*& edit, const char* editName,
                              QPushButton*& write, const char* writeName) {
    edit = new QLineEdit(group);
    edit->setObjectName(QLatin1String(editName));
    limitTypedLength(edit, 2);
    edit->setFixedWidth(48);
    edit->setToolTip(QStringLiteral("号機番号を設定します。１～９９の範囲で設定できます。"));
    acceptDigitKeysOnly(edit);
    write = new QPushButton(QStringLiteral("機器番号設定"), group);
    write->setObjectName(QLatin1String(writeName));
}

void addDeviceNumberRow(QGridLayout* grid, QLineEdit* edit, QPushButton* write) {
    QWidget* group = grid->parentWidget();
    grid->addWidget(captionFor(QStringLiteral("機器番号"), edit, group), 0, 0);
    grid->addWidget(edit, 0, 1, Qt::AlignLeft);
    grid->addWidget(write, 0, 2);
}

void makeClockControls(QGroupBox* group, QCheckBox*& usePcClock, QLineEdit*& recorderClock,
                       QLineEdit*& pcClock, QPushButton*& write, const char* writeName,
                       int clockTypedLength) {
    usePcClock = new QCheckBox(QStringLiteral("PC時刻に設定する"), group);
    usePcClock->setObjectName(QStringLiteral("CheckBox1"));
    usePcClock->setToolTip(QStringLiteral("設定時にＰＣの時刻を使用します"));
    usePcClock->setAccessibleName(usePcClock->text());
    recorderClock = new QLineEdit(group);
    recorderClock->setObjectName(QStringLiteral("Edit2"));
    if (clockTypedLength > 0) limitTypedLength(recorderClock, clockTypedLength);
    recorderClock->setMinimumWidth(170);
    recorderClock->setToolTip(QStringLiteral("ＫＶ時刻を表示します。"));
    pcClock = new QLineEdit(group);
    pcClock->setObjectName(QStringLiteral("Edit3"));
    pcClock->setEnabled(false);
    write = new QPushButton(QStringLiteral("時刻設定"), group);
    write->setObjectName(QLatin1String(writeName));
}

void addClockRows(QGridLayout* grid, int row, QCheckBox* usePcClock, QLineEdit* recorderClock,
                  QLineEdit* pcClock, QPushButton* write) {
    QWidget* group = grid->parentWidget();
    grid->addWidget(usePcClock, row, 1, 1, 2);
    grid->addWidget(captionFor(QStringLiteral("ＫＶ時刻"), recorderClock, group), row + 1, 0);
    grid->addWidget(recorderClock, row + 1, 1);
    grid->addWidget(write, row + 1, 2);
    grid->addWidget(captionFor(QStringLiteral("ＰＣ時刻"), pcClock, group), row + 2, 0);
    grid->addWidget(pcClock, row + 2, 1);
}

QGroupBox* buildSensorGroup(QWidget* parent, std::array<QLineEdit*, 6>& edits, QPushButton*& write,
                            const char* writeName) {
    auto* group = new QGroupBox(QStringLiteral("センサー情報"), parent);
    group->setObjectName(QStringLiteral("GroupBox2"));
    QGridLayout* grid = buildSensorGrid(group, edits);
    write = new QPushButton(QStringLiteral("センサー設定"), group);
    write->setObjectName(QLatin1String(writeName));
    grid->addWidget(write, 4, 2);
    return group;
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

bool confirmedWrite(Link& link, const PcSettings& settings, QWidget* controls, bool& sessionRunning,
                    const std::string& question,
                    const std::function<bool(RecorderSession&)>& commands) {
    if (!confirmWrite(link.host, question)) return false;
    WriteOutcome outcome = WriteOutcome::Failed;
    {
        SessionBusy busy(link.host, controls, sessionRunning);
        outcome = runInSession(link, settings, commands);
    }
    reportWrite(link.host, outcome);
    return outcome == WriteOutcome::Written;
}

}  // namespace kv
