#include "viewer/TGraph5000.h"
#include "viewer/live_monitor_view.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "datafile/data_set.h"
#include "link/link.h"
#include "recorder/recorder_state.h"
#include "settings/pc_settings.h"
#include "viewer/TGraphColor.h"
#include "viewer/TInputScale.h"
#include "viewer/graph_drawing.h"
#include "viewer/graph_glyphs.h"
#include "graph/graph_labels.h"
#include "viewer/up_down_arrows.h"
#include "graph/zoom_scale.h"

namespace kv {
namespace {

constexpr int kClientWidth = 693;
constexpr int kClientHeight = 435;
constexpr int kMinimumWidth = 450;
constexpr int kMinimumHeight = 300;
constexpr int kPanelHeight = 40;

QStringList itemTexts(const char* const* items, int count) {
    QStringList texts;
    for (int i = 0; i < count; ++i) texts << QString::fromUtf8(items[i]);
    return texts;
}

QWidget* panel(QWidget* parent, const char* name) {
    auto* p = new QWidget(parent);
    p->setObjectName(name);
    auto* row = new QHBoxLayout(p);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    p->setFixedHeight(kPanelHeight);
    return p;
}

}  // namespace

TGraph5000::TGraph5000(Link& link, PcSettings& settings, RecorderState& state, DataSet& data,
                       QWidget* parent)
    : QMainWindow(parent), link_(link), settings_(settings), state_(state), data_(data) {
    setObjectName("TGraph5000");
    setWindowTitle(QStringLiteral("グラフ表示画面"));
    setAcceptDrops(true);

    // FormCreate
    auto* client = new QWidget(this);
    client->setObjectName("GraphClient");
    setCentralWidget(client);
    buildToolPanels(client);
    buildGraphArea(client);
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    // The tool panels in one row; a narrow window cuts the row off on the
    // right rather than refusing to get narrower.
    auto* toolRow = new QWidget(client);
    toolRow->setObjectName("ToolRow");
    toolRow->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    toolRow->setFixedHeight(kPanelHeight);
    toolStrip_ = new QWidget(toolRow);
    toolStrip_->setObjectName("ToolStrip");
    auto* tools = new QHBoxLayout(toolStrip_);
    tools->setContentsMargins(0, 0, 0, 0);
    tools->setSpacing(0);
    for (QWidget* p : {Panel6, Panel2, Panel3, Panel5, Panel1, Panel4}) {
        p->setParent(toolStrip_);
        tools->addWidget(p);
    }
    column->addWidget(toolRow);
    // The graphs, the list and the scroll bars below are placed by LayoutGraphs.
    column->addStretch(1);

    FileHeaderShow = new QStatusBar(this);
    FileHeaderShow->setObjectName("FileHeaderShow");
    // A label rather than a temporary message, so that screen readers reach it.
    headerText_ = new QLabel(FileHeaderShow);
    headerText_->setObjectName("FileHeaderText");
    headerText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    FileHeaderShow->addWidget(headerText_, 1);
    setStatusBar(FileHeaderShow);

    buildMenus();
    live_ = std::make_unique<LiveMonitorView>(*this, link, settings, state, data);

    resize(kClientWidth,
           kClientHeight + menuWidget()->sizeHint().height() + FileHeaderShow->sizeHint().height());
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    FormShow();
}

TGraph5000::~TGraph5000() = default;

void TGraph5000::EnterRealTime() {
    live_->EnterRealTime();
}

void TGraph5000::setMonitorSettingsDialog(TKvDataInput* dialog) {
    live_->setSettingsDialog(dialog);
}

QToolButton* TGraph5000::glyphButton(QWidget* panel, const char* name, int glyph,
                                     const QString& hint) {
    auto* button = new QToolButton(panel);
    button->setObjectName(name);
    button->setIcon(graphGlyph(static_cast<GraphGlyph>(glyph)));
    button->setIconSize(QSize(24, 24));
    button->setFixedSize(30, 30);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setAutoRaise(false);
    panel->layout()->addWidget(button);
    return button;
}

QPushButton* TGraph5000::textButton(QWidget* panel, const char* name, const QString& caption,
                                    const QString& hint) {
    auto* button = new QPushButton(caption, panel);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);
    button->setToolTip(hint);
    if (!hint.isEmpty()) button->setAccessibleDescription(hint);
    const int textWidth = button->fontMetrics().horizontalAdvance(QString(caption).remove('&'));
    button->setFixedSize(std::max(30, textWidth + 16), 30);
    panel->layout()->addWidget(button);
    return button;
}

void TGraph5000::buildToolPanels(QWidget* client) {
    Panel6 = panel(client, "Panel6");
    // The monitor's own commands: its set-up confirms the recorder settings.
    btnDataSet =
        glyphButton(Panel6, "btnDataSet", int(GraphGlyph::DataSet), QStringLiteral("KV設定の確認"));
    btnDataSet->setToolTip(QString());
    btnStart = textButton(Panel6, "btnStart", QStringLiteral("開始"));
    btnEnd = textButton(Panel6, "btnEnd", QStringLiteral("停止"));

    Panel2 = panel(client, "Panel2");
    btnOpen = glyphButton(Panel2, "btnOpen", int(GraphGlyph::Open),
                          QStringLiteral("データファイルを開く"));
    btnList = glyphButton(Panel2, "btnList", int(GraphGlyph::List),
                          QStringLiteral("リスト表示画面を開く"));
    btnPrint =
        glyphButton(Panel2, "btnPrint", int(GraphGlyph::Print), QStringLiteral("印刷します"));
    btnInfo =
        glyphButton(Panel2, "btnInfo", int(GraphGlyph::Info), QStringLiteral("表示データの情報"));

    Panel3 = panel(client, "Panel3");
    // Buttons without a hint of their own are named after their menu items.
    btnXYZ =
        glyphButton(Panel3, "btnXYZ", int(GraphGlyph::AllAxes), QStringLiteral("３軸[同軸表示]"));
    btnX = textButton(Panel3, "btnX", QStringLiteral("X"));
    btnY = textButton(Panel3, "btnY", QStringLiteral("Y"));
    btnZ = textButton(Panel3, "btnZ", QStringLiteral("Z"));
    btnSeparate =
        glyphButton(Panel3, "btnSeparate", int(GraphGlyph::Separate), QStringLiteral("３軸独立"));
    btnScale =
        glyphButton(Panel3, "btnScale", int(GraphGlyph::Scale), QStringLiteral("スケール変更"));
    for (QToolButton* b : {btnXYZ, btnSeparate, btnScale, btnDataSet}) b->setToolTip(QString());
    for (QPushButton* b : {btnX, btnY, btnZ}) {
        b->setFixedWidth(30);
        QFont bold = b->font();
        bold.setBold(true);
        b->setFont(bold);
    }

    Panel5 = panel(client, "Panel5");
    auto axisSelector = [this](const char* labelName, const QString& caption, const char* textName,
                               const char* arrowsName, const char* comboName, const QString& hint,
                               const QStringList& items, QLabel*& label, QLabel*& text,
                               UpDownArrows*& arrows, QComboBox*& combo) {
        label = new QLabel(caption, Panel5);
        label->setObjectName(labelName);
        text = new QLabel(Panel5);
        text->setObjectName(textName);
        text->setFrameShape(QFrame::Panel);
        text->setFrameShadow(QFrame::Sunken);
        text->setAlignment(Qt::AlignCenter);
        text->setFixedWidth(text->fontMetrics().horizontalAdvance(QStringLiteral("１２時間")) + 12);
        text->setAccessibleDescription(caption);
        arrows = new UpDownArrows(Panel5);
        arrows->setObjectName(arrowsName);
        arrows->setAccessibleName(caption);
        label->setBuddy(arrows);
        // The list itself stays out of sight: the text beside the arrows shows
        // its selection.
        combo = new QComboBox(Panel5);
        combo->setObjectName(comboName);
        combo->setToolTip(hint);
        combo->setAccessibleName(hint);
        combo->addItems(items);
        combo->setVisible(false);
        auto* box = new QVBoxLayout;
        box->setContentsMargins(0, 0, 0, 0);
        box->setSpacing(0);
        label->setAlignment(Qt::AlignCenter);
        QFont small = label->font();
        small.setPixelSize(10);
        label->setFont(small);
        box->addWidget(label);
        auto* row = new QHBoxLayout;
        row->setSpacing(1);
        row->addWidget(text);
        row->addWidget(arrows);
        box->addLayout(row);
        static_cast<QHBoxLayout*>(Panel5->layout())->addLayout(box);
    };
    axisSelector("StaticText1", QStringLiteral("時間軸"), "TextX", "UpDownX", "ComboX",
                 QStringLiteral("X軸のスケールを変更します"),
                 itemTexts(kTimeWindowItems, kTimeSelectorItems), StaticText1, TextX, UpDownX,
                 ComboX);
    axisSelector("StaticText2", QStringLiteral("Ｇ 軸"), "TextY", "UpDownY", "ComboY",
                 QStringLiteral("Y軸のスケールを変更します"),
                 itemTexts(kGScaleItemTexts, kGScaleItems), StaticText2, TextY, UpDownY, ComboY);

    Panel1 = panel(client, "Panel1");
    Button1 =
        textButton(Panel1, "Button1", QStringLiteral("<<"), QStringLiteral("１０データ戻ります"));
    Button2 =
        textButton(Panel1, "Button2", QStringLiteral("<"), QStringLiteral("前データを表示します"));
    Button3 =
        textButton(Panel1, "Button3", QStringLiteral(">"), QStringLiteral("次データを表示します"));
    Button4 =
        textButton(Panel1, "Button4", QStringLiteral(">>"), QStringLiteral("１０データ進みます"));
    // "<" and ">" say nothing to a screen reader: the hints name the buttons.
    for (QPushButton* b : {Button1, Button2, Button3, Button4}) b->setAccessibleName(b->toolTip());

    Panel4 = panel(client, "Panel4");
    btnClose = textButton(Panel4, "btnClose", QStringLiteral("閉じる(&X)"));
    Button6 = textButton(Panel4, "Button6", QStringLiteral("リアルタイム"));
    Button6->setVisible(false);

    connect(btnOpen, &QToolButton::clicked, this, [this] { runCommand(GraphCommand::Open); });
    connect(btnList, &QToolButton::clicked, this, [this] { showList(true); });
    connect(btnPrint, &QToolButton::clicked, this, [this] { runCommand(GraphCommand::Print); });
    connect(btnInfo, &QToolButton::clicked, this, [this] {
        if (peers_.dataDialog) peers_.dataDialog->exec();
    });
    connect(btnXYZ, &QToolButton::clicked, this, [this] { setView(kViewAllAxes); });
    connect(btnX, &QPushButton::clicked, this, [this] { setView(kViewX); });
    connect(btnY, &QPushButton::clicked, this, [this] { setView(kViewY); });
    connect(btnZ, &QPushButton::clicked, this, [this] { setView(kViewZ); });
    connect(btnSeparate, &QToolButton::clicked, this, [this] { setView(kViewSeparate); });
    connect(btnScale, &QToolButton::clicked, this, [this] { btnScaleClick(); });
    connect(UpDownX, &UpDownArrows::stepped, this, [this](bool up) { zoomStep(ComboX, up); });
    connect(UpDownY, &UpDownArrows::stepped, this, [this](bool up) { zoomStep(ComboY, up); });
    connect(Button1, &QPushButton::clicked, this, [this] { stepRecord(-10); });
    connect(Button2, &QPushButton::clicked, this, [this] { stepRecord(-1); });
    connect(Button3, &QPushButton::clicked, this, [this] { stepRecord(1); });
    connect(Button4, &QPushButton::clicked, this, [this] { stepRecord(10); });
    connect(btnClose, &QPushButton::clicked, this, [this] { close(); });
}

void TGraph5000::buildGraphArea(QWidget* client) {
    for (int i = 0; i < 3; ++i) {
        QWidget* box = new QWidget(client);
        box->setObjectName(QStringLiteral("Pic%1").arg(i + 1));
        box->setAccessibleName(QStringLiteral("グラフ %1").arg(QChar(u"XYZ"[i])));
        box->installEventFilter(this);
        Pic[i] = box;
    }
    realList = new QTreeWidget(client);
    realList->setObjectName("realList");
    realList->setRootIsDecorated(false);
    realList->setAccessibleName(QStringLiteral("リアルタイム"));
    realList->setVisible(false);

    YokoBar = new QScrollBar(Qt::Horizontal, client);
    YokoBar->setObjectName("YokoBar");
    YokoBar->setAccessibleName(QStringLiteral("時間軸"));
    YokoBar->setPageStep(4);
    TateBar = new QScrollBar(Qt::Vertical, client);
    TateBar->setObjectName("TateBar");
    TateBar->setAccessibleName(QStringLiteral("Ｇ 軸"));
    auto scrolled = [this] {
        if (sender() && static_cast<QScrollBar*>(sender())->isEnabled())
            ScrollTo(YokoBar->value(), TateBar->value());
    };
    connect(YokoBar, &QScrollBar::valueChanged, this, scrolled);
    connect(TateBar, &QScrollBar::valueChanged, this, scrolled);
}

QAction* TGraph5000::action(const char* name) const {
    return findChild<QAction*>(QString::fromLatin1(name));
}

// FormShow: every showing starts without data on screen and with the start menu.
void TGraph5000::FormShow() {
    monitorMode_ = 0;
    view_.liveRunning = false;
    setHeaderText({});
    data_.lastIndex = -1;
    data_.currentIndex = 0;

    realList->setVisible(false);
    Panel6->setVisible(false);
    Panel2->setVisible(true);
    Button6->setText(QStringLiteral("リアルタイム"));

    ComboX->setCurrentIndex(0);
    ComboY->setCurrentIndex(0);
    resetScrollBars();
    setWindowTitle(QStringLiteral("グラフ表示画面"));

    view_.colors = settings_.graphColors;
    view_.zoomScale = view_.currentScale = defaultWaveScale(state_.identity.sensorRange);
    colourAxisButtons();

    for (QWidget* b : {static_cast<QWidget*>(btnPrint), static_cast<QWidget*>(btnList),
                       static_cast<QWidget*>(btnInfo)})
        b->setEnabled(false);
    // Nothing to view until a file is loaded.
    for (QWidget* b : {static_cast<QWidget*>(btnXYZ), static_cast<QWidget*>(btnX),
                       static_cast<QWidget*>(btnY), static_cast<QWidget*>(btnZ),
                       static_cast<QWidget*>(btnSeparate), static_cast<QWidget*>(btnScale)})
        b->setEnabled(false);
    // The monitor's buttons wait for the monitor mode.
    for (QWidget* b : {static_cast<QWidget*>(btnDataSet), static_cast<QWidget*>(btnStart),
                       static_cast<QWidget*>(btnEnd)})
        b->setEnabled(false);
    Panel1->setVisible(false);
    placeClosePanel();
    installMenu(GraphMenu::Start);
    LayoutGraphs();
}

void TGraph5000::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        FormShow();
        if (QScreen* s = screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(s->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    QMainWindow::showEvent(event);
}

void TGraph5000::closeEvent(QCloseEvent* event) {
    // FormCloseQuery: the monitor's receive loop must be stopped first, and a
    // load must finish (or be cancelled) before the window may go.
    if (view_.liveRunning || loading_) {
        event->ignore();
        return;
    }
    // FormClose
    closeListWindow();
    data_.filePath.clear();
    event->accept();
    emit closed();
}

void TGraph5000::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    LayoutGraphs();
    live_->refresh();
}

void TGraph5000::disableSelectors() {
    ComboX->setEnabled(false);
    ComboY->setEnabled(false);
    TextX->setEnabled(false);
    TextY->setEnabled(false);
}

void TGraph5000::colourAxisButtons() {
    const std::array<QPushButton*, 3> buttons = {btnX, btnY, btnZ};
    for (int i = 0; i < 3; ++i) {
        QPalette palette = buttons[i]->palette();
        const QColor colour = graphColor(settings_.graphColors[i].line);
        palette.setColor(QPalette::Active, QPalette::ButtonText, colour);
        palette.setColor(QPalette::Inactive, QPalette::ButtonText, colour);
        buttons[i]->setPalette(palette);
    }
}

void TGraph5000::installMenu(GraphMenu menu) {
    menu_ = menu;
    menuBars_->setCurrentWidget(bars_[static_cast<int>(menu)]);
}

// ApplyViewForData: the menu, view buttons, navigation and selectors the
// loaded data's model and kind offer.
void TGraph5000::ApplyViewForData() {
    const RecorderIdentity& identity = state_.identity;
    const DataViewSetup setup = dataViewSetup(identity.modelCode, identity.waveData != 0);
    btnScale->setEnabled(true);
    installMenu(setup.menu);
    btnX->setEnabled(true);
    for (QWidget* b : {static_cast<QWidget*>(btnXYZ), static_cast<QWidget*>(btnY),
                       static_cast<QWidget*>(btnZ), static_cast<QWidget*>(btnSeparate)})
        b->setEnabled(setup.allViewButtons);
    for (const char* name : {"N2", "N3", "N6", "mnuNext11", "mnuBefore11", "mnuFind11"})
        action(name)->setEnabled(setup.navigation);
    action("mnuTY_1")->setEnabled(setup.allAxesItem);
    for (const char* name : {"mnuShow", "Print1", "Change1", "mnuChange11"})
        action(name)->setEnabled(true);
    Panel1->setVisible(setup.navigation);
    ComboX->setEnabled(setup.timeSelector);
    ComboY->setEnabled(true);
    TextX->setEnabled(ComboX->isEnabled());
    TextY->setEnabled(ComboY->isEnabled());
    setView(setup.view);
}

// A view change: which paint boxes show (LayoutGraphs) and whether the view
// can be printed: a printout holds one graph.
void TGraph5000::setView(int view) {
    paintEnabled_ = false;
    view_.viewMode = view;
    const bool printable = view != kViewSeparate;
    for (const char* name : {"Print1", "Print2"}) action(name)->setEnabled(printable);
    btnPrint->setEnabled(printable && !data_.filePath.empty());
    paintEnabled_ = true;
    LayoutGraphs();
    repaintGraphs();
}

void TGraph5000::stepRecord(int step) {
    DataSet& data = data_;
    const int next = kv::stepRecord(data.currentIndex, data.lastIndex, step);
    if (next == data.currentIndex) return;
    data.currentIndex = next;
    repaintGraphs();
}

void TGraph5000::showRecord(int record) {
    DataSet& data = data_;
    if (record < 0 || record > data.lastIndex) return;
    data.currentIndex = record;
    repaintGraphs();
}

void TGraph5000::findRecord() {
    if (!peers_.askDataNumber) return;
    QString text;
    if (!peers_.askDataNumber(text)) return;
    if (auto record = recordOfNumberText(text.toStdString(), data_.lastIndex)) showRecord(*record);
}

void TGraph5000::showList(bool buildColumns) {
    if (!peers_.listShow) return;
    if (buildColumns && !peers_.listShow->isVisible() && peers_.buildListColumns)
        peers_.buildListColumns();
    peers_.listShow->show();
    peers_.listShow->raise();
}

void TGraph5000::closeListWindow() {
    if (peers_.listShow) peers_.listShow->close();
}

void TGraph5000::setPanelsEnabled(bool enabled) {
    for (QWidget* p : {Panel1, Panel2, Panel3, Panel4, Panel5}) p->setEnabled(enabled);
}

// The close button follows the last visible tool panel: the strip of panels
// takes the width of those on show.
void TGraph5000::placeClosePanel() {
    toolStrip_->adjustSize();
}

void TGraph5000::setHeaderText(const QString& text) {
    headerText_->setText(text);
}

void TGraph5000::repaintGraphs() {
    if (!paintEnabled_) return;
    for (QWidget* box : Pic)
        if (box->isVisible()) box->update();
}

bool TGraph5000::eventFilter(QObject* watched, QEvent* event) {
    for (int i = 0; i < 3; ++i) {
        if (watched != Pic[i]) continue;
        if (event->type() == QEvent::Paint) {
            paintBox(i);
            return true;
        }
        if (event->type() == QEvent::Wheel) {
            // The wheel steps the selectors as their arrows do: the time window
            // (peak data), with Ctrl the G magnification.
            auto* wheel = static_cast<QWheelEvent*>(event);
            const int delta = wheel->angleDelta().y();
            if (delta != 0) {
                const bool gAxis = wheel->modifiers() & Qt::ControlModifier;
                zoomStep(gAxis ? ComboY : ComboX, delta > 0);
            }
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// Pic1Paint … Pic3Paint: only while painting is on, so that a load or a view
// change in progress is never drawn half-built.
void TGraph5000::paintBox(int box) {
    if (!paintEnabled_) return;
    QPainter painter(Pic[box]);
    GraphSurface surface(painter, Pic[box]->rect());
    surface.setFont(graphLabelFont());
    drawGraphBox(surface, box, layout_.plotArea[box], view_, data_, state_.identity);
    if (!data_.filePath.empty() && data_.lastIndex != -1)
        setHeaderText(QString::fromStdString(
            buildHeaderText(data_, state_.identity, view_.viewMode, view_.liveRunning)));
}

void TGraph5000::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* mime = event->mimeData();
    if (mime->hasUrls() && mime->urls().size() == 1 && mime->urls().front().isLocalFile() &&
        !view_.liveRunning && monitorMode_ == 0 && !loading_)
        event->acceptProposedAction();
}

void TGraph5000::dropEvent(QDropEvent* event) {
    const QString path = event->mimeData()->urls().front().toLocalFile();
    event->acceptProposedAction();
    // The drop returns to the file manager first; the load runs afterwards.
    QMetaObject::invokeMethod(
        this, [this, path] { openDataFile(path, true); }, Qt::QueuedConnection);
}

}  // namespace kv
