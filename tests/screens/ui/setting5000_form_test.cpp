// What the later-generation condition screen shows and which lists it offers.
#include <QCheckBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>

#include "screens/TSetting_5000.h"
#include "setting5000_fixture.h"
#include "support/ui/clipped_captions.h"

namespace kv::test {
namespace {

class Setting5000Form : public ConditionScreenTest {
  protected:
    void open(int model, bool waveMode = false) {
        connectRecorder(model, waveMode);
        window = std::make_unique<TSetting_5000>(*link, settings, state);
        window->show();
    }
    QComboBox* list(const char* name) { return find<QComboBox>(window.get(), name); }
    QLineEdit* edit(const char* name) { return find<QLineEdit>(window.get(), name); }
    static QStringList items(QComboBox* combo) {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
        return texts;
    }

    std::unique_ptr<TSetting_5000> window;
};

TEST_F(Setting5000Form, ShowsTheRecordsReadBeforeOpening) {
    open(5300);
    state.info.deviceNumber = 42;
    state.info.sensorNumber = {101, 102, 103};
    state.info.sensitivity = {12.34, 9.876, 0};
    state.info.recordPeriod = 8;
    state.clock = RecorderClock{2014, 3, 5, 9, 7, 2};
    window->FormShow();
    EXPECT_EQ(edit("txtGouki")->text(), "42");
    EXPECT_EQ(edit("Edit4")->text(), "101");
    EXPECT_EQ(edit("Edit5")->text(), "12.3");
    EXPECT_EQ(edit("Edit7")->text(), "9.88");
    EXPECT_EQ(edit("Edit9")->text(), "0.00");
    EXPECT_EQ(list("txtRecType")->currentText(), "１０分");
    EXPECT_EQ(edit("Edit2")->text(), "2014/03/05 09:07:02");
    EXPECT_EQ(edit("Edit3")->text(), QString::fromStdString(formatDateTimeText(clock.localNow())));
    EXPECT_FALSE(edit("Edit3")->isEnabled());
    for (const char* e : {"Edit4", "Edit5", "Edit6", "Edit7", "Edit8", "Edit9"})
        EXPECT_FALSE(edit(e)->isEnabled()) << e;
    EXPECT_FALSE(find<QPushButton>(window.get(), "Set_Sencer")->isEnabled());
    EXPECT_TRUE(list("txtRecMode")->isHidden());
}

TEST_F(Setting5000Form, OverwriteListsOfTriaxialAndSingleAxisModels) {
    open(5300);
    EXPECT_EQ(items(list("UpDataMode")),
              QStringList({"上書きなし", "Ｘ軸比較", "Ｙ軸比較", "Ｚ軸比較", "３軸比較"}));
    state.info.modelCode = 5100;
    state.info.overwriteMode = 1;
    window->FormShow();
    EXPECT_EQ(items(list("UpDataMode")), QStringList({"上書きなし", "Ｘ軸比較"}));
    EXPECT_EQ(list("UpDataMode")->currentIndex(), 1);
    // A mode the list does not offer is left unselected.
    state.info.overwriteMode = 4;
    window->FormShow();
    EXPECT_EQ(list("UpDataMode")->currentIndex(), -1);
}

TEST_F(Setting5000Form, WaveModeOnASecondGenerationRecorderKeepsOverwritingOff) {
    open(5300);
    choose(list("UpDataMode"), 3);
    choose(list("RecModeList"), 1);
    EXPECT_EQ(list("UpDataMode")->currentIndex(), 0);
    EXPECT_FALSE(list("UpDataMode")->isEnabled());
    EXPECT_FALSE(list("txtTrigLebel")->isEnabled());
    EXPECT_FALSE(list("txtTrigPos")->isEnabled());
    EXPECT_TRUE(list("txtSapmType")->isEnabled());
    EXPECT_FALSE(list("txtRecType")->isEnabled());
}

TEST_F(Setting5000Form, WaveModeOnAThirdGenerationRecorderOffersItsOptions) {
    open(6300);
    choose(list("RecModeList"), 1);
    EXPECT_TRUE(list("UpDataMode")->isEnabled());
    EXPECT_TRUE(list("txtTrigLebel")->isEnabled());
    EXPECT_TRUE(list("txtTrigPos")->isEnabled());
    EXPECT_FALSE(list("txtRecType")->isEnabled());
    choose(list("RecModeList"), 0);
    EXPECT_TRUE(list("txtRecType")->isEnabled());
    EXPECT_FALSE(list("UpDataMode")->isEnabled());
    EXPECT_FALSE(list("txtSapmType")->isEnabled());
}

TEST_F(Setting5000Form, ShowingInWaveModeSelectsTheRecorderValues) {
    open(6300, true);
    state.info.waveMode = 1;
    state.info.samplePeriodMs = 20;
    state.info.preTrigger = 100;
    state.info.triggerLevel = {25, 0, 0};
    window->FormShow();
    EXPECT_EQ(list("txtSapmType")->currentText(), "20");
    EXPECT_EQ(list("txtTrigPos")->currentText(), "100");
    EXPECT_EQ(list("txtTrigLebel")->currentText(), "25");
    EXPECT_TRUE(list("UpDataMode")->isEnabled());
    EXPECT_FALSE(list("txtRecType")->isEnabled());
    state.info.samplePeriodMs = 3;  // no such item
    window->FormShow();
    EXPECT_EQ(list("txtSapmType")->currentIndex(), -1);
}

TEST_F(Setting5000Form, ControlsCarryTheirCaptionsForScreenReaders) {
    open(5300);
    EXPECT_EQ(edit("txtGouki")->accessibleName(), "機器番号");
    EXPECT_EQ(list("txtRecType")->accessibleName(), "記録周期");
    EXPECT_EQ(list("UpDataMode")->accessibleName(), "上書き");
    EXPECT_EQ(edit("Edit5")->accessibleName(), "感度(mV/G) X");
    EXPECT_EQ(find<QCheckBox>(window.get(), "CheckBox1")->accessibleName(), "PC時刻に設定する");
    EXPECT_EQ(find<QPushButton>(window.get(), "BitBtn1")->accessibleName(), "ＯＫ(Y)");
    EXPECT_EQ(window->windowTitle(), "ＫＶ測定条件設定画面");
}

TEST_F(Setting5000Form, OkClosesTheWindow) {
    open(5300);
    find<QPushButton>(window.get(), "BitBtn1")->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Accepted);
}

// With the Japanese font every caption shows whole, the hidden sensor group too.
TEST_F(Setting5000Form, NoCaptionIsCutOff) {
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(12);
    QApplication::setFont(font);
    open(6300, true);
    state.info.sensorPlace = 1;
    rightClickWithShift(find<QWidget>(window.get(), "GroupBox2"));
    window->grab();
    EXPECT_EQ(clippedCaptions(window.get()), std::vector<std::string>{});
    QApplication::setFont(QFont());
}

}  // namespace
}  // namespace kv::test
