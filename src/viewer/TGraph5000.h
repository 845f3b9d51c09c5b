#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>

#include "graph/graph_layout.h"
#include "graph/graph_menus.h"
#include "graph/graph_session.h"
#include "viewer/graph_window_controls.h"

class QDialog;
class QFileDialog;
class QLabel;
class QMenuBar;
class QStackedWidget;
class QStatusBar;

namespace kv {

struct DataSet;
struct ReportFile;
struct ReportOptions;
struct Link;
class PcSettings;
struct RecorderState;
class TGraphColor;
class TInputScale;
class TKvDataInput;
class TShockAnalysis;
class TTripStatistics;
class LiveMonitorView;

// The graph window: opens a measurement data file and shows it as graphs, one
// record at a time for wave data, a time window for peak data, in five views,
// with zoom and scrolling; opens the list, the information and the scale and
// colour dialogs; in its monitor mode shows live telegrams. Created once and
// hidden when closed; the main window waits behind it.
//
// Its state is its GraphSession's: the window renders the session (apply) and
// forwards its controls' events to the session's commands.
class TGraph5000 : public QMainWindow {
    Q_OBJECT
  public:
    // The recorder state's identity and the data set are what it loads into
    // and shows.
    TGraph5000(Link& link, PcSettings& settings, RecorderState& state, DataSet& data,
               QWidget* parent = nullptr);
    ~TGraph5000() override;

    // The windows it opens, created after it at start-up. A window that does
    // not exist leaves its commands without effect.
    struct Peers {
        QWidget* listShow = nullptr;  // TListShow
        // Prepares the list window's columns for the loaded data.
        std::function<void()> buildListColumns;
        // Asks for a record number (text in and out); false when cancelled.
        std::function<bool(QString&)> askDataNumber;
        QDialog* dataDialog = nullptr;  // TDataDialog
        TInputScale* inputScale = nullptr;
        TGraphColor* graphColor = nullptr;
    };
    void setPeers(const Peers& peers) { peers_ = peers; }

    // Loads a data file as the open command does once the file is chosen.
    // False when it could not be loaded: the previous data stays on show.
    // A file named outside the open dialog (the command line, a drop) that
    // cannot be loaded is reported when `reportFailure` is set.
    bool openDataFile(const QString& path, bool reportFailure = false);
    // The same for a name in the file system's bytes (the command line, a
    // drop), which need not be valid text at all.
    bool openDataFileNamed(const std::string& fileName, bool reportFailure = false);

    // The main window's real-time command: the window in monitor mode.
    void EnterRealTime();
    // The settings dialog of the monitor, created after this window.
    void setMonitorSettingsDialog(TKvDataInput* dialog);

    // Shows record `record` (0 …) of the wave data: the list window's choice.
    void showRecord(int record);

    // The analysis windows, once the commands have opened them.
    TShockAnalysis* shockAnalysis() const { return shockAnalysis_; }
    TTripStatistics* tripStatistics() const { return tripStatistics_; }

    GraphSession& session() { return session_; }
    // The view, scales, selectors, scroll bars and colours the graphs show;
    // the scale dialog works on it too.
    GraphViewState& viewState() { return session_.view(); }
    int viewMode() const { return session_.view().viewMode; }
    bool paintEnabled() const { return session_.paintEnabled(); }

  signals:
    // The window was closed: the main window shows itself again.
    void closed();
    // Another record of the same data is on show.
    void recordChanged(int record);
    // The data on show was replaced: a file was loaded, the live view cleared
    // or a telegram received.
    void dataChanged();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildToolRow(QWidget* client);
    void connectControls();
    void buildMenus();

    // Sets every control, the menu bar, the selectors, the scroll bars, the
    // caption and the layout from the session.
    void apply();
    void runCommand(GraphCommand command);
    void findRecord();
    void btnScaleClick();
    void changeScale();
    void zoomStep(bool gAxis, bool up);
    void showList(bool buildColumns);
    void showColours();
    void colourAxisButtons();
    void mnuOPENClick();
    void saveImage();
    void showLimits();
    // The limits dialog, then the report's options and the file on show;
    // false when the dialog was cancelled.
    bool reportInputs(ReportOptions& options, ReportFile& file);
    void makeReport();
    void printReport();
    void printGraph();
    void closeListWindow();
    void showSelectorTexts();
    void showScrollBars();
    void LayoutGraphs();
    void keepGraphsReadable();
    void repaintGraphs();
    void paintBox(int box);
    void setHeaderText(const QString& text);
    void showShockAnalysis();
    void showTripStatistics();
    void showPeakEvent(int row, int axis);
    void followData();
    void closeAnalysisWindows();

    Link& link_;
    PcSettings& settings_;
    DataSet& data_;  // the session's; the report moves its record on show and puts it back
    GraphSession session_;
    Peers peers_;
    GraphLayout layout_;

    GraphWindowControls c_;
    QWidget* toolRow_ = nullptr;  // the tool panels, in as many rows as the width needs
    QStatusBar* FileHeaderShow = nullptr;
    QLabel* headerText_ = nullptr;
    QFileDialog* OpenDialog = nullptr;
    bool imageTitled_ = true;  // the image save's "見出しを付ける", as last chosen
    QStackedWidget* menuBars_ = nullptr;
    std::array<QMenuBar*, 6> bars_{};                            // by GraphMenu
    std::array<QObject*, kGraphControlCount> controlObjects_{};  // by GraphControl
    std::unique_ptr<LiveMonitorView> live_;
    TShockAnalysis* shockAnalysis_ = nullptr;    // child window, made when first asked for
    TTripStatistics* tripStatistics_ = nullptr;  // likewise
};

}  // namespace kv
