#pragma once

#include <vector>

#include "link/protocol_trace.h"
#include "link/serial_device.h"

namespace kv {

// A serial device that tells a protocol trace what passes through it. While
// the trace is active, received bytes are taken from the line as soon as they
// are counted, so the trace sees each one, with its time, even those that a
// purge then throws away; the caller sees the same counts and bytes as from
// the line itself. While it is not, every call goes straight through.
class TracingDevice : public SerialDevice {
  public:
    TracingDevice(SerialDevice& inner, ProtocolTrace& trace) : inner_(inner), trace_(trace) {}

    int open(const std::string& path) override;
    bool isOpen() const override { return inner_.isOpen(); }
    void close() override;
    int configure(int baud, int dataBits, char parity, int stopBits) override;
    int write(const uint8_t* data, size_t n) override;
    int readByte(uint8_t& out) override;
    uint32_t bytesWaiting() override;
    int waitForInput(int64_t deadlineMs) override;
    void discardInput() override;
    int setRts(bool on) override;
    int setDtr(bool on) override;

  private:
    size_t held() const { return held_.size() - head_; }
    // Moves what the line holds now into held_, telling the trace.
    void take();

    SerialDevice& inner_;
    ProtocolTrace& trace_;
    std::vector<uint8_t> held_;  // received, told to the trace, not yet read
    size_t head_ = 0;
};

}  // namespace kv
