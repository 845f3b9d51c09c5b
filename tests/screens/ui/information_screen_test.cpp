#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

#include "app/TMainForm.h"
#include "app/ui/shell_fixture.h"
#include "download/download_journal.h"
#include "screens/TInformationForm.h"
#include "screens/TKV5000_Info.h"
#include "screens/info_widgets.h"

namespace kv::test {
namespace {

// The download button of the recorder information screens, opened through the
// main window's information command as a user opens them.
class InformationScreenTest : public ShellTest {
  protected:
    // Opens the information screen, runs step on it, closes it.
    void openInformation(std::function<void(QWidget*)> step) {
        onNextModal(std::move(step));
        find<QToolButton>(windows.mainForm, "BitBtn1")->click();
    }
    static void tick(QTreeWidget* list, int row, bool on) {
        list->topLevelItem(row)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
    }
    // The data files in the data folder (the download journal beside them is none).
    std::vector<std::string> dataFiles() const {
        std::vector<std::string> files;
        for (const std::string& name : fileNames(folder.file("KV-DATAS/")))
            if (name.size() > 4 && name.substr(name.size() - 4) == ".CSV") files.push_back(name);
        return files;
    }
    // The screens ask before every download.
    void agreeToDownloads() { host.standingAnswers["測定データ読み込み"] = Host::Yes; }
};

TEST_F(InformationScreenTest, DownloadOfTheTickedMeasurementsWritesTheirFiles) {
    start(kRecorder5300);
    agreeToDownloads();
    ASSERT_TRUE(std::filesystem::create_directories(folder.file("KV-DATAS")));
    std::vector<bool> refusedWhileBusy;
    openInformation([&](QWidget* screen) {
        auto* info = qobject_cast<TKV5000_Info*>(screen);
        ASSERT_NE(info, nullptr);
        auto* list = find<QTreeWidget>(screen, "DataView");
        tick(list, 0, false);  // only the second measurement
        host.onProcessEvents = [&] {
            if (!refusedWhileBusy.empty()) return;
            screen->close();
            refusedWhileBusy.push_back(screen->isVisible() && !info->closable());
            refusedWhileBusy.push_back(!list->isEnabled() &&
                                       !find<QPushButton>(screen, "TestButton")->isEnabled() &&
                                       !find<QPushButton>(screen, "Button_OK")->isEnabled());
        };
        find<QPushButton>(screen, "TestButton")->click();
        host.onProcessEvents = nullptr;
        EXPECT_TRUE(screen->isVisible());
        EXPECT_TRUE(info->closable());
        EXPECT_TRUE(list->isEnabled());
    });
    EXPECT_EQ(refusedWhileBusy, (std::vector<bool>{true, true}));
    EXPECT_EQ(state.downloadSelected[0], false);
    EXPECT_EQ(state.downloadSelected[1], true);
    // Identity in its own session decides the generation; the driver asks,
    // downloads and reports.
    ASSERT_EQ(host.titles(), (std::vector<std::string>{"測定データ読み込み", "データ通信"}));
    EXPECT_EQ(host.messages[1].text, "計測データ読み込み処理は終了しました。");
    const auto files = dataFiles();
    ASSERT_EQ(files.size(), 1u);
    const std::string text =
        cp932ToUtf8(readFile(folder.file("KV-DATAS/") + files[0])).value_or("");
    EXPECT_NE(text.find("開始時刻,2014/03/06,08:00:00"), std::string::npos) << text.substr(0, 400);
    EXPECT_NE(text.find("計測回数,7"), std::string::npos);
}

TEST_F(InformationScreenTest, NothingTickedOnlyShowsTheSelectionMessage) {
    start(kRecorder5300);
    size_t framesBefore = 0;
    openInformation([&](QWidget* screen) {
        framesBefore = device->frames().size();
        auto* list = find<QTreeWidget>(screen, "DataView");
        for (int i = 0; i < list->topLevelItemCount(); ++i) tick(list, i, false);
        find<QPushButton>(screen, "TestButton")->click();
    });
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "データ取得エラー");
    EXPECT_EQ(host.messages[0].text, "データが選択されていません。");
    EXPECT_EQ(host.messages[0].flags, Host::Information);
    EXPECT_EQ(device->frames().size(), framesBefore);
}

TEST_F(InformationScreenTest, FirstGenerationDownloadFromItsOwnScreen) {
    start("model 4300\ndevice 3\n");
    agreeToDownloads();
    ASSERT_TRUE(std::filesystem::create_directories(folder.file("KV-DATAS")));
    std::vector<int> codesAtDownload;
    openInformation([&](QWidget* screen) {
        ASSERT_NE(qobject_cast<TInformationForm*>(screen), nullptr);
        const size_t before = device->frames().size();
        host.onProcessEvents = [&] {
            if (!screen->close()) return;
            ADD_FAILURE() << "closed during the download";
        };
        find<QPushButton>(screen, "Button1")->click();
        host.onProcessEvents = nullptr;
        for (size_t i = before; i < device->frames().size(); ++i)
            if (codesAtDownload.empty() || codesAtDownload.back() != device->frames()[i][2])
                codesAtDownload.push_back(device->frames()[i][2]);
    });
    // 240 unanswered: first generation; then status and index, then records.
    ASSERT_GE(codesAtDownload.size(), 4u);
    EXPECT_EQ(std::vector<int>(codesAtDownload.begin(), codesAtDownload.begin() + 4),
              (std::vector<int>{240, 0, 32, 33}));
    EXPECT_EQ(host.titles().back(), "データ通信");
    EXPECT_EQ(dataFiles().size(), 3u);  // the three measurements of the generated recorder
    // The download of the first generation reads no clock; the screen's reading
    // of this recorder's clock goes into the journal.
    const auto journal = readJournal(folder.file("KV-DATAS/"));
    ASSERT_EQ(journal.size(), 3u);
    EXPECT_TRUE(journal[0].clockOffsetSeconds.has_value());
}

const char* const kThreeMeasurements =
    "model 5300\nserial 4321\nclock 2025/04/01 09:58:00\n"
    "measurement\n start 2014/03/05 09:00:00\n records 12\n"
    "measurement\n start 2014/03/06 08:00:00\n records 7\n"
    "measurement\n start 2014/03/07 08:00:00\n records 3\n";

// A measurement just downloaded is marked as on the PC, and 新しい計測のみ
// leaves it unticked; cleared, every measurement is ticked again.
TEST_F(InformationScreenTest, SavedMarksAndNewMeasurementsOnly) {
    start(kThreeMeasurements);
    agreeToDownloads();
    ASSERT_TRUE(std::filesystem::create_directories(folder.file("KV-DATAS")));
    openInformation([&](QWidget* screen) {
        auto* list = find<QTreeWidget>(screen, "DataView");
        auto* newOnly = find<QCheckBox>(screen, "chkNewOnly");
        const int mark = list->columnCount() - 1;
        EXPECT_EQ(list->headerItem()->text(mark), QStringLiteral("保存"));
        for (int i = 0; i < 3; ++i) EXPECT_EQ(list->topLevelItem(i)->text(mark), QString());
        tick(list, 0, false);
        tick(list, 2, false);
        find<QPushButton>(screen, "TestButton")->click();
        auto marks = [&] {
            std::vector<std::string> m;
            for (int i = 0; i < 4; ++i)
                m.push_back(list->topLevelItem(i)->text(mark).toStdString());
            return m;
        };
        EXPECT_EQ(marks(), (std::vector<std::string>{"", "保存済み", "", ""}));
        EXPECT_EQ(list->topLevelItem(1)->toolTip(mark).toStdString(), dataFiles().at(0));
        newOnly->setChecked(true);
        EXPECT_EQ(tickedMeasurements(list),
                  (std::array<bool, 10>{true, false, true, false, false, false, false, false, false,
                                        false}));
        newOnly->setChecked(false);
        EXPECT_EQ(tickedMeasurements(list),
                  (std::array<bool, 10>{true, true, true, false, false, false, false, false, false,
                                        false}));
    });
    // The next showing reads the folder again and keeps the box's choice.
    openInformation([&](QWidget* screen) {
        auto* list = find<QTreeWidget>(screen, "DataView");
        EXPECT_EQ(list->topLevelItem(1)->text(list->columnCount() - 1), QStringLiteral("保存済み"));
    });
}

// The clock offset beside the clock: a minute and more in the warning
// colour, with the hint to set the clock; within a minute, plainly.
void expectClockOffset(QWidget* screen, bool warn, const char* sign) {
    auto* offset = findControl<QLineEdit>(screen, "txtClockOffset");
    auto* hint = findControl<QLabel>(screen, "lblClockHint");
    const std::string text = offset->text().toStdString();
    EXPECT_EQ(text.substr(0, 1), sign) << text;
    EXPECT_EQ(text.substr(text.size() - 4), " 秒");
    EXPECT_EQ(hint->isVisible(), warn);
    EXPECT_EQ(offset->palette().color(QPalette::Text) == QColor(0xC0, 0, 0), warn);
    EXPECT_EQ(offset->accessibleName(), QStringLiteral("時計のずれ"));
}

TEST_F(InformationScreenTest, ClockOffsetOfMoreThanAMinuteIsAWarning) {
    start("model 5300\nclock 2025/04/01 09:58:00\n");
    openInformation([&](QWidget* screen) { expectClockOffset(screen, true, "-"); });
}

TEST_F(InformationScreenTest, ClockOffsetWithinAMinuteIsShownPlainly) {
    start("model 5300\nclock 2025/04/01 10:00:10\n");
    openInformation([&](QWidget* screen) { expectClockOffset(screen, false, "+"); });
}

TEST_F(InformationScreenTest, FirstGenerationScreenHasTheMarksToo) {
    start("model 4300\nclock 2025/04/01 09:00:00\n");
    openInformation([&](QWidget* screen) {
        EXPECT_EQ(find<QLabel>(screen, "StaticText36")->text().left(1), QStringLiteral("-"));
        EXPECT_TRUE(find<QLabel>(screen, "StaticText37")->isVisible());
        auto* list = find<QTreeWidget>(screen, "ListView1");
        EXPECT_EQ(list->headerItem()->text(list->columnCount() - 1), QStringLiteral("保存"));
        find<QCheckBox>(screen, "CheckBox1")->setChecked(true);  // nothing saved: all stay ticked
        EXPECT_EQ(list->topLevelItem(0)->checkState(0), Qt::Checked);
    });
}

}  // namespace
}  // namespace kv::test
