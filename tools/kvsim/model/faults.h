#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/responder.h"

namespace kv::sim {

// Misbehaviour on request. Every counter counts command frames from now on:
// each frame that arrives uses up one unit of every counter that is above 0,
// so `silent = 1, corrupt = 1` leaves frame 1 unanswered, corrupts the answer
// to frame 2 and answers frame 3 normally.
struct FaultPlan {
    int silent = 0;         // frames that get no answer at all
    int corrupt = 0;        // replies with one byte XORed by corruptMask
    int corruptIndex = -3;  // that byte; negative counts from the end (-3: CRC low byte)
    uint8_t corruptMask = 0xFF;
    int extraByte = 0;  // replies with one byte more (extraValue), sent with the last
    uint8_t extraValue = 0x00;
    int shorten = 0;  // replies cut short by shortenBy bytes
    size_t shortenBy = 1;
    int trickle = 0;  // replies sent one byte per trickleGapMs
    int64_t trickleGapMs = 450;
    int hangUpAfter = -1;  // -1 never; k >= 0: after k more frames, the next reply
                           // stops halfway and the line hangs up for good
};

// A Responder decorator applying a FaultPlan. deliver() gives the whole story
// (timing and hang-up included) for the devices that can act it out;
// respond() gives only the bytes, for plain Responder users.
class FaultyResponder : public Responder {
  public:
    explicit FaultyResponder(Responder& inner, FaultPlan plan = {}) : inner_(inner), plan_(plan) {}

    FaultPlan& plan() { return plan_; }
    Delivery deliver(const uint8_t* frame, size_t n) override;

    std::vector<uint8_t> respond(const uint8_t* frame, size_t n) override;
    std::vector<uint8_t> nextTelegram() override { return inner_.nextTelegram(); }

  private:
    Responder& inner_;
    FaultPlan plan_;
};

}  // namespace kv::sim
