#include "monitor/live_monitor.h"

#include <algorithm>
#include <cerrno>
#include <exception>

#include "download/peak_conversion.h"
#include "link/link.h"
#include "link/port_messages.h"
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
    view_.filePath = kLiveFilePath;
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

LiveEnd LiveMonitor::ReceiveLoop(RecorderPort& port) {
    Host& host = port.link().host;
    Clock& clock = port.link().clock;
    liveRunning = true;
    lineError_ = 0;
    beginRun();
    bool inSync = false;
    while (!halted()) {
        try {
            if (!inSync) {
                inSync = FindTelegramBoundary(port);
            } else if (port.bytesWaiting() == 0) {
                wait(port, clock.nowMs() + kWaitSliceMs);
            } else if (monitorMode == kMonitorNotSetUp) {
                inSync = false;
            } else {
                status(liveText::kReceiving);
                const bool peak = isPeakMonitor(monitorMode);
                if (peak ? ReceivePeakTelegram(port) : ReceiveWaveTelegram(port)) {
                    notify(telegram_);
                    if (peak) status("");
                } else if (!halted()) {
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
    liveRunning = false;
    if (isPeakMonitor(monitorMode)) appendSeparator();
    status("");
    LiveEnd end;
    if (lineError_ != 0) {
        end.reason = LiveEnd::Reason::LineLost;
        end.error = lineError_;
        end.message = lineLostText(lineError_, port.devicePath());
    }
    return end;
}

void LiveMonitor::wait(RecorderPort& port, int64_t deadlineMs) {
    if (port.waitForInput(deadlineMs)) return;
    const uint32_t e = port.takeLastError();
    lineError_ = e != 0 ? e : EIO;
}

bool LiveMonitor::take(RecorderPort& port, uint8_t& out) {
    if (port.readByte(out)) return true;
    // The line said the byte was there: failing to read it is the line's fault.
    const uint32_t e = port.takeLastError();
    lineError_ = e != 0 ? e : EIO;
    return false;
}

bool LiveMonitor::FindTelegramBoundary(RecorderPort& port) {
    Host& host = port.link().host;
    Clock& clock = port.link().clock;
    int64_t deadline = clock.nowMs() + kIdleTimeoutMs;
    int64_t events = clock.nowMs() + kWaitSliceMs;
    uint8_t previous = 0;
    int bytes = 0;
    while (clock.nowMs() < deadline) {
        if (port.bytesWaiting() > 0) {
            uint8_t b = 0;
            if (!take(port, b)) return false;
            if (previous == 0xAA && b == 0x55) return true;
            previous = b;
            deadline = clock.nowMs() + kIdleTimeoutMs;
            // Noise at a slow baud rate takes long for 101 bytes: time counts too.
            if (++bytes % kBytesBetweenEvents != 0 && clock.nowMs() < events) continue;
        } else {
            wait(port, std::min(deadline, clock.nowMs() + kWaitSliceMs));
        }
        host.processEvents();
        events = clock.nowMs() + kWaitSliceMs;
        if (monitorMode == kMonitorNotSetUp || halted()) return false;
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
                if (!take(port, buffer_[got])) return false;
            deadline = clock.nowMs() + kIdleTimeoutMs;
        } else if (clock.nowMs() >= deadline) {
            return false;
        } else {
            wait(port, std::min(deadline, events));
            if (lineError_ != 0) return false;
        }
        // A long wave telegram takes half a second at 38400 baud, and a line
        // may trickle a byte now and then for ever: the window stays live and
        // a stop is heard meanwhile.
        if (got < n && clock.nowMs() >= events) {
            host.processEvents();
            events = clock.nowMs() + kWaitSliceMs;
            if (halted()) return false;
        }
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

LiveEnd runLiveSession(Link& link, int portNumber, int baudRate, LiveMonitor& monitor) {
    RecorderSession session(link, portNumber, baudRate);
    if (!sessionReady(session)) {
        return {LiveEnd::Reason::NoLine, session.openError, sessionErrorText(session)};
    }
    LiveEnd end = monitor.ReceiveLoop(session);
    if (end.reason == LiveEnd::Reason::LineLost)
        link.host.messageBox("通信エラー", end.message, Host::Error);
    return end;
}

}  // namespace kv
