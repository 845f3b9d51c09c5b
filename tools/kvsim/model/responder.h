#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kv::sim {

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
    // The next live telegram when the recorder streams unprompted; empty when
    // it has nothing to send.
    virtual std::vector<uint8_t> nextTelegram() { return {}; }
};

}  // namespace kv::sim
