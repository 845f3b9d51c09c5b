#include "model/faults.h"

namespace kv::sim {
namespace {

bool take(int& counter) {
    if (counter <= 0) return false;
    --counter;
    return true;
}

}  // namespace

Delivery FaultyResponder::deliver(const uint8_t* frame, size_t n) {
    bool silent = take(plan_.silent);
    bool corrupt = take(plan_.corrupt);
    bool extra = take(plan_.extraByte);
    bool shorten = take(plan_.shorten);
    bool trickle = take(plan_.trickle);
    bool hangUp = false;
    if (plan_.hangUpAfter == 0) {
        hangUp = true;
        plan_.hangUpAfter = -1;
    } else if (plan_.hangUpAfter > 0) {
        --plan_.hangUpAfter;
    }

    // The model sees every frame, answered or not, so that its state (a write
    // that went through, a running clock) stays what a real recorder's is.
    Delivery d = inner_.deliver(frame, n);
    if (silent) d = Delivery{};
    // A fault changes the bytes, so their recorded times no longer fit them.
    if (corrupt || shorten || extra || trickle) d.arrivalUs.clear();
    if (!d.bytes.empty()) {
        if (corrupt) {
            long i = plan_.corruptIndex < 0 ? static_cast<long>(d.bytes.size()) + plan_.corruptIndex
                                            : plan_.corruptIndex;
            if (i >= 0 && i < static_cast<long>(d.bytes.size()))
                d.bytes[static_cast<size_t>(i)] ^= plan_.corruptMask;
        }
        if (shorten)
            d.bytes.resize(d.bytes.size() > plan_.shortenBy ? d.bytes.size() - plan_.shortenBy : 0);
        if (extra) {
            d.bytes.push_back(plan_.extraValue);
            d.burstTail = 1;
        }
        if (trickle) d.byteGapMs = plan_.trickleGapMs;
    }
    if (hangUp) {
        d.hangUp = true;
        d.hangUpAfterBytes = d.bytes.size() / 2;
        d.arrivalUs.clear();
    }
    return d;
}

std::vector<uint8_t> FaultyResponder::respond(const uint8_t* frame, size_t n) {
    Delivery d = deliver(frame, n);
    if (d.hangUp) d.bytes.resize(d.hangUpAfterBytes);
    return d.bytes;
}

}  // namespace kv::sim
