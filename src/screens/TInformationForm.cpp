#include "screens/TInformationForm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "datafile/data_set.h"
#include "download/download_command.h"
#include "recorder/clock_offset.h"
#include "recorder/information_command.h"
#include "recorder/recorder_state.h"
#include "screens/info_widgets.h"
#include "screens/information_marks.h"
#include "screens/information_texts.h"
#include "settings/pc_settings.h"

namespace kv {

TInformationForm::TInformationForm(Link& link, PcSettings& settings, RecorderState& state,
                                   DataSet& data, QWidget* parent)
    : RecorderDialog(parent), link_(link), settings_(settings), state_(state), data_(data) {
    setObjectName("TInformationForm");
    setInformationWindowFrame(this);

    GroupBox1 = new QGroupBox(QStringLiteral("機器情報"), this);
    GroupBox1->setObjectName("GroupBox1");
    auto* device = new QGridLayout(GroupBox1);
    addStaticValue(device, 0, 0, "StaticText5", QStringLiteral("ＫＶ種別"), "StaticText6", 90);
    addStaticValue(device, 1, 0, "StaticText33", QStringLiteral("製造番号"), "StaticText34", 90);
    addStaticValue(device, 2, 0, "StaticText1", QStringLiteral("機器番号"), "StaticText2", 90);
    addStaticValue(device, 3, 0, "StaticText3", QStringLiteral("記録周期"), "StaticText4", 90);
    addStaticValue(device, 0, 2, "StaticText11", QStringLiteral("機器時刻"), "StaticText12", 140);
    addStaticValue(device, 1, 2, "StaticText31", QStringLiteral("バッテリー電圧"), "StaticText32",
                   140);
    addStaticValue(device, 2, 2, "StaticText7", QStringLiteral("ｾﾝｻｰﾚﾝｼﾞ"), "StaticText8", 140);
    addStaticValue(device, 3, 2, "StaticText9", QStringLiteral("内蔵/外付け"), "StaticText10", 140);
    addStaticValue(device, 4, 2, "StaticText35", QStringLiteral("時計のずれ"), "StaticText36", 140);
    device->addWidget(makeClockHint(GroupBox1, "StaticText37"), 5, 0, 1, 4);

    GroupBox2 = new QGroupBox(QStringLiteral("センサー情報"), this);
    GroupBox2->setObjectName("GroupBox2");
    auto* sensor = new QGridLayout(GroupBox2);
    auto* numberLabel = new QLabel(QStringLiteral("センサー番号"), GroupBox2);
    numberLabel->setObjectName("StaticText13");
    numberLabel->setAlignment(Qt::AlignCenter);
    auto* sensitivityLabel = new QLabel(QStringLiteral("感度(mV/G)"), GroupBox2);
    sensitivityLabel->setObjectName("StaticText14");
    sensitivityLabel->setAlignment(Qt::AlignCenter);
    sensor->addWidget(numberLabel, 0, 1);
    sensor->addWidget(sensitivityLabel, 0, 2);
    struct Axis {
        const char* label;
        const char* number;
        const char* sensitivity;
        QString caption;
    };
    const Axis axes[3] = {{"StaticText15", "StaticText16", "StaticText17", QStringLiteral("Ｘ軸")},
                          {"StaticText18", "StaticText19", "StaticText20", QStringLiteral("Ｙ軸")},
                          {"StaticText21", "StaticText22", "StaticText23", QStringLiteral("Ｚ軸")}};
    for (int a = 0; a < 3; ++a) {
        auto* label = new QLabel(axes[a].caption, GroupBox2);
        label->setObjectName(axes[a].label);
        sensor->addWidget(label, a + 1, 0);
        auto* number = new QLabel(GroupBox2);
        number->setObjectName(axes[a].number);
        number->setAccessibleDescription(QStringLiteral("センサー番号 ") + axes[a].caption);
        auto* sensitivity = new QLabel(GroupBox2);
        sensitivity->setObjectName(axes[a].sensitivity);
        sensitivity->setAccessibleDescription(QStringLiteral("感度(mV/G) ") + axes[a].caption);
        for (QLabel* value : {number, sensitivity}) {
            value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            value->setTextInteractionFlags(Qt::TextSelectableByMouse);
            value->setMinimumSize(90, 22);
        }
        label->setBuddy(number);
        sensor->addWidget(number, a + 1, 1);
        sensor->addWidget(sensitivity, a + 1, 2);
    }
    sensor->setRowStretch(4, 1);

    ListView1 = makeMeasurementList(this, "ListView1", QStringLiteral("計測データ"));
    std::vector<ListColumn> columns = legacyMeasurementColumns();
    columns.push_back(savedColumn());
    setMeasurementColumns(ListView1, columns);

    CheckBox1 = makeNewOnlyBox(this, "CheckBox1");
    marks_ = std::make_unique<SavedMeasurementMarks>(ListView1, CheckBox1);
    makeDownloadButtons(this, Button1, "Button1", BitBtn1, "BitBtn1", [this] { Button1Click(); });
    auto* top = new QHBoxLayout;
    top->addWidget(GroupBox1, 3);
    top->addWidget(GroupBox2, 2);
    layOutInformation(this, top, ListView1, Button1, BitBtn1, CheckBox1);

    setFixedSize(760, 560);
}

void TInformationForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TInformationForm::FormShow() {
    const RecorderState& state = state_;
    sessionRunning() = false;
    setFieldTexts(this, firstGenerationFields(state.legacyInfo, state.clock));
    showClockOffset(this, "StaticText36", "StaticText37", clockOffsetFor(state, true));
    marks_->fill(peakIndexRows(state.index, CauseTexts::Legacy), settings_.dataFolder(), state,
                 true);
}

void TInformationForm::Button1Click() {
    runDownloadCommand(link_, settings_.downloadSettings(), tickedMeasurements(ListView1), state_,
                       data_, [this](bool busy) { setBusy(busy); });
    marks_->refresh(settings_.dataFolder(), state_, true);  // what was just saved is on the PC now
}

void TInformationForm::setBusy(bool busy) {
    sessionRunning() = busy;
    showDownloadBusy(this, busy, {ListView1, CheckBox1, Button1, BitBtn1, GroupBox1, GroupBox2});
}

}  // namespace kv
