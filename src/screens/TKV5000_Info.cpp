#include "screens/TKV5000_Info.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

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

TKV5000_Info::TKV5000_Info(Link& link, PcSettings& settings, RecorderState& state, DataSet& data,
                           QWidget* parent)
    : RecorderDialog(parent), link_(link), settings_(settings), state_(state), data_(data) {
    setObjectName("TKV5000_Info");
    setInformationWindowFrame(this);

    GroupBox1 = new QGroupBox(QStringLiteral("機器情報"), this);
    GroupBox1->setObjectName("GroupBox1");
    auto* device = new QGridLayout(GroupBox1);
    addValueField(device, 0, 0, "Label_Name", QStringLiteral("ＫＶ 種別"), "txtName", 90);
    addValueField(device, 1, 0, "Label_S_Number", QStringLiteral("製造番号"), "txtS_Number", 90);
    addValueField(device, 2, 0, "Label_G_Number", QStringLiteral("機器番号"), "txtG_Number", 90);
    addValueField(device, 0, 2, "Label_Time", QStringLiteral("機器時刻"), "txtTime", 140);
    addValueField(device, 1, 2, "Label_Bat", QStringLiteral("バッテリー電圧"), "txtBat", 140);
    addValueField(device, 2, 2, "Label_Ver", QStringLiteral("バージョン"), "txtVer", 140);
    addValueField(device, 3, 2, "Label_ClockOffset", QStringLiteral("時計のずれ"), "txtClockOffset",
                  140);
    device->addWidget(makeClockHint(GroupBox1, "lblClockHint"), 4, 0, 1, 4);
    device->setColumnMinimumWidth(2, 90);

    GroupBox2 = new QGroupBox(QStringLiteral("センサー情報"), this);
    GroupBox2->setObjectName("GroupBox2");
    auto* sensor = new QGridLayout(GroupBox2);
    const char* const axisLabels[3] = {"Label_X", "Label_Y", "Label_Z"};
    const QString axes[3] = {QStringLiteral("Ｘ軸"), QStringLiteral("Ｙ軸"),
                             QStringLiteral("Ｚ軸")};
    for (int a = 0; a < 3; ++a) {
        auto* label = new QLabel(axes[a], GroupBox2);
        label->setObjectName(axisLabels[a]);
        label->setAlignment(Qt::AlignCenter);
        sensor->addWidget(label, 0, a + 1);
    }
    auto* numberLabel = new QLabel(QStringLiteral("センサー番号"), GroupBox2);
    numberLabel->setObjectName("Label_Num");
    auto* sensitivityLabel = new QLabel(QStringLiteral("感度(mV/G)"), GroupBox2);
    sensitivityLabel->setObjectName("Label_Sencer");
    sensor->addWidget(numberLabel, 1, 0);
    sensor->addWidget(sensitivityLabel, 2, 0);
    const char* const numberNames[3] = {"txtX_Num", "txtY_Num", "txtZ_Num"};
    const char* const sensitivityNames[3] = {"txtX_Sencer", "txtY_Sencer", "txtZ_Sencer"};
    for (int a = 0; a < 3; ++a) {
        auto* number = new QLineEdit(GroupBox2);
        number->setObjectName(numberNames[a]);
        number->setAccessibleName(QStringLiteral("センサー番号 ") + axes[a]);
        auto* sensitivity = new QLineEdit(GroupBox2);
        sensitivity->setObjectName(sensitivityNames[a]);
        sensitivity->setAccessibleName(QStringLiteral("感度(mV/G) ") + axes[a]);
        for (QLineEdit* e : {number, sensitivity}) {
            e->setReadOnly(true);
            e->setFocusPolicy(Qt::ClickFocus);
            e->setMinimumWidth(56);
        }
        sensor->addWidget(number, 1, a + 1);
        sensor->addWidget(sensitivity, 2, a + 1);
        if (a == 0) {
            numberLabel->setBuddy(number);
            sensitivityLabel->setBuddy(sensitivity);
        }
    }
    addValueField(sensor, 3, 0, "Label_Range", QStringLiteral("ｾﾝｻｰﾚﾝｼﾞ"), "txtRange");
    addValueField(sensor, 3, 2, "Label_Place", QStringLiteral("内蔵/外付け"), "txtPlace");

    GroupBox3 = new QGroupBox(QStringLiteral("計測設定"), this);
    GroupBox3->setObjectName("GroupBox3");
    auto* conditions = new QGridLayout;
    addValueField(conditions, 0, 0, "Label_RecMode", QStringLiteral("計測方法"), "RecModeList");
    addValueField(conditions, 0, 2, "Label_RecType", QStringLiteral("記録周期"), "txtRecType");
    addValueField(conditions, 0, 4, "Label_SapmType", QStringLiteral("サンプル周期"),
                  "txtSapmType");
    addValueField(conditions, 0, 6, "Label_Axis", QStringLiteral("3軸動作"), "txtRecMode");
    addValueField(conditions, 1, 0, "Label_TrigLebel", QStringLiteral("トリガレベル"),
                  "txtTrigLebel");
    addValueField(conditions, 1, 2, "Label_TrigPos", QStringLiteral("プレトリガ"), "txtTrigPos");
    addValueField(conditions, 1, 4, "Label_Cycle", QStringLiteral("上書き"), "txtCycle");
    for (int c = 1; c < 8; c += 2) conditions->setColumnStretch(c, 1);

    DataView = makeMeasurementList(GroupBox3, "DataView", QStringLiteral("計測データ"));
    DataView->setToolTip(QStringLiteral("取得指定データはチェックＯＮにして下さい"));

    auto* groupLayout = new QVBoxLayout(GroupBox3);
    groupLayout->addLayout(conditions);
    groupLayout->addWidget(DataView, 1);

    chkNewOnly = makeNewOnlyBox(this, "chkNewOnly");
    marks_ = std::make_unique<SavedMeasurementMarks>(DataView, chkNewOnly);
    makeDownloadButtons(this, TestButton, "TestButton", Button_OK, "Button_OK",
                        [this] { TestButtonClick(); });
    TestButton->setToolTip(QStringLiteral("チェックされたデータを読みこみます。"));
    Button_OK->setToolTip(QStringLiteral("メニューに戻ります"));
    auto* top = new QHBoxLayout;
    top->addWidget(GroupBox1, 1);
    top->addWidget(GroupBox2, 1);
    layOutInformation(this, top, GroupBox3, TestButton, Button_OK, chkNewOnly);

    setFixedSize(800, 600);
}

void TKV5000_Info::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TKV5000_Info::FormShow() {
    const RecorderState& state = state_;
    const bool wave = state.info.waveMode != 0;
    // The status just read names the model; the identity may still describe
    // an older recorder or a loaded file.
    const ModelCode model =
        state.info.modelCode != 0 ? state.info.modelCode : state.identity.modelCode;
    std::vector<ListColumn> columns = measurementColumns(wave, isTriaxial(model));
    columns.push_back(savedColumn());
    setMeasurementColumns(DataView, columns);
    sessionRunning() = false;
    setFieldTexts(this, laterGenerationFields(state.info, state.clock));
    showClockOffset(this, "txtClockOffset", "lblClockHint", clockOffsetFor(state, false));
    marks_->fill(wave ? waveIndexRows(state.waveIndex)
                      : peakIndexRows(state.index, CauseTexts::EndCausesForBoth),
                 settings_.dataFolder(), state, false);
}

void TKV5000_Info::TestButtonClick() {
    runDownloadCommand(link_, settings_.downloadSettings(), tickedMeasurements(DataView), state_,
                       data_, [this](bool busy) { setBusy(busy); });
    // What was just saved is on the PC now, and the download read the clock again.
    showClockOffset(this, "txtClockOffset", "lblClockHint", clockOffsetFor(state_, false));
    marks_->refresh(settings_.dataFolder(), state_, false);
}

void TKV5000_Info::setBusy(bool busy) {
    sessionRunning() = busy;
    showDownloadBusy(this, busy, {DataView, chkNewOnly, TestButton, Button_OK});
}

}  // namespace kv
