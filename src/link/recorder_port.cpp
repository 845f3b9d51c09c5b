#include "link/recorder_port.h"

#include "base/kv_assert.h"

namespace kv {

RecorderPort::RecorderPort(Link& link) : link_(link) {}

RecorderPort::~RecorderPort() {
    close();
}

bool RecorderPort::configure(int baud, int dataBits, char parity, double stopBits) {
    const int data = dataBits;  // the name the assertion texts use
    KV_ASSERT(0 < baud);
    KV_ASSERT(5 <= data);
    KV_ASSERT(data <= 8);
    baud_ = baud;
    dataBits_ = dataBits;
    parity_ = parity;
    // 1.5 stop bits has no termios counterpart; it takes two.
    stopBits_ = stopBits > 1.25 ? 2 : 1;
    if (!isOpen()) return true;
    return link_.device.configure(baud_, dataBits_, parity_, stopBits_) == 0;
}

bool RecorderPort::open(int portNumber) {
    portNumber_ = portNumber;
    if (link_.device.isOpen()) link_.device.close();
    devicePath_ = link_.devicePath ? link_.devicePath(portNumber)
                                   : "/dev/ttyS" + std::to_string(portNumber - 1);
    configureError_ = 0;
    int err = link_.device.open(devicePath_);
    if (err != 0) {
        lastError_ = static_cast<uint32_t>(err);
        return false;
    }
    // A device that refuses a line setting (a pseudo-terminal, some USB
    // adapters) still carries the recorder's frames, so the open succeeds and
    // the first exchange decides: a recorder that cannot be heard then gets
    // the communication error that names it. The refusal is kept for whoever
    // wants to mention it. A port never given a baud rate keeps its settings.
    if (baud_ > 0) configureError_ = link_.device.configure(baud_, dataBits_, parity_, stopBits_);
    return true;
}

void RecorderPort::close() {
    if (!isOpen()) return;
    setModemLines(0);
    link_.clock.sleepMs(100);
    link_.device.close();
}

bool RecorderPort::write(const uint8_t* data, size_t n) {
    if (!isOpen()) return false;
    int err = link_.device.write(data, n);
    if (err != 0) {
        lastError_ = static_cast<uint32_t>(err);
        return false;
    }
    return true;
}

bool RecorderPort::readByte(uint8_t& out) {
    if (!isOpen()) return false;
    int err = link_.device.readByte(out);
    if (err != 0) {
        lastError_ = static_cast<uint32_t>(err);
        return false;
    }
    return true;
}

uint32_t RecorderPort::bytesWaiting() {
    if (!isOpen()) return 0;
    return link_.device.bytesWaiting();
}

void RecorderPort::purgeInput() {
    if (isOpen()) link_.device.discardInput();
}

bool RecorderPort::setModemLines(uint8_t raise) {
    // No open check: on a closed device the RTS change itself fails.
    if (link_.device.setRts(raise == 1) != 0) return false;
    link_.device.setDtr(true);
    return true;
}

uint32_t RecorderPort::takeLastError() {
    uint32_t e = lastError_;
    lastError_ = 0;
    return e;
}

bool RecorderPort::isOpen() const {
    return link_.device.isOpen();
}

bool RecorderPort::waitForInput(int64_t deadlineMs) {
    if (isOpen()) {
        const int err = link_.device.waitForInput(deadlineMs);
        if (err != 0) lastError_ = static_cast<uint32_t>(err);
        return err == 0;
    }
    int64_t rest = deadlineMs - link_.clock.nowMs();
    if (rest > 0) link_.clock.sleepMs(rest);
    return true;
}

}  // namespace kv
