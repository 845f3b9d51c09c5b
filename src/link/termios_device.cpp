#include "link/termios_device.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace kv {
namespace {

constexpr int64_t kIoBoundMs = 1000;
// Beyond this many bytes taken from the kernel and not read, the reader has
// stopped reading; like a driver queue overflow, further bytes stay where they are.
constexpr size_t kPendingLimit = 1 << 20;

bool speedFor(int baud, speed_t& out) {
    switch (baud) {
        case 50:
            out = B50;
            return true;
        case 75:
            out = B75;
            return true;
        case 110:
            out = B110;
            return true;
        case 134:
            out = B134;
            return true;
        case 150:
            out = B150;
            return true;
        case 200:
            out = B200;
            return true;
        case 300:
            out = B300;
            return true;
        case 600:
            out = B600;
            return true;
        case 1200:
            out = B1200;
            return true;
        case 1800:
            out = B1800;
            return true;
        case 2400:
            out = B2400;
            return true;
        case 4800:
            out = B4800;
            return true;
        case 9600:
            out = B9600;
            return true;
        case 19200:
            out = B19200;
            return true;
        case 38400:
            out = B38400;
            return true;
        case 57600:
            out = B57600;
            return true;
        case 115200:
            out = B115200;
            return true;
        case 230400:
            out = B230400;
            return true;
        case 460800:
            out = B460800;
            return true;
        case 921600:
            out = B921600;
            return true;
        default:
            return false;
    }
}

// Raw bytes both ways, flow control off, reads that never block in the driver
// (the deadlines are ours, kept with poll). Character size, parity, stop bits
// and speed are left to the caller.
void makeRaw(termios& tio) {
    cfmakeraw(&tio);
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | ISTRIP);
    tio.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
}

// Unix98 pseudo-terminal slaves have majors 136 to 143.
bool isPtySlave(int fd) {
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode)) return false;
    unsigned m = major(st.st_rdev);
    return m >= 136 && m <= 143;
}

}  // namespace

TermiosDevice::TermiosDevice() : clock_(ownClock_) {}
TermiosDevice::TermiosDevice(Clock& clock) : clock_(clock) {}
TermiosDevice::~TermiosDevice() {
    close();
}

int TermiosDevice::open(const std::string& path) {
    if (fd_ >= 0) close();
    // O_NONBLOCK: a port whose carrier is down must not block the open, and
    // every read and write below is bounded by poll() instead.
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno;
    if (!isatty(fd)) {
        ::close(fd);
        return ENOTTY;
    }
    // Two locks, as libserialport takes them: TIOCEXCL makes the kernel refuse
    // any further open of the tty (except by root), flock() is seen by every
    // program that plays by the same rule, root included. Neither alone closes
    // the race between two programs opening the same port.
    if (ioctl(fd, TIOCEXCL) != 0) {
        int e = errno;
        ::close(fd);
        return e;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        // Another program holds the port: "busy", not "try again".
        int e = errno == EWOULDBLOCK ? EBUSY : errno;
        ioctl(fd, TIOCNXCL);
        ::close(fd);
        return e;
    }
    // Raw at once: a fresh tty echoes and translates CR/LF, and a port that is
    // never configured, or asked for a speed termios lacks, must not answer
    // the recorder's bytes with echoes of them.
    termios tio{};
    if (tcgetattr(fd, &tio) == 0) {
        makeRaw(tio);
        tcsetattr(fd, TCSANOW, &tio);
    }
    fd_ = fd;
    pty_ = isPtySlave(fd);
    seen_ = 0;
    baud_ = 0;
    lineError_ = 0;
    pending_.clear();
    pendingHead_ = 0;
    return 0;
}

void TermiosDevice::close() {
    if (fd_ < 0) return;
    // The exclusive flag belongs to the tty, not to this descriptor: when
    // another process keeps the tty open (the simulator keeps its own slave
    // descriptor) the flag would outlive us and lock the next program out.
    ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
    pending_.clear();
    pendingHead_ = 0;
    seen_ = 0;
}

int TermiosDevice::configure(int baud, int dataBits, char parity, int stopBits) {
    if (fd_ < 0) return EBADF;
    termios tio{};
    if (tcgetattr(fd_, &tio) != 0) return errno;
    makeRaw(tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB);
    switch (dataBits) {
        case 5:
            tio.c_cflag |= CS5;
            break;
        case 6:
            tio.c_cflag |= CS6;
            break;
        case 7:
            tio.c_cflag |= CS7;
            break;
        default:
            tio.c_cflag |= CS8;
            break;
    }
    if (parity == 'E' || parity == 'e') {
        tio.c_cflag |= PARENB;
        tio.c_iflag |= INPCK;
    } else if (parity == 'O' || parity == 'o') {
        tio.c_cflag |= PARENB | PARODD;
        tio.c_iflag |= INPCK;
    }
    if (stopBits == 2) tio.c_cflag |= CSTOPB;
    // A speed termios has no constant for keeps the line's current one, but
    // the byte format is applied all the same.
    speed_t speed;
    bool known = speedFor(baud, speed);
    if (known && (cfsetispeed(&tio, speed) != 0 || cfsetospeed(&tio, speed) != 0)) return errno;
    if (tcsetattr(fd_, TCSANOW, &tio) != 0) return errno;
    if (known) baud_ = baud;
    return known ? 0 : EINVAL;
}

int TermiosDevice::write(const uint8_t* data, size_t n) {
    if (fd_ < 0) return EBADF;
    int64_t deadline = clock_.nowMs() + kIoBoundMs;
    size_t done = 0;
    while (done < n) {
        ssize_t w = ::write(fd_, data + done, n - done);
        if (w > 0) {
            done += static_cast<size_t>(w);
            continue;
        }
        if (w < 0 && errno == EINTR) continue;
        if (w < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return errno;
        int64_t rest = deadline - clock_.nowMs();
        if (rest <= 0) return ETIMEDOUT;
        pollfd p{fd_, POLLOUT, 0};
        int r = poll(&p, 1, static_cast<int>(rest));
        if (r < 0 && errno != EINTR) return errno;
        if (r > 0 && (p.revents & (POLLERR | POLLNVAL))) return EIO;
        if (r > 0 && (p.revents & POLLHUP) && !(p.revents & POLLOUT)) return EIO;
    }
    waitUntilSent(deadline);
    return 0;
}

void TermiosDevice::waitUntilSent(int64_t deadlineMs) {
    // A recorder's answer is timed from the end of the command on the wire, so
    // the write is done once the driver has sent it, not once it holds it (at
    // 1200 baud a frame takes 267 ms of the 400 ms idle time-out). A driver that
    // never reports an empty queue delays the write by the bound, never fails it.
    for (;;) {
        int queued = 0;
        if (ioctl(fd_, TIOCOUTQ, &queued) != 0 || queued <= 0) return;
        int64_t rest = deadlineMs - clock_.nowMs();
        if (rest <= 0) return;
        int64_t sendMs = baud_ > 0 ? int64_t{queued} * 10000 / baud_ + 1 : 1;
        clock_.sleepMs(std::min(rest, sendMs));
    }
}

int TermiosDevice::readByte(uint8_t& out) {
    if (fd_ < 0) return EBADF;
    // Callers read a reply byte by byte once all of it waits: one read() for
    // the lot instead of one system call per byte.
    if (pendingHead_ == pending_.size() && lineError_ == 0) lineError_ = drainKernelQueue();
    if (pendingHead_ < pending_.size()) {
        out = pending_[pendingHead_++];
        if (seen_ > 0) --seen_;
        if (pendingHead_ == pending_.size()) {
            pending_.clear();
            pendingHead_ = 0;
        }
        return 0;
    }
    int64_t deadline = clock_.nowMs() + kIoBoundMs;
    bool hangUpSeen = false;
    for (;;) {
        // With VMIN = VTIME = 0 an empty queue reads as 0 bytes, not EAGAIN;
        // a hang-up shows in poll() (POLLHUP/POLLERR) or as EIO from read().
        ssize_t r = ::read(fd_, &out, 1);
        if (r == 1) {
            if (seen_ > 0) --seen_;
            return 0;
        }
        if (r < 0 && errno == EINTR) continue;
        if (r < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return errno;
        if (hangUpSeen) return EIO;
        int64_t rest = deadline - clock_.nowMs();
        if (rest <= 0) return ETIMEDOUT;
        pollfd p{fd_, POLLIN, 0};
        int pr = poll(&p, 1, static_cast<int>(rest));
        if (pr < 0 && errno != EINTR) return errno;
        if (pr > 0 && (p.revents & POLLNVAL)) return EBADF;
        if (pr > 0 && (p.revents & (POLLHUP | POLLERR))) hangUpSeen = true;  // read once more
    }
}

size_t TermiosDevice::readWaiting(uint8_t* out, size_t n, int& error) {
    error = 0;
    if (fd_ < 0) {
        error = EBADF;
        return 0;
    }
    if (pending_.size() - pendingHead_ < n && lineError_ == 0) lineError_ = drainKernelQueue();
    const size_t take = std::min(n, pending_.size() - pendingHead_);
    std::memcpy(out, pending_.data() + pendingHead_, take);
    pendingHead_ += take;
    seen_ = seen_ > take ? seen_ - take : 0;
    if (pendingHead_ == pending_.size()) {
        pending_.clear();
        pendingHead_ = 0;
    }
    // What is missing still comes, or fails, byte by byte as readByte has it.
    size_t done = take;
    while (done < n && (error = readByte(out[done])) == 0) ++done;
    return done;
}

uint32_t TermiosDevice::bytesWaiting() {
    if (fd_ < 0) return 0;
    size_t have = pending_.size() - pendingHead_;
    int inKernel = 0;
    if (ioctl(fd_, FIONREAD, &inKernel) != 0 || inKernel < 0) inKernel = 0;
    seen_ = have + static_cast<size_t>(inKernel);
    return static_cast<uint32_t>(seen_);
}

int TermiosDevice::drainKernelQueue() {
    uint8_t chunk[4096];
    while (pending_.size() - pendingHead_ < kPendingLimit) {
        ssize_t r = ::read(fd_, chunk, sizeof chunk);
        if (r > 0) {
            if (pendingHead_ > 0 && pendingHead_ == pending_.size()) {
                pending_.clear();
                pendingHead_ = 0;
            }
            pending_.insert(pending_.end(), chunk, chunk + r);
            continue;
        }
        if (r == 0) return 0;  // empty (VMIN = VTIME = 0)
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) return 0;
        return errno;  // EIO: the other end of a pseudo-terminal has gone
    }
    return 0;
}

void TermiosDevice::sleepUntil(int64_t deadlineMs) {
    int64_t rest = deadlineMs - clock_.nowMs();
    if (rest > 0) clock_.sleepMs(rest);
}

int TermiosDevice::waitForInput(int64_t deadlineMs) {
    if (fd_ < 0) {
        sleepUntil(deadlineMs);
        return EBADF;
    }
    // poll() reports "readable" for as long as anything waits in the kernel,
    // so what waits there now is moved to pending_ first: then poll() sleeps
    // until a new byte arrives.
    if (lineError_ == 0) lineError_ = drainKernelQueue();
    // A byte that reached the kernel after the caller last counted is news
    // too, though poll() will not report it any more: without this, a reply
    // whose last byte lands between the count and the drain would sit out
    // the idle deadline and be lost. What a vanished line still held is read
    // before its failure is told.
    size_t have = pending_.size() - pendingHead_;
    if (have > seen_) {
        seen_ = have;
        return 0;
    }
    if (lineError_ != 0) {
        sleepUntil(deadlineMs);  // a vanished device reports POLLHUP forever; do not spin on it
        return lineError_;
    }
    if (have >= kPendingLimit) {
        sleepUntil(deadlineMs);
        return 0;
    }
    for (;;) {
        int64_t rest = deadlineMs - clock_.nowMs();
        if (rest <= 0) return 0;
        pollfd p{fd_, POLLIN, 0};
        int r = poll(&p, 1, static_cast<int>(rest));
        if (r < 0) {
            if (errno == EINTR) continue;  // a signal: wait the rest
            const int e = errno;
            sleepUntil(deadlineMs);
            return e;
        }
        if (r == 0) return 0;                                         // deadline
        if (!(p.revents & (POLLHUP | POLLERR | POLLNVAL))) return 0;  // new input
        // The device has gone (a USB adapter pulled, the simulator ended): it
        // will report POLLHUP forever. Take what it still holds, then let the
        // caller see it at once, or sleep out the deadline and tell the failure.
        size_t before = pending_.size() - pendingHead_;
        const int drained = drainKernelQueue();
        lineError_ = drained != 0 ? drained : (p.revents & POLLNVAL) ? EBADF : EIO;
        if (pending_.size() - pendingHead_ > before) {
            seen_ = pending_.size() - pendingHead_;
            return 0;
        }
        sleepUntil(deadlineMs);
        return lineError_;
    }
}

void TermiosDevice::discardInput() {
    if (fd_ < 0) return;
    pending_.clear();
    pendingHead_ = 0;
    seen_ = 0;
    tcflush(fd_, TCIFLUSH);
}

int TermiosDevice::setModemBit(int bit, bool on) {
    if (fd_ < 0) return EBADF;
    if (ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bit) == 0) return 0;
    int e = errno;
    if (pty_ && (e == ENOTTY || e == EINVAL)) return 0;  // no modem lines on a pseudo-terminal
    return e;
}

int TermiosDevice::setRts(bool on) {
    return setModemBit(TIOCM_RTS, on);
}
int TermiosDevice::setDtr(bool on) {
    return setModemBit(TIOCM_DTR, on);
}

}  // namespace kv
