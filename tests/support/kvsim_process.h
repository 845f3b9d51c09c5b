#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace kv::test {

// The kvsim program in a child process, for tests over a real pseudo-terminal.
// Starts it with the given options, reads the slave path from its first line
// and ends it when destroyed (closing its standard input, then SIGTERM, then
// SIGKILL). kvsim also ends by itself when the test process dies, since its
// standard input is a pipe from here.
//
//   KvsimProcess sim({"--echo", "--extra-byte", "1"});
//   ASSERT_TRUE(sim.started()) << sim.error();
//   TermiosDevice device;
//   ASSERT_EQ(device.open(sim.devicePath()), 0);
class KvsimProcess {
  public:
    explicit KvsimProcess(const std::vector<std::string>& options, int startTimeoutMs = 5000);
    ~KvsimProcess();
    KvsimProcess(const KvsimProcess&) = delete;
    KvsimProcess& operator=(const KvsimProcess&) = delete;

    // $KV_BUILD_DIR/bin/kvsim, else found beside this test program's build folder.
    static std::string binaryPath();

    bool started() const { return !devicePath_.empty(); }
    const std::string& devicePath() const { return devicePath_; }
    const std::string& error() const { return error_; }
    pid_t pid() const { return pid_; }

    // Closes kvsim's standard input and waits up to timeoutMs for it to end.
    // Returns its exit status, or -1 when it did not end in time.
    int closeInputAndWait(int timeoutMs = 3000);
    // Sends a signal and waits as above.
    int signalAndWait(int signal, int timeoutMs = 3000);
    // Waits for it to end by itself.
    int wait(int timeoutMs);

  private:
    pid_t pid_ = -1;
    int stdinFd_ = -1;
    int stdoutFd_ = -1;
    int status_ = -1;
    std::string devicePath_;
    std::string error_;
};

}  // namespace kv::test
