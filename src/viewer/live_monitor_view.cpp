#include "viewer/live_monitor_view.h"

#include <QLabel>
#include <QStatusBar>
#include <QTreeWidget>

#include "base/host.h"
#include "graph/graph_session.h"
#include "graph/live_list.h"
#include "list/list_view_columns.h"
#include "monitor/live_session_save.h"
#include "screens/TKvDataInput.h"
#include "settings/pc_settings.h"

namespace kv {

LiveMonitorView::LiveMonitorView(GraphSession& session, QTreeWidget* list, QStatusBar* statusBar,
                                 Host& host, const PcSettings& settings)
    : session_(session), list_(list), host_(host), settings_(settings) {
    status_ = new QLabel(statusBar);
    status_->setObjectName(QStringLiteral("liveStatus"));
    status_->setAccessibleDescription(QStringLiteral("通信状態"));
    statusBar->addPermanentWidget(status_);
    session_.liveStatus.add([this](const std::string& text) { setStatus(text); });
    session_.dataChanged.add([this] {
        if (session_.live() && isPeakMonitor(session_.monitorMode())) RefreshLiveList();
    });
}

void LiveMonitorView::setStatus(const std::string& text) {
    status_->setText(QString::fromStdString(text));
    status_->repaint();
}

void LiveMonitorView::enter() {
    setStatus("");
    const int mode = settings_.defType != -1 && dialog_ ? dialog_->applySavedMonitorSettings()
                                                        : kMonitorNotSetUp;
    session_.enterLive(mode);
    if (isPeakMonitor(mode)) buildColumns();
    host_.processEvents();
}

void LiveMonitorView::btnDataSetClick() {
    if (!dialog_ || !session_.live() || session_.view().liveRunning) return;
    const int mode = dialog_->showMonitorSettings(session_.monitorMode());
    if (mode != kMonitorNotSetUp) ClearLiveList();
    session_.setUpMonitor(mode);
    if (isPeakMonitor(mode)) buildColumns();
}

// The columns of the recorder's axes, built while the list is empty.
void LiveMonitorView::buildColumns() {
    list_->clear();
    setListColumns(list_, liveListColumns(session_.identity().modelCode));
}

void LiveMonitorView::btnStartClick() {
    if (!session_.mayStartMonitor()) return;
    ClearLiveList();
    session_.startMonitor();
}

void LiveMonitorView::btnEndClick() {
    session_.stopMonitor();
}

void LiveMonitorView::ClearLiveList() {
    list_->clear();
    setStatus(liveText::kWaiting);
}

// The rows the list has room for, at the height its own rows have.
int LiveMonitorView::rowsThatFit() const {
    int rowHeight = list_->topLevelItemCount() > 0 ? list_->sizeHintForRow(0) : -1;
    if (rowHeight <= 0) {
        auto* probe = new QTreeWidgetItem(list_, QStringList(QStringLiteral("8")));
        rowHeight = list_->sizeHintForRow(0);
        delete probe;
    }
    return std::max(1, list_->viewport()->height() / std::max(1, rowHeight));
}

void LiveMonitorView::RefreshLiveList() {
    const int fit = rowsThatFit();
    const RecorderIdentity& identity = session_.identity();
    const std::vector<LiveListRow> rows =
        liveListRows(session_.data(), identity.modelCode, identity.sensorRange, fit);
    list_->setUpdatesEnabled(false);
    list_->clear();
    QList<QTreeWidgetItem*> items;
    for (const LiveListRow& row : rows) {
        auto* item = new QTreeWidgetItem;
        for (int c = 0; c < static_cast<int>(row.size()); ++c) {
            item->setText(c, QString::fromStdString(row[c]));
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        }
        items.append(item);
    }
    list_->addTopLevelItems(items);
    list_->setUpdatesEnabled(true);
    // Laid out at once, so that screen readers reach the new rows even
    // before the next paint.
    list_->doItemsLayout();
    list_->repaint();
}

void LiveMonitorView::refresh() {
    if (list_->isVisible() && session_.data().lastIndex >= 0) RefreshLiveList();
}

void LiveMonitorView::saveRun() {
    if (const std::optional<LiveSaveResult> result = session_.saveLiveRun())
        reportLiveSave(host_, *result);
}

}  // namespace kv
