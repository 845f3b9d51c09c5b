#include "monitor/live_monitor.h"

#include <algorithm>
#include <exception>

#include "download/peak_conversion.h"
#include "link/link.h"
#include "link/recorder_port.h"
#include "recorder/live_telegrams.h"
#include "recorder/session.h"

namespace kv {
namespace {

// The boundary search lets events through at least every this many bytes, so
// a line full of noise does not freeze the window.
constexpr int kBytesBetweenEvents = 101;

}  // namespace

LiveMonitor::LiveMonitor(DataSet& view, const RecorderState& recorder)
    : view_(view), recorder_(recorder) {}

void LiveMonitor::clearView() {
    view_.filePath = "リアルタイム";
    for (PeakRow& row : view_.peakRows) row.time[0] = row.time[1] = row.time[2] = 0;
    view_.lastIndex = -1;
    view_.currentIndex = 0;
}

void LiveMonitor::status(const char* text) {
    if (onStatus) onStatus(text);
}

void LiveMonitor::notify(const LiveTelegram& telegram) {
    if (onTelegram) onTelegram(telegram);
}

void LiveMonitor::beginRun() {
    run_.recorder = recorder_;
    run_.monitorMode = monitorMode;
    run_.count = 0;
    run_.dropped = 0;
    run_.firstTime = run_.lastTime = 0;
    run_.records.filePath = view_.filePath;
    run_.records.samplePeriodText = view_.samplePeriodText;
    run_.records.lastIndex = -1;
}

void LiveMonitor::ReceiveLoop(RecorderPort& port) {
    Host& host = port.link().host;
    Clock& clock = port.link().clock;
    liveRunning = true;
    beginRun();
    bool inSync = false;
    while (liveRunning) {
        try {
            if (!inSync) {
                inSync = FindTelegramBoundary(port);
            } else if (port.bytesWaiting() == 0) {
                port.waitForInput(clock.nowMs() + kWaitSliceMs);
            } else if (monitorMode == kMonitorNotSetUp) {
                inSync = false;
            } else {
                status(liveText::kReceiving);
                const bool peak = isPeakMonitor(monitorMode);
                if (peak ? ReceivePeakTelegram(port) : ReceiveWaveTelegram(port)) {
                    notify(telegram_);
                    if (peak) status("");
                } else {
                    status(liveText::kTelegramError);
                    telegram_.kind = LiveOutcome::Error;
                    telegram_.time = clock.localNow();
                    notify(telegram_);
                    inSync = trailerSeen_;
                }
            }
        } catch (const std::exception&) {
            status(liveText::kUnknownError);
        }
        host.processEvents();
    }
    if (isPeakMonitor(monitorMode)) appendSeparator();
    status("");
}

bool LiveMonitor::FindTelegramBoundary(RecorderPort& port) {
    Host& host = port.link().host;
    Clock& clock = port.link().clock;
    int64_t deadline = clock.nowMs() + kIdleTimeoutMs;
    uint8_t previous = 0;
    int bytes = 0;
    auto stopped = [this] { return monitorMode == kMonitorNotSetUp || !liveRunning; };
    while (clock.nowMs() < deadline) {
        if (port.bytesWaiting() > 0) {
            uint8_t b = 0;
            if (!port.readByte(b)) continue;
            if (previous == 0xAA && b == 0x55) return true;
            previous = b;
            deadline = clock.nowMs() + kIdleTimeoutMs;
            if (++bytes % kBytesBetweenEvents != 0) continue;
        } else {
            port.waitForInput(std::min(deadline, clock.nowMs() + kWaitSliceMs));
        }
        host.processEvents();
        if (stopped()) return false;
    }
    return true;
}

bool LiveMonitor::readTelegram(RecorderPort& port, size_t n, uint8_t code) {
    Host& host = port.link().host;
    Clock& clock = port.link().clock;
    trailerSeen_ = false;
    telegram_ = LiveTelegram{};
    telegram_.axes = monitorAxes(monitorMode);
    telegram_.fault = TelegramFault::Cut;
    size_t got = 0;
    int64_t deadline = clock.nowMs() + kIdleTimeoutMs;
    int64_t events = clock.nowMs() + kWaitSliceMs;
    while (got < n) {
        uint32_t waiting = port.bytesWaiting();
        if (waiting > 0) {
            // Only this telegram's bytes: what follows belongs to the next one.
            for (; waiting > 0 && got < n; --waiting, ++got)
                if (!port.readByte(buffer_[got])) return false;
            deadline = clock.nowMs() + kIdleTimeoutMs;
            continue;
        }
        const int64_t now = clock.nowMs();
        if (now >= deadline) return false;
        // A long wave telegram takes half a second at 38400 baud: the window
        // stays live meanwhile.
        if (now >= events) {
            host.processEvents();
            events = now + kWaitSliceMs;
        }
        port.waitForInput(std::min(deadline, events));
    }
    trailerSeen_ = buffer_[n - 2] == 0xAA && buffer_[n - 1] == 0x55;
    if (!isValidReply(buffer_.data(), n, code)) {
        telegram_.fault = TelegramFault::Invalid;
        return false;
    }
    telegram_.fault = TelegramFault::None;
    return true;
}

bool LiveMonitor::ReceivePeakTelegram(RecorderPort& port) {
    const size_t n = livePeakLength(monitorAxes(monitorMode));
    if (!readTelegram(port, n, kLivePeakCode)) return false;
    int r = view_.currentIndex;
    if (r < 0 || r >= kLiveRingRows) r = 0;
    if (view_.lastIndex < kLiveRingRows - 1) ++view_.lastIndex;
    view_.currentIndex = (r + 1) % kLiveRingRows;
    PeakRow& row = view_.peakRows[static_cast<size_t>(r)];
    decodeLivePeakTelegram(buffer_.data(), n, row);
    convertPeakRecord(view_, r, 1, port.link().clock.localNow(), recorder_);
    keepPeakRow(row);
    telegram_.kind = LiveOutcome::Peak;
    telegram_.time = row.time[0];
    telegram_.row = &row;
    return true;
}

bool LiveMonitor::ReceiveWaveTelegram(RecorderPort& port) {
    const size_t n = liveWaveLength(monitorAxes(monitorMode));
    if (!readTelegram(port, n, kLiveWaveCode)) return false;
    view_.lastIndex = 2;
    view_.currentIndex = view_.currentIndex == 0 ? 1 : 0;
    const int record = view_.currentIndex;
    WaveBlock* planes[3] = {&view_.waveRecords[0][record], &view_.waveRecords[1][record],
                            &view_.waveRecords[2][record]};
    LiveWaveSetup setup;
    setup.sensorRange = recorder_.identity.sensorRange;
    setup.samplePeriodMs = recorder_.info.samplePeriodMs;
    for (int a = 0; a < 3; ++a) setup.sensitivity[a] = recorder_.info.sensitivity[a];
    const DateTime now = port.link().clock.localNow();
    decodeLiveWaveTelegram(buffer_.data(), n, now, setup, planes);
    keepWaveRecords(record, now);
    telegram_.kind = LiveOutcome::Wave;
    telegram_.time = now;
    for (int p = 0; p < telegram_.axes; ++p) telegram_.planes[static_cast<size_t>(p)] = planes[p];
    return true;
}

void LiveMonitor::keepPeakRow(const PeakRow& row) {
    if (run_.count >= kPeakCapacity) {
        ++run_.dropped;
        return;
    }
    if (run_.count == 0) run_.firstTime = row.time[0];
    run_.lastTime = row.time[0];
    run_.records.peakRows[static_cast<size_t>(run_.count)] = row;
    run_.records.lastIndex = run_.count++;
}

void LiveMonitor::keepWaveRecords(int record, DateTime now) {
    if (run_.count >= kWaveCapacity) {
        ++run_.dropped;
        return;
    }
    if (run_.count == 0) run_.firstTime = now;
    run_.lastTime = now;
    for (int p = 0; p < monitorAxes(monitorMode); ++p)
        run_.records.waveRecords[p][static_cast<size_t>(run_.count)] =
            view_.waveRecords[p][static_cast<size_t>(record)];
    run_.records.lastIndex = run_.count++;
}

void LiveMonitor::appendSeparator() {
    int r = view_.currentIndex;
    if (r < 0 || r >= kLiveRingRows) r = 0;
    if (view_.lastIndex < kLiveRingRows - 1) ++view_.lastIndex;
    PeakRow& row = view_.peakRows[static_cast<size_t>(r)];
    row.time[0] = row.time[1] = row.time[2] = 0;
    view_.currentIndex = (r + 1) % kLiveRingRows;
}

uint32_t runLiveSession(Link& link, int portNumber, int baudRate, LiveMonitor& monitor) {
    RecorderSession session(link, portNumber, baudRate);
    if (!sessionReady(session)) return session.openError;
    monitor.ReceiveLoop(session);
    return 0;
}

}  // namespace kv
