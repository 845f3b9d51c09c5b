#include <gtest/gtest.h>
#include <stdlib.h>
#include <QComboBox>
#include <QPushButton>

#include <filesystem>

#include "base/clock.h"
#include "link/link.h"
#include "link/termios_device.h"
#include "settings/TPcSettingForm.h"
#include "settings/pc_settings.h"
#include "settings/settings_test_support.h"
#include "support/kvsim_process.h"
#include "support/recording_host.h"
#include "support/ui/find_control.h"

namespace kv::test {
namespace {

// "検出" on a machine whose only serial device (a fake /dev entry leading to
// the simulated recorder's pseudo-terminal) has a recorder: it is offered for
// the selected port and stored by "設定(&S)".
TEST(PcSettingFormDetect, OffersTheDeviceThatAnswersForTheSelectedPort) {
    KvsimProcess sim({"--model", "5300"});
    ASSERT_TRUE(sim.started()) << sim.error();
    TempFolder tmp;
    std::filesystem::create_directories(tmp.path() + "dev");
    const std::string device = tmp.path() + "dev/ttyUSB0";
    std::filesystem::create_symlink(sim.devicePath(), device);
    ::setenv("KV_DEV_ROOT", (tmp.path() + "dev").c_str(), 1);
    ::setenv("KV_SYS_ROOT", (tmp.path() + "sys").c_str(), 1);

    PcSettings settings;
    settings.setIniFilePath(tmp.path() + "kvmanager.ini");
    settings.load();
    RecordingHost host;
    host.answers.push_back(Host::Yes);  // use the device found
    RealClock clock;
    TermiosDevice line(clock);
    Link link{line, clock, host, [](int) { return std::string(); }};
    TPcSettingForm form(settings, link);
    form.show();
    findControl<QComboBox>(&form, "ComboBox1")->setCurrentIndex(2);
    findControl<QPushButton>(&form, "ButtonDetect")->click();
    ::unsetenv("KV_DEV_ROOT");
    ::unsetenv("KV_SYS_ROOT");

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
    PcSettings stored;
    stored.setIniFilePath(settings.iniFilePath());
    stored.load();
    EXPECT_EQ(stored.comPort(), 3);
    EXPECT_EQ(stored.devicePath(3), device);
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
