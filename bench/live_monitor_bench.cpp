// The live monitor over a pseudo-terminal: the time from the last byte of a
// telegram to the monitor handing it to the window, whether a burst of 100
// peak telegrams arrives whole, and what an idle monitor costs in CPU. The
// receive loop runs on a thread of its own as it runs on the window's thread;
// this thread plays the recorder.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "link/recorder_port.h"
#include "link/termios_device.h"
#include "model/wire.h"
#include "monitor/live_monitor.h"
#include "recorder/live_telegrams.h"
#include "support/recording_host.h"

namespace {

using Clock = std::chrono::steady_clock;

double processCpuMs() {
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return (ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) * 1e3 +
           (ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e3;
}

std::vector<uint8_t> peakTelegram(int n) {
    std::vector<uint8_t> payload(8, 0);
    payload[1] = static_cast<uint8_t>(n);
    return kv::sim::makeReply(kv::kLivePeakCode, payload);
}

// A monitor listening on the slave side of a pseudo-terminal, on its own thread.
class LiveLine {
  public:
    LiveLine() : link{device, clock, host, [this](int) { return slavePath; }}, port(link) {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return;
        slavePath = ptsname(master);
        port.configure(38400, 8, 'N', 1.0);
        if (!port.open(1)) return;
        state.identity.modelCode = 5100;
        state.identity.sensorRange = 100;
        state.info.sensitivity = {24, 24, 24};
        monitor = std::make_unique<kv::LiveMonitor>(*view, state);
        monitor->monitorMode = 1;
        monitor->clearView();
        monitor->onTelegram = [this](const kv::LiveTelegram& o) {
            std::lock_guard<std::mutex> lock(mutex);
            if (o.kind == kv::LiveOutcome::Error) {
                ++errors;
            } else {
                ++shown;
                shownAt = Clock::now();
            }
            changed.notify_all();
        };
        host.onProcessEvents = [this] {
            if (stopping) monitor->stop();
        };
        worker = std::thread([this] { monitor->ReceiveLoop(port); });
        // The loop first waits for a boundary: 400 ms of silence.
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        ok = true;
    }
    ~LiveLine() {
        stopping = true;
        if (worker.joinable()) worker.join();
        if (master >= 0) ::close(master);
    }

    void send(const std::vector<uint8_t>& bytes) {
        size_t done = 0;
        while (done < bytes.size()) {
            ssize_t n = ::write(master, bytes.data() + done, bytes.size() - done);
            if (n <= 0) return;
            done += static_cast<size_t>(n);
        }
    }
    // Waits until `count` telegrams were shown, for at most the timeout.
    bool waitShown(long count, std::chrono::milliseconds timeout) {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, timeout, [&] { return shown >= count; });
    }

    bool ok = false;
    int master = -1;
    std::string slavePath;
    kv::RealClock clock;
    kv::TermiosDevice device{clock};
    kv::test::RecordingHost host;
    kv::Link link;
    kv::RecorderPort port;
    kv::RecorderState state;
    std::unique_ptr<kv::DataSet> view = std::make_unique<kv::DataSet>();
    std::unique_ptr<kv::LiveMonitor> monitor;
    std::thread worker;
    std::atomic<bool> stopping{false};
    std::mutex mutex;
    std::condition_variable changed;
    long shown = 0;
    long errors = 0;
    Clock::time_point shownAt;
};

void BM_LastByteToShown(benchmark::State& state) {
    LiveLine line;
    if (!line.ok) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    long n = 0;
    double worstMs = 0;
    for (auto _ : state) {
        line.send(peakTelegram(static_cast<int>(n)));
        const Clock::time_point sent = Clock::now();
        if (!line.waitShown(++n, std::chrono::milliseconds(2000))) {
            state.SkipWithError("telegram not shown");
            return;
        }
        const double ms = std::chrono::duration<double, std::milli>(line.shownAt - sent).count();
        worstMs = std::max(worstMs, ms);
        state.SetIterationTime(std::max(ms, 0.0) / 1e3);
    }
    state.counters["worst_ms"] = worstMs;
    state.counters["errors"] = static_cast<double>(line.errors);
}
BENCHMARK(BM_LastByteToShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);

// 100 telegrams of 16 bytes right behind each other: paced at the wire time of
// 38400 baud (arg 1), or written all at once (arg 0), which no line can beat.
void BM_Burst100(benchmark::State& state) {
    LiveLine line;
    if (!line.ok) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    const bool paced = state.range(0) != 0;
    const auto telegramTime = std::chrono::microseconds(16 * 10 * 1'000'000 / 38400);
    long expected = 0;
    for (auto _ : state) {
        std::vector<uint8_t> all;
        auto next = Clock::now();
        for (int i = 0; i < 100; ++i) {
            std::vector<uint8_t> t = peakTelegram(i);
            if (paced) {
                std::this_thread::sleep_until(next);
                line.send(t);
                next += telegramTime;
            } else {
                all.insert(all.end(), t.begin(), t.end());
            }
        }
        if (!paced) line.send(all);
        expected += 100;
        line.waitShown(expected, std::chrono::milliseconds(3000));
    }
    state.counters["lost"] = static_cast<double>(expected - line.shown);
    state.counters["errors"] = static_cast<double>(line.errors);
}
BENCHMARK(BM_Burst100)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(5);

// CPU of the whole process while the monitor hears nothing for two seconds.
void BM_IdleMonitorCpu(benchmark::State& state) {
    LiveLine line;
    if (!line.ok) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    double percent = 0;
    for (auto _ : state) {
        const double cpu0 = processCpuMs();
        const auto t0 = Clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(2));
        const double wall = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
        percent = (processCpuMs() - cpu0) / wall * 100.0;
    }
    state.counters["cpu_percent"] = percent;
}
BENCHMARK(BM_IdleMonitorCpu)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
