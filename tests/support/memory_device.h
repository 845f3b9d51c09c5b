#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "link/serial_device.h"
#include "model/faults.h"
#include "model/responder.h"
#include "model/wire.h"
#include "support/virtual_clock.h"

namespace kv::test {

// A serial line to a simulated recorder, in memory and on a virtual clock.
//
// Written bytes are cut into 32-byte command frames (resynchronising on 55 AA
// after noise); each frame goes to the responder, through a FaultyResponder
// whose plan faults() exposes, and the answer is scheduled to arrive at
// virtual times: latencyMs after the frame (plus the frame's own wire time when
// a baud rate is set), then all at once (baud 0, the default) or one byte per
// 10/baud seconds. A new frame cancels what is still undelivered of the
// previous answer, as a recorder starts over on a new command.
//
// bytesWaiting() counts the bytes due by the clock's now; waitForInput() moves
// the clock to the next byte's time or to the deadline, whichever is first;
// readByte() takes a due byte or waits up to 1000 ms for one (ETIMEDOUT).
// Once the line has hung up and its due bytes are read, waitForInput() keeps
// its deadline and returns EIO.
// After a hang-up (faults().hangUpAfter) write, readByte (once the due bytes are
// read) and the modem lines fail with EIO, nothing more arrives and open()
// fails with ENOENT until plugBackIn().
//
//   VirtualClock clock;
//   kv::sim::ScriptedResponder recorder;
//   recorder.on(0, kv::sim::makeReply(0, 32));
//   MemoryDevice device(clock, recorder);
//   RecordingHost host;
//   Link link{device, clock, host, [](int n) { return "COM" + std::to_string(n); }};
//   device.faults().silent = 2;  // answers only the third frame
class MemoryDevice : public SerialDevice {
  public:
    struct Write {
        int64_t timeMs;
        std::vector<uint8_t> bytes;
    };
    struct ModemChange {
        int64_t timeMs;
        char line;  // 'R' (RTS) or 'D' (DTR)
        bool on;
    };
    struct LineSettings {
        int baud = 0;
        int dataBits = 0;
        char parity = 0;
        int stopBits = 0;
    };

    MemoryDevice(VirtualClock& clock, kv::sim::Responder& responder);

    // --- behaviour -------------------------------------------------------
    void setLatencyMs(int64_t ms) { latencyUs_ = ms * 1000; }  // default 5 ms
    void setBaud(int baud) { baud_ = baud; }                   // 0: no pacing (default)
    kv::sim::FaultPlan& faults() { return faulty_.plan(); }
    void failOpenWith(int err) { openError_ = err; }         // 0: opens succeed again
    void failModemLinesWith(int err) { modemError_ = err; }  // RTS/DTR changes fail
    void failWritesWith(int err) { writeError_ = err; }
    // Unsolicited bytes (live telegrams, noise) arriving from atMs on, one per
    // gapUs (0: all together). They are not cancelled by new frames.
    void pushInput(const std::vector<uint8_t>& bytes, int64_t atMs, int64_t gapUs = 0);
    // count telegrams from the responder's nextTelegram(), the first at firstMs,
    // then one every intervalMs. Stops early when the responder has none.
    void streamTelegrams(int count, int64_t firstMs, int64_t intervalMs);
    // The line hangs up at atMs (a cable pulled while nothing was asked).
    void hangUpAt(int64_t atMs);
    void plugBackIn();

    // --- what happened ---------------------------------------------------
    const std::vector<Write>& writes() const { return writes_; }
    const std::vector<std::vector<uint8_t>>& frames() const { return frames_; }
    const std::vector<ModemChange>& modemChanges() const { return modemChanges_; }
    const std::vector<int64_t>& discardTimesMs() const { return discards_; }
    const std::vector<std::string>& openedPaths() const { return openedPaths_; }
    int openAttempts() const { return openAttempts_; }  // failed ones too
    const LineSettings& lineSettings() const { return settings_; }
    int configureCount() const { return configureCount_; }
    int closeCount() const { return static_cast<int>(closeTimes_.size()); }
    const std::vector<int64_t>& closeTimesMs() const { return closeTimes_; }
    bool rts() const { return rts_; }
    bool dtr() const { return dtr_; }
    bool hungUp() const;
    size_t bytesRead() const { return bytesRead_; }
    size_t undeliveredBytes() const;  // scheduled, not yet due

    // --- SerialDevice ------------------------------------------------------
    int open(const std::string& path) override;
    bool isOpen() const override { return open_; }
    void close() override;
    int configure(int baud, int dataBits, char parity, int stopBits) override;
    int write(const uint8_t* data, size_t n) override;
    int readByte(uint8_t& out) override;
    uint32_t bytesWaiting() override;
    size_t readWaiting(uint8_t* out, size_t n, int& error) override;
    int waitForInput(int64_t deadlineMs) override;
    void discardInput() override;
    int setRts(bool on) override;
    int setDtr(bool on) override;

  private:
    struct Incoming {
        int64_t dueUs;
        uint8_t value;
        bool reply;  // part of an answer (cancelled by the next frame)
    };
    void schedule(const Incoming& in);
    void hangUpAtUs(int64_t us);
    void answer(const std::vector<uint8_t>& frame);
    int64_t byteUs() const { return baud_ > 0 ? 10'000'000 / baud_ : 0; }
    size_t dueCount() const;

    VirtualClock& clock_;
    kv::sim::FaultyResponder faulty_;
    kv::sim::FrameAssembler assembler_;
    int64_t latencyUs_ = 5000;
    int baud_ = 0;
    int openError_ = 0;
    int modemError_ = 0;
    int writeError_ = 0;
    bool open_ = false;
    bool rts_ = false;
    bool dtr_ = false;
    int64_t hangUpAtUs_ = INT64_MAX;
    std::deque<Incoming> incoming_;  // ordered by dueUs

    std::vector<Write> writes_;
    std::vector<std::vector<uint8_t>> frames_;
    std::vector<ModemChange> modemChanges_;
    std::vector<int64_t> discards_;
    std::vector<std::string> openedPaths_;
    int openAttempts_ = 0;
    LineSettings settings_;
    int configureCount_ = 0;
    std::vector<int64_t> closeTimes_;
    size_t bytesRead_ = 0;
};

}  // namespace kv::test
