// kvtool monitor as a program over a real pseudo-terminal against kvsim's live
// telegrams, in real time: every line flushed as it comes, and the ways it ends.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "support/kvsim_process.h"
#include "support/live_telegrams.h"
#include "support/scratch_folder.h"
#include "tools/kvtool_program.h"

namespace kv {
namespace {

int countOf(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST(KvtoolMonitorPty, PrintsTheSimulatedRecordersWavesUntilTheCount) {
    test::KvsimProcess sim(
        {"--model", "6300", "--mode", "wave", "--live", "--live-interval", "150"});
    ASSERT_TRUE(sim.started()) << sim.error();
    std::string command = test::kvtoolPath() + " --port " + sim.devicePath() +
                          " --ini /nonexistent/kv.ini monitor --mode 4 --count 3 --json";
    std::string out;
    EXPECT_EQ(test::runCapturing(command, out), 0) << out;
    EXPECT_EQ(countOf(out, "\"kind\":\"wave\""), 3) << out;
    EXPECT_EQ(countOf(out, "\"resultantG\""), 9) << out;
}

TEST(KvtoolMonitorPty, AnInterruptEndsItAsAsked) {
    test::KvsimProcess sim({"--model", "5100", "--live", "--live-interval", "100"});
    ASSERT_TRUE(sim.started()) << sim.error();
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[1], 1);
        ::close(fds[0]);
        std::string tool = test::kvtoolPath();
        ::execl(tool.c_str(), tool.c_str(), "--port", sim.devicePath().c_str(), "--ini",
                "/nonexistent/kv.ini", "monitor", "--mode", "1", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    // The first line shows it is listening; then it is interrupted.
    std::string out;
    char c;
    while (out.find('\n') == std::string::npos && ::read(fds[0], &c, 1) == 1) out += c;
    ::kill(pid, SIGINT);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ::close(fds[0]);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NE(out.find(" X +"), std::string::npos) << out;
}

// kvtool monitor on a device, its standard error into a file of its own.
class KvtoolMonitorEnds : public ::testing::Test {
  protected:
    pid_t start(const std::string& device, const std::vector<std::string>& words, int outFd) {
        std::vector<std::string> all = {"--port", device, "--ini", scratch.file("kv.ini"),
                                        "monitor"};
        all.insert(all.end(), words.begin(), words.end());
        const int errFd = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        const pid_t pid = test::startKvtool(all, outFd, errFd);
        ::close(errFd);
        return pid;
    }
    std::string err() const {
        std::ostringstream text;
        text << std::ifstream(errPath).rdbuf();
        return text.str();
    }
    // Reads the first line kvtool prints: it is listening then.
    static std::string firstLine(int fd) {
        std::string line;
        char c;
        while (line.find('\n') == std::string::npos && ::read(fd, &c, 1) == 1) line += c;
        return line;
    }

    test::ScratchFolder scratch;
    std::string errPath = scratch.file("stderr");
};

TEST_F(KvtoolMonitorEnds, TheLineGoingAwayEndsItWithThePortMessage) {
    test::KvsimProcess sim({"--model", "5100", "--live", "--live-interval", "100"});
    ASSERT_TRUE(sim.started()) << sim.error();
    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
    const pid_t pid = start(sim.devicePath(), {"--mode", "1"}, fds[1]);
    ::close(fds[1]);
    ASSERT_GT(pid, 0);
    EXPECT_NE(firstLine(fds[0]).find(" X +"), std::string::npos);
    sim.signalAndWait(SIGKILL);
    EXPECT_EQ(test::waitForExit(pid, 3000), 1);
    ::close(fds[0]);
    EXPECT_NE(err().find("ポートとの接続が切れました。"), std::string::npos) << err();
    EXPECT_NE(err().find(sim.devicePath()), std::string::npos) << err();
}

// One byte every 300 ms never lets a telegram time out; an interrupt is heard all the same.
TEST_F(KvtoolMonitorEnds, AnInterruptIsHeardWhileATelegramTricklesIn) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string slave = ::ptsname(master);
    const int out = ::open(scratch.file("stdout").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    const pid_t pid = start(slave, {"--mode", "3"}, out);
    ::close(out);
    ASSERT_GT(pid, 0);
    std::atomic<bool> done{false};
    std::thread recorder([&] {
        std::vector<uint8_t> bytes = test::liveWaveTelegram({9});
        bytes.insert(bytes.begin(), {0xAA, 0x55});  // a boundary, then the telegram
        for (size_t i = 0; i < bytes.size() && !done; ++i) {
            if (::write(master, &bytes[i], 1) != 1) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        }
    });
    // The recorder's wake-up second, then well into the telegram.
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    ::kill(pid, SIGINT);
    const int status = test::waitForExit(pid, 1000);
    done = true;
    recorder.join();
    ::close(master);
    EXPECT_EQ(status, 0) << err();
    std::ifstream printed(scratch.file("stdout"));
    EXPECT_EQ(printed.peek(), std::ifstream::traits_type::eof()) << "no error for the cut telegram";
}

TEST_F(KvtoolMonitorEnds, OutputThatCannotBeWrittenFailsWithTheReason) {
    for (const bool pipe : {false, true}) {
        SCOPED_TRACE(pipe ? "a pipe nobody reads" : "a full disk");
        test::KvsimProcess sim({"--model", "5100", "--live", "--live-interval", "100"});
        ASSERT_TRUE(sim.started()) << sim.error();
        int fds[2] = {-1, -1};
        if (pipe) {
            ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
            ::close(fds[0]);
        } else {
            fds[1] = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
        }
        const pid_t pid = start(sim.devicePath(), {"--mode", "1", "--seconds", "10"}, fds[1]);
        ::close(fds[1]);
        ASSERT_GT(pid, 0);
        EXPECT_EQ(test::waitForExit(pid, 8000), 1);
        EXPECT_NE(err().find("kvtool: the output could not be written: "), std::string::npos)
            << err();
    }
}

}  // namespace
}  // namespace kv
