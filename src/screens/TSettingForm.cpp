#include "screens/TSettingForm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
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
    Timer1 = makeClockTimer(this, [this] { Timer1Timer(); });

    connect(CheckBox1, &QCheckBox::toggled, this, &TSettingForm::CheckBox1Click);
    connect(Edit2, &QLineEdit::textChanged, this, &TSettingForm::Edit2Change);
    connect(ComboBox1, &QComboBox::activated, this, &TSettingForm::ComboBox1Change);
    connect(Button1, &QPushButton::clicked, this, &TSettingForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TSettingForm::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TSettingForm::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TSettingForm::Button4Click);
    onShiftRightClick(GroupBox2, [this] { GroupBox2MouseDown(); });
}

void TSettingForm::buildControls() {
    controls_ = addControlsArea(this);
    auto* groups = new QVBoxLayout(controls_);
    groups->setContentsMargins(0, 0, 0, 0);

    GroupBox1 = new QGroupBox(QStringLiteral("機器情報"), controls_);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* device = new QGridLayout(GroupBox1);
    makeDeviceNumberControls(GroupBox1, Edit1, "Edit1", Button1, "Button1");

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

    makeClockControls(GroupBox1, CheckBox1, Edit2, Edit3, Button3, "Button3", 28);

    addDeviceNumberRow(device, Edit1, Button1);
    device->addWidget(captionFor(QStringLiteral("記録周期"), ComboBox1, GroupBox1), 1, 0);
    device->addWidget(StaticText3, 1, 1);
    device->addWidget(ComboBox1, 2, 1);
    device->addWidget(Button2, 2, 2);
    // The chosen period is read as the label's text, the caption describes it.
    StaticText3->setAccessibleDescription(QStringLiteral("記録周期"));
    addClockRows(device, 3, CheckBox1, Edit2, Edit3, Button3);
    groups->addWidget(GroupBox1);

    GroupBox2 = buildSensorGroup(controls_, sensorEdits, Button4, "Button4");
    groups->addWidget(GroupBox2);

    BitBtn1 = addOkRow(this);
    nameButtons({Button1, Button2, Button3, Button4, BitBtn1});
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
    write(confirmDeviceNumberText(check.number), [&](RecorderSession& s) {
        return setDeviceNumberLegacy(s, static_cast<uint8_t>(check.number));
    });
}

void TSettingForm::Button2Click() {
    const int period = ComboBox1->currentIndex();
    // The recorder takes indices 0 to 8 only: without a choice nothing is sent.
    if (period < 0) {
        conditionMessage(link_.host, conditionText::kRecordPeriodNotChosen, Host::Information);
        return;
    }
    write(confirmRecordPeriodText(str(StaticText3->text())),
          [&](RecorderSession& s) { return setRecordPeriodLegacy(s, period); });
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
    const bool ok = write(confirmText(shown), [&](RecorderSession& s) {
        if (usePcClock) time = link_.clock.localNow();
        return setClockLegacy(s, time) && readClockLegacy(s, state_.clock);
    });
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
    LegacyRecorderInfo sensors = state_.legacyInfo;
    sensors.sensorNumber = check.entries.sensorNumber;
    sensors.sensitivity = check.entries.sensitivity;
    write(confirmText(conditionText::kSensorData),
          [&](RecorderSession& s) { return writeSensorLegacy(s, sensors); });
}

void TSettingForm::GroupBox2MouseDown() {
    if (state_.legacyInfo.sensorPlace == 1) setSensorEditing(true);
}

bool TSettingForm::write(const std::string& question,
                         const std::function<bool(RecorderSession&)>& commands) {
    return confirmedWrite(link_, settings_, controls_, sessionRunning(), question, commands);
}

}  // namespace kv
