// The real-time settings dialog on the in-memory recorder: its preset, the
// enabling by model and mode, the check of OK and what OK leaves behind.
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>

#include "datafile/data_set.h"
#include "screens/TKvDataInput.h"
#include "screens/ui/setting5000_fixture.h"

namespace kv::test {
namespace {

class KvDataInputTest : public ConditionScreenTest {
  protected:
    KvDataInputTest() : dialog(*linkHolder(), settings, state, view) {}

    // The dialog needs a link before the recorder exists: it is the fixture's
    // once connectRecorder has run.
    Link* linkHolder() {
        connectRecorder(6300, true);
        return link.get();
    }

    // Opens the dialog as the graph window does and runs step while it shows.
    int open(std::function<void()> step, int currentMode = 0) {
        bool& ran = shown = false;
        QTimer timer;
        timer.setInterval(1);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (QApplication::activeModalWidget() != &dialog || ran) return;
            ran = true;
            step();
            if (dialog.isVisible()) dialog.reject();
        });
        timer.start();
        return dialog.showMonitorSettings(currentMode);
    }

    template <typename T>
    T* control(const char* name) {
        return find<T>(&dialog, name);
    }
    void ok() { control<QPushButton>("Button1")->click(); }
    void setSensitivities(const char* x, const char* y, const char* z) {
        control<QLineEdit>("Edit1")->setText(x);
        control<QLineEdit>("Edit2")->setText(y);
        control<QLineEdit>("Edit3")->setText(z);
    }

    DataSet view;
    TKvDataInput dialog;
    bool shown = false;
};

TEST_F(KvDataInputTest, PresetFromTheRecorderThenTheSensitivityCheckOfOk) {
    const int mode = open([&] {
        EXPECT_EQ(control<QComboBox>("ComboBox1")->currentIndex(), 5);
        EXPECT_TRUE(control<QRadioButton>("Mode2")->isChecked());
        EXPECT_TRUE(control<QComboBox>("ComboBox4")->isEnabled());
        EXPECT_FALSE(control<QComboBox>("ComboBox3")->isEnabled());
        EXPECT_TRUE(control<QLineEdit>("Edit1")->isEnabled());

        setSensitivities("9.9", "15", "15");
        ok();
        setSensitivities("28.0", "28.01", "15");
        ok();
        setSensitivities("28.0", "abc", "15");
        ok();
        EXPECT_TRUE(dialog.isVisible());
        setSensitivities("28.0", "10", "15");
        ok();
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(mode, 4);
    ASSERT_EQ(host.messages.size(), 3u);
    EXPECT_EQ(host.messages[0].text, "Ｘ軸の感度入力にエラーがあります。");
    EXPECT_EQ(host.messages[1].text, "Ｙ軸の感度入力にエラーがあります。");
    EXPECT_EQ(host.messages[2].text, "Ｙ軸の感度入力にエラーがあります。");
    EXPECT_EQ(host.messages[0].title, "ＫＶ設定入力");
    EXPECT_EQ(host.messages[0].flags, Host::Information);
    EXPECT_EQ(state.identity.modelCode, 6300);
    EXPECT_EQ(state.identity.waveData, 1);
    EXPECT_DOUBLE_EQ(state.info.sensitivity[0], 28.0);
    EXPECT_DOUBLE_EQ(state.legacyInfo.sensitivity[1], 10.0);
    EXPECT_EQ(settings.defType, 5);
    EXPECT_EQ(settings.defPeakWave, 1);
    EXPECT_EQ(view.filePath, "リアルタイム");
}

TEST_F(KvDataInputTest, ModelsEnableTheirControls) {
    open([&] {
        choose(control<QComboBox>("ComboBox1"), 1);  // 4300: peak only
        EXPECT_TRUE(control<QRadioButton>("Mode1")->isChecked());
        EXPECT_FALSE(control<QRadioButton>("Mode1")->isEnabled());
        EXPECT_FALSE(control<QRadioButton>("Mode2")->isEnabled());
        EXPECT_FALSE(control<QComboBox>("ComboBox4")->isEnabled());
        EXPECT_TRUE(control<QLineEdit>("Edit1")->isEnabled());

        choose(control<QComboBox>("ComboBox1"), 2);  // 5100: both modes, Z only
        EXPECT_TRUE(control<QRadioButton>("Mode2")->isEnabled());
        EXPECT_FALSE(control<QLineEdit>("Edit1")->isEnabled());
        EXPECT_FALSE(control<QLineEdit>("Edit2")->isEnabled());
        control<QRadioButton>("Mode2")->click();
        EXPECT_TRUE(control<QComboBox>("ComboBox4")->isEnabled());
        EXPECT_FALSE(control<QComboBox>("ComboBox3")->isEnabled());
    });
    // Every control is named for screen readers.
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        if (qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w) ||
            qobject_cast<QAbstractButton*>(w)) {
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
        }
    }
}

TEST_F(KvDataInputTest, CancelKeepsTheModeAndASilentRecorderGivesNone) {
    EXPECT_EQ(open([&] { control<QPushButton>("Button2")->click(); }, 2), 2);
    EXPECT_EQ(settings.defType, -1);
    EXPECT_TRUE(host.messages.empty());

    recorder->mutedCode = 80;  // the status is not answered
    EXPECT_EQ(open([] {}), 0);
    EXPECT_FALSE(shown);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "通信エラー");
}

TEST_F(KvDataInputTest, SavedSelectionsApplyWithoutTheDialog) {
    EXPECT_EQ(dialog.applySavedMonitorSettings(), 0);
    settings.defType = 5;
    settings.defPeakWave = 1;
    settings.defRange = 4;
    settings.defInterval = 1;
    EXPECT_EQ(dialog.applySavedMonitorSettings(), 4);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(control<QCheckBox>("CheckBox1")->isVisibleTo(&dialog));
    EXPECT_EQ(control<QLineEdit>("Edit2")->text(), "24.0");
    EXPECT_EQ(control<QLabel>("checkText")->text(), "入力範囲：：10.0～28.0");
    for (int a = 0; a < 3; ++a) EXPECT_DOUBLE_EQ(state.info.sensitivity[a], 24.0);
    EXPECT_EQ(state.identity.sensorRange, 50);
    EXPECT_EQ(state.info.samplePeriodMs, 2);
}

}  // namespace
}  // namespace kv::test
