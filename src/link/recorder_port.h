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

    // Builds the line settings; they are applied at open, or at once when open.
    bool configure(int baud, int dataBits, char parity, double stopBits);
    bool open(int portNumber);
    // Drops RTS (DTR stays asserted), waits 100 ms, releases the device.
    void close();
    bool write(const uint8_t* data, size_t n);
    bool readByte(uint8_t& out);
    uint32_t bytesWaiting();
    void purgeInput();
    bool setModemLines(uint8_t raise);
    uint32_t takeLastError();

    bool isOpen() const;
    int portNumber() const { return portNumber_; }
    Link& link() { return link_; }

    // Blocks until more than `have` bytes wait or the deadline passes.
    void waitForInput(int64_t deadlineMs);

private:
    Link& link_;
    int portNumber_ = -1;
    uint32_t lastError_ = 0;
    int baud_ = 0;
    int dataBits_ = 8;
    char parity_ = 'N';
    int stopBits_ = 1;
};

}  // namespace kv
