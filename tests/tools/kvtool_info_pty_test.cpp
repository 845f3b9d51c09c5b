// kvtool info as a program over a real pseudo-terminal against kvsim, in real
// time: the termios line, the options and the output end to end. The command's
// cases are tested on the virtual clock.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "support/kvsim_process.h"
#include "tools/kvtool_program.h"

namespace kv {
namespace {

TEST(KvtoolInfoPty, ReadsTheSimulatedRecorder) {
    test::KvsimProcess sim({"--model", "6300", "--mode", "wave"});
    ASSERT_TRUE(sim.started()) << sim.error();
    std::string command = test::kvtoolPath() + " --port " + sim.devicePath() +
                          " --ini /nonexistent/kv.ini info --json 2>/dev/null";
    std::string out;
    EXPECT_EQ(test::runCapturing(command, out), 0) << out;
    EXPECT_NE(out.find("\"generation\": \"later\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"modelCode\": 6300"), std::string::npos) << out;
    EXPECT_NE(out.find("\"waveMode\": 1"), std::string::npos) << out;
    EXPECT_NE(out.find("\"measurementCounts\": ["), std::string::npos) << out;
}

}  // namespace
}  // namespace kv
