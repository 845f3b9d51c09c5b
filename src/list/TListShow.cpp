#include "list/TListShow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <set>

#include "analysis/analysis_options.h"
#include "base/host.h"
#include "list/THeaderDialog.h"
#include "list/list_icons.h"
#include "list/list_printing.h"
#include "list/list_text.h"
#include "list/list_view_columns.h"

namespace kv {
namespace {

constexpr int kClientWidth = 660;
constexpr int kClientHeight = 469;
constexpr int kMinimumSide = 250;

// The later generations keep the waveform of a record; the graph window can
// show it.
bool showsWaveRecords(const RecorderIdentity& identity) {
    return identity.waveData == 1 && isLaterGeneration(identity.modelCode);
}

QString widestCellText(ListField field) {
    switch (field) {
        case ListField::Position:
        case ListField::Record:
            return QStringLiteral("000000");
        case ListField::Date:
            return QStringLiteral("0000/00/00");
        case ListField::Time:
            return QStringLiteral("00:00:00");
        case ListField::PeakPlus:
        case ListField::PeakMinus:
        case ListField::WavePeak:
            return QStringLiteral("-OVER");
        case ListField::WidthPlus:
        case ListField::WidthMinus:
        case ListField::WaveWidth:
            return QStringLiteral("0000");
        case ListField::Resultant:
            return QStringLiteral("000.0");
        case ListField::VelocityChange:
            return QStringLiteral("≥00.000");
        case ListField::DropHeight:
            return QStringLiteral("≥0000.0");
    }
    return {};
}

}  // namespace

TListShow::TListShow(const DataSet& data, const RecorderIdentity& identity, Host& host,
                     THeaderDialog* headerDialog, QWidget* parent)
    : QMainWindow(parent),
      data_(data),
      identity_(identity),
      host_(host),
      headerDialog_(headerDialog),
      table_(data, identity) {
    setObjectName("TListShow");
    setWindowTitle(QStringLiteral("リスト表示画面"));

    buildToolBar();
    buildMenu();

    List = new QTableWidget(this);
    List->setObjectName("List");
    List->setAccessibleName(QStringLiteral("データリスト"));
    List->setShowGrid(true);
    List->setSelectionBehavior(QAbstractItemView::SelectRows);
    List->setSelectionMode(QAbstractItemView::ExtendedSelection);
    List->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    List->verticalHeader()->hide();
    List->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    List->verticalHeader()->setDefaultSectionSize(List->fontMetrics().height() + 6);
    List->horizontalHeader()->setSectionsClickable(true);
    List->horizontalHeader()->setHighlightSections(false);
    List->setWordWrap(false);
    List->installEventFilter(this);
    List->viewport()->installEventFilter(this);
    connect(List->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { ListColumnClick(column); });
    connect(List, &QTableWidget::itemSelectionChanged, this, [this] { ListSelectItem(); });
    connect(List, &QTableWidget::cellDoubleClicked, this, [this] { ListDblClick(); });

    Bar = new QScrollBar(Qt::Vertical, this);
    Bar->setObjectName("Bar");
    Bar->setAccessibleName(QStringLiteral("表示位置"));
    connect(Bar, &QScrollBar::valueChanged, this, [this](int position) { BarChange(position); });

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addWidget(List, 1);
    body->addWidget(Bar);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addLayout(body, 1);
    setCentralWidget(central);

    setMinimumSize(kMinimumSide, kMinimumSide);
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    buildListColumns();
}

void TListShow::buildToolBar() {
    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFixedHeight(25);
    Panel1->setMinimumWidth(0);
    struct Glyph {
        QToolButton*& button;
        const char* name;
        ListPicture picture;
        const char* hint;
        int x;
    };
    const Glyph glyphs[] = {
        {btnPrint, "btnPrint", ListPicture::Print, nullptr, 0},
        {btnMax, "btnMax", ListPicture::Maximum, "最大データを検索します", 40},
        {btnFind, "btnFind", ListPicture::Find, "指定データ以上のデータを検索します", 64},
        {btnDef, "btnDef", ListPicture::DataOrder, "ソートしたデータを元に戻します", 104},
        {btnA, "btnA", ListPicture::LargestFirst, "データの大きい順に表示します", 144},
        {btnZ, "btnZ", ListPicture::SmallestFirst, "データを小さい順に表示します", 168},
    };
    for (const Glyph& g : glyphs) {
        g.button = new QToolButton(Panel1);
        g.button->setObjectName(g.name);
        g.button->setIcon(listIcon(g.picture));
        g.button->setAutoRaise(true);
        g.button->setGeometry(g.x, 0, 25, 25);
        // The print button has no hint; its menu item's words name it.
        const QString hint = g.hint ? QString::fromUtf8(g.hint) : QStringLiteral("印刷");
        if (g.hint) g.button->setToolTip(hint);
        g.button->setAccessibleName(hint);
    }
    SortSetting = new QCheckBox(QStringLiteral("絶対値比較"), Panel1);
    SortSetting->setObjectName("SortSetting");
    SortSetting->setToolTip(QStringLiteral("データを絶対値として扱う時はチェックしてください"));
    SortSetting->setChecked(true);
    SortSetting->setGeometry(200, 0, 86, 25);

    txtSelectItem = new QLabel(QStringLiteral("1"), Panel1);
    txtSelectItem->setObjectName("txtSelectItem");
    txtSelectItem->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QFont font = txtSelectItem->font();
    font.setBold(true);
    font.setItalic(true);
    txtSelectItem->setFont(font);
    txtSelectItem->setAccessibleDescription(QStringLiteral("選択された項目"));
    txtSelectItem->setGeometry(287, 2, 130, 21);

    Button1 = new QPushButton(QStringLiteral("閉じる(&X)"), Panel1);
    Button1->setObjectName("Button1");
    QFont bold = Button1->font();
    bold.setBold(true);
    Button1->setFont(bold);
    Button1->setGeometry(424, 0, 80, 25);

    connect(btnPrint, &QToolButton::clicked, this, [this] { btnPrintClick(); });
    connect(btnMax, &QToolButton::clicked, this, [this] { findMaximum(); });
    connect(btnFind, &QToolButton::clicked, this, [this] { btnFindClick(); });
    connect(btnDef, &QToolButton::clicked, this, [this] { btnDefClick(); });
    connect(btnA, &QToolButton::clicked, this,
            [this] { sortCommand(SortDirection::LargestFirst, true); });
    connect(btnZ, &QToolButton::clicked, this,
            [this] { sortCommand(SortDirection::SmallestFirst, true); });
    connect(Button1, &QPushButton::clicked, this, &QWidget::close);
}

void TListShow::buildMenu() {
    QMenu* find = menuBar()->addMenu(QStringLiteral("検索(&F)"));
    find->setObjectName("N1");
    Default1 = find->addAction(QStringLiteral("データ順に表示(&Default)"));
    Default1->setObjectName("Default1");
    Default1->setEnabled(false);
    find->addSeparator();
    mnuMax = find->addAction(QStringLiteral("最大値を検索(&Max)"));
    mnuMax->setObjectName("mnuMax");
    mnuFind = find->addAction(QStringLiteral("指定数値以上を検索(&Search)"));
    mnuFind->setObjectName("mnuFind");
    find->addSeparator();
    mnuGraph = find->addAction(QStringLiteral("閉じる(&X)"));
    mnuGraph->setObjectName("mnuGraph");
    S1 = menuBar()->addAction(QStringLiteral("ソート(&S)"));
    S1->setObjectName("S1");
    Print1 = menuBar()->addAction(QStringLiteral("印刷(&P)"));
    Print1->setObjectName("Print1");
    // Wave records' shock analysis as two more columns, only when asked for:
    // the list otherwise stays as it always was.
    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    view->setObjectName("mnuView");
    mnuAnalysisColumns = view->addAction(QStringLiteral("速度変化と落下高さの列(&A)"));
    mnuAnalysisColumns->setObjectName("mnuAnalysisColumns");
    mnuAnalysisColumns->setCheckable(true);
    connect(mnuAnalysisColumns, &QAction::toggled, this,
            [this](bool on) { showAnalysisColumns(on); });

    connect(mnuMax, &QAction::triggered, this, [this] { findMaximum(); });
    connect(mnuFind, &QAction::triggered, this, [this] { mnuFindClick(); });
    connect(mnuGraph, &QAction::triggered, this, &QWidget::close);
    connect(S1, &QAction::triggered, this,
            [this] { sortCommand(SortDirection::LargestFirst, false); });
    connect(Print1, &QAction::triggered, this, [this] { btnPrintClick(); });

    // Copy of the selected rows, as table views do.
    auto* copy = new QAction(QStringLiteral("コピー"), this);
    copy->setObjectName("copyRows");
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WindowShortcut);
    connect(copy, &QAction::triggered, this, [this] { copySelection(); });
    addAction(copy);
}

void TListShow::buildListColumns() {
    table_.setRestitution(restitution_ ? restitution_() : AnalysisOptions{}.restitution);
    table_.reset();
    setListColumns(List, table_.columns());
    mnuAnalysisColumns->setEnabled(table_.offersAnalysisColumns());
}

void TListShow::showAnalysisColumns(bool on) {
    if (on == table_.analysisColumns()) return;
    table_.setRestitution(restitution_ ? restitution_() : AnalysisOptions{}.restitution);
    table_.setAnalysisColumns(on);
    // A sort column that went away is no longer chosen.
    if (!table_.isDataColumn(sortColumn_)) {
        ListColumnClick(0);
        sortColumn_ = 0;
        txtSelectItem->setText(QString::fromStdString(table_.sortColumnCaption(0)));
    }
    layOutPage(Bar->value());
}

void TListShow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TListShow::FormShow() {
    searchThreshold_ = 0;
    searchPosition_ = 0;
    sortColumn_ = 0;
    for (QAction* a : {mnuFind, mnuMax, S1}) a->setEnabled(false);
    for (QToolButton* b : {btnDef, btnMax, btnFind, btnA, btnZ}) b->setEnabled(false);
    // Data order, and the columns of the data now loaded.
    table_.setRestitution(restitution_ ? restitution_() : AnalysisOptions{}.restitution);
    table_.reset();
    mnuAnalysisColumns->setEnabled(table_.offersAnalysisColumns());
    rebuildListRows();
    txtSelectItem->setText(QString::fromStdString(table_.sortColumnCaption(0)));
    updateListScrollBar();
    const QSignalBlocker block(Bar);
    Bar->setValue(0);
    fillListPage(0);
}

void TListShow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // A new size starts again at the first page, in the same order.
    layOutPage(0);
}

int TListShow::fittingRows() const {
    const int rowHeight = std::max(1, List->verticalHeader()->defaultSectionSize());
    return std::max(1, List->viewport()->height() / rowHeight);
}

void TListShow::layOutPage(int first) {
    rebuildListRows();
    updateListScrollBar();
    first = std::clamp(first, 0, Bar->maximum());
    const QSignalBlocker block(Bar);
    Bar->setValue(first);
    fillListPage(first);
}

void TListShow::rebuildListRows() {
    const bool updates = List->updatesEnabled();
    List->setUpdatesEnabled(false);
    List->setRowCount(0);
    setListColumns(List, table_.columns());
    widenColumnsToTheirTexts();
    describeAnalysisColumns();
    rows_ = fittingRows();
    List->setRowCount(rows_);
    for (int row = 0; row < rows_; ++row)
        for (int c = 0; c < table_.columnCount(); ++c) setListCell(List, row, c, QString());
    List->setUpdatesEnabled(updates);
}

// The widths were laid out for a narrow bitmap font; a column is widened to
// hold its caption and the widest text its cells can have.
void TListShow::widenColumnsToTheirTexts() {
    const QFontMetrics metrics(List->font());
    const int padding = 2 * List->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
    const auto& fields = table_.fields();
    for (int c = 0; c < table_.columnCount(); ++c) {
        const QString caption = QString::fromStdString(table_.columns()[c].caption);
        const int needed = std::max(metrics.horizontalAdvance(widestCellText(fields[c].field)),
                                    metrics.horizontalAdvance(caption)) +
                           padding;
        if (List->columnWidth(c) < needed) List->setColumnWidth(c, needed);
    }
}

// The analysis columns' units, and the restitution the heights assume.
void TListShow::describeAnalysisColumns() {
    const auto& fields = table_.fields();
    for (int c = 0; c < table_.columnCount(); ++c) {
        QTableWidgetItem* header = List->horizontalHeaderItem(c);
        if (!header) continue;
        if (fields[c].field == ListField::VelocityChange)
            header->setToolTip(QStringLiteral("速度変化 (m/s)：各軸の速度変化を合成した値"));
        if (fields[c].field == ListField::DropHeight)
            header->setToolTip(QStringLiteral("推定落下高さ (cm)、反発係数 e=%1")
                                   .arg(table_.restitution(), 0, 'f', 2));
    }
}

void TListShow::updateListScrollBar() {
    const int count = table_.recordCount();
    const QSignalBlocker block(Bar);
    if (rows_ < count) {
        Bar->setEnabled(true);
        Bar->setMaximum(count - rows_);
        Bar->setPageStep(rows_);
    } else {
        Bar->setEnabled(false);
        Bar->setMaximum(0);
        Bar->setPageStep(std::max(rows_, 1));
    }
    Bar->setAccessibleDescription(QStringLiteral("%1 / %2").arg(Bar->value()).arg(Bar->maximum()));
}

void TListShow::fillListPage(int first) {
    const bool updates = List->updatesEnabled();
    List->setUpdatesEnabled(false);
    std::vector<std::string> cells;
    for (int row = 0; row < rows_; ++row) {
        const int p = first + row;
        const bool filled = p < table_.recordCount();
        if (filled) table_.rowTexts(p, cells);
        for (int c = 0; c < table_.columnCount(); ++c)
            setListCell(List, row, c, filled ? QString::fromStdString(cells[c]) : QString());
    }
    List->setUpdatesEnabled(updates);
}

void TListShow::BarChange(int position) {
    fillListPage(position);
    searchPosition_ = 0;
    Bar->setAccessibleDescription(QStringLiteral("%1 / %2").arg(position).arg(Bar->maximum()));
}

void TListShow::ListColumnClick(int column) {
    const bool data = column >= 2;
    for (QAction* a : {S1, mnuMax, mnuFind}) a->setEnabled(data);
    for (QToolButton* b : {btnA, btnZ, btnMax}) b->setEnabled(data);
    btnFind->setEnabled(false);
    if (!data) return;
    sortColumn_ = column - 1;
    txtSelectItem->setText(QString::fromStdString(table_.sortColumnCaption(sortColumn_)));
}

void TListShow::ListSelectItem() {
    const QList<QTableWidgetItem*> selected = List->selectedItems();
    if (selected.isEmpty()) return;
    const QTableWidgetItem* no = List->item(List->currentRow(), 0);
    bool ok = false;
    const int n = no ? no->text().toInt(&ok) : 0;
    searchPosition_ = ok && n >= 1 ? n - 1 : 0;
}

void TListShow::ListDblClick() {
    if (!showsWaveRecords(identity_)) return;
    const QTableWidgetItem* dataNo = List->item(List->currentRow(), 1);
    bool ok = false;
    const int n = dataNo ? dataNo->text().toInt(&ok) : 0;
    if (ok && n >= 1) emit recordChosen(n - 1);
}

void TListShow::sortCommand(SortDirection direction, bool showCaption) {
    if (sortColumn_ == 0) return;
    Panel1->setEnabled(false);
    // The window keeps its size while the sort yields to the event loop, so
    // that the page under the sort does not change.
    const QSize minimum = minimumSize(), maximum = maximumSize();
    setFixedSize(size());
    sorting_ = true;
    List->setCursor(Qt::WaitCursor);
    table_.sort(sortColumn_, direction, SortSetting->isChecked(),
                [] { QApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    List->unsetCursor();
    sorting_ = false;
    setMinimumSize(minimum);
    setMaximumSize(maximum);
    Panel1->setEnabled(true);
    updateListScrollBar();
    fillListPage(Bar->value());
    btnDef->setEnabled(true);
    if (showCaption)
        txtSelectItem->setText(QString::fromStdString(table_.sortColumnCaption(sortColumn_)));
}

void TListShow::btnDefClick() {
    table_.resetOrder();
    updateListScrollBar();
    fillListPage(Bar->value());
}

void TListShow::showFound(int position) {
    const int first = std::clamp(position, 0, std::max(0, table_.recordCount() - rows_));
    if (Bar->isEnabled()) Bar->setValue(first);
    const int row = position - Bar->value();
    if (row >= 0 && row < rows_) {
        List->clearSelection();
        List->setCurrentCell(row, 0,
                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
}

void TListShow::findMaximum() {
    const int found = table_.findMaximum(sortColumn_, SortSetting->isChecked());
    if (found >= 0) showFound(found);
}

void TListShow::mnuFindClick() {
    if (!headerDialog_ || sortColumn_ == 0) return;
    float value = searchThreshold_;
    if (!headerDialog_->askSearchValue(value)) return;
    searchThreshold_ = value;
    searchPosition_ = 0;
    findAtLeast();
    btnFind->setEnabled(true);
}

void TListShow::btnFindClick() {
    if (searchPosition_ < table_.recordCount() - 1) ++searchPosition_;
    findAtLeast();
}

void TListShow::findAtLeast() {
    const int found = table_.findAtLeast(sortColumn_, SortSetting->isChecked(), searchPosition_,
                                         searchThreshold_);
    if (found < 0) {
        host_.messageBox(kSearchTitle, kSearchNotFound, Host::Information);
        return;
    }
    showFound(found);
    searchPosition_ = found;
}

void TListShow::btnPrintClick() {
    if (!headerDialog_ || table_.recordCount() == 0) return;
    int start = 1, end = table_.recordCount();
    if (!headerDialog_->askPrintRange(start, end, table_.recordCount())) return;
    if (print_) {
        print_(table_, start, end);
        return;
    }
    std::string error;
    printList(this, ListPrintRequest{&data_, &identity_, &table_.displayOrder(), start, end},
              nullptr, &error);
    if (!error.empty())
        host_.messageBox("印刷", "印刷ファイルを書き込めませんでした。\n" + error, Host::Error);
}

void TListShow::copySelection() {
    std::set<int> rows;
    for (const QTableWidgetItem* item : List->selectedItems()) rows.insert(item->row());
    std::vector<int> positions;
    for (int row : rows)
        if (Bar->value() + row < table_.recordCount()) positions.push_back(Bar->value() + row);
    if (positions.empty()) return;
    QApplication::clipboard()->setText(QString::fromStdString(tabSeparatedRows(table_, positions)));
}

// Wheel and paging keys move the page through the scroll bar, since the
// table itself holds only the rows on show.
bool TListShow::scrollByKey(int key) {
    const int row = List->currentRow();
    int step = 0;
    if (key == Qt::Key_Down && row == rows_ - 1) step = 1;
    if (key == Qt::Key_Up && row == 0) step = -1;
    if (key == Qt::Key_PageDown) step = rows_;
    if (key == Qt::Key_PageUp) step = -rows_;
    if (step == 0 || !Bar->isEnabled()) return false;
    Bar->setValue(Bar->value() + step);
    return true;
}

bool TListShow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == List->viewport() && event->type() == QEvent::Wheel) {
        const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
        if (delta != 0 && Bar->isEnabled())
            Bar->setValue(Bar->value() - delta / 40);  // three rows per notch
        return true;
    }
    if (watched == List->viewport() && event->type() == QEvent::Resize && rows_ != fittingRows())
        layOutPage(Bar->value());
    if (watched == List && event->type() == QEvent::KeyPress)
        return scrollByKey(static_cast<QKeyEvent*>(event)->key());
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace kv
