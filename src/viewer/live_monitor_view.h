#pragma once

#include <string>

class QLabel;
class QStatusBar;
class QTreeWidget;

namespace kv {

class GraphSession;
class Host;
class PcSettings;
class TKvDataInput;

// The window side of the graph window's monitor mode: the settings dialog
// behind btnDataSet, the live list of peak telegrams and the monitor's status
// text. The receiving, the button states and the data belong to the session.
class LiveMonitorView {
  public:
    // list: the window's realList; statusBar: where the status text goes.
    LiveMonitorView(GraphSession& session, QTreeWidget* list, QStatusBar* statusBar, Host& host,
                    const PcSettings& settings);

    void setSettingsDialog(TKvDataInput* dialog) { dialog_ = dialog; }

    // EnterRealTime, once the window shows: the saved settings decide the mode.
    void enter();
    void btnDataSetClick();
    void btnStartClick();
    void btnEndClick();
    // "ファイルに保存(&V)": the run received last, as a data file.
    void saveRun();
    // After a resize: the list shows as many rows as now fit.
    void refresh();

  private:
    void buildColumns();
    void ClearLiveList();
    void RefreshLiveList();
    int rowsThatFit() const;
    void setStatus(const std::string& text);

    GraphSession& session_;
    QTreeWidget* list_;
    Host& host_;
    const PcSettings& settings_;
    TKvDataInput* dialog_ = nullptr;
    QLabel* status_ = nullptr;
};

}  // namespace kv
