#include "link/protocol_trace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "base/sha256.h"
#include "base/version.h"

namespace kv {
namespace {

bool writeAll(int fd, const char* data, size_t n, int& error) {
    while (n > 0) {
        const ssize_t w = ::write(fd, data, n);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) {
            error = w < 0 ? errno : EIO;
            return false;
        }
        data += w;
        n -= static_cast<size_t>(w);
    }
    return true;
}

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
    if (fd_ >= 0) ::close(fd_);
}

bool ProtocolTrace::writeTo(const std::string& path, int& error) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = errno;
        return false;
    }
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
    path_ = path;
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
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void ProtocolTrace::begin(const char* event) {
    line_ = "{\"t\":";
    line_ += std::to_string(clock_.nowMs());
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
    line_ += ",\"";
    line_ += name;
    line_ += "\":\"";
    line_ += hexText(data, n);
    line_ += '"';
}

void ProtocolTrace::finishLine() {
    line_ += "}\n";
    writeLine(line_);
}

void ProtocolTrace::writeLine(const std::string& text) {
    if (fd_ < 0) return;
    const std::string* line = &text;
    std::string waiting;  // the line, while the marker of the drop is built
    if (capBytes_ > 0 && size_ + text.size() > capBytes_) {
        waiting = text;
        if (!dropOlderHalf()) return;
        line = &waiting;
    }
    int error = 0;
    if (!writeAll(fd_, line->data(), line->size(), error)) {
        stop(error);
        return;
    }
    size_ += line->size();
}

// Keeps the newer half of the file, from a line's beginning on, behind a line
// that says how much went. Written beside the file and renamed over it, so a
// failure leaves the old trace as it was.
bool ProtocolTrace::dropOlderHalf() {
    std::string kept;
    kept.resize(size_);
    ssize_t r = ::pread(fd_, kept.data(), kept.size(), 0);
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
    line_ += "}\n";
    const std::string temporary = path_ + ".tmp";
    const int fd =
        ::open(temporary.c_str(), O_RDWR | O_APPEND | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    int error = 0;
    if (fd < 0) {
        stop(errno);
        return false;
    }
    if (!writeAll(fd, line_.data(), line_.size(), error) ||
        !writeAll(fd, kept.data() + from, kept.size() - from, error) ||
        ::rename(temporary.c_str(), path_.c_str()) != 0) {
        if (error == 0) error = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        stop(error);
        return false;
    }
    ::close(fd_);
    fd_ = fd;
    size_ = line_.size() + kept.size() - from;
    return true;
}

void ProtocolTrace::opened(const std::string& device, int error) {
    if (target_) {
        // Each session asks anew, so the check box and the data folder take
        // effect at the next conversation.
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
    finishLine();
}

void ProtocolTrace::configured(int baud, int dataBits, char parity, int stopBits, int error) {
    if (fd_ < 0) return;
    begin("configure");
    field("baud", baud);
    field("dataBits", dataBits);
    field("parity", std::string(1, parity));
    field("stopBits", stopBits);
    field("error", error);
    finishLine();
}

void ProtocolTrace::closed() {
    if (fd_ < 0) return;
    begin("close");
    finishLine();
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
    finishLine();
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
    finishLine();
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
    finishLine();
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
    finishLine();
}

void ProtocolTrace::invalidReply(uint8_t command, int number, size_t length) {
    if (fd_ < 0) return;
    begin("invalid");
    field("command", command);
    field("attempt", number);
    field("length", static_cast<long long>(length));
    finishLine();
}

void ProtocolTrace::lineReset(uint8_t command) {
    if (fd_ < 0) return;
    begin("reset");
    field("command", command);
    finishLine();
}

void ProtocolTrace::gaveUp(uint8_t command) {
    if (fd_ < 0) return;
    begin("failed");
    field("command", command);
    finishLine();
}

}  // namespace kv
