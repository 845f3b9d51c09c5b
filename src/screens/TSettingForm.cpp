#include "screens/TSettingForm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "link/link.h"
#include "recorder/config_commands.h"
#include "recorder/recorder_state.h"
#include "recorder/value_texts.h"
#include "screens/clock_entry.h"
#include "screens/condition_messages.h"
#include "screens/condition_rules.h"
#include "screens/condition_widgets.h"
#include "screens/settings_write.h"
#include "settings/pc_settings.h"

namespace kv {

TSettingForm::TSettingForm(Link& link, PcSettings& settings, RecorderState& state, QWidget* parent)
    : RecorderDialog(parent), link_(link), settings_(settings), state_(state) {
    setObjectName(QStringLiteral("TSettingForm"));
    setWindowTitle(QStringLiteral("ＫＶ測定条件設定画面"));
    setModal(true);
    buildControls();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &TSettingForm::Timer1Timer);

    connect(CheckBox1, &QCheckBox::toggled, this, &TSettingForm::CheckBox1Click);
    connect(Edit2, &QLineEdit::textChanged, this, &TSettingForm::Edit2Change);
    connect(ComboBox1, &QComboBox::activated, this, &TSettingForm::ComboBox1Change);
    connect(Button1, &QPushButton::clicked, this, &TSettingForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TSettingForm::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TSettingForm::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TSettingForm::Button4Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    onShiftRightClick(GroupBox2, [this] { GroupBox2MouseDown(); });
}

void TSettingForm::buildControls() {
    auto* outer = new QVBoxLayout(this);
    // No size of its own: the window fits its controls in the screen font.
    outer->setSizeConstraint(QLayout::SetFixedSize);
    controls_ = new QWidget(this);
    outer->addWidget(controls_);
    auto* groups = new QVBoxLayout(controls_);
    groups->setContentsMargins(0, 0, 0, 0);

    GroupBox1 = new QGroupBox(QStringLiteral("機器情報"), controls_);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* device = new QGridLayout(GroupBox1);
    Edit1 = new QLineEdit(GroupBox1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    limitTypedLength(Edit1, 2);
    Edit1->setFixedWidth(48);
    Edit1->setToolTip(QStringLiteral("号機番号を設定します。１～９９の範囲で設定できます。"));
    acceptDigitKeysOnly(Edit1);
    Button1 = new QPushButton(QStringLiteral("機器番号設定"), GroupBox1);
    Button1->setObjectName(QStringLiteral("Button1"));

    StaticText3 = new QLabel(GroupBox1);
    StaticText3->setObjectName(QStringLiteral("StaticText3"));
    StaticText3->setFrameShape(QFrame::StyledPanel);
    StaticText3->setFrameShadow(QFrame::Sunken);
    StaticText3->setToolTip(
        QStringLiteral("記録周期を設定します。設定する時は下のリストから選択して下さい。"));
    ComboBox1 = new QComboBox(GroupBox1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    fillItems(ComboBox1, recordPeriodItems());
    Button2 = new QPushButton(QStringLiteral("周期設定"), GroupBox1);
    Button2->setObjectName(QStringLiteral("Button2"));

    CheckBox1 = new QCheckBox(QStringLiteral("PC時刻に設定する"), GroupBox1);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setToolTip(QStringLiteral("設定時にＰＣの時刻を使用します"));
    Edit2 = new QLineEdit(GroupBox1);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    limitTypedLength(Edit2, 28);
    Edit2->setMinimumWidth(170);
    Edit2->setToolTip(QStringLiteral("ＫＶ時刻を表示します。"));
    Edit3 = new QLineEdit(GroupBox1);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    Edit3->setEnabled(false);
    Button3 = new QPushButton(QStringLiteral("時刻設定"), GroupBox1);
    Button3->setObjectName(QStringLiteral("Button3"));

    device->addWidget(captionFor(QStringLiteral("機器番号"), Edit1, GroupBox1), 0, 0);
    device->addWidget(Edit1, 0, 1, Qt::AlignLeft);
    device->addWidget(Button1, 0, 2);
    device->addWidget(captionFor(QStringLiteral("記録周期"), ComboBox1, GroupBox1), 1, 0);
    device->addWidget(StaticText3, 1, 1);
    device->addWidget(ComboBox1, 2, 1);
    device->addWidget(Button2, 2, 2);
    StaticText3->setAccessibleName(QStringLiteral("記録周期"));
    device->addWidget(CheckBox1, 3, 1, 1, 2);
    device->addWidget(captionFor(QStringLiteral("ＫＶ時刻"), Edit2, GroupBox1), 4, 0);
    device->addWidget(Edit2, 4, 1);
    device->addWidget(Button3, 4, 2);
    device->addWidget(captionFor(QStringLiteral("ＰＣ時刻"), Edit3, GroupBox1), 5, 0);
    device->addWidget(Edit3, 5, 1);
    groups->addWidget(GroupBox1);

    GroupBox2 = new QGroupBox(QStringLiteral("センサー情報"), controls_);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    QGridLayout* sensors = buildSensorGrid(GroupBox2, sensorEdits);
    Button4 = new QPushButton(QStringLiteral("センサー設定"), GroupBox2);
    Button4->setObjectName(QStringLiteral("Button4"));
    sensors->addWidget(Button4, 4, 2);
    groups->addWidget(GroupBox2);

    BitBtn1 = new QPushButton(QStringLiteral("ＯＫ(&Y)"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setMinimumWidth(96);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(BitBtn1);
    outer->addLayout(bottom);

    for (QPushButton* b : {Button1, Button2, Button3, Button4, BitBtn1}) {
        b->setAutoDefault(false);
        b->setAccessibleName(b->text().remove(QLatin1Char('&')));
    }
    CheckBox1->setAccessibleName(CheckBox1->text());
}

void TSettingForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TSettingForm::hideEvent(QHideEvent* event) {
    Timer1->stop();
    QDialog::hideEvent(event);
}

void TSettingForm::FormShow() {
    const LegacyRecorderInfo& info = state_.legacyInfo;
    Edit1->setText(QString::number(info.deviceNumber));
    selectItem(ComboBox1, info.recordPeriod);
    StaticText3->setText(ComboBox1->currentText());
    for (int axis = 0; axis < 3; ++axis) {
        sensorEdits[2 * axis]->setText(QString::number(info.sensorNumber[axis]));
        sensorEdits[2 * axis + 1]->setText(qs(fixedText(info.sensitivity[axis], 1)));
    }
    setSensorEditing(false);
    Edit2->setText(qs(legacyClockText(state_.clock)));
    Edit2Change();
    Timer1Timer();
    Timer1->start();
}

void TSettingForm::setSensorEditing(bool enabled) {
    for (QLineEdit* edit : sensorEdits) edit->setEnabled(enabled);
    Button4->setEnabled(enabled);
}

void TSettingForm::Timer1Timer() {
    Edit3->setText(qs(formatDateTimeText(link_.clock.localNow())));
}

void TSettingForm::CheckBox1Click() {
    Edit2Change();
}

void TSettingForm::Edit2Change() {
    const bool usePcClock = CheckBox1->isChecked();
    Edit2->setEnabled(!usePcClock);
    Button3->setEnabled(usePcClock || parseLegacyClockText(str(Edit2->text())).has_value());
}

void TSettingForm::ComboBox1Change() {
    if (ComboBox1->currentIndex() >= 0) StaticText3->setText(ComboBox1->currentText());
}

void TSettingForm::Button1Click() {
    const DeviceNumberCheck check = checkLegacyDeviceNumber(str(Edit1->text()));
    if (!check.message.empty()) {
        conditionMessage(link_.host, check.message, Host::Error);
        return;
    }
    if (!confirmWrite(link_.host, confirmDeviceNumberText(check.number))) return;
    bool ok = false;
    {
        SessionBusy busy(link_.host, controls_, sessionRunning());
        ok = runInSession(link_, settings_, [&](RecorderSession& s) {
            return setDeviceNumberLegacy(s, static_cast<uint8_t>(check.number));
        });
    }
    reportWrite(link_.host, ok);
}

void TSettingForm::Button2Click() {
    const int period = ComboBox1->currentIndex();
    // The recorder takes indices 0 to 8 only: without a choice nothing is sent.
    if (period < 0) {
        conditionMessage(link_.host, conditionText::kRecordPeriodNotChosen, Host::Information);
        return;
    }
    if (!confirmWrite(link_.host, confirmRecordPeriodText(str(StaticText3->text())))) return;
    bool ok = false;
    {
        SessionBusy busy(link_.host, controls_, sessionRunning());
        ok = runInSession(link_, settings_,
                          [&](RecorderSession& s) { return setRecordPeriodLegacy(s, period); });
    }
    reportWrite(link_.host, ok);
}

void TSettingForm::Button3Click() {
    const bool usePcClock = CheckBox1->isChecked();
    std::string shown = conditionText::kPcTime;
    DateTime time = 0;
    if (!usePcClock) {
        shown = str(Edit2->text());
        std::optional<DateTime> parsed = parseLegacyClockText(shown);
        if (!parsed) {
            conditionMessage(link_.host, conditionText::kClockNotRecognised, Host::Information);
            return;
        }
        time = *parsed;
    }
    if (!confirmWrite(link_.host, confirmText(shown))) return;
    bool ok = false;
    {
        SessionBusy busy(link_.host, controls_, sessionRunning());
        ok = runInSession(link_, settings_, [&](RecorderSession& s) {
            if (usePcClock) time = link_.clock.localNow();
            return setClockLegacy(s, time) && readClockLegacy(s, state_.clock);
        });
    }
    reportWrite(link_.host, ok);
    if (ok) Edit2->setText(qs(legacyClockText(state_.clock)));
}

void TSettingForm::Button4Click() {
    const SensorCheck check =
        checkSensorEntries(sensitivityTexts(sensorEdits), sensorNumberTexts(sensorEdits),
                           state_.legacyInfo.sensorRange);
    if (!check.message.empty()) {
        conditionMessage(link_.host, check.message, check.flags);
        return;
    }
    if (!confirmWrite(link_.host, confirmText(conditionText::kSensorData))) return;
    LegacyRecorderInfo sensors = state_.legacyInfo;
    sensors.sensorNumber = check.entries.sensorNumber;
    sensors.sensitivity = check.entries.sensitivity;
    bool ok = false;
    {
        SessionBusy busy(link_.host, controls_, sessionRunning());
        ok = runInSession(link_, settings_,
                          [&](RecorderSession& s) { return writeSensorLegacy(s, sensors); });
    }
    reportWrite(link_.host, ok);
}

void TSettingForm::GroupBox2MouseDown() {
    if (state_.legacyInfo.sensorPlace == 1) setSensorEditing(true);
}

}  // namespace kv
