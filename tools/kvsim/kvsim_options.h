#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/faults.h"
#include "model/recorder_model.h"

// What kvsim's command line asks for.
struct Options {
    kv::sim::RecorderConfig config;
    bool echo = false;
    size_t replyLength = 0;
    kv::sim::FaultPlan faults;
    int64_t latencyMs = 0;
    int baud = 0;
    bool live = false;
    int64_t liveIntervalMs = 1000;
    bool watchStdin = true;
    bool verbose = false;
    std::string replay;       // a protocol trace to answer from
    double delayScale = 1.0;  // its recorded delays times this
};

extern const char* const kUsage;

// Reads the options after argv[0]. False with the reason in error on a bad
// option, or with error "help" when --help or -h asked for the usage.
bool parseOptions(int argc, char** argv, Options& o, std::string& error);
