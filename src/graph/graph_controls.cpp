#include "graph/graph_controls.h"

#include <initializer_list>

#include "monitor/live_monitor.h"

namespace kv {
namespace {

constexpr const char* kControlNames[kGraphControlCount] = {
    "Panel1",       "Panel2",
    "Panel3",       "Panel4",
    "Panel5",       "Panel6",
    "GraphMenus",   "btnDataSet",
    "btnStart",     "btnEnd",
    "btnOpen",      "btnList",
    "btnPrint",     "btnInfo",
    "btnXYZ",       "btnX",
    "btnY",         "btnZ",
    "btnSeparate",  "btnScale",
    "ComboX",       "ComboY",
    "TextX",        "TextY",
    "btnClose",     "Button6",
    "realList",     "YokoBar",
    "TateBar",      "N2",
    "N3",           "N6",
    "mnuNext11",    "mnuBefore11",
    "mnuFind11",    "mnuTY_1",
    "mnuShow",      "Print1",
    "Print2",       "Change1",
    "mnuChange11",  "mnuImageStart",
    "syokidetano1", "S1",
    "E1",           "X1",
    "mnuSaveLive",  "btnAnalysis",
    "mnuAnalysis",  "mnuAnalysis51",
    "btnTrip",      "mnuTrip",
    "mnuTrip51",    "mnuTrip41",
    "UpDownX",      "UpDownY",
};

}  // namespace

LiveState liveState(int monitorMode, bool running, bool waveData) {
    if (monitorMode == kMonitorNotSetUp) return LiveState::NotSetUp;
    if (!running) return LiveState::Ready;
    return waveData ? LiveState::ReceivingWave : LiveState::ReceivingPeak;
}

const char* graphControlName(GraphControl control) {
    return kControlNames[static_cast<int>(control)];
}

GraphControlTable graphControls(const GraphSituation& s) {
    using C = GraphControl;
    GraphControlTable t;
    auto enable = [&t](std::initializer_list<C> controls, bool on) {
        for (C c : controls) t[c].enabled = on;
    };
    const DataViewSetup setup = dataViewSetup(s.modelCode, s.waveData);
    const bool data = !s.live && s.loaded;
    const bool receiving = s.live && (s.liveState == LiveState::ReceivingPeak ||
                                      s.liveState == LiveState::ReceivingWave);
    const bool ready = s.live && s.liveState == LiveState::Ready;
    const bool receivingWave = s.live && s.liveState == LiveState::ReceivingWave;
    const bool printable = s.viewMode != kViewSeparate;

    t.menu = s.live ? GraphMenu::Real : data ? setup.menu : GraphMenu::Start;

    // The file commands and the monitor's commands share the tool row.
    t[C::Panel2].visible = !s.live;
    t[C::Panel6].visible = s.live;
    t[C::Panel1].visible = data && setup.navigation;
    // A load lets events through: nothing but its cancel button may act.
    enable({C::Panel1, C::Panel2, C::Panel3, C::Panel4, C::Panel5, C::GraphMenus}, !s.loading);

    enable({C::btnList, C::btnInfo, C::btnScale}, data);
    t[C::btnPrint].enabled = data && printable;
    t[C::btnX].enabled = data || receivingWave;
    enable({C::btnXYZ, C::btnY, C::btnZ, C::btnSeparate},
           data ? setup.allViewButtons : receivingWave && isTriaxial(s.modelCode));

    // The selectors themselves stay out of sight; their texts show them.
    t[C::ComboX].enabled = data && setup.timeSelector && !s.loading;
    t[C::ComboY].enabled =
        (data && !s.loading) || (isWaveMonitor(s.monitorMode) && (ready || receivingWave));
    // Their texts and arrows look as they act.
    t[C::TextX].enabled = t[C::UpDownX].enabled = t[C::ComboX].enabled;
    t[C::TextY].enabled = t[C::UpDownY].enabled = t[C::ComboY].enabled;
    t[C::ComboX].visible = t[C::ComboY].visible = false;

    const bool idle = s.live && !receiving;
    enable({C::btnDataSet, C::syokidetano1}, idle);
    enable({C::btnStart, C::S1}, ready);
    enable({C::btnEnd, C::E1}, receiving);
    enable({C::btnClose, C::Button6, C::X1}, !receiving);
    t[C::Button6].visible = false;
    t[C::mnuSaveLive].enabled = idle && s.runKept;

    // Peak telegrams are listed; waves are drawn and scroll like file data.
    t[C::realList].visible = s.live && isPeakMonitor(s.monitorMode);
    t[C::YokoBar].visible = t[C::TateBar].visible = !s.live || isWaveMonitor(s.monitorMode);
    t[C::YokoBar].enabled = s.timeBarOn;
    t[C::TateBar].enabled = s.gBarOn;

    enable({C::N2, C::N3, C::N6, C::mnuNext11, C::mnuBefore11, C::mnuFind11},
           data && setup.navigation);
    t[C::mnuTY_1].enabled = data && setup.allAxesItem;
    enable({C::Print1, C::Print2}, printable);
    // Before any file there is nothing to save.
    t[C::mnuImageStart].enabled = false;
    // The analysis of a loaded file: of its wave records, or of a peak file's trip.
    enable({C::btnAnalysis, C::mnuAnalysis, C::mnuAnalysis51}, data && s.waveData);
    enable({C::btnTrip, C::mnuTrip, C::mnuTrip51, C::mnuTrip41}, data && !s.waveData);
    return t;
}

}  // namespace kv
