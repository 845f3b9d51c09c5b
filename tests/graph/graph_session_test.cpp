// The graph window's state without the window: the control table of every
// situation, loading, zooming and the monitor's run, as the window's session
// holds them.
#include "graph/graph_session.h"

#include <gtest/gtest.h>

#include <fstream>

#include "datafile/sample_data_files.h"
#include "link/link.h"
#include "model/scripted_responder.h"
#include "recorder/recorder_state.h"
#include "settings/pc_settings.h"
#include "support/live_telegrams.h"
#include "support/memory_device.h"
#include "support/recording_host.h"
#include "support/scratch_folder.h"
#include "support/virtual_clock.h"

namespace kv::test {
namespace {

using C = GraphControl;

// The monitor's button states for each live state, and the view buttons of a
// triaxial wave monitor while it receives.
TEST(GraphControls, TheMonitorsFourStatesAndTheFileModeAfterIt) {
    struct Case {
        const char* what;
        int mode;
        LiveState state;
        bool dataSet, start, end, x, yz, gSelector, close, save, list, bars;
    };
    using L = LiveState;
    const Case cases[] = {
        {"not set up", 0, L::NotSetUp, true, false, false, false, false, false, true, true, false,
         false},
        {"peak ready", 2, L::Ready, true, true, false, false, false, false, true, true, true,
         false},
        {"peak receiving", 2, L::ReceivingPeak, false, false, true, false, false, false, false,
         false, true, false},
        {"wave ready", 4, L::Ready, true, true, false, false, false, true, true, true, false, true},
        {"wave receiving", 4, L::ReceivingWave, false, false, true, true, true, true, false, false,
         false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GraphSituation s;
        s.live = true;
        s.modelCode = 5300;
        s.waveData = isWaveMonitor(c.mode);
        s.monitorMode = c.mode;
        s.liveState = c.state;
        s.runKept = true;
        const GraphControlTable t = graphControls(s);
        EXPECT_EQ(t.menu, GraphMenu::Real);
        EXPECT_TRUE(t.visible(C::Panel6));
        EXPECT_FALSE(t.visible(C::Panel2));
        for (C on : {C::btnDataSet, C::syokidetano1}) EXPECT_EQ(t.enabled(on), c.dataSet);
        for (C on : {C::btnStart, C::S1}) EXPECT_EQ(t.enabled(on), c.start);
        for (C on : {C::btnEnd, C::E1}) EXPECT_EQ(t.enabled(on), c.end);
        EXPECT_EQ(t.enabled(C::btnX), c.x);
        for (C on : {C::btnY, C::btnZ, C::btnXYZ, C::btnSeparate}) EXPECT_EQ(t.enabled(on), c.yz);
        // The selectors' texts and arrows look as the selectors act.
        for (C on : {C::ComboY, C::TextY, C::UpDownY}) EXPECT_EQ(t.enabled(on), c.gSelector);
        for (C on : {C::btnScale, C::ComboX, C::TextX, C::UpDownX, C::btnList, C::btnPrint})
            EXPECT_FALSE(t.enabled(on));
        for (C on : {C::btnClose, C::Button6, C::X1}) EXPECT_EQ(t.enabled(on), c.close);
        EXPECT_EQ(t.enabled(C::mnuSaveLive), c.save);
        EXPECT_EQ(t.visible(C::realList), c.list);
        EXPECT_EQ(t.visible(C::YokoBar), c.bars);
        EXPECT_EQ(t.visible(C::TateBar), c.bars);
    }
    // A single-axis wave monitor offers the X view only.
    GraphSituation single;
    single.live = true;
    single.modelCode = 6100;
    single.monitorMode = 3;
    single.liveState = LiveState::ReceivingWave;
    EXPECT_TRUE(graphControls(single).enabled(C::btnX));
    EXPECT_FALSE(graphControls(single).enabled(C::btnY));

    // Back in file mode after a peak monitor the scroll bars are there again.
    GraphSituation file;
    file.monitorMode = 2;
    const GraphControlTable t = graphControls(file);
    EXPECT_EQ(t.menu, GraphMenu::Start);
    EXPECT_TRUE(t.visible(C::YokoBar));
    EXPECT_FALSE(t.visible(C::realList));
    EXPECT_FALSE(t.visible(C::Panel6));
    EXPECT_FALSE(t.enabled(C::ComboY));
}

class GraphSessionTest : public ::testing::Test {
  protected:
    GraphSessionTest()
        : device(clock, recorder),
          link{device, clock, host, [](int n) { return "COM" + std::to_string(n); }},
          session(link, settings, state, data) {
        settings.setComPort(1);
        settings.setBaudRate(38400);
        device.setBaud(38400);
        session.changed.add([this] { ++changes; });
        session.dataChanged.add([this] { ++dataChanges; });
        session.recordChanged.add([this](int r) { records.push_back(r); });
        session.reset();
    }

    std::string write(int model, bool wave, int records = 30) {
        SampleDataFile file;
        file.model = model;
        file.wave = wave;
        file.records = records;
        const std::string path = scratch.file("KV" + std::to_string(++files) + ".CSV");
        std::ofstream(path, std::ios::binary) << file.bytes();
        return path;
    }

    ScratchFolder scratch;
    VirtualClock clock;
    RecordingHost host;
    sim::ScriptedResponder recorder;
    MemoryDevice device;
    Link link;
    PcSettings settings;
    RecorderState state;
    DataSet data;
    GraphSession session;
    int files = 0;
    int changes = 0;
    int dataChanges = 0;
    std::vector<int> records;
};

TEST_F(GraphSessionTest, ALoadLocksTheWindowAndAFailedOneChangesNothing) {
    EXPECT_EQ(session.caption(), "グラフ表示画面");
    const std::string path = write(5300, true, 25);
    bool looked = false;
    host.onProcessEvents = [&] {
        if (looked) return;
        looked = true;
        EXPECT_TRUE(session.loading());
        EXPECT_FALSE(session.mayOpen());
        EXPECT_FALSE(session.mayClose());
        EXPECT_FALSE(session.paintEnabled());
        const GraphControlTable t = session.controls();
        for (C c : {C::Panel2, C::Panel5, C::GraphMenus}) EXPECT_FALSE(t.enabled(c));
    };
    ASSERT_TRUE(session.open(path, host));
    EXPECT_TRUE(looked);
    EXPECT_EQ(dataChanges, 1);
    EXPECT_EQ(session.caption(), path);
    EXPECT_EQ(session.controls().menu, GraphMenu::KV53);
    EXPECT_EQ(session.view().viewMode, kViewAllAxes);
    EXPECT_EQ(session.view().timeScaleChoice, -1);  // the scale dialog starts afresh
    EXPECT_TRUE(session.paintEnabled());

    const LoadResult failed = session.open(scratch.file("missing.CSV"), host);
    EXPECT_EQ(failed.failure, LoadFailure::Unreadable);
    EXPECT_EQ(dataChanges, 1);
    EXPECT_EQ(session.caption(), path);
    EXPECT_EQ(data.lastIndex, 24);
    EXPECT_TRUE(session.controls().enabled(C::GraphMenus));

    // Records: only a step that moves tells the observers.
    session.step(-1);
    session.step(10);
    session.step(30);
    session.find("25");
    session.find("26");
    session.showRecord(3);
    EXPECT_EQ(records, (std::vector<int>{10, 24, 3}));
}

TEST_F(GraphSessionTest, TheGZoomKeepsATimeWindowTypedInTheScaleDialog) {
    ASSERT_TRUE(session.open(write(6300, false), host));
    // The dialog's OK with "ユーザー指定": a window the quick selector has no item for.
    GraphViewState& view = session.view();
    const TimeWindow typed{data.startTime + 0.1, data.startTime + 0.3};
    view.timeScaleChoice = kUserTimeWindow;
    view.gScaleChoice = 0;
    view.zoomScale = view.currentScale = dialogScale(false, typed, 1, 100);
    session.scaleChosen(true);
    EXPECT_EQ(view.timeIndex, -1);
    EXPECT_TRUE(view.yokoBar.enabled);

    const std::optional<TimeWindow> shown = session.zoomStep(true, true);
    ASSERT_TRUE(shown);
    EXPECT_DOUBLE_EQ(shown->start, typed.start);
    EXPECT_EQ(view.gIndex, 1);
    EXPECT_EQ(view.timeIndex, -1);
    EXPECT_DOUBLE_EQ(view.currentScale.xMin, typed.start);
    EXPECT_DOUBLE_EQ(view.currentScale.xMax, typed.end);
    EXPECT_DOUBLE_EQ(view.currentScale.yMax, 60);
    EXPECT_EQ(view.tateBar.maximum, 12);
    // The time arrow leaves the typed window for the selector's first window.
    session.zoomStep(false, true);
    EXPECT_EQ(view.timeIndex, 1);
}

TEST_F(GraphSessionTest, AMonitorRunLocksTheWindowUntilItIsStopped) {
    // What the settings dialog leaves for a 5300 peak monitor.
    state.identity.modelCode = 5300;
    state.identity.sensorRange = 100;
    state.identity.waveData = 0;
    state.info.sensitivity = {2.5, 2.5, 2.5};
    session.enterLive(2);
    EXPECT_EQ(session.caption(), "リアルタイム");
    EXPECT_EQ(data.filePath, "リアルタイム");
    EXPECT_FALSE(session.mayOpen());
    EXPECT_EQ(session.liveState(), LiveState::Ready);
    EXPECT_FALSE(session.controls().enabled(C::mnuSaveLive));

    device.pushInput(livePeakTelegram({{30, -30, 1, 2}, {5, -5, 1, 1}, {6, -6, 1, 1}}),
                     clock.nowMs() + 1500, 260);
    std::vector<LiveState> during;
    bool closable = false;
    const int64_t stop = clock.nowMs() + 3000;
    host.onProcessEvents = [&] {
        during.push_back(session.liveState());
        closable = closable || session.mayClose();
        if (clock.nowMs() >= stop) session.stopMonitor();
    };
    const int before = dataChanges;
    session.startMonitor();
    ASSERT_FALSE(during.empty());
    EXPECT_EQ(during.front(), LiveState::ReceivingPeak);
    EXPECT_EQ(during.back(), LiveState::ReceivingPeak);
    EXPECT_FALSE(closable);
    EXPECT_EQ(session.liveState(), LiveState::Ready);
    // The telegram and the separator row that ends the run.
    EXPECT_EQ(dataChanges - before, 2);
    EXPECT_EQ(session.liveRun().count, 1);
    EXPECT_TRUE(session.controls().enabled(C::mnuSaveLive));
    EXPECT_TRUE(session.mayClose());

    // 停止 at once, before the line is even open: no run starts.
    int events = 0;
    host.onProcessEvents = [&] {
        if (++events == 1 || events > 100) session.stopMonitor();
    };
    session.startMonitor();
    EXPECT_EQ(events, 1);
    EXPECT_EQ(session.liveState(), LiveState::Ready);

    session.reset();
    EXPECT_FALSE(session.live());
    EXPECT_EQ(session.monitorMode(), 0);
    EXPECT_TRUE(session.controls().visible(C::YokoBar));
}

}  // namespace
}  // namespace kv::test
