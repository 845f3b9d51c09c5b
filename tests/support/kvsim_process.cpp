#include "support/kvsim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

extern char** environ;

namespace kv::test {
namespace {

int64_t monotonicMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

}  // namespace

std::string KvsimProcess::binaryPath() {
    if (const char* dir = std::getenv("KV_BUILD_DIR"); dir && *dir)
        return std::string(dir) + "/bin/kvsim";
    // Run by hand: <build>/tests/<program>, and the programs in <build>/bin.
    char self[4096];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return "kvsim";
    std::string path(self, static_cast<size_t>(n));
    for (int up = 0; up < 2; ++up) path = path.substr(0, path.rfind('/'));
    return path + "/bin/kvsim";
}

KvsimProcess::KvsimProcess(const std::vector<std::string>& options, int startTimeoutMs) {
    int in[2], out[2];
    if (pipe2(in, O_CLOEXEC) != 0) {
        error_ = std::strerror(errno);
        return;
    }
    if (pipe2(out, O_CLOEXEC) != 0) {
        error_ = std::strerror(errno);
        ::close(in[0]);
        ::close(in[1]);
        return;
    }
    std::string binary = binaryPath();
    std::vector<std::string> args{binary};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    int rc = posix_spawn(&pid_, binary.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    stdinFd_ = in[1];
    stdoutFd_ = out[0];
    if (rc != 0) {
        error_ = "cannot start " + binary + ": " + std::strerror(rc);
        pid_ = -1;
        return;
    }

    // The first line is the slave's path.
    std::string line;
    int64_t giveUp = monotonicMs() + startTimeoutMs;
    while (line.find('\n') == std::string::npos) {
        int64_t rest = giveUp - monotonicMs();
        if (rest <= 0) {
            error_ = "kvsim printed no path in time";
            return;
        }
        pollfd p{stdoutFd_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(rest)) <= 0) continue;
        char buf[256];
        ssize_t n = read(stdoutFd_, buf, sizeof buf);
        if (n <= 0) {
            error_ = "kvsim ended before printing its path (" + binary + ")";
            return;
        }
        line.append(buf, static_cast<size_t>(n));
    }
    devicePath_ = line.substr(0, line.find('\n'));
}

KvsimProcess::~KvsimProcess() {
    if (pid_ > 0 && status_ < 0) {
        if (closeInputAndWait(2000) < 0 && signalAndWait(SIGTERM, 2000) < 0)
            signalAndWait(SIGKILL, 2000);
    }
    if (stdinFd_ >= 0) ::close(stdinFd_);
    if (stdoutFd_ >= 0) ::close(stdoutFd_);
}

int KvsimProcess::wait(int timeoutMs) {
    if (pid_ <= 0) return -1;
    if (status_ >= 0) return status_;
    int64_t giveUp = monotonicMs() + timeoutMs;
    for (;;) {
        int st = 0;
        pid_t r = waitpid(pid_, &st, WNOHANG);
        if (r == pid_) {
            status_ = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
            return status_;
        }
        if (r < 0 || monotonicMs() >= giveUp) return -1;
        timespec pause{0, 10'000'000};
        nanosleep(&pause, nullptr);
    }
}

int KvsimProcess::closeInputAndWait(int timeoutMs) {
    if (stdinFd_ >= 0) {
        ::close(stdinFd_);
        stdinFd_ = -1;
    }
    return wait(timeoutMs);
}

int KvsimProcess::signalAndWait(int signal, int timeoutMs) {
    if (pid_ > 0 && status_ < 0) kill(pid_, signal);
    return wait(timeoutMs);
}

}  // namespace kv::test
