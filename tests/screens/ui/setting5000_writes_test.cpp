// The writes of the later-generation condition screen, frame by frame.
#include <QCheckBox>

#include "link/frame.h"
#include "screens/TSetting_5000.h"
#include "screens/condition_messages.h"
#include "setting5000_fixture.h"

namespace kv::test {
namespace {

class Setting5000Writes : public ConditionScreenTest {
  protected:
    void open(int model, bool waveMode = false) {
        connectRecorder(model, waveMode);
        // The simulated recorder reports a pre-trigger of 64 points, which the
        // list does not offer; a real one reports 0 or 100.
        state.info.preTrigger = 100;
        window = std::make_unique<TSetting_5000>(*link, settings, state);
        window->show();
    }
    QPushButton* button(const char* name) { return find<QPushButton>(window.get(), name); }
    QLineEdit* edit(const char* name) { return find<QLineEdit>(window.get(), name); }
    QComboBox* list(const char* name) { return find<QComboBox>(window.get(), name); }

    std::unique_ptr<TSetting_5000> window;
};

TEST_F(Setting5000Writes, DeviceNumberZeroIsWrittenHundredAndBlankAreNot) {
    open(5300);
    for (const char* bad : {"100", ""}) {
        edit("txtGouki")->setText(QString::fromLatin1(bad));
        button("Set_Gouki")->click();
        ASSERT_EQ(host.messages.size(), 1u) << bad;
        EXPECT_EQ(host.messages[0].text, conditionText::kDeviceNumberUnknown);
        EXPECT_EQ(host.messages[0].title, "ＫＶ設定");
        EXPECT_EQ(host.messages[0].flags, 64);
        EXPECT_TRUE(written().empty());
        host.messages.clear();
    }
    edit("txtGouki")->setText("0");
    button("Set_Gouki")->click();
    EXPECT_EQ(written(), std::vector<Frame>{sim::makeCommand(0x51, {0})});
    EXPECT_EQ(messageTexts(),
              (std::vector<std::string>{"この設定を書込みますか？\n   データ親番号 - 0", kDone}));
}

TEST_F(Setting5000Writes, DeviceNumberKeepsOnlyDigitsAsTyped) {
    open(5300);
    edit("txtGouki")->clear();
    type(edit("txtGouki"), "a 1.23");
    EXPECT_EQ(text(edit("txtGouki")), "12");
}

TEST_F(Setting5000Writes, ClockBoundsAndPayload) {
    open(6300);
    edit("Edit2")->setText("1998/1/1 0:00:00");
    ASSERT_TRUE(button("Set_Time")->isEnabled());
    button("Set_Time")->click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, conditionText::kClockOutOfRange);
    EXPECT_TRUE(written().empty());

    host.messages.clear();
    edit("Edit2")->setText("1998/1/1 0:00:01");
    button("Set_Time")->click();
    ASSERT_EQ(written().size(), 2u);
    EXPECT_EQ(written()[0], sim::makeCommand(0x61, {0x98, 0x01, 0x01, 0x00, 0x00, 0x00, 0x01}));
    EXPECT_EQ(written()[1], sim::makeCommand(0x60));
    EXPECT_EQ(messageTexts(),
              (std::vector<std::string>{"この設定を書込みますか？\n   1998/1/1 0:00:01", kDone}));
    // The recorder's clock as read back after the write.
    EXPECT_EQ(text(edit("Edit2")).left(10), "1998/01/01");
}

TEST_F(Setting5000Writes, ClockButtonFollowsTheTextUnlessThePcClockIsUsed) {
    open(5300);
    edit("Edit2")->setText("not a time");
    EXPECT_FALSE(button("Set_Time")->isEnabled());
    auto* usePc = find<QCheckBox>(window.get(), "CheckBox1");
    usePc->setChecked(true);
    EXPECT_TRUE(button("Set_Time")->isEnabled());
    EXPECT_FALSE(edit("Edit2")->isEnabled());

    clock.setLocalNow(*encodeDateTime(CalendarTime{2024, 2, 29, 23, 59, 58, 0}));
    button("Set_Time")->click();
    ASSERT_FALSE(written().empty());
    // Taken once the recorder listens, one second after the session opened.
    EXPECT_EQ(written()[0], sim::makeCommand(0x61, {0x24, 0x02, 0x29, 0x00, 0x23, 0x59, 0x59}));
    EXPECT_EQ(host.messages[0].text, "この設定を書込みますか？\n   ＰＣ時刻");
}

TEST_F(Setting5000Writes, SensorGroupUnlocksOnlyForAnExternalSensor) {
    open(5300);
    auto* group = find<QWidget>(window.get(), "GroupBox2");
    state.info.sensorPlace = 0;
    rightClickWithShift(group);
    EXPECT_FALSE(edit("Edit4")->isEnabled());
    state.info.sensorPlace = 1;
    rightClickWithShift(group, Qt::NoModifier);
    rightClickWithShift(group, Qt::ShiftModifier, Qt::LeftButton);
    EXPECT_FALSE(button("Set_Sencer")->isEnabled());
    rightClickWithShift(group);
    EXPECT_TRUE(edit("Edit4")->isEnabled());
    EXPECT_TRUE(edit("Edit9")->isEnabled());
    EXPECT_TRUE(button("Set_Sencer")->isEnabled());
}

TEST_F(Setting5000Writes, SensitivityLimitOfAFiveGSensor) {
    open(5300);
    state.info.sensorPlace = 1;
    state.info.sensorRange = 5;
    rightClickWithShift(find<QWidget>(window.get(), "GroupBox2"));
    edit("Edit4")->setText("1");
    edit("Edit6")->setText("258");
    edit("Edit8")->setText("65535");
    edit("Edit5")->setText("18.0");
    edit("Edit7")->setText("10");
    edit("Edit9")->setText("18.1");
    button("Set_Sencer")->click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, conditionText::kSensitivityOutOfRange);
    EXPECT_EQ(host.messages[0].flags, 32);
    EXPECT_TRUE(written().empty());

    host.messages.clear();
    edit("Edit9")->setText("12.3");
    button("Set_Sencer")->click();
    EXPECT_EQ(written(),
              std::vector<Frame>{sim::makeCommand(
                  0x52, {0x00, 0x01, 0x01, 0x02, 0xFF, 0xFF, 0x00, 180, 0x00, 100, 0x00, 123})});
    EXPECT_EQ(messageTexts(),
              (std::vector<std::string>{"この設定を書込みますか？\n   センサ情報", kDone}));
    // The status record keeps what the recorder reported.
    EXPECT_NE(state.info.sensorNumber[1], 258);
}

TEST_F(Setting5000Writes, SensitivityLimitOfOtherRanges) {
    open(5300);
    state.info.sensorPlace = 1;
    state.info.sensorRange = 50;
    rightClickWithShift(find<QWidget>(window.get(), "GroupBox2"));
    for (const char* e : {"Edit4", "Edit6", "Edit8"}) edit(e)->setText("7");
    edit("Edit5")->setText("28.0");
    edit("Edit7")->setText("28.0");
    edit("Edit9")->setText("28.1");
    button("Set_Sencer")->click();
    EXPECT_EQ(host.messages.at(0).text, conditionText::kSensitivityOutOfRange);
    edit("Edit9")->setText("28");
    edit("Edit6")->setText("x");
    button("Set_Sencer")->click();
    EXPECT_EQ(host.messages.at(1).text, conditionText::kSensorNumberOutOfRange);
    edit("Edit6")->setText("7");
    edit("Edit7")->setText("2 8");
    button("Set_Sencer")->click();
    EXPECT_EQ(host.messages.at(2).text, conditionText::kSettingInvalid);
    EXPECT_TRUE(written().empty());
    edit("Edit7")->setText("28");
    button("Set_Sencer")->click();
    ASSERT_EQ(written().size(), 1u);
    EXPECT_EQ(written()[0][4 + 10], 0x01);  // 280 = 0x0118
    EXPECT_EQ(written()[0][4 + 11], 0x18);
}

TEST_F(Setting5000Writes, ThresholdsOfASingleAxisRecorderComeFromTheZSensitivity) {
    open(6100, true);
    state.identity.sensorRange = 50;
    state.info.sensitivity = {0.0, 0.0, 14.0};
    choose(list("txtTrigLebel"), 2);  // 10 %
    choose(list("txtSapmType"), 1);   // 2 ms
    choose(list("txtTrigPos"), 1);    // 100 points
    choose(list("UpDataMode"), 1);
    button("Set_Mode")->click();
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, conditionText::kConditionWarning);
    EXPECT_EQ(host.messages[0].flags, 36);
    EXPECT_EQ(host.messages[1].text, kDone);
    ASSERT_EQ(written().size(), 2u);
    const int period = state.info.recordPeriod;
    EXPECT_EQ(written()[0], sim::makeCommand(0x53, {1, static_cast<uint8_t>(period), 2, 10, 10, 10,
                                                    0, 23, 0, 23, 0, 23, 100, 0, 1}));
    EXPECT_EQ(written()[1], sim::makeCommand(0x50));
    // The screen shows what the recorder now reports.
    EXPECT_EQ(list("txtTrigLebel")->currentText(), "10");
    EXPECT_EQ(list("UpDataMode")->currentIndex(), 1);
    EXPECT_EQ(state.info.triggerThreshold[0], 23);
}

TEST_F(Setting5000Writes, NoAtTheWarningSendsNothing) {
    open(5300);
    host.answers.push_back(Host::No);
    button("Set_Mode")->click();
    EXPECT_EQ(messageTexts(), std::vector<std::string>{conditionText::kConditionWarning});
    EXPECT_TRUE(written().empty());
    // No at any confirmation sends nothing either.
    host.answers = {Host::No, Host::No};
    edit("txtGouki")->setText("5");
    button("Set_Gouki")->click();
    edit("Edit2")->setText("2014/03/05 09:07:02");
    button("Set_Time")->click();
    EXPECT_TRUE(written().empty());
}

TEST_F(Setting5000Writes, HiddenButtonReenablesTheConditionsAfterTheWarning) {
    open(5100);
    QPushButton* unlock = button("Button5");
    EXPECT_TRUE(unlock->isHidden());
    list("txtRecType")->setEnabled(false);
    host.answers.push_back(Host::No);
    unlock->click();
    EXPECT_FALSE(list("txtRecType")->isEnabled());
    unlock->click();
    EXPECT_TRUE(list("txtRecType")->isEnabled());
    EXPECT_FALSE(list("txtRecMode")->isEnabled());  // single-axis recorder
    EXPECT_TRUE(written().empty());
}

TEST_F(Setting5000Writes, FailedWritesShowTheCommunicationNotice) {
    open(5300);
    device->failOpenWith(ENOENT);
    const RecorderInfo before = state.info;
    edit("txtGouki")->setText("3");
    button("Set_Gouki")->click();
    button("Set_Mode")->click();
    ASSERT_EQ(host.messages.size(), 4u);
    EXPECT_EQ(host.messages[1].title, "通信エラー");
    EXPECT_EQ(host.messages[3].title, "通信エラー");
    EXPECT_EQ(state.info.deviceNumber, before.deviceNumber);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(button("Set_Mode")->isEnabled());
}

TEST_F(Setting5000Writes, ConditionWriteWhoseStatusReadFailsIsAFailure) {
    open(5300);
    recorder->mutedCode = 0x50;  // takes the conditions, then no status
    choose(list("txtRecType"), 4);
    button("Set_Mode")->click();
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[1].title, "通信エラー");
    ASSERT_GE(written().size(), 2u);
    EXPECT_EQ(written()[0][2], 0x53);
    // Nothing new was read, so the screen keeps the old period.
    EXPECT_NE(state.info.recordPeriod, 4);
    EXPECT_EQ(list("txtRecType")->currentIndex(), 4);
}

}  // namespace
}  // namespace kv::test
