#pragma once

#include <QMainWindow>
#include <functional>

#include "list/list_table.h"

class QAction;
class QCheckBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QTableWidget;
class QToolButton;
class QWidget;

namespace kv {

class Host;
class THeaderDialog;

// "リスト表示画面": the records of the data set in view as a table. The table
// holds only the rows that fit; the scroll bar `Bar` picks the record of the
// first row. Columns sort largest or smallest first, the largest value and
// values above a threshold can be looked up, and the rows print in the order
// shown.
class TListShow : public QMainWindow {
    Q_OBJECT
  public:
    TListShow(const DataSet& data, const RecorderIdentity& identity, Host& host,
              THeaderDialog* headerDialog, QWidget* parent = nullptr);

    // Prints display positions start .. end (1-based) of the table in its
    // order; the print command runs it after the range dialog. Without one
    // the command prints through the print dialog (printList).
    using PrintHandler = std::function<void(const ListTable& table, int start, int end)>;
    void setPrintHandler(PrintHandler handler) { print_ = std::move(handler); }

    // Takes up the columns of the data set now loaded; the graph window calls
    // it before it shows the window.
    void buildListColumns();

    // The restitution the drop-height column assumes, asked for whenever the
    // list takes up its data (the settings' value, which the analysis window
    // changes).
    void setRestitution(std::function<double()> restitution) {
        restitution_ = std::move(restitution);
    }

    const ListTable& table() const { return table_; }
    int visibleRows() const { return rows_; }
    bool sorting() const { return sorting_; }

  signals:
    // A wave record was double-clicked: the graph window shows record (0 ..).
    void recordChosen(int record);

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildToolBar();
    void buildMenu();
    void FormShow();
    void rebuildListRows();
    void widenColumnsToTheirTexts();
    void describeAnalysisColumns();
    void showAnalysisColumns(bool on);
    void updateListScrollBar();
    void fillListPage(int first);
    int fittingRows() const;
    void layOutPage(int first);

    void BarChange(int position);
    void ListColumnClick(int column);
    void ListSelectItem();
    void ListDblClick();
    void sortCommand(SortDirection direction, bool showCaption);
    void btnDefClick();
    void findMaximum();
    void mnuFindClick();
    void btnFindClick();
    void findAtLeast();
    void showFound(int position);
    void btnPrintClick();
    void copySelection();
    bool scrollByKey(int key);

    const DataSet& data_;
    const RecorderIdentity& identity_;
    Host& host_;
    THeaderDialog* headerDialog_;
    PrintHandler print_;
    std::function<double()> restitution_;
    ListTable table_;
    int rows_ = 0;
    int sortColumn_ = 0;
    int searchPosition_ = 0;
    float searchThreshold_ = 0;
    bool sorting_ = false;

    QWidget* Panel1 = nullptr;
    QTableWidget* List = nullptr;
    QScrollBar* Bar = nullptr;
    QToolButton* btnPrint = nullptr;
    QToolButton* btnMax = nullptr;
    QToolButton* btnFind = nullptr;
    QToolButton* btnDef = nullptr;
    QToolButton* btnA = nullptr;
    QToolButton* btnZ = nullptr;
    QCheckBox* SortSetting = nullptr;
    QLabel* txtSelectItem = nullptr;
    QPushButton* Button1 = nullptr;
    QAction* Default1 = nullptr;
    QAction* mnuMax = nullptr;
    QAction* mnuFind = nullptr;
    QAction* mnuGraph = nullptr;
    QAction* S1 = nullptr;
    QAction* Print1 = nullptr;
    QAction* mnuAnalysisColumns = nullptr;
};

}  // namespace kv
