#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "link/trace_events.h"
#include "model/responder.h"

namespace kv::sim {

// One command of a recorded session and what the line brought after it: the
// bytes received until the next command, each with its time after the
// command, and whether the line was gone after them.
struct RecordedExchange {
    std::vector<uint8_t> frame;
    std::vector<uint8_t> reply;
    std::vector<int64_t> arrivalUs;  // one per reply byte
    bool hangUp = false;
};

// The exchanges of a protocol trace, in order. Bytes received outside a
// command (between sessions) belong to none. A failing line (EIO) after an
// exchange marks that exchange as the hang-up.
std::vector<RecordedExchange> exchangesOfTrace(const std::vector<TraceEvent>& events);

// Reads a trace file; false with the reason when it cannot be read or holds
// no command at all.
bool loadRecordedExchanges(const std::string& path, std::vector<RecordedExchange>& out,
                           std::string& error);

// A recorder that answers as one did before: each command gets the bytes that
// were received for it then, in order, at the recorded delays times
// delayScale. A command is matched with the next recorded one that has the
// same bytes, so commands that are no longer sent are passed over; a command
// with no such match is met with silence.
class ReplayResponder : public Responder {
  public:
    ReplayResponder(std::vector<RecordedExchange> exchanges, double delayScale);

    std::vector<uint8_t> respond(const uint8_t* frame, size_t n) override;
    Delivery deliver(const uint8_t* frame, size_t n) override;

    size_t recorded() const { return exchanges_.size(); }
    size_t answered() const { return answered_; }
    size_t unmatched() const { return unmatched_; }

  private:
    std::vector<RecordedExchange> exchanges_;
    double delayScale_;
    size_t next_ = 0;
    size_t answered_ = 0;
    size_t unmatched_ = 0;
};

}  // namespace kv::sim
