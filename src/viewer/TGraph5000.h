#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>

#include "graph/graph_layout.h"
#include "graph/graph_view_rules.h"
#include "graph/graph_view_state.h"

class QAction;
class QComboBox;
class QDialog;
class QFileDialog;
class QLabel;
class QMenuBar;
class QPushButton;
class QScrollBar;
class QStackedWidget;
class QStatusBar;
class QToolButton;
class QTreeWidget;

namespace kv {

struct DataSet;
struct Link;
class PcSettings;
struct RecorderState;
class TGraphColor;
class TInputScale;
class TKvDataInput;
class LiveMonitorView;
class UpDownArrows;

// The commands of the graph window's menus and buttons; items with the same
// caption in different menus run the same command.
enum class GraphCommand {
    Open,
    SaveImage,
    Colours,
    Close,
    ViewAll,
    ViewX,
    ViewY,
    ViewZ,
    ViewSeparate,
    Next,
    Previous,
    Find,
    ChangeScale,
    List,
    Print,
    MonitorSettings,
    MonitorStart,
    MonitorEnd,
    MonitorSave,
};

// The graph window: opens a measurement data file and shows it as graphs, one
// record at a time for wave data, a time window for peak data, in five views,
// with zoom and scrolling; opens the list, the information and the scale and
// colour dialogs. Created once and hidden when closed; the main window waits
// behind it.
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

    // The main window's graph button opens the window with the quick scale
    // selectors off until a file is loaded.
    void disableSelectors();

    // The main window's real-time command: the window in monitor mode.
    void EnterRealTime();
    // The settings dialog of the monitor, created after this window.
    void setMonitorSettingsDialog(TKvDataInput* dialog);

    // Shows record `record` (0 …) of the wave data: the list window's choice.
    void showRecord(int record);

    // The view, scales, selectors, scroll bars and colours the graphs show;
    // the scale dialog works on it too.
    GraphViewState& viewState() { return view_; }
    int viewMode() const { return view_.viewMode; }
    bool paintEnabled() const { return paintEnabled_; }
    GraphMenu currentMenu() const { return menu_; }

  signals:
    // The window was closed: the main window shows itself again.
    void closed();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    friend class LiveMonitorView;  // the monitor mode works on the window's controls

    void buildToolPanels(QWidget* client);
    void buildGraphArea(QWidget* client);
    void buildMenus();
    QToolButton* glyphButton(QWidget* panel, const char* name, int glyph, const QString& hint);
    QPushButton* textButton(QWidget* panel, const char* name, const QString& caption,
                            const QString& hint = {});
    QAction* action(const char* name) const;

    void FormShow();
    void installMenu(GraphMenu menu);
    void runCommand(GraphCommand command);
    void ApplyViewForData();
    void setView(int view);
    void stepRecord(int step);
    void findRecord();
    void btnScaleClick();
    void changeScale();
    void zoomStep(QComboBox* selector, bool up);
    void SetZoom(int timeIndex, int gIndex);
    void UpdateScrollBars();
    void ScrollTo(int horizontal, int vertical);
    void showList(bool buildColumns);
    void showColours();
    void colourAxisButtons();
    void mnuOPENClick();
    void saveImage();
    void printGraph();
    void closeListWindow();
    void setPanelsEnabled(bool enabled);
    void resetScrollBars();
    void showScrollBars();
    void placeClosePanel();
    void showSelectorTexts();
    void LayoutGraphs();
    void repaintGraphs();
    void paintBox(int box);
    void setHeaderText(const QString& text);

    Link& link_;
    PcSettings& settings_;
    RecorderState& state_;
    DataSet& data_;
    std::unique_ptr<DataSet> spare_;  // the loads parse into it
    Peers peers_;

    GraphViewState view_;
    GraphLayout layout_;
    bool paintEnabled_ = false;
    bool loading_ = false;  // a load runs: the window takes no second one and stays open
    int monitorMode_ = 0;
    GraphMenu menu_ = GraphMenu::Start;

    QWidget* toolStrip_ = nullptr;  // the tool panels side by side
    QWidget* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    QWidget* Panel3 = nullptr;
    QWidget* Panel4 = nullptr;
    QWidget* Panel5 = nullptr;
    QWidget* Panel6 = nullptr;
    QToolButton* btnDataSet = nullptr;
    QPushButton* btnStart = nullptr;
    QPushButton* btnEnd = nullptr;
    QToolButton* btnOpen = nullptr;
    QToolButton* btnList = nullptr;
    QToolButton* btnPrint = nullptr;
    QToolButton* btnInfo = nullptr;
    QToolButton* btnXYZ = nullptr;
    QPushButton* btnX = nullptr;
    QPushButton* btnY = nullptr;
    QPushButton* btnZ = nullptr;
    QToolButton* btnSeparate = nullptr;
    QToolButton* btnScale = nullptr;
    QLabel* StaticText1 = nullptr;
    QLabel* StaticText2 = nullptr;
    QLabel* TextX = nullptr;
    QLabel* TextY = nullptr;
    UpDownArrows* UpDownX = nullptr;
    UpDownArrows* UpDownY = nullptr;
    QComboBox* ComboX = nullptr;
    QComboBox* ComboY = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* btnClose = nullptr;
    QPushButton* Button6 = nullptr;
    std::array<QWidget*, 3> Pic{};  // Pic1, Pic2, Pic3
    QTreeWidget* realList = nullptr;
    QScrollBar* YokoBar = nullptr;
    QScrollBar* TateBar = nullptr;
    QStatusBar* FileHeaderShow = nullptr;
    QLabel* headerText_ = nullptr;
    QFileDialog* OpenDialog = nullptr;
    QStackedWidget* menuBars_ = nullptr;
    std::array<QMenuBar*, 6> bars_{};  // by GraphMenu
    std::unique_ptr<LiveMonitorView> live_;
};

}  // namespace kv
