#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>  // environ

#include <cstdio>
#include <string>
#include <vector>

#include "support/kvsim_process.h"

namespace kv::test {

// The kvtool program of this build, beside kvsim.
inline std::string kvtoolPath() {
    std::string sim = KvsimProcess::binaryPath();  // <build>/bin/kvsim
    return sim.substr(0, sim.size() - std::string("kvsim").size()) + "kvtool";
}

// Runs a shell command line, collects its standard output, and gives its exit
// status (-1 when it did not exit normally).
inline int runCapturing(const std::string& command, std::string& out) {
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return -1;
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) out.append(buf, n);
    int status = ::pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Starts kvtool with the words (after the program name), standard input from
// /dev/null, standard output and error on the descriptors given. Returns its
// process id, or -1 when it could not be started.
inline pid_t startKvtool(std::vector<std::string> words, int outFd, int errFd) {
    const std::string binary = kvtoolPath();
    words.insert(words.begin(), binary);
    std::vector<char*> argv;
    for (auto& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outFd, 1);
    posix_spawn_file_actions_adddup2(&actions, errFd, 2);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, binary.c_str(), &actions, nullptr, argv.data(), ::environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

// Waits up to timeoutMs for the process to end. Its exit status; -1 when it
// ended by a signal, -2 when it was still running (it is killed then).
inline int waitForExit(pid_t pid, int timeoutMs) {
    int status = 0;
    for (int waited = 0; waited <= timeoutMs; waited += 10) {
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        ::poll(nullptr, 0, 10);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    return -2;
}

}  // namespace kv::test
