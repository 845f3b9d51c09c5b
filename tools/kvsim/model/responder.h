#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kv::sim {

// How one answer goes onto the line.
struct Delivery {
    std::vector<uint8_t> bytes;  // empty: the recorder stays silent
    int64_t byteGapMs = 0;       // > 0: one byte every byteGapMs (trickle)
    size_t burstTail = 0;  // the last burstTail bytes arrive together with the one before them
    bool hangUp = false;   // the line hangs up after hangUpAfterBytes bytes
    size_t hangUpAfterBytes = 0;
    // When not empty, one time per byte: when it arrives after the frame, in
    // microseconds. It replaces the line's latency, pace and gaps (a replayed
    // answer arrives as it did then).
    std::vector<int64_t> arrivalUs;
};

// The recorder side of the line, independent of how bytes travel: the
// in-memory test device and the pseudo-terminal of kvsim both feed it complete
// 32-byte command frames and send back what it answers.
class Responder {
  public:
    virtual ~Responder() = default;
    // The reply to one command frame (already checked for its 32-byte envelope
    // by the caller or not: a responder may answer garbage to garbage). An
    // empty result means the recorder stays silent.
    virtual std::vector<uint8_t> respond(const uint8_t* frame, size_t n) = 0;
    // The answer with its timing; a plain responder's bytes arrive as the
    // line carries them.
    virtual Delivery deliver(const uint8_t* frame, size_t n) {
        Delivery d;
        d.bytes = respond(frame, n);
        return d;
    }
    // The next live telegram when the recorder streams unprompted; empty when
    // it has nothing to send.
    virtual std::vector<uint8_t> nextTelegram() { return {}; }
};

}  // namespace kv::sim
