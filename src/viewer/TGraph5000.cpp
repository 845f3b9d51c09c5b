#include "viewer/TGraph5000.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QFile>
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
#include <QWheelEvent>

#include "base/kv_assert.h"
#include "graph/graph_labels.h"
#include "link/link.h"
#include "viewer/graph_drawing.h"
#include "viewer/live_monitor_view.h"
#include "viewer/tool_row_layout.h"
#include "viewer/up_down_arrows.h"

namespace kv {
namespace {

constexpr int kClientWidth = 693;
constexpr int kClientHeight = 435;
constexpr int kMinimumWidth = 450;
constexpr int kMinimumHeight = 300;

}  // namespace

TGraph5000::TGraph5000(Link& link, PcSettings& settings, RecorderState& state, DataSet& data,
                       QWidget* parent)
    : QMainWindow(parent),
      link_(link),
      settings_(settings),
      data_(data),
      session_(link, settings, state, data) {
    setObjectName("TGraph5000");
    setWindowTitle(QString::fromUtf8(GraphSession::kEmptyCaption));
    setAcceptDrops(true);

    // FormCreate
    auto* client = new QWidget(this);
    client->setObjectName("GraphClient");
    setCentralWidget(client);
    c_ = buildGraphWindowControls(client);
    buildToolRow(client);

    FileHeaderShow = new QStatusBar(this);
    FileHeaderShow->setObjectName("FileHeaderShow");
    // A label rather than a temporary message, so that screen readers reach it.
    headerText_ = new QLabel(FileHeaderShow);
    headerText_->setObjectName("FileHeaderText");
    headerText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    FileHeaderShow->addWidget(headerText_, 1);
    setStatusBar(FileHeaderShow);

    buildMenus();
    for (int i = 0; i < kGraphControlCount; ++i) {
        const char* name = graphControlName(static_cast<GraphControl>(i));
        controlObjects_[i] = findChild<QObject*>(QString::fromLatin1(name));
        KV_ASSERT(controlObjects_[i] != nullptr);
    }
    live_ = std::make_unique<LiveMonitorView>(session_, c_.realList, FileHeaderShow, link.host,
                                              settings);
    connectControls();

    session_.changed.add([this] { apply(); });
    session_.recordChanged.add([this](int record) {
        repaintGraphs();
        emit recordChanged(record);
    });
    session_.dataChanged.add([this] {
        repaintGraphs();
        emit dataChanged();
    });
    // The analysis windows follow what the graphs show.
    connect(this, &TGraph5000::dataChanged, this, [this] { followData(); });

    resize(kClientWidth,
           kClientHeight + menuWidget()->sizeHint().height() + FileHeaderShow->sizeHint().height());
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    session_.reset();
}

TGraph5000::~TGraph5000() = default;

// The tool panels in rows that wrap in a narrow window, so that every command
// stays reachable. The graphs, the list and the scroll bars below are placed
// by LayoutGraphs.
void TGraph5000::buildToolRow(QWidget* client) {
    toolRow_ = new QWidget(client);
    toolRow_->setObjectName("ToolRow");
    auto* tools = new ToolRowLayout(toolRow_);
    for (QWidget* p : {c_.Panel6, c_.Panel2, c_.Panel3, c_.Panel5, c_.Panel1, c_.Panel4}) {
        p->setParent(toolRow_);
        tools->addWidget(p);
    }
}

void TGraph5000::connectControls() {
    auto command = [this](QAbstractButton* button, GraphCommand c) {
        connect(button, &QAbstractButton::clicked, this, [this, c] { runCommand(c); });
    };
    command(c_.btnOpen, GraphCommand::Open);
    command(c_.btnPrint, GraphCommand::Print);
    command(c_.btnXYZ, GraphCommand::ViewAll);
    command(c_.btnX, GraphCommand::ViewX);
    command(c_.btnY, GraphCommand::ViewY);
    command(c_.btnZ, GraphCommand::ViewZ);
    command(c_.btnSeparate, GraphCommand::ViewSeparate);
    command(c_.btnDataSet, GraphCommand::MonitorSettings);
    command(c_.btnStart, GraphCommand::MonitorStart);
    command(c_.btnEnd, GraphCommand::MonitorEnd);
    command(c_.btnClose, GraphCommand::Close);
    command(c_.btnAnalysis, GraphCommand::ShockAnalysis);
    command(c_.btnTrip, GraphCommand::TripStatistics);
    connect(c_.btnList, &QToolButton::clicked, this, [this] { showList(true); });
    connect(c_.btnInfo, &QToolButton::clicked, this, [this] {
        if (peers_.dataDialog) peers_.dataDialog->exec();
    });
    connect(c_.btnScale, &QToolButton::clicked, this, [this] { btnScaleClick(); });
    connect(c_.UpDownX, &UpDownArrows::stepped, this, [this](bool up) { zoomStep(false, up); });
    connect(c_.UpDownY, &UpDownArrows::stepped, this, [this](bool up) { zoomStep(true, up); });
    const std::pair<QPushButton*, int> steps[] = {
        {c_.Button1, -10}, {c_.Button2, -1}, {c_.Button3, 1}, {c_.Button4, 10}};
    for (auto [button, step] : steps)
        connect(button, &QPushButton::clicked, this, [this, step] { session_.step(step); });
    auto scrolled = [this] {
        if (sender() && static_cast<QScrollBar*>(sender())->isEnabled())
            session_.scrollTo(c_.YokoBar->value(), c_.TateBar->value());
    };
    connect(c_.YokoBar, &QScrollBar::valueChanged, this, scrolled);
    connect(c_.TateBar, &QScrollBar::valueChanged, this, scrolled);
    for (QWidget* box : c_.Pic) box->installEventFilter(this);
}

void TGraph5000::EnterRealTime() {
    show();
    live_->enter();
    LayoutGraphs();
}

void TGraph5000::setMonitorSettingsDialog(TKvDataInput* dialog) {
    live_->setSettingsDialog(dialog);
}

void TGraph5000::apply() {
    const GraphControlTable table = session_.controls();
    for (int i = 0; i < kGraphControlCount; ++i) {
        const ControlState& state = table.controls[i];
        if (auto* action = qobject_cast<QAction*>(controlObjects_[i])) {
            action->setEnabled(state.enabled);
        } else if (auto* widget = qobject_cast<QWidget*>(controlObjects_[i])) {
            widget->setEnabled(state.enabled);
            widget->setVisible(state.visible);
        }
    }
    menuBars_->setCurrentWidget(bars_[static_cast<int>(table.menu)]);
    c_.ComboX->setCurrentIndex(session_.view().timeIndex);
    c_.ComboY->setCurrentIndex(session_.view().gIndex);
    showScrollBars();
    colourAxisButtons();
    setWindowTitle(QFile::decodeName(QByteArray::fromStdString(session_.caption())));
    keepGraphsReadable();
    LayoutGraphs();
}

// The three separate graphs need more height than one; the window grows
// rather than draw strips nobody can read, or hide one of them out of view.
void TGraph5000::keepGraphsReadable() {
    const int tools = toolRow_->layout()->heightForWidth(kMinimumWidth);
    const int client = tools + 2 +
                       readableGraphAreaHeight(session_.view().viewMode,
                                               graphTextMetrics(graphLabelFont(), c_.Pic[0])) +
                       c_.YokoBar->sizeHint().height();
    const int bars = menuWidget()->sizeHint().height() + FileHeaderShow->sizeHint().height();
    setMinimumSize(kMinimumWidth, std::max(kMinimumHeight, client + bars));
}

// Every showing starts without data on screen and with the start menu.
void TGraph5000::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        setHeaderText({});
        session_.reset();
        if (QScreen* s = screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(s->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    QMainWindow::showEvent(event);
}

void TGraph5000::closeEvent(QCloseEvent* event) {
    // The monitor's receive loop must be stopped first, and a load must finish
    // (or be cancelled) before the window may go.
    if (!session_.mayClose()) {
        event->ignore();
        return;
    }
    closeListWindow();
    closeAnalysisWindows();
    session_.close();
    event->accept();
    emit closed();
}

void TGraph5000::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    LayoutGraphs();
    live_->refresh();
}

void TGraph5000::colourAxisButtons() {
    const std::array<QPushButton*, 3> buttons = {c_.btnX, c_.btnY, c_.btnZ};
    for (int i = 0; i < 3; ++i) {
        QPalette palette = buttons[i]->palette();
        const QColor colour = graphColor(session_.view().colors[i].line);
        palette.setColor(QPalette::Active, QPalette::ButtonText, colour);
        palette.setColor(QPalette::Inactive, QPalette::ButtonText, colour);
        buttons[i]->setPalette(palette);
    }
}

void TGraph5000::showRecord(int record) {
    session_.showRecord(record);
}

void TGraph5000::findRecord() {
    if (!peers_.askDataNumber) return;
    QString text;
    if (peers_.askDataNumber(text)) session_.find(text.toStdString());
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

void TGraph5000::setHeaderText(const QString& text) {
    headerText_->setText(text);
}

void TGraph5000::repaintGraphs() {
    if (!session_.paintEnabled()) return;
    for (QWidget* box : c_.Pic)
        if (box->isVisible()) box->update();
}

bool TGraph5000::eventFilter(QObject* watched, QEvent* event) {
    for (int i = 0; i < 3; ++i) {
        if (watched != c_.Pic[i]) continue;
        if (event->type() == QEvent::Paint) {
            paintBox(i);
            return true;
        }
        if (event->type() == QEvent::Wheel) {
            // The wheel steps the selectors as their arrows do: the time window
            // (peak data), with Ctrl the G magnification.
            auto* wheel = static_cast<QWheelEvent*>(event);
            const int delta = wheel->angleDelta().y();
            if (delta != 0) zoomStep(wheel->modifiers() & Qt::ControlModifier, delta > 0);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// Pic1Paint … Pic3Paint: only while painting is on, so that a load or a view
// change in progress is never drawn half-built.
void TGraph5000::paintBox(int box) {
    if (!session_.paintEnabled()) return;
    const GraphViewState& view = session_.view();
    const DataSet& data = session_.data();
    QPainter painter(c_.Pic[box]);
    GraphSurface surface(painter, c_.Pic[box]->rect());
    surface.setFont(graphLabelFont());
    drawGraphBox(surface, box, layout_.plotArea[box], view, data, session_.identity());
    if (!data.filePath.empty() && data.lastIndex != -1)
        setHeaderText(QString::fromStdString(
            buildHeaderText(data, session_.identity(), view.viewMode, view.liveRunning)));
}

void TGraph5000::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* mime = event->mimeData();
    if (mime->hasUrls() && mime->urls().size() == 1 && mime->urls().front().isLocalFile() &&
        session_.mayOpen())
        event->acceptProposedAction();
}

void TGraph5000::dropEvent(QDropEvent* event) {
    // The name's own bytes, from the URL's percent-encoding: a name that is
    // no valid text still opens.
    const std::string path =
        QByteArray::fromPercentEncoding(
            event->mimeData()->urls().front().path(QUrl::FullyEncoded).toLatin1())
            .toStdString();
    event->acceptProposedAction();
    // The drop returns to the file manager first; the load runs afterwards.
    QMetaObject::invokeMethod(
        this, [this, path] { openDataFileNamed(path, true); }, Qt::QueuedConnection);
}

}  // namespace kv
