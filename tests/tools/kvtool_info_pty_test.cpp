// kvtool info as a program over a real pseudo-terminal against kvsim, in real
// time: the termios line, the options and the output end to end. The command's
// cases are tested on the virtual clock.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "support/kvsim_process.h"

namespace kv {
namespace {

std::string kvtoolPath() {
    std::string sim = test::KvsimProcess::binaryPath();  // <build>/tools/kvsim/kvsim
    return sim.substr(0, sim.size() - std::string("kvsim/kvsim").size()) + "kvtool/kvtool";
}

TEST(KvtoolInfoPty, ReadsTheSimulatedRecorder) {
    test::KvsimProcess sim({"--model", "6300", "--mode", "wave"});
    ASSERT_TRUE(sim.started()) << sim.error();
    std::string command = kvtoolPath() + " --port " + sim.devicePath() +
                          " --ini /nonexistent/kv.ini info --json 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) out.append(buf, n);
    int status = ::pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << out;
    EXPECT_NE(out.find("\"generation\": \"later\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"modelCode\": 6300"), std::string::npos) << out;
    EXPECT_NE(out.find("\"waveMode\": 1"), std::string::npos) << out;
    EXPECT_NE(out.find("\"measurementCounts\": ["), std::string::npos) << out;
}

}  // namespace
}  // namespace kv
