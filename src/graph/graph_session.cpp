#include "graph/graph_session.h"

#include <algorithm>
#include <exception>

#include "base/kv_assert.h"
#include "link/link.h"
#include "recorder/recorder_state.h"
#include "settings/pc_settings.h"

namespace kv {

GraphSession::GraphSession(Link& link, PcSettings& settings, RecorderState& state, DataSet& data)
    : link_(link), settings_(settings), state_(state), data_(data), monitor_(data, state) {
    monitor_.onStatus = [this](const std::string& text) { liveStatus.notify(text); };
    monitor_.onTelegram = [this](LiveMonitor::Outcome outcome) {
        if (outcome != LiveMonitor::Outcome::Error) dataChanged.notify();
    };
}

GraphSession::~GraphSession() = default;

const RecorderIdentity& GraphSession::identity() const {
    return state_.identity;
}

LiveState GraphSession::liveState() const {
    return kv::liveState(monitor_.monitorMode, view_.liveRunning, identity().waveData != 0);
}

GraphSituation GraphSession::situation() const {
    GraphSituation s;
    s.live = live_;
    s.loaded = loaded_;
    s.loading = loading_;
    s.modelCode = identity().modelCode;
    s.waveData = identity().waveData != 0;
    s.viewMode = view_.viewMode;
    s.monitorMode = monitor_.monitorMode;
    s.liveState = liveState();
    s.runKept = monitor_.run().count > 0;
    s.timeBarOn = view_.yokoBar.enabled;
    s.gBarOn = view_.tateBar.enabled;
    return s;
}

GraphControlTable GraphSession::controls() const {
    return graphControls(situation());
}

std::string GraphSession::caption() const {
    if (live_) return kLiveCaption;
    return loaded_ ? data_.filePath : kEmptyCaption;
}

void GraphSession::reset() {
    monitor_.monitorMode = kMonitorNotSetUp;
    view_.liveRunning = false;
    live_ = loaded_ = false;
    data_.lastIndex = -1;
    data_.currentIndex = 0;
    view_.timeIndex = view_.gIndex = 0;
    view_.yokoBar = view_.tateBar = ScrollBarState{};
    view_.colors = settings_.graphColors;
    view_.zoomScale = view_.currentScale = defaultWaveScale(identity().sensorRange);
    changed.notify();
}

void GraphSession::close() {
    // The records stay in the store, but nothing is drawn until the next load.
    data_.filePath.clear();
    loaded_ = false;
}

LoadResult GraphSession::open(const std::string& path, Host& host) {
    KV_ASSERT(mayOpen());
    loading_ = true;
    paintEnabled_ = false;
    changed.notify();
    LoadResult result;
    try {
        if (!spare_) spare_ = std::make_unique<DataSet>();
        result = loadDataFile(path, data_, state_.identity, host, spare_.get());
    } catch (const std::exception& e) {
        result = LoadResult{};
        result.failure = LoadFailure::Unexpected;
        result.message = e.what();
    }
    loading_ = false;
    paintEnabled_ = true;
    if (result) {
        loaded_ = true;
        data_.currentIndex = 0;
        view_.yokoBar = view_.tateBar = ScrollBarState{};
        view_.currentScale = view_.zoomScale = result.scale;
        view_.timeIndex = view_.gIndex = 0;
        // The scale dialog starts again from the whole measurement at 1x.
        view_.timeScaleChoice = view_.gScaleChoice = -1;
        view_.viewMode = dataViewSetup(identity().modelCode, identity().waveData != 0).view;
    }
    changed.notify();
    if (result) dataChanged.notify();
    return result;
}

void GraphSession::setView(int view) {
    KV_ASSERT(0 <= view && view < kViewCount);
    view_.viewMode = view;
    changed.notify();
}

void GraphSession::step(int step) {
    const int next = stepRecord(data_.currentIndex, data_.lastIndex, step);
    if (next == data_.currentIndex) return;
    data_.currentIndex = next;
    recordChanged.notify(next);
}

void GraphSession::showRecord(int record) {
    if (record < 0 || record > data_.lastIndex || record == data_.currentIndex) return;
    data_.currentIndex = record;
    recordChanged.notify(record);
}

void GraphSession::find(std::string_view numberText) {
    if (auto record = recordOfNumberText(numberText, data_.lastIndex)) showRecord(*record);
}

std::optional<TimeWindow> GraphSession::zoomStep(bool gAxis, bool up) {
    if (!controls().enabled(gAxis ? GraphControl::ComboY : GraphControl::ComboX)) return {};
    int& index = gAxis ? view_.gIndex : view_.timeIndex;
    const int next =
        selectorStep(std::max(0, index), gAxis ? kGScaleItems : kTimeSelectorItems, up);
    if (next == index) return {};
    index = next;
    std::optional<TimeWindow> window = zoom(view_.timeIndex, view_.gIndex);
    // Without painting the selector moves all the same.
    if (!paintEnabled_) changed.notify();
    return window;
}

std::optional<TimeWindow> GraphSession::zoom(int t, int g) {
    if (!paintEnabled_) return {};
    // Only a time window typed in the scale dialog leaves the selector at none;
    // a G step keeps that window.
    const std::optional<TimeWindow> window =
        setZoom(view_, t < 0 ? kUserTimeWindow : t, g, identity().waveData != 0, data_.startTime,
                data_.endTime, identity().sensorRange);
    changed.notify();
    return window;
}

void GraphSession::scrollTo(int horizontal, int vertical) {
    kv::scrollTo(view_, horizontal, vertical, identity().sensorRange);
    changed.notify();
}

void GraphSession::scaleChosen(bool selectorsFollow) {
    if (selectorsFollow) {
        const int t = view_.timeScaleChoice;
        view_.timeIndex = t >= 0 && t < kTimeSelectorItems ? t : -1;
        view_.gIndex = std::clamp(view_.gScaleChoice, 0, kGScaleItems - 1);
    }
    updateScrollBars(view_, identity().waveData != 0, data_.endTime);
    changed.notify();
}

void GraphSession::coloursChanged() {
    view_.colors = settings_.graphColors;
    changed.notify();
}

void GraphSession::markLive() {
    data_.filePath = kLiveCaption;
}

void GraphSession::enterLive(int monitorMode) {
    live_ = true;
    loaded_ = false;
    markLive();
    paintEnabled_ = false;
    view_.timeIndex = view_.gIndex = 0;
    data_.currentIndex = 0;
    data_.lastIndex = -1;
    monitor_.monitorMode = monitorMode;
    // Not set up: nothing is drawn until the settings dialog gives a mode.
    if (monitorMode != kMonitorNotSetUp) prepareLiveView();
    changed.notify();
}

void GraphSession::setUpMonitor(int monitorMode) {
    if (!live_ || view_.liveRunning) return;
    monitor_.monitorMode = monitorMode;
    prepareLiveView();
}

// Peak telegrams fill the ring from row 0 again; wave telegrams are drawn in
// one graph at the range's default scale.
void GraphSession::prepareLiveView() {
    markLive();
    paintEnabled_ = false;
    const int mode = monitor_.monitorMode;
    if (isPeakMonitor(mode)) monitor_.clearView();
    if (isWaveMonitor(mode)) {
        view_.zoomScale = view_.currentScale = defaultWaveScale(identity().sensorRange);
        view_.viewMode = monitorAxes(mode) == 1 ? kViewX : kViewAllAxes;
    }
    data_.lastIndex = -1;
    data_.currentIndex = 0;
    paintEnabled_ = true;
    zoom(std::max(0, view_.timeIndex), view_.gIndex);
    changed.notify();
    dataChanged.notify();
}

bool GraphSession::mayStartMonitor() const {
    return live_ && !view_.liveRunning && monitor_.monitorMode != kMonitorNotSetUp;
}

void GraphSession::startMonitor() {
    if (!mayStartMonitor()) return;
    view_.liveRunning = true;
    stopRequested_ = false;
    changed.notify();
    link_.host.processEvents();
    // A stop pressed before the loop listens must not be lost when it starts.
    if (!stopRequested_) runLiveSession(link_, settings_.comPort(), settings_.baudRate(), monitor_);
    view_.liveRunning = false;
    changed.notify();
    // A peak run ends in a separator row.
    if (isPeakMonitor(monitor_.monitorMode)) dataChanged.notify();
}

std::optional<LiveSaveResult> GraphSession::saveLiveRun() {
    if (view_.liveRunning) return std::nullopt;
    return kv::saveLiveRun(monitor_.run(), settings_.dataFileNames(), link_.clock.localNow());
}

}  // namespace kv
