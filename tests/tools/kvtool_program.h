#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

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

}  // namespace kv::test
