#include "screens/TSetting_5000.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
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
#include "recorder/identity_commands.h"
#include "recorder/recorder_state.h"
#include "recorder/value_texts.h"
#include "screens/clock_entry.h"
#include "screens/condition_messages.h"
#include "screens/condition_rules.h"
#include "screens/condition_widgets.h"
#include "screens/settings_write.h"
#include "settings/pc_settings.h"

namespace kv {

TSetting_5000::TSetting_5000(Link& link, PcSettings& settings, RecorderState& state,
                             QWidget* parent)
    : RecorderDialog(parent), link_(link), settings_(settings), state_(state) {
    setObjectName(QStringLiteral("TSetting_5000"));
    setWindowTitle(QStringLiteral("ＫＶ測定条件設定画面"));
    setModal(true);
    buildControls();
    Timer1 = makeClockTimer(this, [this] { Timer1Timer(); });

    connect(CheckBox1, &QCheckBox::toggled, this, &TSetting_5000::CheckBox1Click);
    connect(Edit2, &QLineEdit::textChanged, this, &TSetting_5000::Edit2Change);
    connect(Set_Gouki, &QPushButton::clicked, this, &TSetting_5000::Set_GoukiClick);
    connect(Set_Time, &QPushButton::clicked, this, &TSetting_5000::Set_TimeClick);
    connect(Set_Sencer, &QPushButton::clicked, this, &TSetting_5000::Set_SencerClick);
    connect(RecModeList, &QComboBox::activated, this, &TSetting_5000::RecModeListClick);
    connect(Set_Mode, &QPushButton::clicked, this, &TSetting_5000::Set_ModeClick);
    connect(Button5, &QPushButton::clicked, this, &TSetting_5000::Button5Click);
    onShiftRightClick(GroupBox2, [this] { GroupBox2MouseDown(); });
}

void TSetting_5000::buildControls() {
    controls_ = addControlsArea(this);
    auto* columns = new QHBoxLayout(controls_);
    columns->setContentsMargins(0, 0, 0, 0);
    auto* left = new QVBoxLayout;
    columns->addLayout(left);

    // Device number and clock.
    GroupBox1 = new QGroupBox(QStringLiteral("機器情報"), controls_);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* device = new QGridLayout(GroupBox1);
    makeDeviceNumberControls(GroupBox1, txtGouki, "txtGouki", Set_Gouki, "Set_Gouki");
    makeClockControls(GroupBox1, CheckBox1, Edit2, Edit3, Set_Time, "Set_Time", 0);
    addDeviceNumberRow(device, txtGouki, Set_Gouki);
    addClockRows(device, 1, CheckBox1, Edit2, Edit3, Set_Time);
    left->addWidget(GroupBox1);

    // Sensor numbers and sensitivities, locked unless unlocked on purpose.
    GroupBox2 = buildSensorGroup(controls_, sensorEdits, Set_Sencer, "Set_Sencer");
    left->addWidget(GroupBox2);
    left->addStretch();

    // Measurement conditions.
    GroupBox3 = new QGroupBox(QStringLiteral("計測設定"), controls_);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    auto* conditions = new QGridLayout(GroupBox3);
    int row = 0;
    auto addList = [&](QComboBox*& combo, const char* name, const QString& caption,
                       const std::vector<std::string>& items, const QString& unit) {
        combo = new QComboBox(GroupBox3);
        combo->setObjectName(QLatin1String(name));
        fillItems(combo, items);
        QLabel* label = captionFor(caption, combo, GroupBox3);
        conditions->addWidget(label, row, 0);
        conditions->addWidget(combo, row, 1);
        if (!unit.isEmpty()) conditions->addWidget(new QLabel(unit, GroupBox3), row, 2);
        ++row;
        return label;
    };
    addList(RecModeList, "RecModeList", QStringLiteral("計測方法"), {"ピークモード", "波形モード"},
            {});
    addList(txtRecType, "txtRecType", QStringLiteral("記録周期"), recordPeriodItems(), {});
    addList(txtSapmType, "txtSapmType", QStringLiteral("サンプル周期"), samplePeriodItems(),
            QStringLiteral("ms"));
    addList(txtTrigLebel, "txtTrigLebel", QStringLiteral("トリガレベル"), triggerLevelItems(),
            QStringLiteral("%"));
    addList(txtTrigPos, "txtTrigPos", QStringLiteral("プレトリガ"), preTriggerItems(),
            QStringLiteral("点"));
    // The recorders offer only simultaneous three-axis operation; the list stays
    // out of sight but still carries the recorder's setting.
    recModeLabel = addList(txtRecMode, "txtRecMode", QStringLiteral("3軸動作"), {"３軸同時"}, {});
    recModeLabel->hide();
    txtRecMode->hide();
    addList(UpDataMode, "UpDataMode", QStringLiteral("上書き"), {}, {});
    UpDataMode->setMinimumContentsLength(6);
    Set_Mode = new QPushButton(QStringLiteral("設定"), GroupBox3);
    Set_Mode->setObjectName(QStringLiteral("Set_Mode"));
    conditions->addWidget(Set_Mode, row++, 1);
    Button5 = new QPushButton(QStringLiteral("計測設定を有効にする"), GroupBox3);
    Button5->setObjectName(QStringLiteral("Button5"));
    Button5->hide();
    conditions->addWidget(Button5, row++, 0, 1, 3);
    conditions->setRowStretch(row, 1);
    columns->addWidget(GroupBox3);

    BitBtn1 = addOkRow(this);
    nameButtons({Set_Gouki, Set_Time, Set_Sencer, Set_Mode, Button5, BitBtn1});
}

void TSetting_5000::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TSetting_5000::FormShow() {
    const RecorderInfo& info = state_.info;
    txtGouki->setText(QString::number(info.deviceNumber));
    for (int axis = 0; axis < 3; ++axis) {
        sensorEdits[2 * axis]->setText(QString::number(info.sensorNumber[axis]));
        sensorEdits[2 * axis + 1]->setText(qs(valueText(info.sensitivity[axis])));
    }
    fillItems(UpDataMode, overwriteItems(info.modelCode));
    selectItem(UpDataMode, info.overwriteMode);
    selectItem(txtRecMode, info.axisMode);
    selectItem(txtRecType, info.recordPeriod);
    selectItem(RecModeList, info.waveMode);
    Edit2->setText(qs(dateTimeText(calendarOf(state_.clock))));

    enableConditionControls();
    Timer1Timer();
    Timer1->start();
    UpDataMode->setEnabled(waveOptionsAvailable(info.waveMode, info.modelCode));
    const bool wave = info.waveMode == 1;
    txtRecType->setEnabled(!wave);
    txtSapmType->setEnabled(wave);
    txtTrigLebel->setEnabled(wave);
    txtTrigPos->setEnabled(wave);
    selectItem(txtSapmType, itemIndexOfValue(samplePeriodItems(), info.samplePeriodMs));
    selectItem(txtTrigPos, itemIndexOfValue(preTriggerItems(), info.preTrigger));
    selectItem(txtTrigLebel, itemIndexOfValue(triggerLevelItems(), info.triggerLevel[0]));
    setSensorEditing(false);
    Edit2Change();
}

void TSetting_5000::enableConditionControls() {
    for (QWidget* w : std::initializer_list<QWidget*>{
             txtRecType, txtSapmType, txtTrigLebel, txtTrigPos, Set_Mode, UpDataMode, RecModeList})
        w->setEnabled(true);
    txtRecMode->setEnabled(!isSingleAxis(state_.identity.modelCode));
}

void TSetting_5000::setSensorEditing(bool enabled) {
    for (QLineEdit* edit : sensorEdits) edit->setEnabled(enabled);
    Set_Sencer->setEnabled(enabled);
}

void TSetting_5000::Timer1Timer() {
    Edit3->setText(qs(formatDateTimeText(link_.clock.localNow())));
}

void TSetting_5000::CheckBox1Click() {
    Edit2Change();
}

void TSetting_5000::Edit2Change() {
    const bool usePcClock = CheckBox1->isChecked();
    Edit2->setEnabled(!usePcClock);
    Set_Time->setEnabled(usePcClock || parseDateTimeText(str(Edit2->text())).has_value());
}

void TSetting_5000::Set_GoukiClick() {
    const DeviceNumberCheck check = checkDeviceNumber(str(txtGouki->text()));
    if (!check.message.empty()) {
        conditionMessage(link_.host, check.message, Host::Information);
        return;
    }
    write(confirmDeviceNumberText(check.number), [&](RecorderSession& s) {
        return setDeviceNumber(s, static_cast<uint8_t>(check.number));
    });
}

void TSetting_5000::Set_TimeClick() {
    const bool usePcClock = CheckBox1->isChecked();
    std::string shown = conditionText::kPcTime;
    DateTime time = 0;
    if (!usePcClock) {
        shown = str(Edit2->text());
        const ClockTextCheck check = checkClockText(shown);
        if (!check.message.empty()) {
            conditionMessage(link_.host, check.message, Host::Information);
            return;
        }
        time = check.time;
    }
    const bool ok = write(confirmText(shown), [&](RecorderSession& s) {
        // The PC's time is taken once the recorder listens, so that it is current.
        if (usePcClock) time = link_.clock.localNow();
        return setClock(s, time) && readClock(s, state_.clock);
    });
    if (!ok) return;
    if (usePcClock) state_.clock = recorderClockOf(link_.clock.localNow());
    Edit2->setText(qs(dateTimeText(calendarOf(state_.clock))));
}

void TSetting_5000::Set_SencerClick() {
    const SensorCheck check = checkSensorEntries(
        sensitivityTexts(sensorEdits), sensorNumberTexts(sensorEdits), state_.info.sensorRange);
    if (!check.message.empty()) {
        conditionMessage(link_.host, check.message, check.flags);
        return;
    }
    RecorderInfo sensors = state_.info;
    sensors.sensorNumber = check.entries.sensorNumber;
    sensors.sensitivity = check.entries.sensitivity;
    write(confirmText(conditionText::kSensorData),
          [&](RecorderSession& s) { return writeSensor(s, sensors); });
}

void TSetting_5000::GroupBox2MouseDown() {
    if (state_.info.sensorPlace == 1) setSensorEditing(true);
}

void TSetting_5000::RecModeListClick() {
    const bool wave = RecModeList->currentIndex() == 1;
    txtRecType->setEnabled(!wave);
    txtSapmType->setEnabled(wave);
    txtTrigLebel->setEnabled(wave);
    txtTrigPos->setEnabled(wave);
    const bool waveOptions =
        waveOptionsAvailable(RecModeList->currentIndex(), state_.info.modelCode);
    if (!waveOptions) {
        selectItem(UpDataMode, 0);
        txtTrigLebel->setEnabled(false);
        txtTrigPos->setEnabled(false);
    }
    UpDataMode->setEnabled(waveOptions);
}

void TSetting_5000::Set_ModeClick() {
    ConditionChoices choices;
    choices.waveMode = RecModeList->currentIndex();
    choices.recordPeriod = txtRecType->currentIndex();
    choices.samplePeriodIndex = txtSapmType->currentIndex();
    choices.samplePeriodText = str(txtSapmType->currentText());
    choices.triggerLevelText = str(txtTrigLebel->currentText());
    choices.preTriggerText = str(txtTrigPos->currentText());
    choices.axisMode = txtRecMode->currentIndex();
    choices.overwriteMode = UpDataMode->currentIndex();
    ConditionCheck check = checkConditions(choices);
    if (!check.message.empty()) {
        conditionMessage(link_.host, check.message, Host::Information);
        return;
    }
    MeasurementSettings& m = check.settings;
    m.triggerThreshold = triggerThresholds(state_.info.modelCode, m.triggerLevel[0],
                                           state_.info.sensitivity, state_.identity.sensorRange);
    const bool ok = write(conditionText::kConditionWarning, [&](RecorderSession& s) {
        link_.host.processEvents();
        if (!writeMeasurementSettings(s, m)) return false;
        link_.host.processEvents();
        return readStatus(s, state_.info);
    });
    if (ok) FormShow();
}

void TSetting_5000::Button5Click() {
    if (confirmWrite(link_.host, conditionText::kConditionWarning)) enableConditionControls();
}

bool TSetting_5000::write(const std::string& question,
                          const std::function<bool(RecorderSession&)>& commands) {
    return confirmedWrite(link_, settings_, controls_, sessionRunning(), question, commands);
}

}  // namespace kv
