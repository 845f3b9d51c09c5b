#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "base/clock.h"

namespace kv {

// A record of what passes the serial line, for support: every frame sent and
// every byte received with the link clock's monotonic milliseconds, the
// attempts, time-outs and line resets of the transactions, and, at the top of
// every session, the program and its version, the device opened and its line
// settings. One JSON object per line:
//
//   {"t":1000,"event":"start","program":"kvmanager","version":"4.02"}
//   {"t":1000,"event":"open","device":"/dev/ttyUSB0","error":0}
//   {"t":1000,"event":"configure","baud":38400,"dataBits":8,"parity":"N","stopBits":1,"error":0}
//   {"t":2003,"event":"attempt","command":80,"attempt":1}
//   {"t":2003,"event":"purge","bytes":0}
//   {"t":2011,"event":"send","bytes":"55aa50af…","error":0}
//   {"t":2024,"event":"receive","bytes":"55aa50af…"}
//   {"t":2435,"event":"timeout","command":80,"attempt":1,"expected":44,"waiting":12}
//
// It holds nothing but the line's bytes and the program's own settings: no
// file names, no folders, nothing of the user's. A trace that cannot be
// written stops tracing; it never disturbs the conversation. Lines reach the
// file within a second, and at once when something goes wrong (a time-out, an
// invalid reply, a reset, an error) or the port closes.
class ProtocolTrace {
  public:
    ProtocolTrace(Clock& clock, std::string program);
    ~ProtocolTrace();
    ProtocolTrace(const ProtocolTrace&) = delete;
    ProtocolTrace& operator=(const ProtocolTrace&) = delete;

    // Every session of this run into one new file (an existing file is
    // replaced). False with the error number when it cannot be created.
    bool writeTo(const std::string& path, int& error);
    // At every opening of the port, target() names the file the session is
    // appended to, or nothing for an untraced session. The file is kept at most
    // capBytes long: when a line would pass that, its older half is dropped.
    void followTarget(std::function<std::string()> target, size_t capBytes);

    // True while lines are being written.
    bool active() const { return fd_ >= 0; }
    // The error number that stopped the trace; 0 while all went well.
    int error() const { return error_; }

    // What the device did (see TracingDevice).
    void opened(const std::string& device, int error);
    void configured(int baud, int dataBits, char parity, int stopBits, int error);
    void closed();
    void sent(const uint8_t* data, size_t n, int error);
    void received(const uint8_t* data, size_t n);
    void readFailed(int error);
    void purged(size_t bytes);
    void modemLine(char line, bool on, int error);

    // What the transactions made of it.
    void attempt(uint8_t command, int number);
    void timedOut(uint8_t command, int number, size_t expected, uint32_t waiting);
    void invalidReply(uint8_t command, int number, size_t length);
    void lineReset(uint8_t command);
    void gaveUp(uint8_t command);

    // The attempt being made, for the notes of receiveReply (0 outside transact).
    int currentAttempt() const { return attempt_; }
    void endAttempts() { attempt_ = 0; }

  private:
    void begin(const char* event);
    void field(const char* name, long long value);
    void field(const char* name, const std::string& text);
    void hexField(const char* name, const uint8_t* data, size_t n);
    // Ends the line and queues it; `now` writes the queue at once.
    void finishLine(bool now = false);
    bool flush();
    bool dropOlderHalf();
    void stop(int error);

    Clock& clock_;
    std::string program_;
    std::function<std::string()> target_;
    size_t capBytes_ = 0;  // 0: no limit
    static constexpr size_t kGatherBytes = 64 * 1024;
    static constexpr int64_t kGatherMs = 1000;

    std::string path_;
    int fd_ = -1;
    size_t size_ = 0;  // of the file, with what is queued
    std::string pending_;
    int64_t lineMs_ = 0;
    int64_t flushedMs_ = 0;
    int error_ = 0;
    int attempt_ = 0;
    std::string line_;
};

// The name of the trace file that the PC settings' check box keeps in the
// data folder, and its limit.
constexpr const char* kTraceFileName = "kvmanager-trace.jsonl";
constexpr size_t kTraceFileCap = size_t{10} * 1000 * 1000;

}  // namespace kv
