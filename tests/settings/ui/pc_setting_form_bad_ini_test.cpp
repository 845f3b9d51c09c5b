#include <gtest/gtest.h>
#include <QComboBox>
#include <QPushButton>

#include <filesystem>

#include "settings/TPcSettingForm.h"
#include "settings/pc_settings.h"
#include "settings/settings_test_support.h"
#include "support/recording_host.h"
#include "support/ui/find_control.h"

namespace kv::test {
namespace {

// The settings screen on a hand-edited INI file whose every key is bad: it
// shows, applies (or says what to choose) and closes without aborting.
TEST(PcSettingFormBadIni, ShowsAppliesAndLeaves) {
    int n = 0;
    for (const std::string& file : badIniFiles()) {
        SCOPED_TRACE("file " + std::to_string(n++));
        ScratchFolder tmp;
        writeBytes(tmp.file("kvmanager.ini"), file);
        PcSettings settings;
        settings.setIniFilePath(tmp.file("kvmanager.ini"));
        settings.load();
        RecordingHost host;
        TPcSettingForm form(settings, host);
        form.show();
        findControl<QPushButton>(&form, "BitBtn1")->click();
        // Either it was stored, or a box said what to choose first.
        EXPECT_TRUE(!form.edited() || !host.messages.empty());
        findControl<QPushButton>(&form, "BitBtn3")->click();
        EXPECT_FALSE(form.isVisible());
    }
}

}  // namespace
}  // namespace kv::test
