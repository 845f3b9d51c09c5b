#include "viewer/live_monitor_view.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeWidget>

#include "base/host.h"
#include "datafile/data_set.h"
#include "datafile/graph_scale.h"
#include "link/link.h"
#include "list/list_view_columns.h"
#include "recorder/recorder_state.h"
#include "screens/TKvDataInput.h"
#include "settings/pc_settings.h"
#include "viewer/TGraph5000.h"
#include "graph/live_list.h"
#include "monitor/live_session_save.h"

namespace kv {
namespace {

enum LiveButtons { kNotSetUp = 0, kReady = 1, kReceivingPeak = 2, kReceivingWave = 3 };

}  // namespace

LiveMonitorView::LiveMonitorView(TGraph5000& window, Link& link, PcSettings& settings,
                                 RecorderState& state, DataSet& data)
    : w_(window),
      link_(link),
      settings_(settings),
      state_(state),
      data_(data),
      monitor_(std::make_unique<LiveMonitor>(data, state)) {
    status_ = new QLabel(w_.FileHeaderShow);
    status_->setObjectName(QStringLiteral("liveStatus"));
    status_->setAccessibleDescription(QStringLiteral("通信状態"));
    w_.FileHeaderShow->addPermanentWidget(status_);
    monitor_->onStatus = [this](const std::string& text) { setStatus(text); };
    monitor_->onTelegram = [this](LiveMonitor::Outcome outcome) {
        if (outcome == LiveMonitor::Outcome::Peak) RefreshLiveList();
        if (outcome == LiveMonitor::Outcome::Wave) w_.repaintGraphs();
    };
    QObject::connect(w_.btnDataSet, &QToolButton::clicked, &w_, [this] { btnDataSetClick(); });
    QObject::connect(w_.btnStart, &QPushButton::clicked, &w_, [this] { btnStartClick(); });
    QObject::connect(w_.btnEnd, &QPushButton::clicked, &w_, [this] { btnEndClick(); });
}

LiveMonitorView::~LiveMonitorView() = default;

void LiveMonitorView::setStatus(const std::string& text) {
    status_->setText(QString::fromStdString(text));
    status_->repaint();
}

void LiveMonitorView::EnterRealTime() {
    w_.show();
    w_.ComboX->setEnabled(false);
    w_.ComboY->setEnabled(false);
    data_.filePath = "リアルタイム";
    w_.setWindowTitle(QStringLiteral("リアルタイム"));
    w_.Panel2->setVisible(false);
    w_.Panel6->setVisible(true);
    w_.placeClosePanel();
    w_.paintEnabled_ = false;
    w_.ComboX->setCurrentIndex(0);
    w_.ComboY->setCurrentIndex(0);
    data_.currentIndex = 0;
    data_.lastIndex = -1;
    w_.installMenu(GraphMenu::Real);
    setStatus("");
    const int mode = settings_.defType != -1 && dialog_ ? dialog_->applySavedMonitorSettings()
                                                        : kMonitorNotSetUp;
    monitor_->monitorMode = mode;
    w_.monitorMode_ = mode;
    if (mode != kMonitorNotSetUp) {
        PrepareLiveView();
        SetLiveButtons(kReady);
        w_.paintEnabled_ = true;
    } else {
        SetLiveButtons(kNotSetUp);
    }
    link_.host.processEvents();
    w_.LayoutGraphs();
}

void LiveMonitorView::btnDataSetClick() {
    if (!dialog_ || receiving()) return;
    const int mode = dialog_->showMonitorSettings(monitor_->monitorMode);
    monitor_->monitorMode = mode;
    w_.monitorMode_ = mode;
    if (mode != kMonitorNotSetUp) {
        data_.lastIndex = -1;
        data_.currentIndex = 0;
        ClearLiveList();
    }
    PrepareLiveView();
}

void LiveMonitorView::PrepareLiveView() {
    const int mode = monitor_->monitorMode;
    data_.filePath = "リアルタイム";
    SetLiveButtons(mode == kMonitorNotSetUp ? kNotSetUp : kReady);
    w_.paintEnabled_ = false;
    const bool peak = isPeakMonitor(mode), wave = isWaveMonitor(mode);
    if (peak) {
        monitor_->clearView();
        w_.realList->clear();
        setListColumns(w_.realList, liveListColumns(state_.identity.modelCode));
    }
    w_.realList->setVisible(peak);
    w_.TateBar->setVisible(wave);
    w_.YokoBar->setVisible(wave);
    w_.ComboX->setEnabled(false);
    w_.ComboY->setEnabled(wave);
    w_.TextX->setEnabled(false);
    w_.TextY->setEnabled(wave);
    if (wave) {
        for (const char* name : {"Print1", "Print2"})
            if (QAction* a = w_.action(name)) a->setEnabled(true);
        w_.view_.zoomScale = w_.view_.currentScale = defaultWaveScale(state_.identity.sensorRange);
        w_.view_.viewMode = mode == 3 ? kViewX : kViewAllAxes;
    }
    data_.lastIndex = -1;
    data_.currentIndex = 0;
    w_.paintEnabled_ = true;
    w_.LayoutGraphs();
    w_.SetZoom(w_.ComboX->currentIndex(), w_.ComboY->currentIndex());
    w_.repaintGraphs();
}

void LiveMonitorView::SetLiveButtons(int state) {
    const bool idle = state == kNotSetUp || state == kReady;
    const bool triaxial = isTriaxial(state_.identity.modelCode);
    w_.btnDataSet->setEnabled(idle);
    w_.btnStart->setEnabled(state == kReady);
    w_.btnEnd->setEnabled(!idle);
    w_.btnX->setEnabled(state == kReceivingWave);
    for (QWidget* b : {static_cast<QWidget*>(w_.btnY), static_cast<QWidget*>(w_.btnZ),
                       static_cast<QWidget*>(w_.btnXYZ), static_cast<QWidget*>(w_.btnSeparate)})
        b->setEnabled(state == kReceivingWave && triaxial);
    w_.btnScale->setEnabled(false);
    w_.ComboX->setEnabled(false);
    w_.ComboY->setEnabled(state == kReady || state == kReceivingWave);
    w_.btnClose->setEnabled(idle);
    w_.Button6->setEnabled(idle);
    const std::pair<const char*, bool> items[] = {
        {"syokidetano1", idle},
        {"S1", state == kReady},
        {"E1", !idle},
        {"X1", idle},
        {"mnuSaveLive", idle && monitor_->run().count > 0}};
    for (auto [name, on] : items)
        if (QAction* a = w_.action(name)) a->setEnabled(on);
}

void LiveMonitorView::btnStartClick() {
    if (receiving() || monitor_->monitorMode == kMonitorNotSetUp) return;
    SetLiveButtons(state_.identity.waveData != 0 ? kReceivingWave : kReceivingPeak);
    w_.view_.liveRunning = true;
    ClearLiveList();
    link_.host.processEvents();
    runLiveSession(link_, settings_.comPort(), settings_.baudRate(), *monitor_);
    w_.view_.liveRunning = false;
    SetLiveButtons(kReady);
    if (isPeakMonitor(monitor_->monitorMode)) RefreshLiveList();  // the separator row
}

void LiveMonitorView::btnEndClick() {
    monitor_->stop();
}

void LiveMonitorView::ClearLiveList() {
    w_.realList->clear();
    w_.TextX->setEnabled(w_.ComboX->isEnabled());
    w_.TextY->setEnabled(w_.ComboY->isEnabled());
    setStatus(liveText::kWaiting);
}

void LiveMonitorView::RefreshLiveList() {
    QTreeWidget* list = w_.realList;
    const int rowHeight = std::max(1, list->fontMetrics().height() + 4);
    const int fit = std::max(1, list->viewport()->height() / rowHeight);
    const std::vector<LiveListRow> rows =
        liveListRows(data_, state_.identity.modelCode, state_.identity.sensorRange, fit);
    list->setUpdatesEnabled(false);
    list->clear();
    QList<QTreeWidgetItem*> items;
    for (const LiveListRow& row : rows) {
        auto* item = new QTreeWidgetItem;
        for (int c = 0; c < static_cast<int>(row.size()); ++c) {
            item->setText(c, QString::fromStdString(row[c]));
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        }
        items.append(item);
    }
    list->addTopLevelItems(items);
    list->setUpdatesEnabled(true);
    // Laid out at once, so that screen readers reach the new rows even
    // before the next paint.
    list->doItemsLayout();
    list->repaint();
}

void LiveMonitorView::refresh() {
    if (w_.realList->isVisible() && data_.lastIndex >= 0) RefreshLiveList();
}

void LiveMonitorView::saveRun() {
    if (receiving()) return;
    const LiveSaveResult result =
        saveLiveRun(monitor_->run(), settings_.dataFileNames(), link_.clock.localNow());
    reportLiveSave(link_.host, result);
}

}  // namespace kv
