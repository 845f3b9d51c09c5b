// The graph window in real-time mode, entered from the main window with saved
// monitor settings, receiving live telegrams from the in-memory recorder.
#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>

#include "app/TMainForm.h"
#include "app/ui/shell_fixture.h"
#include "support/live_telegrams.h"
#include "viewer/TGraph5000.h"

namespace kv::test {
namespace {

class LiveMonitorViewTest : public ShellTest {
  protected:
    // Saved selections of the settings dialog: model index, wave or not.
    void enter(int model, bool wave) {
        settings.defType = model;
        settings.defPeakWave = wave ? 1 : 0;
        settings.defRange = 5;  // 100 G
        settings.defInterval = 0;
        start(kRecorder5300);
        find<QToolButton>(windows.mainForm, "BitBtn6")->click();
        graph = windows.graph5000;
    }
    // Presses btnStart; `during` runs once while receiving, and the monitor
    // is stopped with btnEnd at `stopAfterMs` of virtual time.
    void receive(int64_t stopAfterMs, std::function<void()> during = {}) {
        const int64_t stop = clock.nowMs() + stopAfterMs;
        bool ran = false;
        host.onProcessEvents = [&] {
            if (!ran && during && clock.nowMs() > stop - stopAfterMs / 2) {
                ran = true;
                during();
            }
            if (clock.nowMs() >= stop) find<QPushButton>(graph, "btnEnd")->click();
        };
        find<QPushButton>(graph, "btnStart")->click();
        host.onProcessEvents = nullptr;
    }
    void send(const std::vector<std::vector<uint8_t>>& telegrams, int64_t atMs) {
        std::vector<uint8_t> bytes;
        for (const auto& t : telegrams) bytes.insert(bytes.end(), t.begin(), t.end());
        device->pushInput(bytes, atMs, 260);
    }
    bool enabled(const char* name) { return find<QWidget>(graph, name)->isEnabled(); }
    // What a screen reader reads in the live list: every cell's name.
    std::vector<std::string> accessibleCells() {
        std::vector<std::string> cells;
        QAccessibleInterface* list =
            QAccessible::queryAccessibleInterface(find<QTreeWidget>(graph, "realList"));
        for (int i = 0; list && i < list->childCount(); ++i)
            if (QAccessibleInterface* cell = list->child(i))
                cells.push_back(cell->text(QAccessible::Name).toStdString());
        return cells;
    }

    TGraph5000* graph = nullptr;
};

TEST_F(LiveMonitorViewTest, PeakTelegramsFillTheListWithASeparatorAndTheRunIsSaved) {
    enter(3, false);  // 5300, peak
    EXPECT_FALSE(windows.mainForm->isVisible());
    EXPECT_EQ(graph->windowTitle().toStdString(), "リアルタイム");
    EXPECT_TRUE(enabled("btnStart"));
    EXPECT_FALSE(enabled("btnEnd"));
    EXPECT_TRUE(find<QTreeWidget>(graph, "realList")->isVisible());
    EXPECT_FALSE(find<QAction>(graph, "mnuSaveLive")->isEnabled());

    send({livePeakTelegram({{30, -30, 12, 3}, {40, -40, 5, 6}, {50, 0, 7, 0}}),
          livePeakTelegram({{500, -20, 1, 2}, {10, -10, 1, 1}, {10, -10, 1, 1}})},
         clock.nowMs() + 2000);
    bool closeRefused = false;
    receive(4000, [&] {
        EXPECT_FALSE(enabled("btnStart"));
        EXPECT_TRUE(enabled("btnEnd"));
        EXPECT_FALSE(enabled("btnClose"));
        graph->close();
        closeRefused = graph->isVisible();
    });
    EXPECT_TRUE(closeRefused);
    EXPECT_TRUE(enabled("btnStart"));

    auto* list = find<QTreeWidget>(graph, "realList");
    ASSERT_EQ(list->topLevelItemCount(), 3);  // two telegrams and the separator
    EXPECT_EQ(list->columnCount(), 15);
    // 30 codes at 100 G and 24 mV/G.
    EXPECT_EQ(list->topLevelItem(0)->text(3).toStdString(), "8.06");
    EXPECT_EQ(list->topLevelItem(1)->text(3).toStdString(), "+OVER");
    EXPECT_EQ(list->topLevelItem(2)->text(1).toStdString(), "");
    const std::vector<std::string> cells = accessibleCells();
    EXPECT_NE(std::find(cells.begin(), cells.end(), "+OVER"), cells.end())
        << ::testing::PrintToString(cells);
    EXPECT_NE(std::find(cells.begin(), cells.end(), "8.06"), cells.end());

    // Saving the run: a data file of the download's naming in the data folder.
    QAction* save = find<QAction>(graph, "mnuSaveLive");
    ASSERT_TRUE(save->isEnabled());
    save->trigger();
    ASSERT_EQ(host.titles(), std::vector<std::string>{"ファイルに保存"});
    const std::string path = folder.file("KV-DATAS/KV53P00-2025040101-01.CSV");
    EXPECT_TRUE(std::filesystem::exists(path)) << host.messages[0].text;

    graph->close();
    EXPECT_FALSE(graph->isVisible());
    EXPECT_TRUE(windows.mainForm->isVisible());
}

// With more telegrams than rows, the newest fill the list to its bottom edge.
TEST_F(LiveMonitorViewTest, TheListFillsItsViewWithTheNewestRows) {
    enter(3, false);
    std::vector<std::vector<uint8_t>> telegrams;
    for (int i = 0; i < 40; ++i)
        telegrams.push_back(livePeakTelegram(
            {{static_cast<uint16_t>(i + 1), -1, 1, 1}, {1, -1, 1, 1}, {1, -1, 1, 1}}));
    send(telegrams, clock.nowMs() + 1000);
    receive(20000);
    auto* list = find<QTreeWidget>(graph, "realList");
    const int rows = list->topLevelItemCount();
    ASSERT_GT(rows, 5);
    ASSERT_LT(rows, 41);
    const QRect last = list->visualItemRect(list->topLevelItem(rows - 1));
    const int free = list->viewport()->height() - (last.bottom() + 1);
    EXPECT_GE(free, 0) << "the newest row is cut off";
    EXPECT_LT(free, last.height()) << "room for another row is left blank";
    // The newest of the run sits above the separator at the bottom.
    EXPECT_EQ(list->topLevelItem(rows - 1)->text(1).toStdString(), "");
}

TEST_F(LiveMonitorViewTest, WaveMonitorsOfferTheViewButtonsOfTheirModel) {
    struct Case {
        int model;
        bool allViews;
    };
    for (Case c : {Case{2, false}, Case{5, true}}) {
        SCOPED_TRACE(c.model);
        enter(c.model, true);
        std::vector<bool> states;
        receive(2000, [&] {
            for (const char* b : {"btnX", "btnY", "btnZ", "btnXYZ", "btnSeparate", "ComboY"})
                states.push_back(enabled(b));
        });
        const bool a = c.allViews;
        EXPECT_EQ(states, (std::vector<bool>{true, a, a, a, a, true}));
        EXPECT_FALSE(enabled("btnX"));  // ready again
        graph->close();
        destroyAppWindows(windows);
    }
}

}  // namespace
}  // namespace kv::test
