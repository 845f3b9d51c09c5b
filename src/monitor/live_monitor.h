#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "base/datetime.h"
#include "datafile/data_set.h"
#include "link/frame.h"
#include "recorder/recorder_state.h"

namespace kv {

class Clock;
class RecorderPort;
struct Link;

// What the monitor receives: 0 not set up, 1 single-axis peak, 2 triaxial
// peak, 3 single-axis wave, 4 triaxial wave.
constexpr int kMonitorNotSetUp = 0;
inline bool isPeakMonitor(int mode) {
    return mode == 1 || mode == 2;
}
inline bool isWaveMonitor(int mode) {
    return mode == 3 || mode == 4;
}
inline int monitorAxes(int mode) {
    return mode == 2 || mode == 4 ? 3 : 1;
}

// Peak telegrams fill rows 0 .. 99 of the view as a ring.
constexpr int kLiveRingRows = 100;

// The status-bar texts of the monitor.
namespace liveText {
inline constexpr const char* kReceiving = "電文受信中";
inline constexpr const char* kTelegramError = "電文エラーが発生";
inline constexpr const char* kUnknownError = "原因不明エラーが発生";
inline constexpr const char* kWaiting = "受信待ち…";
}  // namespace liveText

// What a telegram turned out to be.
enum class LiveOutcome { Peak, Wave, Error };
// Why a telegram was refused: the line went silent before all its bytes came,
// or they came but the envelope, code or CRC was wrong.
enum class TelegramFault { None, Cut, Invalid };

// One telegram as the monitor took it, for whoever shows it. The row and the
// records are those of the view's stores, valid until the next telegram.
struct LiveTelegram {
    LiveOutcome kind = LiveOutcome::Error;
    TelegramFault fault = TelegramFault::None;
    int axes = 1;
    // The PC's time it was taken at (the row's and the records' stamp).
    DateTime time = 0;
    // Peak: the converted row, groups X (and Y, Z) in G.
    const PeakRow* row = nullptr;
    // Wave: the records of planes X (and Y, Z), in G, with the resultant.
    std::array<const WaveBlock*, 3> planes{};

    // A callback that only needs to know what arrived can take the kind.
    operator LiveOutcome() const { return kind; }
};

// How listening ended: stopped (停止, closing, a signal, a deadline, enough
// telegrams), the line went away while listening (hung up or failed), or the
// port never gave a line. The last two carry the system's error number and the
// message the user is told (titled "通信エラー").
struct LiveEnd {
    enum class Reason { Stopped, LineLost, NoLine };
    Reason reason = Reason::Stopped;
    uint32_t error = 0;
    std::string message;
};

// Every telegram of the current run, in arrival order, kept for saving: peak
// rows, or wave records in planes X, Y, Z, from index 0 up to the stores'
// capacities; telegrams beyond them are counted, not kept.
struct LiveRun {
    DataSet records;
    RecorderState recorder;  // the settings the run was received with
    int monitorMode = kMonitorNotSetUp;
    int count = 0;
    long dropped = 0;
    DateTime firstTime = 0;
    DateTime lastTime = 0;
};

// The receiving side of the real-time monitor, without a window: it listens
// on an open port, decodes the live telegrams into the view's stores (a ring
// of 100 peak rows, or wave records 0 and 1 in turn) and tells whoever shows
// them through the callbacks. It never sends anything to the recorder.
//
// Waiting for bytes blocks on the device for at most kWaitSliceMs at a time,
// then lets the host process events and looks whether it was stopped, so an
// idle monitor costs no processor time, its buttons stay live and a stop takes
// effect within a slice whatever it is waiting for, even while a telegram's
// bytes trickle in too slowly to ever time out. A telegram's bytes are taken as they arrive
// and those behind it stay queued for the next one, so telegrams that follow
// each other without a gap are all received.
class LiveMonitor {
  public:
    using Outcome = LiveOutcome;

    static constexpr int64_t kWaitSliceMs = 20;
    // Silence after which a telegram counts as broken off, and after which a
    // silent line counts as a boundary between telegrams.
    static constexpr int64_t kIdleTimeoutMs = 400;

    // view: the data set the window shows; recorder: the records the settings
    // dialog filled (model, range, sensitivities, sample period).
    LiveMonitor(DataSet& view, const RecorderState& recorder);

    int monitorMode = kMonitorNotSetUp;
    bool liveRunning = false;

    // The status-bar text, set as it changes.
    std::function<void(const std::string&)> onStatus;
    // After each telegram, good or broken: what it carried (the row is also
    // the view's at currentIndex - 1, the records those at currentIndex).
    std::function<void(const LiveTelegram&)> onTelegram;

    // The view's data part of preparing the live view: the file path
    // "リアルタイム", every peak row's times 0 (all separators), an empty ring.
    void clearView();

    // Listens until liveRunning is cleared (by a callback or the host's event
    // processing) or the line goes away; liveRunning is false afterwards.
    // Starts a new run; after a peak run the ring gets a separator row, so the
    // next run stands apart. A telegram cut short by the stop is dropped
    // without an error. The line's failure is returned, not shown.
    LiveEnd ReceiveLoop(RecorderPort& port);
    void stop() { liveRunning = false; }

    // Reads and drops bytes up to a telegram's trailer AA 55, or until the line
    // has been silent for 400 ms; true then, as the next byte begins a
    // telegram. False when the monitor was stopped or reset meanwhile, or the
    // line failed.
    bool FindTelegramBoundary(RecorderPort& port);
    // One telegram of the current mode into the view (and the run). False when
    // it was broken off or invalid, or the monitor was stopped or the line
    // failed meanwhile; nothing is changed then.
    bool ReceivePeakTelegram(RecorderPort& port);
    bool ReceiveWaveTelegram(RecorderPort& port);
    // After a failed telegram: true when its full length ended in the trailer
    // AA 55, so the next byte begins a telegram again.
    bool trailerSeen() const { return trailerSeen_; }

    // An empty row at currentIndex (all three times 0), then the ring moves on.
    void appendSeparator();

    const LiveRun& run() const { return run_; }
    // Good telegrams of the current run, kept or not.
    long receivedCount() const { return run_.count + run_.dropped; }

  private:
    bool readTelegram(RecorderPort& port, size_t n, uint8_t code);
    // Waits for input until the deadline; keeps the error of a failed line.
    void wait(RecorderPort& port, int64_t deadlineMs);
    // One byte that the port said waits; keeps the error when it cannot be read.
    bool take(RecorderPort& port, uint8_t& out);
    bool halted() const { return !liveRunning || lineError_ != 0; }
    void beginRun();
    void keepPeakRow(const PeakRow& row);
    void keepWaveRecords(int record, DateTime now);
    void status(const char* text);
    void notify(const LiveTelegram& telegram);

    DataSet& view_;
    const RecorderState& recorder_;
    LiveRun run_;
    std::array<uint8_t, kMaxTelegramLength> buffer_{};
    bool trailerSeen_ = false;
    LiveTelegram telegram_;   // the last one taken or refused
    uint32_t lineError_ = 0;  // the line failed while listening
};

// btnStart's session around the loop: opens the configured port (raising RTS
// and giving the recorder its second), listens until stopped, closes. A port
// that cannot be opened (or refuses the baud rate) is told to the user at once
// and nothing is listened to: a monitor that silently hears nothing would look
// like a recorder that sends nothing. A line that goes away while listening
// ends the loop and is told the same way. Returns how it ended.
LiveEnd runLiveSession(Link& link, int portNumber, int baudRate, LiveMonitor& monitor);

}  // namespace kv
