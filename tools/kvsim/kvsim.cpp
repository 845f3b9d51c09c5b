// kvsim: a KV recorder on a pseudo-terminal. Prints the slave's path as the
// first line of its output, then answers command frames until SIGINT, SIGTERM
// or the end of its standard input.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "kvsim_options.h"
#include "model/faults.h"
#include "model/recorder_model.h"
#include "model/replay_responder.h"
#include "model/scripted_responder.h"
#include "model/wire.h"

namespace {

using kv::sim::Delivery;
using kv::sim::FaultyResponder;

volatile sig_atomic_t gStop = 0;
void onSignal(int) {
    gStop = 1;
}

int64_t nowUs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

// A watched stdin that is /dev/null would end the simulator at once when a
// script starts it in the background; only a pipe or a terminal counts.
bool stdinWorthWatching() {
    struct stat in {
    }, null{};
    if (fstat(STDIN_FILENO, &in) != 0) return false;
    if (S_ISCHR(in.st_mode) && stat("/dev/null", &null) == 0 && in.st_rdev == null.st_rdev)
        return false;
    return true;
}

// One piece of output and when it is due. Reply pieces are dropped when a new
// command arrives (a recorder starts over); telegram pieces are not.
struct Piece {
    int64_t atUs;
    std::vector<uint8_t> bytes;
    bool reply;
    bool hangUpAfter;
};

class Simulator {
  public:
    Simulator(const Options& o, kv::sim::Responder& model) : o_(o), faulty_(model, o.faults) {}

    int run();

  private:
    bool openPty();
    void onFrame(const std::vector<uint8_t>& frame);
    void schedule(std::vector<uint8_t> bytes, int64_t startUs, int64_t gapUs, size_t burstTail,
                  bool reply, bool hangUp);
    void scheduleArrivals(const Delivery& d);
    void insert(Piece p);
    // Writes what is due; false after a hang-up.
    bool flushDue();
    void writeOut(const std::vector<uint8_t>& bytes);

    const Options& o_;
    FaultyResponder faulty_;
    kv::sim::FrameAssembler assembler_;
    int master_ = -1;
    int slave_ = -1;  // held open so that the master never reads EIO between sessions
    std::deque<Piece> out_;
    int64_t nextLiveUs_ = 0;
    long frames_ = 0;
};

bool Simulator::openPty() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        std::fprintf(stderr, "kvsim: cannot create a pseudo-terminal: %s\n", std::strerror(errno));
        return false;
    }
    const char* name = ptsname(master_);
    if (!name) {
        std::fprintf(stderr, "kvsim: ptsname: %s\n", std::strerror(errno));
        return false;
    }
    std::string path = name;
    slave_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) {
        std::fprintf(stderr, "kvsim: cannot open %s: %s\n", path.c_str(), std::strerror(errno));
        return false;
    }
    // Raw from the start: no echo (our replies would come back to us as
    // commands), no CR/LF translation, no signals from 0x03.
    termios tio{};
    if (tcgetattr(slave_, &tio) == 0) {
        cfmakeraw(&tio);
        tio.c_cflag |= CLOCAL | CREAD;
        tcsetattr(slave_, TCSANOW, &tio);
    }
    int flags = fcntl(master_, F_GETFL);
    fcntl(master_, F_SETFL, flags | O_NONBLOCK);
    std::printf("%s\n", path.c_str());
    std::fflush(stdout);
    return true;
}

void Simulator::insert(Piece p) {
    auto at = out_.end();
    while (at != out_.begin() && (at - 1)->atUs > p.atUs) --at;
    out_.insert(at, std::move(p));
}

void Simulator::schedule(std::vector<uint8_t> bytes, int64_t startUs, int64_t gapUs,
                         size_t burstTail, bool reply, bool hangUp) {
    int64_t byteUs = o_.baud > 0 ? 10'000'000 / o_.baud : 0;
    if (bytes.empty()) {
        if (hangUp) insert({startUs, {}, reply, true});
        return;
    }
    if (gapUs > 0) {  // trickle: one byte at a time
        for (size_t i = 0; i < bytes.size(); ++i) {
            bool last = i + 1 == bytes.size();
            insert({startUs + static_cast<int64_t>(i) * std::max(gapUs, byteUs),
                    {bytes[i]},
                    reply,
                    hangUp && last});
        }
        return;
    }
    if (byteUs == 0) {
        insert({startUs, std::move(bytes), reply, hangUp});
        return;
    }
    // Paced: chunks the size of a UART FIFO. A short remainder, and the bytes
    // that must come together with their predecessor, go with the chunk before.
    const size_t chunk = 16;
    size_t a = 0;
    while (a < bytes.size()) {
        size_t b = std::min(a + chunk, bytes.size());
        if (bytes.size() - b < chunk / 2 || bytes.size() - b <= burstTail) b = bytes.size();
        int64_t at = startUs + static_cast<int64_t>(b) * byteUs;
        insert({at,
                std::vector<uint8_t>(bytes.begin() + static_cast<long>(a),
                                     bytes.begin() + static_cast<long>(b)),
                reply, hangUp && b == bytes.size()});
        a = b;
    }
}

void Simulator::onFrame(const std::vector<uint8_t>& frame) {
    ++frames_;
    // A new command: what is left of an earlier reply is never sent.
    for (auto it = out_.begin(); it != out_.end();) it = it->reply ? out_.erase(it) : it + 1;
    Delivery d = faulty_.deliver(frame.data(), frame.size());
    if (o_.verbose)
        std::fprintf(stderr, "kvsim: frame %ld command %d -> %zu bytes%s%s\n", frames_, frame[2],
                     d.bytes.size(), d.byteGapMs ? " (trickle)" : "", d.hangUp ? " (hang-up)" : "");
    if (d.hangUp) d.bytes.resize(std::min(d.hangUpAfterBytes, d.bytes.size()));
    if (d.arrivalUs.size() == d.bytes.size() && !d.bytes.empty()) {
        scheduleArrivals(d);
        return;
    }
    int64_t byteUs = o_.baud > 0 ? 10'000'000 / o_.baud : 0;
    int64_t start = nowUs() + o_.latencyMs * 1000 + (d.byteGapMs > 0 ? byteUs : 0);
    schedule(std::move(d.bytes), start, d.byteGapMs * 1000, d.burstTail, true, d.hangUp);
}

// A replayed answer: the bytes that arrived together then go out together.
void Simulator::scheduleArrivals(const Delivery& d) {
    const int64_t start = nowUs();
    size_t a = 0;
    while (a < d.bytes.size()) {
        size_t b = a + 1;
        while (b < d.bytes.size() && d.arrivalUs[b] == d.arrivalUs[a]) ++b;
        insert({start + d.arrivalUs[a],
                std::vector<uint8_t>(d.bytes.begin() + static_cast<long>(a),
                                     d.bytes.begin() + static_cast<long>(b)),
                true, d.hangUp && b == d.bytes.size()});
        a = b;
    }
}

void Simulator::writeOut(const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    int64_t giveUp = nowUs() + 1'000'000;
    while (done < bytes.size()) {
        ssize_t w = write(master_, bytes.data() + done, bytes.size() - done);
        if (w > 0) {
            done += static_cast<size_t>(w);
            continue;
        }
        if (w < 0 && errno == EINTR) continue;
        if (w < 0 && errno != EAGAIN) return;
        // The slave's input is full (nobody reads): wait a little, then drop
        // the rest, as bytes on a cable without a listener are lost.
        int64_t rest = giveUp - nowUs();
        if (rest <= 0) return;
        pollfd p{master_, POLLOUT, 0};
        poll(&p, 1, static_cast<int>(rest / 1000) + 1);
    }
}

bool Simulator::flushDue() {
    int64_t now = nowUs();
    while (!out_.empty() && out_.front().atUs <= now) {
        Piece p = std::move(out_.front());
        out_.pop_front();
        writeOut(p.bytes);
        if (p.hangUpAfter) return false;
    }
    return true;
}

int Simulator::run() {
    if (!openPty()) return 1;
    bool watchStdin = o_.watchStdin && stdinWorthWatching();
    nextLiveUs_ = nowUs() + o_.liveIntervalMs * 1000;

    sigset_t blocked, waitMask;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGINT);
    sigaddset(&blocked, SIGTERM);
    sigaddset(&blocked, SIGHUP);
    sigprocmask(SIG_BLOCK, &blocked, &waitMask);
    sigdelset(&waitMask, SIGINT);
    sigdelset(&waitMask, SIGTERM);
    sigdelset(&waitMask, SIGHUP);

    std::vector<std::vector<uint8_t>> frames;
    uint8_t buf[4096];
    while (!gStop) {
        int64_t now = nowUs();
        int64_t wake = INT64_MAX;
        if (!out_.empty()) wake = out_.front().atUs;
        if (o_.live) wake = std::min(wake, nextLiveUs_);
        timespec timeout{};
        timespec* tp = nullptr;
        if (wake != INT64_MAX) {
            int64_t rest = std::max<int64_t>(0, wake - now);
            timeout.tv_sec = rest / 1000000;
            timeout.tv_nsec = (rest % 1000000) * 1000;
            tp = &timeout;
        }
        pollfd fds[2] = {{master_, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        int r = ppoll(fds, watchStdin ? 2 : 1, tp, &waitMask);  // signals only get through here
        if (r < 0 && errno != EINTR) {
            std::fprintf(stderr, "kvsim: poll: %s\n", std::strerror(errno));
            return 1;
        }
        if (r > 0 && (fds[0].revents & POLLIN)) {
            ssize_t n = read(master_, buf, sizeof buf);
            if (n > 0) {
                frames.clear();
                assembler_.feed(buf, static_cast<size_t>(n), frames);
                for (const auto& f : frames) onFrame(f);
            } else if (n < 0 && errno == EIO) {
                struct timespec pause {
                    0, 20'000'000
                };  // no slave open; should not happen while we hold one
                nanosleep(&pause, nullptr);
            }
        }
        if (watchStdin && r > 0 && (fds[1].revents & (POLLIN | POLLHUP))) {
            ssize_t n = read(STDIN_FILENO, buf, sizeof buf);
            if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN)) break;  // end of input
        }
        if (o_.live && nowUs() >= nextLiveUs_) {
            std::vector<uint8_t> t = faulty_.nextTelegram();
            int64_t byteUs = o_.baud > 0 ? 10'000'000 / o_.baud : 0;
            if (!t.empty()) schedule(std::move(t), nowUs() + byteUs, 0, 0, false, false);
            nextLiveUs_ += o_.liveIntervalMs * 1000;
            if (nextLiveUs_ < nowUs()) nextLiveUs_ = nowUs() + o_.liveIntervalMs * 1000;
        }
        if (!flushDue()) {
            if (o_.verbose) std::fprintf(stderr, "kvsim: hanging up\n");
            close(slave_);
            close(master_);
            return 0;
        }
    }
    close(slave_);
    close(master_);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    std::string error;
    if (!parseOptions(argc, argv, o, error)) {
        if (error == "help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        std::fprintf(stderr, "kvsim: %s\n%s", error.c_str(), kUsage);
        return 2;
    }
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
    signal(SIGPIPE, SIG_IGN);

    std::unique_ptr<kv::sim::Responder> responder;
    if (!o.replay.empty()) {
        std::vector<kv::sim::RecordedExchange> exchanges;
        std::string why;
        if (!kv::sim::loadRecordedExchanges(o.replay, exchanges, why)) {
            std::fprintf(stderr, "kvsim: %s\n", why.c_str());
            return 1;
        }
        if (o.verbose) std::fprintf(stderr, "kvsim: replaying %zu commands\n", exchanges.size());
        responder = std::make_unique<kv::sim::ReplayResponder>(std::move(exchanges), o.delayScale);
    } else if (o.echo || o.replyLength) {
        auto scripted = std::make_unique<kv::sim::ScriptedResponder>();
        size_t length = o.replyLength;
        // A real recorder ignores a frame whose envelope or CRC is wrong.
        scripted->setDefault([length](const uint8_t* f, size_t n) -> std::vector<uint8_t> {
            if (n != 32 || !kv::sim::isValidFrame(f, n, f[2])) return {};
            if (length == 0) return std::vector<uint8_t>(f, f + n);
            return kv::sim::makeReply(f[2], length, 0x5A);
        });
        responder = std::move(scripted);
    } else {
        std::string why;
        auto model = kv::sim::makeRecorderModel(o.config, why);
        if (!model) {
            std::fprintf(stderr, "kvsim: %s\n", why.c_str());
            return 1;
        }
        responder = std::move(model);
    }
    Simulator sim(o, *responder);
    return sim.run();
}
