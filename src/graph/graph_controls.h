#pragma once

#include <array>

#include "graph/graph_view_rules.h"
#include "graph/graph_view_state.h"
#include "recorder/records.h"

namespace kv {

// The real-time monitor's four button states: nothing to receive yet, ready
// to start, receiving peak or wave telegrams.
enum class LiveState { NotSetUp, Ready, ReceivingPeak, ReceivingWave };

// The state of a monitor of `monitorMode` (0 … 4) whose session is running or
// not, for the recorder's kind of data.
LiveState liveState(int monitorMode, bool running, bool waveData);

// Every control and menu command of the graph window whose state follows the
// window's situation, named as the window names its objects.
enum class GraphControl {
    Panel1,
    Panel2,
    Panel3,
    Panel4,
    Panel5,
    Panel6,
    GraphMenus,
    btnDataSet,
    btnStart,
    btnEnd,
    btnOpen,
    btnList,
    btnPrint,
    btnInfo,
    btnXYZ,
    btnX,
    btnY,
    btnZ,
    btnSeparate,
    btnScale,
    ComboX,
    ComboY,
    TextX,
    TextY,
    btnClose,
    Button6,
    realList,
    YokoBar,
    TateBar,
    N2,
    N3,
    N6,
    mnuNext11,
    mnuBefore11,
    mnuFind11,
    mnuTY_1,
    mnuShow,
    Print1,
    Print2,
    Change1,
    mnuChange11,
    mnuImageStart,
    syokidetano1,
    S1,
    E1,
    X1,
    mnuSaveLive,
    btnAnalysis,
    mnuAnalysis,
    mnuAnalysis51,
    btnTrip,
    mnuTrip,
    mnuTrip51,
    mnuTrip41,
    UpDownX,
    UpDownY,
};
constexpr int kGraphControlCount = static_cast<int>(GraphControl::UpDownY) + 1;
const char* graphControlName(GraphControl control);

struct ControlState {
    bool enabled = true;
    bool visible = true;
    bool operator==(const ControlState&) const = default;
};

// What the window sets every control to, and the menu bar it shows.
struct GraphControlTable {
    GraphMenu menu = GraphMenu::Start;
    std::array<ControlState, kGraphControlCount> controls{};

    ControlState& operator[](GraphControl c) { return controls[static_cast<int>(c)]; }
    const ControlState& operator[](GraphControl c) const { return controls[static_cast<int>(c)]; }
    bool enabled(GraphControl c) const { return (*this)[c].enabled; }
    bool visible(GraphControl c) const { return (*this)[c].visible; }
};

// Everything the table depends on.
struct GraphSituation {
    bool live = false;     // the real-time monitor mode
    bool loaded = false;   // file mode: a data file on show
    bool loading = false;  // a load runs and lets events through
    ModelCode modelCode = 0;
    bool waveData = false;
    int viewMode = kViewAllAxes;
    int monitorMode = 0;
    LiveState liveState = LiveState::NotSetUp;
    bool runKept = false;  // the last live run holds telegrams to save
    bool timeBarOn = false;
    bool gBarOn = false;
};

// The controls for a situation. In file mode the loaded data's model and kind
// decide the menu, the views, the record navigation and the quick selectors;
// a view of three separate graphs cannot be printed. In the monitor mode the
// live state decides; receiving locks everything but the stop button, the G
// selector and the view buttons of a wave monitor.
GraphControlTable graphControls(const GraphSituation& s);

}  // namespace kv
