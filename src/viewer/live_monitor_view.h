#pragma once

#include <memory>
#include <string>

#include "monitor/live_monitor.h"

class QLabel;

namespace kv {

struct DataSet;
struct Link;
class PcSettings;
struct RecorderState;
class TGraph5000;
class TKvDataInput;

// The real-time monitor mode of the graph window: its set-up, the four button
// states, the receive loop behind btnStart, the live list and wave graphs, the
// status texts and saving the received run. The window owns one and routes
// the monitor's commands to it; the receiving itself is LiveMonitor's.
class LiveMonitorView {
  public:
    LiveMonitorView(TGraph5000& window, Link& link, PcSettings& settings, RecorderState& state,
                    DataSet& data);
    ~LiveMonitorView();

    void setSettingsDialog(TKvDataInput* dialog) { dialog_ = dialog; }

    void EnterRealTime();
    void btnDataSetClick();
    void btnStartClick();
    void btnEndClick();
    // "ファイルに保存(&V)": the run received last, as a data file.
    void saveRun();

    bool receiving() const { return monitor_->liveRunning; }
    int monitorMode() const { return monitor_->monitorMode; }
    // After a resize: the list shows as many rows as now fit.
    void refresh();

  private:
    void PrepareLiveView();
    void SetLiveButtons(int state);
    void ClearLiveList();
    void RefreshLiveList();
    void setStatus(const std::string& text);

    TGraph5000& w_;
    Link& link_;
    PcSettings& settings_;
    RecorderState& state_;
    DataSet& data_;
    TKvDataInput* dialog_ = nullptr;
    std::unique_ptr<LiveMonitor> monitor_;
    QLabel* status_ = nullptr;
};

}  // namespace kv
