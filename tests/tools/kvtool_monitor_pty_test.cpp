// kvtool monitor as a program over a real pseudo-terminal against kvsim's live
// telegrams, in real time: every line flushed as it comes, and the ways it ends.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "support/kvsim_process.h"
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

}  // namespace
}  // namespace kv
