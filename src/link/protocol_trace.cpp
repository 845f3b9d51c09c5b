#include "link/protocol_trace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "base/safe_file_writer.h"
#include "base/version.h"

namespace kv {
namespace {

std::string jsonText(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

}  // namespace

ProtocolTrace::ProtocolTrace(Clock& clock, std::string program)
    : clock_(clock), program_(std::move(program)) {}

ProtocolTrace::~ProtocolTrace() {
    flush();
    if (fd_ >= 0) ::close(fd_);
}

bool ProtocolTrace::writeTo(const std::string& path, int& error) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = errno;
        return false;
    }
    flush();
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
    path_ = path;
    pending_.clear();
    target_ = nullptr;
    capBytes_ = 0;
    size_ = 0;
    error_ = 0;
    return true;
}

void ProtocolTrace::followTarget(std::function<std::string()> target, size_t capBytes) {
    target_ = std::move(target);
    capBytes_ = capBytes;
}

void ProtocolTrace::stop(int error) {
    error_ = error;
    pending_.clear();
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void ProtocolTrace::begin(const char* event) {
    lineMs_ = clock_.nowMs();
    line_ = "{\"t\":";
    line_ += std::to_string(lineMs_);
    line_ += ",\"event\":\"";
    line_ += event;
    line_ += '"';
}

void ProtocolTrace::field(const char* name, long long value) {
    line_ += ",\"";
    line_ += name;
    line_ += "\":";
    line_ += std::to_string(value);
}

void ProtocolTrace::field(const char* name, const std::string& text) {
    line_ += ",\"";
    line_ += name;
    line_ += "\":";
    line_ += jsonText(text);
}

void ProtocolTrace::hexField(const char* name, const uint8_t* data, size_t n) {
    static const char kDigits[] = "0123456789abcdef";
    line_ += ",\"";
    line_ += name;
    line_ += "\":\"";
    size_t at = line_.size();
    line_.resize(at + 2 * n);
    for (size_t i = 0; i < n; ++i) {
        line_[at++] = kDigits[data[i] >> 4];
        line_[at++] = kDigits[data[i] & 0x0F];
    }
    line_ += '"';
}

void ProtocolTrace::finishLine(bool now) {
    line_ += "}\n";
    if (fd_ < 0) return;
    if (capBytes_ > 0 && size_ + line_.size() > capBytes_) {
        std::string line = std::move(line_);
        if (!flush() || !dropOlderHalf()) return;
        line_ = std::move(line);
    }
    pending_ += line_;
    size_ += line_.size();
    // Lines are gathered and written together: a write per line would cost a
    // download more than the trace is worth. What goes wrong is written at
    // once, and nothing waits longer than a second.
    if (now || pending_.size() >= kGatherBytes || lineMs_ - flushedMs_ >= kGatherMs) flush();
}

bool ProtocolTrace::flush() {
    if (fd_ < 0) return false;
    if (const int error = writeFully(systemFileCalls(), fd_, pending_); error != 0) {
        stop(error);
        return false;
    }
    pending_.clear();
    flushedMs_ = lineMs_;
    return true;
}

// Keeps the newer half of the file, from a line's beginning on, behind a line
// that says how much went. The file is replaced whole or not at all.
bool ProtocolTrace::dropOlderHalf() {
    std::string kept;
    kept.resize(size_);
    const ssize_t r = ::pread(fd_, kept.data(), kept.size(), 0);
    if (r < 0) {
        stop(errno);
        return false;
    }
    kept.resize(static_cast<size_t>(r));
    size_t from = kept.find('\n', kept.size() / 2);
    from = from == std::string::npos ? kept.size() : from + 1;
    begin("dropped");
    field("bytes", static_cast<long long>(from));
    field("program", program_);
    field("version", std::string(programVersion()));
    const std::string marker = line_ + "}\n";
    SafeFileWriter out(path_);
    if (!out.open() || !out.write(marker) || !out.write(std::string_view(kept).substr(from)) ||
        !out.commit()) {
        stop(out.errorNumber() != 0 ? out.errorNumber() : EIO);
        return false;
    }
    ::close(fd_);
    fd_ = ::open(path_.c_str(), O_RDWR | O_APPEND | O_CLOEXEC);
    if (fd_ < 0) {
        stop(errno);
        return false;
    }
    size_ = marker.size() + kept.size() - from;
    return true;
}

void ProtocolTrace::opened(const std::string& device, int error) {
    if (target_) {
        // Each session asks anew, so the check box and the data folder take
        // effect at the next conversation.
        flush();
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
        path_ = target_();
        if (path_.empty()) return;
        fd_ = ::open(path_.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
        if (fd_ < 0) {
            error_ = errno;
            return;
        }
        struct stat st {};
        size_ = ::fstat(fd_, &st) == 0 ? static_cast<size_t>(st.st_size) : 0;
        error_ = 0;
    }
    if (fd_ < 0) return;
    begin("start");
    field("program", program_);
    field("version", std::string(programVersion()));
    finishLine();
    begin("open");
    field("device", device);
    field("error", error);
    finishLine(error != 0);
}

void ProtocolTrace::configured(int baud, int dataBits, char parity, int stopBits, int error) {
    if (fd_ < 0) return;
    begin("configure");
    field("baud", baud);
    field("dataBits", dataBits);
    field("parity", std::string(1, parity));
    field("stopBits", stopBits);
    field("error", error);
    finishLine(error != 0);
}

void ProtocolTrace::closed() {
    if (fd_ < 0) return;
    begin("close");
    finishLine(true);
    if (target_ && fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

void ProtocolTrace::sent(const uint8_t* data, size_t n, int error) {
    if (fd_ < 0) return;
    begin("send");
    hexField("bytes", data, n);
    field("error", error);
    finishLine(error != 0);
}

void ProtocolTrace::received(const uint8_t* data, size_t n) {
    if (fd_ < 0 || n == 0) return;
    begin("receive");
    hexField("bytes", data, n);
    finishLine();
}

void ProtocolTrace::readFailed(int error) {
    if (fd_ < 0) return;
    begin("readError");
    field("error", error);
    finishLine(true);
}

void ProtocolTrace::purged(size_t bytes) {
    if (fd_ < 0) return;
    begin("purge");
    field("bytes", static_cast<long long>(bytes));
    finishLine();
}

void ProtocolTrace::modemLine(char line, bool on, int error) {
    if (fd_ < 0) return;
    begin(line == 'R' ? "rts" : "dtr");
    field("on", on ? 1 : 0);
    field("error", error);
    finishLine(error != 0);
}

void ProtocolTrace::attempt(uint8_t command, int number) {
    attempt_ = number;
    if (fd_ < 0) return;
    begin("attempt");
    field("command", command);
    field("attempt", number);
    finishLine();
}

void ProtocolTrace::timedOut(uint8_t command, int number, size_t expected, uint32_t waiting) {
    if (fd_ < 0) return;
    begin("timeout");
    field("command", command);
    field("attempt", number);
    field("expected", static_cast<long long>(expected));
    field("waiting", waiting);
    finishLine(true);
}

void ProtocolTrace::invalidReply(uint8_t command, int number, size_t length) {
    if (fd_ < 0) return;
    begin("invalid");
    field("command", command);
    field("attempt", number);
    field("length", static_cast<long long>(length));
    finishLine(true);
}

void ProtocolTrace::lineReset(uint8_t command) {
    if (fd_ < 0) return;
    begin("reset");
    field("command", command);
    finishLine(true);
}

void ProtocolTrace::gaveUp(uint8_t command) {
    if (fd_ < 0) return;
    begin("failed");
    field("command", command);
    finishLine(true);
}

}  // namespace kv
