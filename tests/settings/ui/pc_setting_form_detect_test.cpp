#include <gtest/gtest.h>
#include <stdlib.h>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <filesystem>

#include "base/clock.h"
#include "link/link.h"
#include "link/termios_device.h"
#include "settings/TPcSettingForm.h"
#include "settings/pc_settings.h"
#include "settings/port_devices.h"
#include "settings/settings_test_support.h"
#include "support/kvsim_process.h"
#include "support/recording_host.h"
#include "support/ui/find_control.h"

namespace kv::test {
namespace {

// The simulated recorder on a pseudo-terminal, a machine whose serial
// devices are a fake /dev folder, and settings in a file of their own.
class PcSettingFormDetectLine : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(sim.started()) << sim.error();
        std::filesystem::create_directories(tmp.file("dev"));
        ::setenv("KV_DEV_ROOT", (tmp.file("dev")).c_str(), 1);
        ::setenv("KV_SYS_ROOT", (tmp.file("sys")).c_str(), 1);
        settings.setIniFilePath(tmp.file("kvmanager.ini"));
        settings.load();
    }
    void TearDown() override {
        ::unsetenv("KV_DEV_ROOT");
        ::unsetenv("KV_SYS_ROOT");
    }
    PcSettings stored() const {
        PcSettings s;
        s.setIniFilePath(settings.iniFilePath());
        s.load();
        return s;
    }

    KvsimProcess sim{{"--model", "5300"}};
    ScratchFolder tmp;
    PcSettings settings;
    RecordingHost host;
    RealClock clock;
    TermiosDevice line{clock};
};

// "検出" on a machine whose only serial device (a fake /dev entry leading to
// the simulated recorder's pseudo-terminal) has a recorder: it is offered for
// the selected port and stored by "設定(&S)".
TEST_F(PcSettingFormDetectLine, OffersTheDeviceThatAnswersForTheSelectedPort) {
    const std::string device = tmp.file("dev/ttyUSB0");
    std::filesystem::create_symlink(sim.devicePath(), device);
    host.answers.push_back(Host::Yes);  // use the device found
    Link link{line, clock, host, [](int) { return std::string(); }};
    TPcSettingForm form(settings, link);
    form.show();
    findControl<QComboBox>(&form, "ComboBox1")->setCurrentIndex(2);
    findControl<QPushButton>(&form, "ButtonDetect")->click();

    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].flags, Host::QuestionYesNo);
    EXPECT_NE(host.messages[0].text.find(device), std::string::npos) << host.messages[0].text;
    EXPECT_NE(host.messages[0].text.find("KV-5300"), std::string::npos);
    EXPECT_NE(host.messages[0].text.find("COM3"), std::string::npos);
    EXPECT_EQ(findControl<QComboBox>(&form, "ComboBoxDevice")->currentText().toStdString(), device);
    EXPECT_TRUE(form.edited());
    // Shown in a progress window, step by step.
    ASSERT_FALSE(host.progress.empty());
    EXPECT_EQ(host.progress.front().kind, RecordingHost::ProgressEvent::Begin);
    EXPECT_TRUE(host.progress.front().cancellable);

    findControl<QPushButton>(&form, "BitBtn1")->click();
    EXPECT_EQ(stored().comPort(), 3);
    EXPECT_EQ(stored().devicePath(3), device);
    findControl<QPushButton>(&form, "BitBtn3")->click();
}

// While the run script's simulator stands in for COM1 (and no serial line
// exists), the screen shows it as the device in use and "検出" finds it, but
// neither stores its passing name.
TEST_F(PcSettingFormDetectLine, TheSimulatorOfThisRunIsShownAndFoundButNotStored) {
    const std::string simulator = sim.devicePath();
    PortDevices devices(settings, simulator, 1);
    Link link{line, clock, host, [&devices](int port) { return devices(port); }};
    TPcSettingForm form(settings, link);
    form.show();
    auto* device = findControl<QComboBox>(&form, "ComboBoxDevice");
    auto* note = findControl<QLabel>(&form, "StaticTextRunDevice");
    EXPECT_EQ(device->currentText().toStdString(), simulator);
    EXPECT_TRUE(note->isVisible());
    EXPECT_NE(note->text().toStdString().find("シミュレーター " + simulator), std::string::npos)
        << note->text().toStdString();
    EXPECT_FALSE(form.edited());

    findControl<QPushButton>(&form, "ButtonDetect")->click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].flags, Host::Information);
    EXPECT_NE(host.messages[0].text.find(simulator), std::string::npos) << host.messages[0].text;
    EXPECT_NE(host.messages[0].text.find("KV-5300"), std::string::npos);
    EXPECT_NE(host.messages[0].text.find("シミュレーター"), std::string::npos);

    // Another port has its own device and no note.
    findControl<QComboBox>(&form, "ComboBox1")->setCurrentIndex(1);
    EXPECT_EQ(device->currentText().toStdString(), "/dev/ttyS1");
    EXPECT_FALSE(note->isVisible());
    findControl<QPushButton>(&form, "BitBtn1")->click();
    EXPECT_FALSE(stored().hasDevicePath(1));
    findControl<QPushButton>(&form, "BitBtn3")->click();
}

TEST(PcSettingFormDetect, WithoutARecorderLineThereIsNoButton) {
    PcSettings settings;
    RecordingHost host;
    TPcSettingForm form(settings, host);
    form.show();
    EXPECT_FALSE(findControl<QPushButton>(&form, "ButtonDetect")->isVisible());
}

}  // namespace
}  // namespace kv::test
