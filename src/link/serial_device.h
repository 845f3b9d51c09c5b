#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kv {

// The highest baud rate a serial line runs at (termios B4000000).
constexpr int kMaxBaudRate = 4000000;
// A baud rate that some line can run at; not every driver knows every one.
constexpr bool isUsableBaudRate(int baud) {
    return baud > 0 && baud <= kMaxBaudRate;
}

// The raw serial line. TermiosDevice is the real one; tests use an in-memory
// device that answers from a recorder model on a virtual clock. Errors are the
// operating system's error numbers (errno), kept where they happened.
class SerialDevice {
  public:
    virtual ~SerialDevice() = default;

    // Opens the path exclusively. On failure returns the error number (non-zero).
    virtual int open(const std::string& path) = 0;
    virtual bool isOpen() const = 0;
    virtual void close() = 0;

    // Raw 8-N-1 (data bits, parity 'N'/'E'/'O', stop bits 1 or 2) at the baud rate,
    // flow control off. Returns 0 or an error number.
    virtual int configure(int baud, int dataBits, char parity, int stopBits) = 0;

    // Writes all n bytes within 1000 ms; returns 0 or an error number.
    virtual int write(const uint8_t* data, size_t n) = 0;
    // Reads one byte within 1000 ms; returns 0 or an error number (ETIMEDOUT).
    virtual int readByte(uint8_t& out) = 0;
    // Received bytes waiting in the input queue; 0 when unknown.
    virtual uint32_t bytesWaiting() = 0;
    // Reads n bytes that bytesWaiting has counted, as n readByte calls would;
    // returns how many were read, with the error number of the one that
    // failed. A device that holds them in a buffer copies them in one go.
    virtual size_t readWaiting(uint8_t* out, size_t n, int& error) {
        error = 0;
        size_t done = 0;
        while (done < n && (error = readByte(out[done])) == 0) ++done;
        return done;
    }
    // Blocks until input beyond what is already waiting arrives, or until the
    // monotonic deadline (Clock::nowMs) has passed. Never spins. Returns 0, or
    // the error number of a line that has failed with nothing more to read
    // (EIO once it has hung up); such a line still keeps the deadline.
    virtual int waitForInput(int64_t deadlineMs) = 0;
    // Discards received bytes not yet read.
    virtual void discardInput() = 0;

    // Request-to-send and data-terminal-ready. Return 0 or an error number.
    virtual int setRts(bool on) = 0;
    virtual int setDtr(bool on) = 0;
};

}  // namespace kv
