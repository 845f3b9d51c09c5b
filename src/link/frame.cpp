#include "link/frame.h"

#include <cstddef>

#include "base/kv_assert.h"
#include "link/protocol_trace.h"
#include "link/recorder_port.h"

namespace kv {
namespace {

constexpr int64_t kIdleTimeoutMs = 400;
constexpr int64_t kResetWaitMs = 750;
constexpr int kAttempts = 3;

}  // namespace

uint16_t crc16(const uint8_t* data, size_t n) {
    uint16_t crc = 0;
    for (size_t i = 0; i < n; ++i) {
        crc ^= static_cast<uint16_t>(data[i] << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? static_cast<uint16_t>(crc << 1 ^ 0x1021)
                                 : static_cast<uint16_t>(crc << 1);
    }
    return crc;
}

void completeFrame(uint8_t cmd, uint8_t* frame) {
    frame[0] = 0x55;
    frame[1] = 0xAA;
    frame[2] = cmd;
    frame[3] = static_cast<uint8_t>(~cmd);
    uint16_t crc = crc16(frame, 28);
    frame[28] = static_cast<uint8_t>(crc >> 8);
    frame[29] = static_cast<uint8_t>(crc & 0xFF);
    frame[30] = 0xAA;
    frame[31] = 0x55;
}

bool transact(RecorderPort& port, uint8_t code, uint8_t* cmd, size_t cmd_len, uint8_t* res,
              size_t n) {
    // The buffers carry the names that the assertion texts use.
    KV_ASSERT(cmd != NULL);
    KV_ASSERT(res != NULL);
    KV_ASSERT(32 == cmd_len);
    completeFrame(code, cmd);

    // A port that never opened answers nothing: trying it only costs the
    // attempts' time-outs and resets.
    if (!port.isOpen()) {
        port.link().host.processEvents();
        return false;
    }
    Clock& clock = port.link().clock;
    ProtocolTrace* trace = port.link().trace;
    bool ok = false;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (trace) trace->attempt(code, attempt + 1);
        // Stale or partial bytes of an earlier failure must not prefix this reply.
        port.purgeInput();
        port.write(cmd, cmd_len);  // a failed write shows up as a missing reply
        if (receiveReply(port, res, n, code)) {
            ok = true;
            break;
        }
        // Not after the first failure: try, try, reset, try, reset, give up.
        if (attempt >= 1) {
            if (trace) trace->lineReset(code);
            port.setModemLines(0);
            clock.sleepMs(kResetWaitMs);
            port.setModemLines(1);
            clock.sleepMs(kResetWaitMs);
        }
    }
    if (trace) {
        if (!ok) trace->gaveUp(code);
        trace->endAttempts();
    }
    port.link().host.processEvents();
    return ok;
}

bool receiveReply(RecorderPort& port, uint8_t* reply, size_t n, uint8_t cmd) {
    Clock& clock = port.link().clock;
    int64_t deadline = clock.nowMs() + kIdleTimeoutMs;
    uint32_t most = 0;
    bool complete = false;
    // Instead of polling the queue count, block on the device until a byte
    // arrives or the deadline passes; the rule stays the same: exactly n bytes
    // waiting completes the reply, and each new byte moves the deadline.
    while (clock.nowMs() < deadline) {
        uint32_t k = port.bytesWaiting();
        if (k == n) {
            complete = true;
            break;
        }
        if (k > most) {
            most = k;
            deadline = clock.nowMs() + kIdleTimeoutMs;
        }
        port.waitForInput(deadline);
    }
    ProtocolTrace* trace = port.link().trace;
    if (!complete) {
        if (trace) trace->timedOut(cmd, trace->currentAttempt(), n, most);
        return false;  // the bytes stay queued; the next transact purges them
    }

    for (size_t i = 0; i < n; ++i) port.readByte(reply[i]);
    const bool valid = isValidReply(reply, n, cmd);
    if (!valid && trace) trace->invalidReply(cmd, trace->currentAttempt(), n);
    return valid;
}

bool isValidReply(const uint8_t* reply, size_t n, uint8_t cmd) {
    if (n < 8) return false;  // too short to hold an envelope; never valid
    if (reply[0] != 0x55) return false;
    if (reply[1] != 0xAA) return false;
    if (reply[2] != cmd) return false;
    if (reply[3] != static_cast<uint8_t>(~cmd)) return false;
    if (reply[n - 2] != 0xAA) return false;
    if (reply[n - 1] != 0x55) return false;
    return crc16(reply, n - 4) == (reply[n - 4] << 8 | reply[n - 3]);
}

bool sendOnly(RecorderPort& port, uint8_t code, uint8_t* cmd, size_t cmd_len, uint8_t* res) {
    KV_ASSERT(cmd != NULL);
    KV_ASSERT(res != NULL);
    KV_ASSERT(32 == cmd_len);
    port.purgeInput();
    completeFrame(code, cmd);
    return port.write(cmd, cmd_len);
}

}  // namespace kv
