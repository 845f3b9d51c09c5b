// The first-generation condition screen: clock texts, record period, device
// number and sensor data, frame by frame.
#include <QCheckBox>
#include <QFont>
#include <QLabel>

#include "screens/TSettingForm.h"
#include "screens/condition_messages.h"
#include "setting5000_fixture.h"
#include "support/ui/clipped_captions.h"

namespace kv::test {
namespace {

class SettingForm : public ConditionScreenTest {
  protected:
    void open() {
        connectRecorder(4300);
        window = std::make_unique<TSettingForm>(*link, settings, state);
        window->show();
    }
    QPushButton* button(const char* name) { return find<QPushButton>(window.get(), name); }
    QLineEdit* edit(const char* name) { return find<QLineEdit>(window.get(), name); }

    std::unique_ptr<TSettingForm> window;
};

const Frame kSetClock14_3_5 = sim::makeCommand(0x11, {0x14, 0x03, 0x05, 0x00, 0x09, 0x07, 0x02});

TEST_F(SettingForm, ShortAndLongClockTextsSendTheSamePayload) {
    open();
    edit("Edit2")->setText("14/3/5 9:7:2");
    ASSERT_TRUE(button("Button3")->isEnabled());
    button("Button3")->click();
    edit("Edit2")->setText("2014/03/05 09:07:02");
    button("Button3")->click();
    ASSERT_EQ(written().size(), 4u);
    EXPECT_EQ(written()[0], kSetClock14_3_5);
    EXPECT_EQ(written()[1], sim::makeCommand(0x10));
    EXPECT_EQ(written()[2], kSetClock14_3_5);
    EXPECT_EQ(messageTexts(), (std::vector<std::string>{
                                  "この設定を書込みますか？\n   14/3/5 9:7:2", kDone,
                                  "この設定を書込みますか？\n   2014/03/05 09:07:02", kDone}));
    // Refreshed from the clock read back, with its century.
    EXPECT_EQ(edit("Edit2")->text().left(10), "2014/03/05");
}

TEST_F(SettingForm, ClockTextsOutsideTheWindowOrWithoutSecondsKeepTheButtonOff) {
    open();
    for (const char* bad : {"1997/12/31 23:59:59", "14/3/5 9:7", "14/2/30 9:7:2"}) {
        edit("Edit2")->setText(QString::fromLatin1(bad));
        EXPECT_FALSE(button("Button3")->isEnabled()) << bad;
    }
    edit("Edit2")->setText("98/1/1 0:0:0");
    EXPECT_TRUE(button("Button3")->isEnabled());
    edit("Edit2")->setText("14/3/5 9:7");
    find<QCheckBox>(window.get(), "CheckBox1")->setChecked(true);
    EXPECT_TRUE(button("Button3")->isEnabled());
    EXPECT_FALSE(edit("Edit2")->isEnabled());

    clock.setLocalNow(*encodeDateTime(CalendarTime{2014, 3, 5, 9, 7, 1, 0}));
    button("Button3")->click();
    ASSERT_FALSE(written().empty());
    EXPECT_EQ(written()[0], kSetClock14_3_5);
    EXPECT_EQ(host.messages[0].text, "この設定を書込みますか？\n   ＰＣ時刻");
}

TEST_F(SettingForm, RecordPeriodIsWrittenOnlyWithAChoice) {
    open();
    auto* periods = find<QComboBox>(window.get(), "ComboBox1");
    auto* chosen = find<QLabel>(window.get(), "StaticText3");
    EXPECT_EQ(periods->currentIndex(), state.legacyInfo.recordPeriod);
    EXPECT_EQ(chosen->text(), periods->currentText());

    periods->setCurrentIndex(-1);
    button("Button2")->click();
    EXPECT_EQ(messageTexts(), std::vector<std::string>{conditionText::kRecordPeriodNotChosen});
    EXPECT_TRUE(written().empty());

    host.messages.clear();
    choose(periods, 3);
    EXPECT_EQ(chosen->text(), "１０秒");
    button("Button2")->click();
    EXPECT_EQ(written(), std::vector<Frame>{sim::makeCommand(0x02, {3})});
    EXPECT_EQ(messageTexts(),
              (std::vector<std::string>{"この設定を書込みますか？\n   記録周期 - １０秒", kDone}));
}

TEST_F(SettingForm, DeviceNumberThatIsNoNumberIsRefusedInItsOwnBox) {
    open();
    edit("Edit1")->clear();
    button("Button1")->click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "ＫＶ設定");
    EXPECT_EQ(host.messages[0].text, conditionText::kDeviceNumberNotNumber);
    EXPECT_TRUE(written().empty());

    host.messages.clear();
    type(edit("Edit1"), "x7");
    EXPECT_EQ(edit("Edit1")->text(), "7");
    button("Button1")->click();
    EXPECT_EQ(written(), std::vector<Frame>{sim::makeCommand(0x01, {7})});
    EXPECT_EQ(messageTexts(),
              (std::vector<std::string>{"この設定を書込みますか？\n   データ親番号 - 7", kDone}));
}

TEST_F(SettingForm, SensorDataOfAnExternalSensor) {
    open();
    state.legacyInfo.sensorPlace = 0;
    rightClickWithShift(find<QWidget>(window.get(), "GroupBox2"));
    EXPECT_FALSE(button("Button4")->isEnabled());
    state.legacyInfo.sensorPlace = 1;
    state.legacyInfo.sensorRange = 5;
    rightClickWithShift(find<QWidget>(window.get(), "GroupBox2"));
    ASSERT_TRUE(button("Button4")->isEnabled());
    edit("Edit4")->setText("300");
    edit("Edit5")->setText("18.1");
    button("Button4")->click();
    EXPECT_EQ(host.messages.at(0).text, conditionText::kSensitivityOutOfRange);
    EXPECT_TRUE(written().empty());
    edit("Edit5")->setText("18.0");
    host.answers.push_back(Host::No);
    button("Button4")->click();
    EXPECT_TRUE(written().empty());
    button("Button4")->click();
    ASSERT_EQ(written().size(), 1u);
    const Frame f = written()[0];
    EXPECT_EQ(f[2], 0x03);
    EXPECT_EQ(f[4], 0x01);  // 300
    EXPECT_EQ(f[5], 0x2C);
    EXPECT_EQ(f[10], 0x00);  // 180
    EXPECT_EQ(f[11], 180);
}

TEST_F(SettingForm, ShowsTheFirstGenerationStatus) {
    open();
    state.legacyInfo.deviceNumber = 12;
    state.legacyInfo.sensitivity = {12.25, 10.0, 0.05};
    state.clock = RecorderClock{1998, 1, 2, 3, 4, 5};
    window->FormShow();
    EXPECT_EQ(edit("Edit1")->text(), "12");
    EXPECT_EQ(edit("Edit5")->text(), "12.3");
    EXPECT_EQ(edit("Edit9")->text(), "0.1");
    EXPECT_EQ(edit("Edit2")->text(), "1998/01/02 03:04:05");
    EXPECT_FALSE(edit("Edit4")->isEnabled());
    EXPECT_EQ(edit("Edit2")->accessibleName(), "ＫＶ時刻");
    EXPECT_EQ(find<QComboBox>(window.get(), "ComboBox1")->accessibleName(), "記録周期");
}

TEST_F(SettingForm, FailedWriteShowsTheCommunicationNotice) {
    open();
    device->failOpenWith(ENOENT);
    button("Button2")->click();
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[1].title, "通信エラー");
}

// With the Japanese font every caption shows whole.
TEST_F(SettingForm, NoCaptionIsCutOff) {
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(12);
    QApplication::setFont(font);
    open();
    window->grab();
    EXPECT_EQ(clippedCaptions(window.get()), std::vector<std::string>{});
    QApplication::setFont(QFont());
}

}  // namespace
}  // namespace kv::test
