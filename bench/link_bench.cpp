// The recorder link over a pseudo-terminal against kvsim, with no baud limit:
// what a transaction costs the program itself, next to the wire time of the
// same frames at 38400 baud, and what a transaction that is never answered
// costs in CPU while it waits.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "link/frame.h"
#include "link/recorder_port.h"
#include "link/termios_device.h"
#include "model/wire.h"
#include "support/kvsim_process.h"
#include "support/recording_host.h"

namespace {

constexpr size_t kReply = 191;
// 32 command bytes and 191 reply bytes, 10 bits each, at 38400 baud.
constexpr double kWireMs = (32.0 + kReply) * 10.0 / 38400.0 * 1000.0;

double processCpuMs() {
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return (ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) * 1e3 +
           (ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e3;
}

struct Session {
    explicit Session(const std::string& path)
        : link{device, clock, host, [path](int) { return path; }}, port(link) {
        port.configure(38400, 8, 'N', 1.0);
        ok = port.open(1) && port.setModemLines(1);
    }
    kv::RealClock clock;
    kv::TermiosDevice device{clock};
    kv::test::RecordingHost host;
    kv::Link link;
    kv::RecorderPort port;
    bool ok = false;
};

void BM_TransactRoundTrip191(benchmark::State& state) {
    kv::test::KvsimProcess sim({"--reply-length", std::to_string(kReply)});
    if (!sim.started()) {
        state.SkipWithError(sim.error().c_str());
        return;
    }
    Session s(sim.devicePath());
    uint8_t command[32] = {};
    uint8_t reply[kReply];
    double cpu0 = processCpuMs();
    int64_t failures = 0;
    for (auto _ : state) {
        if (!kv::transact(s.port, 33, command, 32, reply, kReply)) ++failures;
    }
    double cpuPerTransactMs = (processCpuMs() - cpu0) / static_cast<double>(state.iterations());
    state.counters["failures"] = static_cast<double>(failures);
    state.counters["cpu_us_per_transact"] = cpuPerTransactMs * 1000.0;
    state.counters["wire_ms_at_38400"] = kWireMs;
    state.counters["cpu_pct_of_wire"] = 100.0 * cpuPerTransactMs / kWireMs;
}
BENCHMARK(BM_TransactRoundTrip191)->UseRealTime()->Unit(benchmark::kMicrosecond)->MinTime(1.0);

// The same exchange with plain read() and write() on the pseudo-terminal: the
// floor that the kernel and kvsim set, without the port, purge and checks.
void BM_RawPtyRoundTrip191(benchmark::State& state) {
    kv::test::KvsimProcess sim({"--reply-length", std::to_string(kReply)});
    if (!sim.started()) {
        state.SkipWithError(sim.error().c_str());
        return;
    }
    int fd = open(sim.devicePath().c_str(), O_RDWR | O_NOCTTY);
    termios tio{};
    tcgetattr(fd, &tio);
    cfmakeraw(&tio);
    tcsetattr(fd, TCSANOW, &tio);
    auto command = kv::sim::makeCommand(33);
    uint8_t reply[kReply];
    for (auto _ : state) {
        if (write(fd, command.data(), 32) != 32) state.SkipWithError("write");
        size_t got = 0;
        while (got < kReply) {
            pollfd p{fd, POLLIN, 0};
            if (poll(&p, 1, 1000) <= 0) break;
            ssize_t n = read(fd, reply + got, kReply - got);
            if (n <= 0) break;
            got += static_cast<size_t>(n);
        }
        benchmark::DoNotOptimize(reply);
    }
    close(fd);
}
BENCHMARK(BM_RawPtyRoundTrip191)->UseRealTime()->Unit(benchmark::kMicrosecond)->MinTime(1.0);

// Three attempts of 400 ms of silence each (1.2 s of waiting for bytes), plus
// the two 1500 ms modem-line resets that only sleep.
void BM_TransactNeverAnswered(benchmark::State& state) {
    kv::test::KvsimProcess sim({"--echo", "--silent", "1000000"});
    if (!sim.started()) {
        state.SkipWithError(sim.error().c_str());
        return;
    }
    Session s(sim.devicePath());
    uint8_t command[32] = {};
    uint8_t reply[32];
    double cpu0 = processCpuMs();
    for (auto _ : state) {
        if (kv::transact(s.port, 0, command, 32, reply, 32)) state.SkipWithError("answered");
    }
    state.counters["cpu_ms_per_transact"] =
        (processCpuMs() - cpu0) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_TransactNeverAnswered)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(2);

// Only the 1.2 s of waiting for a reply: three receiveReply calls on silence.
void BM_ReceiveReplySilence1200ms(benchmark::State& state) {
    kv::test::KvsimProcess sim({"--echo", "--silent", "1000000"});
    if (!sim.started()) {
        state.SkipWithError(sim.error().c_str());
        return;
    }
    Session s(sim.devicePath());
    uint8_t reply[32];
    double cpu0 = processCpuMs();
    for (auto _ : state) {
        for (int i = 0; i < 3; ++i) kv::receiveReply(s.port, reply, 32, 0);
    }
    state.counters["cpu_ms_per_1200ms_wait"] =
        (processCpuMs() - cpu0) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ReceiveReplySilence1200ms)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// A bare pseudo-terminal pair: the termios device on the slave, the master
// playing the recorder.
struct BarePty {
    BarePty() {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        ok = master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0 &&
             device.open(ptsname(master)) == 0 && device.configure(38400, 8, 'N', 1) == 0;
    }
    ~BarePty() {
        device.close();
        if (master >= 0) close(master);
    }
    kv::RealClock clock;
    kv::TermiosDevice device{clock};
    int master = -1;
    bool ok = false;
};

// How soon a wait wakes for a byte that arrives while it blocks (the wait's
// deadline is 10 s away), and its CPU.
void BM_WaitWakesForANewByte(benchmark::State& state) {
    BarePty pty;
    if (!pty.ok) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    double cpu0 = processCpuMs();
    for (auto _ : state) {
        const char byte = 'x';
        if (write(pty.master, &byte, 1) != 1) state.SkipWithError("write failed");
        pty.device.waitForInput(pty.clock.nowMs() + 10000);
        pty.device.discardInput();
    }
    state.counters["cpu_ms_per_wait"] =
        (processCpuMs() - cpu0) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_WaitWakesForANewByte)->UseRealTime()->Unit(benchmark::kMicrosecond);

// Three 100 ms waits on a device whose other end has gone: real time near
// 300 ms, CPU near none (a wait that spun would show it here).
void BM_WaitOnAVanishedOtherEnd(benchmark::State& state) {
    BarePty pty;
    if (!pty.ok) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    close(pty.master);
    pty.master = -1;
    double cpu0 = processCpuMs();
    for (auto _ : state) {
        for (int i = 0; i < 3; ++i) pty.device.waitForInput(pty.clock.nowMs() + 100);
    }
    state.counters["cpu_ms_per_300ms_wait"] =
        (processCpuMs() - cpu0) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_WaitOnAVanishedOtherEnd)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
