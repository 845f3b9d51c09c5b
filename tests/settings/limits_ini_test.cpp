// Limits in the INI file: kept through a save as written, read from another
// file with a reason when they cannot be used.
#include "settings/limits_ini.h"

#include <gtest/gtest.h>

#include <fstream>

#include "base/cp932.h"
#include "settings/pc_settings.h"
#include "settings_test_support.h"
#include "support/scratch_folder.h"

namespace kv {
namespace {

void write(const std::string& path, const std::string& utf8) {
    std::ofstream(path, std::ios::binary) << utf8ToCp932(utf8).value();
}

TEST(LimitsIni, SavedWithTheSettingsKeepingOtherKeysAndUnusableTexts) {
    test::ScratchFolder scratch;
    PcSettings settings;
    settings.locateForExecutable(scratch.file("kvmanager"), "/nonexistent");
    write(settings.iniFilePath(),
          "[Limits]\r\nNote=箱A\r\nwarningx=10\r\nAlarmX=abc\r\n[etc]\r\nPath=/tmp/\r\n");
    settings.load();
    Limits limits;
    const auto problem = settings.limits(limits);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->field, LimitField::AlarmX);
    ASSERT_TRUE(settings.save());
    const std::string saved = cp932ToUtf8(test::readBytes(settings.iniFilePath())).value();
    EXPECT_NE(saved.find("Note=箱A\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("WarningX=10\r\n"), std::string::npos);
    EXPECT_NE(saved.find("AlarmX=abc\r\n"), std::string::npos);   // never lost
    EXPECT_NE(saved.find("DropHeight=\r\n"), std::string::npos);  // every key, for the hand editor

    limits.warningG[0] = 10;
    limits.alarmG[0] = 25.5;
    limits.dropHeightCm = 80;
    settings.setLimits(limits);
    ASSERT_TRUE(settings.save());
    PcSettings again;
    again.locateForExecutable(scratch.file("kvmanager"), "/nonexistent");
    again.load();
    Limits back;
    ASSERT_FALSE(again.limits(back));
    EXPECT_EQ(back, limits);
}

TEST(LimitsIni, AnotherFilesLimitsOrWhyNot) {
    test::ScratchFolder scratch;
    const std::string good = scratch.file("good.ini"), bad = scratch.file("bad.ini"),
                      none = scratch.file("none.ini");
    write(good, "[LIMITS]\r\nWarningZ=5\r\nAlarmZ=7.5\r\nDeltaV=3\r\n");
    write(bad, "[Limits]\r\nWarningZ=9\r\nAlarmZ=7.5\r\n");
    write(none, "[etc]\r\nPath=/tmp/\r\n");
    Limits limits;
    std::string error;
    ASSERT_TRUE(readLimitsFile(good, limits, error)) << error;
    EXPECT_EQ(limits.alarmG[2], 7.5);
    EXPECT_EQ(limits.velocityChangeMps, 3);

    EXPECT_FALSE(readLimitsFile(bad, limits, error));
    EXPECT_EQ(
        error,
        bad + " [Limits] AlarmZ: Ｚ軸の警報レベル (7.5 G) は注意レベル (9 G) 以上にしてください。");
    EXPECT_FALSE(readLimitsFile(none, limits, error));
    EXPECT_NE(error.find("[Limits] がありません"), std::string::npos) << error;
    EXPECT_FALSE(readLimitsFile(scratch.file("missing.ini"), limits, error));
    EXPECT_NE(error.find("読めません"), std::string::npos);
}

}  // namespace
}  // namespace kv
