#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

#include "app/TMainForm.h"
#include "app/ui/shell_fixture.h"
#include "screens/TInformationForm.h"
#include "screens/TKV5000_Info.h"

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
    std::vector<std::string> dataFiles() const { return fileNames(folder.path() + "KV-DATAS/"); }
    // The screens ask before every download.
    void agreeToDownloads() { host.standingAnswers["測定データ読み込み"] = Host::Yes; }
};

TEST_F(InformationScreenTest, DownloadOfTheTickedMeasurementsWritesTheirFiles) {
    start(kRecorder5300);
    agreeToDownloads();
    ASSERT_TRUE(std::filesystem::create_directories(folder.path() + "KV-DATAS"));
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
        cp932ToUtf8(readFile(folder.path() + "KV-DATAS/" + files[0])).value_or("");
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
    ASSERT_TRUE(std::filesystem::create_directories(folder.path() + "KV-DATAS"));
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
}

}  // namespace
}  // namespace kv::test
