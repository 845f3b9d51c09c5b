#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "link/link.h"

namespace kv {

// The program's only access to the RS-232 line: one open device, its line
// settings, whole-buffer writes, single-byte reads and the modem lines that tell
// the recorder the PC is attached. A closed port turns every operation into a
// harmless no-op that reports failure or 0.
class RecorderPort {
  public:
    explicit RecorderPort(Link& link);
    virtual ~RecorderPort();  // closes the port
    RecorderPort(const RecorderPort&) = delete;
    RecorderPort& operator=(const RecorderPort&) = delete;

    // Builds the line settings; they are applied at open, or at once when open
    // (the result is that of applying them; true when there was nothing to apply).
    // Asserts 0 < baud and 5 <= dataBits <= 8.
    bool configure(int baud, int dataBits, char parity, double stopBits);
    // Opens COM portNumber (its device from link().devicePath) exclusively and
    // applies the line settings. On failure keeps the error number for
    // takeLastError and stays closed.
    bool open(int portNumber);
    // Drops RTS (DTR stays asserted), waits 100 ms, releases the device.
    void close();
    // All n bytes written (bounded by 1000 ms). Failure keeps the error number;
    // on a closed port it fails without touching it.
    bool write(const uint8_t* data, size_t n);
    // Exactly one byte read (bounded by 1000 ms); failure as write.
    bool readByte(uint8_t& out);
    // Received bytes waiting; 0 when closed or unknown.
    uint32_t bytesWaiting();
    // Discards received bytes not yet read; output is left alone.
    void purgeInput();
    // raise == 1 raises RTS, anything else drops it; DTR is asserted either way.
    // False only when the RTS change failed (always on a closed port).
    bool setModemLines(uint8_t raise);
    // The last kept error number, which is reset to 0.
    uint32_t takeLastError();

    bool isOpen() const;
    int portNumber() const { return portNumber_; }
    // The device that open tried last; empty before.
    const std::string& devicePath() const { return devicePath_; }
    // What applying the line settings at the last successful open gave: 0, or
    // the error number (EINVAL: the line has no such baud rate).
    int configureError() const { return configureError_; }
    int baudRate() const { return baud_; }
    Link& link() { return link_; }

    // Blocks until input beyond what already waits arrives, or until the
    // deadline (Clock::nowMs of the link's clock) has passed. Never spins: on a
    // closed port it simply sleeps until the deadline. False when the line has
    // hung up or failed and nothing more will come; the error number is kept
    // for takeLastError.
    bool waitForInput(int64_t deadlineMs);

  private:
    Link& link_;
    int portNumber_ = -1;
    std::string devicePath_;
    int configureError_ = 0;
    uint32_t lastError_ = 0;
    int baud_ = 0;
    int dataBits_ = 8;
    char parity_ = 'N';
    int stopBits_ = 1;
};

}  // namespace kv
