// The graph window's analysis windows: the shock analysis of the wave record
// on show and the statistics of a peak file's trip, both following the data
// the window shows.
#include "graph/event_zoom.h"
#include "link/link.h"
#include "viewer/TGraph5000.h"
#include "viewer/TShockAnalysis.h"
#include "viewer/TTripStatistics.h"

namespace kv {
namespace {

void bringUp(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

void TGraph5000::showShockAnalysis() {
    if (!session_.loaded() || !session_.identity().waveData) return;
    if (!shockAnalysis_) {
        shockAnalysis_ =
            new TShockAnalysis(session_.data(), session_.identity(), settings_, link_.host, this);
        connect(this, &TGraph5000::recordChanged, shockAnalysis_, [this](int record) {
            if (shockAnalysis_->isVisible()) shockAnalysis_->showRecord(record);
        });
    } else {
        shockAnalysis_->takeData();
    }
    bringUp(shockAnalysis_);
}

void TGraph5000::showTripStatistics() {
    if (!session_.loaded() || session_.identity().waveData) return;
    if (!tripStatistics_) {
        tripStatistics_ =
            new TTripStatistics(session_.data(), session_.identity(), settings_, link_.host, this);
        connect(tripStatistics_, &TTripStatistics::eventChosen, this,
                [this](int row, int axis) { showPeakEvent(row, axis); });
    } else {
        tripStatistics_->takeData();
    }
    bringUp(tripStatistics_);
}

// Other data on show: a window whose kind of data is gone closes, the other
// takes up the new data.
void TGraph5000::followData() {
    const bool loaded = session_.loaded() && !session_.live();
    const bool wave = session_.identity().waveData != 0;
    if (shockAnalysis_ && shockAnalysis_->isVisible()) {
        if (loaded && wave)
            shockAnalysis_->takeData();
        else
            shockAnalysis_->close();
    }
    if (tripStatistics_ && tripStatistics_->isVisible()) {
        if (loaded && !wave)
            tripStatistics_->takeData();
        else
            tripStatistics_->close();
    }
}

void TGraph5000::closeAnalysisWindows() {
    if (shockAnalysis_) shockAnalysis_->close();
    if (tripStatistics_) tripStatistics_->close();
}

// A largest peak chosen in the trip statistics: its axis in view when a
// single other axis is, and the time zoom that shows it among its neighbours.
void TGraph5000::showPeakEvent(int row, int axis) {
    const DataSet& data = session_.data();
    if (!session_.loaded() || row < 0 || row > data.lastIndex || axis < 0 || axis > 2) return;
    static constexpr GraphControl kAxisButtons[] = {GraphControl::btnX, GraphControl::btnY,
                                                    GraphControl::btnZ};
    const int view = session_.view().viewMode;
    if (view >= kViewX && view <= kViewZ && view != kViewX + axis &&
        session_.controls().enabled(kAxisButtons[axis]))
        session_.setView(kViewX + axis);
    const EventZoom zoom = eventZoom(data, row, axis);
    session_.zoom(zoom.timeIndex, session_.view().gIndex);
    session_.scrollTo(zoom.scroll, session_.view().tateBar.position);
    bringUp(this);
}

}  // namespace kv
