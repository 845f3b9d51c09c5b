#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/observers.h"
#include "datafile/data_file_loader.h"
#include "datafile/data_set.h"
#include "graph/graph_controls.h"
#include "graph/graph_view_state.h"
#include "graph/zoom_scale.h"
#include "monitor/live_monitor.h"
#include "monitor/live_session_save.h"

namespace kv {

class Host;
struct Link;
class PcSettings;
struct RecorderState;

// The graph window's whole state without the window: the data set it shows
// (a loaded file or the live run), the view with its zoom and scrolling, file
// or monitor mode with the monitor's four states, and from these the state of
// every control (controls()). Its commands are what the window's menus and
// buttons do; the window only renders it and forwards events.
//
// Observers hear of every change: `changed` when the controls or the view must
// be shown again, `recordChanged` when another record of the same data is on
// show, `dataChanged` when the data set holds other data (a file was loaded,
// the live view was cleared, a telegram arrived).
class GraphSession {
  public:
    // The window's caption in the monitor mode, which is also the data set's
    // file path then.
    static constexpr const char* kLiveCaption = kLiveFilePath;
    static constexpr const char* kEmptyCaption = "グラフ表示画面";

    GraphSession(Link& link, PcSettings& settings, RecorderState& state, DataSet& data);
    ~GraphSession();

    const DataSet& data() const { return data_; }
    const RecorderIdentity& identity() const;
    GraphViewState& view() { return view_; }
    const GraphViewState& view() const { return view_; }
    bool live() const { return live_; }
    bool loaded() const { return loaded_; }
    bool loading() const { return loading_; }
    // Off while the data on show is being replaced: nothing half-built is drawn.
    bool paintEnabled() const { return paintEnabled_; }
    int monitorMode() const { return monitor_.monitorMode; }
    LiveState liveState() const;
    GraphControlTable controls() const;
    // The window's caption: empty window, file path (bytes as stored) or live.
    std::string caption() const;
    const LiveRun& liveRun() const { return monitor_.run(); }

    Observers<> changed;
    Observers<int> recordChanged;
    Observers<> dataChanged;
    // The monitor's status text, as it changes.
    Observers<const std::string&> liveStatus;

    // Each showing of the window: file mode, nothing on show, the zoom of the
    // recorder's range, the colours of the settings.
    void reset();
    // Closing is refused while a load or the monitor runs.
    bool mayClose() const { return !loading_ && !view_.liveRunning; }
    void close();

    // File mode only, and one load at a time.
    bool mayOpen() const { return !live_ && !loading_ && !view_.liveRunning; }
    // Loads a data file (see loadDataFile): on success its menu, view and
    // default scale, record 0 on show; on failure everything stays.
    LoadResult open(const std::string& path, Host& host);

    void setView(int view);
    // Next / previous (±1) and ten on or back (±10), within the records.
    void step(int step);
    // The record `record` (0 …) when it exists.
    void showRecord(int record);
    // A typed record number 1 … count; anything else changes nothing.
    void find(std::string_view numberText);

    // One click on a selector's arrow (the G selector or the time selector),
    // when that selector is on. Returns the time window now shown, for the
    // scale dialog's edits.
    std::optional<TimeWindow> zoomStep(bool gAxis, bool up);
    // The zoom of time choice t (0 … 18; −1 the window typed in the scale
    // dialog) and G choice g, while painting is on.
    std::optional<TimeWindow> zoom(int t, int g);
    // The scroll bars' positions: the time and G windows they show.
    void scrollTo(int horizontal, int vertical);
    // After the scale dialog's OK: from the scale button the quick selectors
    // take its choices; from the menu only the scroll bars follow.
    void scaleChosen(bool selectorsFollow);
    // After the colour dialog: the settings' colours.
    void coloursChanged();

    // The monitor mode with the mode the saved settings give (0: none).
    void enterLive(int monitorMode);
    // The settings dialog's new mode (0: cancelled or failed).
    void setUpMonitor(int monitorMode);
    bool mayStartMonitor() const;
    // Opens the line and receives until stopMonitor (from an event handled
    // while it listens).
    void startMonitor();
    void stopMonitor() {
        stopRequested_ = true;
        monitor_.stop();
    }
    // The last run as a data file; nothing while receiving.
    std::optional<LiveSaveResult> saveLiveRun();

  private:
    GraphSituation situation() const;
    void prepareLiveView();
    void markLive();

    Link& link_;
    PcSettings& settings_;
    RecorderState& state_;
    DataSet& data_;
    std::unique_ptr<DataSet> spare_;  // what loads parse into
    LiveMonitor monitor_;
    GraphViewState view_;
    bool live_ = false;
    bool loaded_ = false;
    bool loading_ = false;
    bool paintEnabled_ = false;
    bool stopRequested_ = false;  // since the last start
};

}  // namespace kv
