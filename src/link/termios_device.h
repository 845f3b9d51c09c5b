#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/clock.h"
#include "link/serial_device.h"

namespace kv {

// The real serial line: a termios character device (a UART, a USB adapter or a
// pseudo-terminal) opened exclusively, raw, with flow control off. Errors are
// errno values kept at the point of failure.
//
// Pseudo-terminals have no modem lines: there the RTS/DTR requests, which the
// kernel refuses with ENOTTY or EINVAL, count as done so that the simulator on
// a pseudo-terminal behaves like a recorder on a cable. On a real port the
// error is reported.
class TermiosDevice : public SerialDevice {
  public:
    TermiosDevice();                       // deadlines on its own monotonic clock
    explicit TermiosDevice(Clock& clock);  // deadlines on the given clock (same epoch as RealClock)
    ~TermiosDevice() override;
    TermiosDevice(const TermiosDevice&) = delete;
    TermiosDevice& operator=(const TermiosDevice&) = delete;

    int open(const std::string& path) override;
    bool isOpen() const override { return fd_ >= 0; }
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

    bool isPseudoTerminal() const { return pty_; }
    int fd() const { return fd_; }

  private:
    int setModemBit(int bit, bool on);
    // Moves what the kernel holds into pending_, so that a later poll() waits
    // for new bytes only. Returns 0, or the read error of a line that has gone.
    int drainKernelQueue();
    void sleepUntil(int64_t deadlineMs);
    // Waits, at most until the deadline, for the output queue to empty.
    void waitUntilSent(int64_t deadlineMs);

    RealClock ownClock_;
    Clock& clock_;
    int fd_ = -1;
    bool pty_ = false;
    int lineError_ = 0;  // the line hung up or failed (errno); it stays so until reopened
    int baud_ = 0;       // the speed configured last; 0 unknown
    std::vector<uint8_t> pending_;  // received, taken from the kernel, not yet read
    size_t pendingHead_ = 0;
    // Bytes waiting as the caller last knew them (bytesWaiting, less what it
    // read since): waitForInput returns at once when more than that waits.
    size_t seen_ = 0;
};

}  // namespace kv
