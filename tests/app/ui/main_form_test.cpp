#include <QAction>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeWidget>

#include "app/TDataReadForm.h"
#include "app/TMainForm.h"
#include "app/ui/shell_fixture.h"
#include "recorder/information_command.h"
#include "screens/TInformationForm.h"
#include "screens/TKV5000_Info.h"
#include "settings/TPcSettingForm.h"
#include "settings/settings_test_support.h"
#include "viewer/TGraph5000.h"
#include "viewer/TGraphColor.h"
#include "viewer/TInputScale.h"

namespace kv::test {
namespace {

using MainFormTest = ShellTest;

TEST_F(MainFormTest, ButtonsShowTheirHintInTheStatusBarAndTheBackgroundClearsIt) {
    start(kRecorder5300);
    TMainForm* main = windows.mainForm;
    auto* bar = find<QLabel>(find<QStatusBar>(main, "StatusBar1"), "StatusText");
    const std::pair<const char*, const char*> hints[] = {
        {"BitBtn1", "ＫＶの計測情報を読み込みます"},
        {"BitBtn3", "ＫＶに測定条件を設定します"},
        {"BitBtn4", "ファイル名の指定、通信条件を設定します。"},
        {"Button1", "アプリケーションを終了します"},
    };
    for (const auto& [name, hint] : hints) {
        auto* button = find<QAbstractButton>(main, name);
        moveMouseOver(button);
        EXPECT_EQ(bar->text().toStdString(), hint) << name;
        EXPECT_EQ(button->toolTip().toStdString(), hint) << name;
    }
    moveMouseOver(main->centralWidget());
    EXPECT_TRUE(bar->text().isEmpty());
    moveMouseOver(find<QWidget>(main, "BitBtn3"));
    moveMouseOver(find<QLabel>(main, "Label1"));
    EXPECT_TRUE(bar->text().isEmpty());

    EXPECT_FALSE(find<QWidget>(main, "BitBtn2")->isVisible());
    EXPECT_TRUE(find<QWidget>(main, "BitBtn5")->isEnabled());
    EXPECT_TRUE(find<QAction>(main, "mnuShowData")->isEnabled());
    EXPECT_EQ(main->windowTitle().toStdString(), "ＫＶマネージャー　(Ver4.02J)");
}

// Coming back from the graph window, the hint of the button that opened it is
// gone: the mouse has been elsewhere since.
TEST_F(MainFormTest, TheHintIsFreshAfterReturningFromAnotherWindow) {
    start(kRecorder5300);
    TMainForm* main = windows.mainForm;
    auto* bar = find<QLabel>(find<QStatusBar>(main, "StatusBar1"), "StatusText");
    auto* graphButton = find<QAbstractButton>(main, "BitBtn5");
    moveMouseOver(graphButton);
    ASSERT_EQ(bar->text().toStdString(), "保存してあるデータを表示します。");
    QCursor::setPos(main->mapToGlobal(QPoint(-50, -50)));
    graphButton->click();
    ASSERT_FALSE(main->isVisible());
    windows.graph5000->close();
    ASSERT_TRUE(main->isVisible());
    EXPECT_TRUE(bar->text().isEmpty()) << bar->text().toStdString();
}

TEST_F(MainFormTest, EveryWindowIsNamedAfterItsClass) {
    start(kRecorder5300);
    const std::pair<QWidget*, const char*> named[] = {
        {windows.mainForm, "TMainForm"},           {windows.settingForm, "TSettingForm"},
        {windows.pcSettingForm, "TPcSettingForm"}, {windows.informationForm, "TInformationForm"},
        {windows.dataReadForm, "TDataReadForm"},   {windows.kv5000Info, "TKV5000_Info"},
        {windows.setting5000, "TSetting_5000"},    {windows.graph5000, "TGraph5000"},
        {windows.inputScale, "TInputScale"},       {windows.graphColor, "TGraphColor"},
    };
    for (const auto& [window, name] : named) {
        ASSERT_NE(window, nullptr) << name;
        EXPECT_EQ(window->objectName().toStdString(), name);
    }
}

TEST_F(MainFormTest, NoAtTheExitQuestionKeepsTheProgramAndYesEndsItAndWritesTheIni) {
    start(kRecorder5300);
    host.answers = {Host::No};
    find<QPushButton>(windows.mainForm, "Button1")->click();
    EXPECT_TRUE(windows.mainForm->isVisible());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "終了処理");
    EXPECT_EQ(host.messages[0].text,
              "ＫＶマネージャーを終了します。\n\n終了してよろしいですか？\n");
    EXPECT_EQ(host.messages[0].flags, Host::QuestionYesNo);

    bool ended = false;
    QObject::connect(windows.mainForm, &TMainForm::closed, [&] { ended = true; });
    host.answers = {Host::Yes};
    find<QAction>(windows.mainForm, "N6")->trigger();
    EXPECT_TRUE(ended);
    EXPECT_FALSE(windows.mainForm->isVisible());
    EXPECT_EQ(host.messages.size(), 2u);

    // The program's end destroys the windows; the settings reach the file then.
    settings.setComPort(3);
    destroyAppWindows(windows);
    PcSettings reread;
    reread.setIniFilePath(folder.file("kvmanager.ini"));
    reread.load();
    EXPECT_EQ(reread.comPort(), 3);
    EXPECT_NE(readBytes(folder.file("kvmanager.ini")).find("Port=3"), std::string::npos);
}

TEST_F(MainFormTest, WhileACommandRunsTheWindowIsBusyAndRefusesToCloseSilently) {
    start(kRecorder5300);
    TMainForm* main = windows.mainForm;
    bool closed = true;
    std::vector<bool> enabled;
    onNextModal([&](QWidget*) {
        closed = main->close();
        for (const char* name : {"BitBtn1", "BitBtn3", "BitBtn4", "Button1"})
            enabled.push_back(find<QWidget>(main, name)->isEnabled());
        enabled.push_back(find<QMenu>(main, "N1")->menuAction()->isEnabled());
        EXPECT_FALSE(main->closeAllowed());
        EXPECT_EQ(main->cursor().shape(), Qt::WaitCursor);
    });
    find<QToolButton>(main, "BitBtn1")->click();
    EXPECT_EQ(shown, (std::vector<std::string>{"TKV5000_Info"}));
    EXPECT_FALSE(closed);
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(enabled, std::vector<bool>(5, false));
    // Idle again.
    EXPECT_TRUE(main->closeAllowed());
    EXPECT_TRUE(find<QWidget>(main, "BitBtn1")->isEnabled());
    EXPECT_TRUE(find<QMenu>(main, "N1")->menuAction()->isEnabled());
    EXPECT_EQ(main->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MainFormTest, InformationOfALaterGenerationRecorder) {
    start(kRecorder5300);
    std::map<std::string, std::string> fields;
    std::vector<std::vector<std::string>> rows;
    onNextModal([&](QWidget* screen) {
        for (auto* edit : screen->findChildren<QLineEdit*>())
            fields[edit->objectName().toStdString()] = edit->text().toStdString();
        auto* list = find<QTreeWidget>(screen, "DataView");
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            std::vector<std::string> row;
            QTreeWidgetItem* item = list->topLevelItem(i);
            row.push_back(item->checkState(0) == Qt::Checked ? "[x]" : "[ ]");
            for (int c = 0; c < list->columnCount(); ++c)
                row.push_back(item->text(c).toStdString());
            rows.push_back(row);
        }
    });
    find<QAction>(windows.mainForm, "N2")->trigger();
    ASSERT_EQ(shown, (std::vector<std::string>{"TKV5000_Info"}));
    // The first-generation attempt is answered by the identity only; then one
    // session reads status, peak index and clock.
    EXPECT_EQ(commandCodes(), (std::vector<int>{240, 80, 32, 96}));
    EXPECT_EQ(fields["txtName"], "KV-5300");
    EXPECT_EQ(fields["txtS_Number"], "4321");
    EXPECT_EQ(fields["txtG_Number"], "12");
    EXPECT_EQ(fields["txtTime"], "2014/03/05 09:07:02");
    EXPECT_EQ(fields["txtBat"], "3.6v");
    EXPECT_EQ(fields["txtVer"], "Ver-1.2");
    EXPECT_EQ(fields["txtY_Num"], "102");
    EXPECT_EQ(fields["txtZ_Sencer"], "20.1");
    EXPECT_EQ(fields["txtRange"], "50 Ｇ");
    EXPECT_EQ(fields["txtPlace"], "外付け");
    EXPECT_EQ(fields["txtRecType"], "３０秒");
    EXPECT_EQ(fields["txtSapmType"], "2 (ms)");
    EXPECT_EQ(fields["RecModeList"], "ピークモード");
    EXPECT_EQ(fields["txtRecMode"], "３軸独立");
    EXPECT_EQ(fields["txtTrigLebel"], "10 ％");
    EXPECT_EQ(fields["txtTrigPos"], "64 ﾎﾟｲﾝﾄ");
    EXPECT_EQ(fields["txtCycle"], "３軸比較");
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{"[x]", "01", "2014/03/05 09:00:00", "Switch",
                                        "2014/03/05 10:00:00", "Mem-Full", "３０秒", "12", ""}));
    EXPECT_EQ(rows[1][3], "Remote");
    EXPECT_EQ(rows[1][5], "*");
    EXPECT_EQ(rows[2],
              (std::vector<std::string>{"[ ]", "03", "未計測です。", "", "", "", "", "", ""}));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(MainFormTest, InformationOfAWaveModeRecorderCountsEveryAxis) {
    start(std::string(kRecorder5300) + "mode wave\n");
    std::vector<std::string> header, first;
    onNextModal([&](QWidget* screen) {
        auto* list = find<QTreeWidget>(screen, "DataView");
        for (int c = 0; c < list->columnCount(); ++c) {
            header.push_back(list->headerItem()->text(c).toStdString());
            first.push_back(list->topLevelItem(0)->text(c).toStdString());
        }
        EXPECT_EQ(find<QLineEdit>(screen, "RecModeList")->text().toStdString(), "波形モード");
    });
    find<QToolButton>(windows.mainForm, "BitBtn1")->click();
    EXPECT_EQ(commandCodes(), (std::vector<int>{240, 80, 112, 96}));
    EXPECT_EQ(header,
              (std::vector<std::string>{"計測番号", "   開始時刻   ", "開始条件", "   終了時刻   ",
                                        "終了条件", "Ｘ計測数", "Ｙ計測数", "Ｚ計測数", "保存"}));
    EXPECT_EQ(first[7], "12");
}

TEST_F(MainFormTest, InformationOfAFirstGenerationRecorder) {
    start(
        "model 4300\ndevice 3\nserial 42\nrange 20\nplace A\nsensor Y 12 11.5\nbattery 3.1\n"
        "period 2\nclock 1998/12/31 23:59:58\n"
        "measurement\n  start 2014/03/05 09:00:00\n  end 2014/03/05 10:00:00\n"
        "  causes R B\n  records 5\n");
    std::map<std::string, std::string> fields;
    std::vector<std::string> first;
    onNextModal([&](QWidget* screen) {
        for (auto* label : screen->findChildren<QLabel*>())
            fields[label->objectName().toStdString()] = label->text().toStdString();
        auto* list = find<QTreeWidget>(screen, "ListView1");
        for (int c = 0; c < list->columnCount(); ++c)
            first.push_back(list->topLevelItem(0)->text(c).toStdString());
    });
    find<QToolButton>(windows.mainForm, "BitBtn1")->click();
    ASSERT_EQ(shown, (std::vector<std::string>{"TInformationForm"}));
    EXPECT_EQ(commandCodes(), (std::vector<int>{240, 0, 32, 16}));
    EXPECT_EQ(fields["StaticText6"], "KV 4300");
    EXPECT_EQ(fields["StaticText34"], "00042");
    EXPECT_EQ(fields["StaticText2"], "3");
    EXPECT_EQ(fields["StaticText4"], "５秒");
    EXPECT_EQ(fields["StaticText8"], "20 G");
    EXPECT_EQ(fields["StaticText10"], "内蔵");
    EXPECT_EQ(fields["StaticText12"], "1998/12/31 23:59:58");
    EXPECT_EQ(fields["StaticText19"], "12");
    EXPECT_EQ(fields["StaticText20"], "11.5");
    EXPECT_EQ(fields["StaticText32"], "3.1v");
    EXPECT_EQ(first,
              (std::vector<std::string>{"01", "2014/03/05 09:00:00", "Remote",
                                        "2014/03/05 10:00:00", "Bat Empty", "５秒", "5", ""}));
}

TEST_F(MainFormTest, AFirstGenerationRecorderFailingItsIndexEndsWithTheFailureNotice) {
    start("model 4100\n");
    recorder->mutedCode = 32;
    onNextModal([](QWidget*) {});
    find<QToolButton>(windows.mainForm, "BitBtn1")->click();
    EXPECT_TRUE(shown.empty());
    // The later-generation path is tried in a second session and fails too.
    EXPECT_EQ(device->openedPaths().size(), 2u);
    ASSERT_EQ(host.titles(), (std::vector<std::string>{"通信エラー"}));
    EXPECT_EQ(host.messages[0].text.rfind("本体情報の書込みに失敗しました。", 0), 0u);
    EXPECT_EQ(host.messages[0].flags, Host::Error);
    EXPECT_TRUE(windows.mainForm->closeAllowed());
}

TEST_F(MainFormTest, APortThatCannotBeOpenedIsNamedWithItsErrorNumber) {
    start(kRecorder5300);
    device->failOpenWith(13);
    find<QToolButton>(windows.mainForm, "BitBtn1")->click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "通信エラー");
    EXPECT_EQ(host.messages[0].text.find("ポートが開けません。\n13\n/dev/"), 0u)
        << host.messages[0].text;
    EXPECT_EQ(host.messages[0].flags, Host::Error);
    // At once: one attempt to open, nothing sent, no waiting.
    EXPECT_EQ(device->openAttempts(), 1);
    EXPECT_TRUE(device->frames().empty());
}

TEST_F(MainFormTest, TheConditionCommandReadsTheRecorderAndOpensItsScreenWhenThere) {
    start(kRecorder5300);
    onNextModal([](QWidget*) {});
    find<QToolButton>(windows.mainForm, "BitBtn3")->click();
    EXPECT_EQ(commandCodes(), (std::vector<int>{240, 80, 96}));
    EXPECT_EQ(state.info.deviceNumber, 12);
    EXPECT_EQ(shown.empty(), windows.setting5000 == nullptr);
    EXPECT_TRUE(windows.mainForm->closeAllowed());
}

}  // namespace
}  // namespace kv::test
