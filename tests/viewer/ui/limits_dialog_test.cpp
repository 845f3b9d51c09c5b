// The limits dialog: it opens with what the INI holds, refuses what cannot be
// used with the core's message and stays open on that field, and stores and
// saves what can.
#include <gtest/gtest.h>
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include "settings/pc_settings.h"
#include "support/recording_host.h"
#include "support/scratch_folder.h"
#include "support/ui/find_control.h"
#include "viewer/TLimitsDialog.h"

namespace kv::test {
namespace {

class LimitsDialogTest : public ::testing::Test {
  protected:
    LimitsDialogTest() {
        settings.setIniFilePath(scratch.file("kvmanager.ini"));
        settings.load();
        settings.limitTexts[static_cast<int>(LimitField::WarningZ)] = "30";
        settings.limitTexts[static_cast<int>(LimitField::AlarmZ)] = "abc";  // hand-edited
        dialog = std::make_unique<TLimitsDialog>(settings, host);
        dialog->show();
    }
    QLineEdit* edit(const char* name) { return findControl<QLineEdit>(dialog.get(), name); }
    void ok() { findControl<QPushButton>(dialog.get(), "BitBtn1")->click(); }

    ScratchFolder scratch;
    RecordingHost host;
    PcSettings settings;
    std::unique_ptr<TLimitsDialog> dialog;
};

TEST_F(LimitsDialogTest, AnUnusableEntryIsExplainedAndKeepsTheDialogOpen) {
    EXPECT_EQ(dialog->objectName(), "TLimitsDialog");
    EXPECT_EQ(dialog->windowTitle().toStdString(), "判定基準の設定");
    EXPECT_EQ(edit("EditAlarmZ")->text(), "abc");  // shown as written, for correcting
    EXPECT_EQ(edit("EditAlarmZ")->accessibleName().toStdString(), "Ｚ軸の警報レベル (G)");

    const struct {
        const char* edit;
        const char* text;
        const char* message;
        const char* focus;  // the field to correct
        const char* fixed;  // its correction, for the next step
    } steps[] = {
        {"EditAlarmZ", "abc",
         "Ｚ軸の警報レベルには数値を入力してください (G)。「abc」は数値ではありません。",
         "EditAlarmZ", "abc"},
        {"EditAlarmZ", "20", "Ｚ軸の警報レベル (20 G) は注意レベル (30 G) 以上にしてください。",
         "EditAlarmZ", "30"},
        {"EditDropHeight", "0", "落下高さの上限は 0 より大きく 10000 cm 以下の値にしてください。",
         "EditDropHeight", ""},
        {"EditDamageG", "50", "損傷境界は臨界速度変化と臨界加速度の両方を入力してください",
         "EditDamageDeltaV", ""},
    };
    for (const auto& step : steps) {
        edit(step.edit)->setText(QString::fromUtf8(step.text));
        host.messages.clear();
        ok();
        ASSERT_EQ(host.messages.size(), 1u) << step.text;
        EXPECT_EQ(host.messages[0].title, "判定基準の設定");
        EXPECT_EQ(host.messages[0].flags, Host::Error);
        EXPECT_EQ(host.messages[0].text.rfind(step.message, 0), 0u) << host.messages[0].text;
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->focusWidget(), edit(step.focus)) << step.text;
        edit(step.edit)->setText(QString::fromUtf8(step.fixed));
    }
    // The INI is untouched while nothing was accepted.
    PcSettings again;
    again.setIniFilePath(settings.iniFilePath());
    again.load();
    EXPECT_EQ(again.limitTexts[static_cast<int>(LimitField::AlarmZ)], "");
}

TEST_F(LimitsDialogTest, OkStoresAndSavesTheLimits) {
    edit("EditAlarmZ")->setText("４５");
    edit("EditDropHeight")->setText("80");
    ok();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->limits().alarmG[2], 45);
    PcSettings again;
    again.setIniFilePath(settings.iniFilePath());
    again.load();
    Limits saved;
    ASSERT_FALSE(again.limits(saved));
    EXPECT_EQ(saved, dialog->limits());
    EXPECT_EQ(saved.dropHeightCm, 80);

    // Cleared, nothing is judged.
    dialog->show();
    EXPECT_EQ(edit("EditAlarmZ")->text(), "45");
    findControl<QPushButton>(dialog.get(), "ButtonClear")->click();
    ok();
    EXPECT_FALSE(dialog->limits().anySet());
}

}  // namespace
}  // namespace kv::test
