#include "support/memory_device.h"

#include <algorithm>
#include <cerrno>

namespace kv::test {

MemoryDevice::MemoryDevice(VirtualClock& clock, kv::sim::Responder& responder)
    : clock_(clock), faulty_(responder) {}

bool MemoryDevice::hungUp() const {
    return clock_.nowUs() >= hangUpAtUs_;
}

void MemoryDevice::plugBackIn() {
    hangUpAtUs_ = INT64_MAX;
}

int MemoryDevice::open(const std::string& path) {
    ++openAttempts_;
    if (openError_ != 0) return openError_;
    if (hungUp()) return ENOENT;
    openedPaths_.push_back(path);
    open_ = true;
    return 0;
}

void MemoryDevice::close() {
    if (!open_) return;
    open_ = false;
    closeTimes_.push_back(clock_.nowMs());
    incoming_.clear();
    assembler_.reset();
}

int MemoryDevice::configure(int baud, int dataBits, char parity, int stopBits) {
    if (!open_) return EBADF;
    settings_ = {baud, dataBits, parity, stopBits};
    ++configureCount_;
    return 0;
}

void MemoryDevice::schedule(const Incoming& in) {
    if (in.dueUs >= hangUpAtUs_) return;  // the line is gone by then
    auto at = std::upper_bound(incoming_.begin(), incoming_.end(), in.dueUs,
                               [](int64_t t, const Incoming& x) { return t < x.dueUs; });
    incoming_.insert(at, in);
}

void MemoryDevice::answer(const std::vector<uint8_t>& frame) {
    int64_t now = clock_.nowUs();
    // A new command: the rest of an earlier answer is never sent.
    incoming_.erase(std::remove_if(incoming_.begin(), incoming_.end(),
                                   [now](const Incoming& x) { return x.reply && x.dueUs > now; }),
                    incoming_.end());
    kv::sim::Delivery d = faulty_.deliver(frame.data(), frame.size());
    int64_t start = now + 32 * byteUs() + latencyUs_;
    size_t n = d.hangUp ? std::min(d.hangUpAfterBytes, d.bytes.size()) : d.bytes.size();
    // A replayed answer arrives at its recorded times after the frame.
    const bool timed = !d.arrivalUs.empty() && d.arrivalUs.size() == d.bytes.size();
    int64_t t = timed ? now : start;
    for (size_t i = 0; i < n; ++i) {
        bool withPrevious = i > 0 && i >= d.bytes.size() - d.burstTail;
        if (timed) {
            t = now + d.arrivalUs[i];
        } else {
            if (i > 0 && !withPrevious) t += std::max(byteUs(), d.byteGapMs * 1000);
            if (i == 0) t += byteUs();  // a byte is there once its stop bit is
        }
        schedule({t, d.bytes[i], true});
    }
    if (d.hangUp) hangUpAtUs(t + 1);
}

int MemoryDevice::write(const uint8_t* data, size_t n) {
    if (!open_) return EBADF;
    if (hungUp()) return EIO;
    if (writeError_ != 0) return writeError_;
    writes_.push_back({clock_.nowMs(), std::vector<uint8_t>(data, data + n)});
    std::vector<std::vector<uint8_t>> complete;
    assembler_.feed(data, n, complete);
    for (auto& f : complete) {
        frames_.push_back(f);
        answer(f);
    }
    return 0;
}

size_t MemoryDevice::dueCount() const {
    int64_t now = clock_.nowUs();
    size_t k = 0;
    while (k < incoming_.size() && incoming_[k].dueUs <= now) ++k;
    return k;
}

size_t MemoryDevice::undeliveredBytes() const {
    return incoming_.size() - dueCount();
}

uint32_t MemoryDevice::bytesWaiting() {
    if (!open_) return 0;
    return static_cast<uint32_t>(dueCount());
}

int MemoryDevice::waitForInput(int64_t deadlineMs) {
    int64_t deadlineUs = deadlineMs * 1000;
    size_t due = open_ ? dueCount() : incoming_.size();
    int64_t target = deadlineUs;
    if (due < incoming_.size()) target = std::min(target, incoming_[due].dueUs);
    if (clock_.nowUs() < deadlineUs) clock_.advanceToUs(target);
    if (!open_) return EBADF;
    return hungUp() && dueCount() == 0 ? EIO : 0;
}

void MemoryDevice::hangUpAt(int64_t atMs) {
    hangUpAtUs(atMs * 1000);
}

void MemoryDevice::hangUpAtUs(int64_t us) {
    hangUpAtUs_ = std::min(hangUpAtUs_, us);
    const int64_t gone = hangUpAtUs_;
    incoming_.erase(std::remove_if(incoming_.begin(), incoming_.end(),
                                   [gone](const Incoming& x) { return x.dueUs >= gone; }),
                    incoming_.end());
}

int MemoryDevice::readByte(uint8_t& out) {
    if (!open_) return EBADF;
    if (dueCount() == 0) {
        if (hungUp()) return EIO;
        waitForInput(clock_.nowMs() + 1000);
        if (dueCount() == 0) return hungUp() ? EIO : ETIMEDOUT;
    }
    out = incoming_.front().value;
    incoming_.pop_front();
    ++bytesRead_;
    return 0;
}

size_t MemoryDevice::readWaiting(uint8_t* out, size_t n, int& error) {
    error = 0;
    if (!open_) {
        error = EBADF;
        return 0;
    }
    const size_t take = std::min(n, dueCount());
    for (size_t i = 0; i < take; ++i) out[i] = incoming_[i].value;
    incoming_.erase(incoming_.begin(), incoming_.begin() + static_cast<long>(take));
    bytesRead_ += take;
    size_t done = take;
    while (done < n && (error = readByte(out[done])) == 0) ++done;
    return done;
}

void MemoryDevice::discardInput() {
    if (!open_) return;
    discards_.push_back(clock_.nowMs());
    incoming_.erase(incoming_.begin(), incoming_.begin() + static_cast<long>(dueCount()));
}

int MemoryDevice::setRts(bool on) {
    if (!open_) return EBADF;
    if (hungUp()) return EIO;
    if (modemError_ != 0) return modemError_;
    rts_ = on;
    modemChanges_.push_back({clock_.nowMs(), 'R', on});
    return 0;
}

int MemoryDevice::setDtr(bool on) {
    if (!open_) return EBADF;
    if (hungUp()) return EIO;
    if (modemError_ != 0) return modemError_;
    dtr_ = on;
    modemChanges_.push_back({clock_.nowMs(), 'D', on});
    return 0;
}

void MemoryDevice::pushInput(const std::vector<uint8_t>& bytes, int64_t atMs, int64_t gapUs) {
    int64_t t = atMs * 1000;
    for (size_t i = 0; i < bytes.size(); ++i) {
        schedule({t, bytes[i], false});
        t += gapUs;
    }
}

void MemoryDevice::streamTelegrams(int count, int64_t firstMs, int64_t intervalMs) {
    for (int i = 0; i < count; ++i) {
        std::vector<uint8_t> t = faulty_.nextTelegram();
        if (t.empty()) return;
        pushInput(t, firstMs + i * intervalMs, byteUs());
    }
}

}  // namespace kv::test
