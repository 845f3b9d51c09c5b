#include "model/replay_responder.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace kv::sim {
namespace {

bool lineGone(const TraceEvent& e) {
    return e.error == EIO &&
           (e.event == "send" || e.event == "readError" || e.event == "rts" || e.event == "dtr");
}

}  // namespace

std::vector<RecordedExchange> exchangesOfTrace(const std::vector<TraceEvent>& events) {
    std::vector<RecordedExchange> exchanges;
    bool inExchange = false;
    bool hungUp = false;
    int64_t sentMs = 0;
    for (const TraceEvent& e : events) {
        if (e.event == "send" && e.error == 0) {
            exchanges.push_back({e.bytes, {}, {}, false});
            inExchange = true;
            hungUp = false;
            sentMs = e.timeMs;
        } else if (e.event == "receive" && inExchange) {
            RecordedExchange& x = exchanges.back();
            const int64_t afterUs = std::max<int64_t>(0, e.timeMs - sentMs) * 1000;
            x.reply.insert(x.reply.end(), e.bytes.begin(), e.bytes.end());
            x.arrivalUs.insert(x.arrivalUs.end(), e.bytes.size(), afterUs);
        } else if (lineGone(e) && inExchange && !hungUp) {
            exchanges.back().hangUp = true;
            hungUp = true;
        } else if (e.event == "open" || e.event == "close" || e.event == "start") {
            inExchange = false;
        }
    }
    return exchanges;
}

bool loadRecordedExchanges(const std::string& path, std::vector<RecordedExchange>& out,
                           std::string& error) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    std::string text;
    char chunk[1 << 16];
    size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, n);
    std::fclose(f);
    size_t skipped = 0;
    out = exchangesOfTrace(parseTrace(text, skipped));
    if (out.empty()) {
        error = path + ": no command sent in this trace";
        return false;
    }
    return true;
}

ReplayResponder::ReplayResponder(std::vector<RecordedExchange> exchanges, double delayScale)
    : exchanges_(std::move(exchanges)), delayScale_(delayScale) {}

std::vector<uint8_t> ReplayResponder::respond(const uint8_t* frame, size_t n) {
    Delivery d = deliver(frame, n);
    if (d.hangUp) d.bytes.resize(d.hangUpAfterBytes);
    return d.bytes;
}

Delivery ReplayResponder::deliver(const uint8_t* frame, size_t n) {
    Delivery d;
    for (size_t i = next_; i < exchanges_.size(); ++i) {
        const RecordedExchange& x = exchanges_[i];
        if (x.frame.size() != n || std::memcmp(x.frame.data(), frame, n) != 0) continue;
        next_ = i + 1;
        ++answered_;
        d.bytes = x.reply;
        d.arrivalUs.reserve(x.arrivalUs.size());
        for (int64_t us : x.arrivalUs)
            d.arrivalUs.push_back(static_cast<int64_t>(std::llround(us * delayScale_)));
        d.hangUp = x.hangUp;
        d.hangUpAfterBytes = x.reply.size();
        return d;
    }
    ++unmatched_;
    return d;
}

}  // namespace kv::sim
