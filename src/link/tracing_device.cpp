#include "link/tracing_device.h"

namespace kv {

int TracingDevice::open(const std::string& path) {
    held_.clear();
    head_ = 0;
    const int error = inner_.open(path);
    trace_.opened(path, error);
    return error;
}

void TracingDevice::close() {
    const bool wasOpen = inner_.isOpen();
    inner_.close();
    held_.clear();
    head_ = 0;
    if (wasOpen) trace_.closed();
}

int TracingDevice::configure(int baud, int dataBits, char parity, int stopBits) {
    const int error = inner_.configure(baud, dataBits, parity, stopBits);
    trace_.configured(baud, dataBits, parity, stopBits, error);
    return error;
}

int TracingDevice::write(const uint8_t* data, size_t n) {
    const int error = inner_.write(data, n);
    trace_.sent(data, n, error);
    return error;
}

void TracingDevice::take() {
    uint32_t count = inner_.bytesWaiting();
    if (count == 0) return;
    if (head_ == held_.size()) {
        held_.clear();
        head_ = 0;
    }
    const size_t before = held_.size();
    held_.resize(before + count);
    int error = 0;
    held_.resize(before + inner_.readWaiting(held_.data() + before, count, error));
    trace_.received(held_.data() + before, held_.size() - before);
    if (error != 0) trace_.readFailed(error);
}

uint32_t TracingDevice::bytesWaiting() {
    if (trace_.active()) {
        take();
        return static_cast<uint32_t>(held());
    }
    return static_cast<uint32_t>(held()) + inner_.bytesWaiting();
}

int TracingDevice::readByte(uint8_t& out) {
    if (held() == 0 && trace_.active()) take();
    if (held() > 0) {
        out = held_[head_++];
        return 0;
    }
    const int error = inner_.readByte(out);  // waits for a byte, as the line would
    if (error == 0)
        trace_.received(&out, 1);
    else
        trace_.readFailed(error);
    return error;
}

int TracingDevice::waitForInput(int64_t deadlineMs) {
    // What is held has been counted already; the line waits for news. A line
    // that failed still has the bytes held here to give.
    const int error = inner_.waitForInput(deadlineMs);
    return held() > 0 ? 0 : error;
}

void TracingDevice::discardInput() {
    if (trace_.active() && inner_.isOpen()) {
        take();
        trace_.purged(held());
    }
    held_.clear();
    head_ = 0;
    inner_.discardInput();
}

int TracingDevice::setRts(bool on) {
    const int error = inner_.setRts(on);
    trace_.modemLine('R', on, error);
    return error;
}

int TracingDevice::setDtr(bool on) {
    const int error = inner_.setDtr(on);
    trace_.modemLine('D', on, error);
    return error;
}

}  // namespace kv
