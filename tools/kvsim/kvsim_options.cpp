#include "kvsim_options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "recorder/records.h"

const char* const kUsage =
    "usage: kvsim [--model 4100|4300|5100|5300|6100|6300] [--mode peak|wave] [--seed N]\n"
    "             [--measurements N] [--records N] [--description FILE]\n"
    "             [--data shipment|uniform]        measurements like a parcel's trip (default),\n"
    "                                              or even peaks and plain pulses\n"
    "             [--echo | --reply-length N]      simple recorder: echo every valid frame,\n"
    "                                              or answer it with a valid N-byte reply\n"
    "             [--silent K] [--bad-crc K] [--extra-byte K] [--short K] [--trickle K]\n"
    "             [--trickle-gap MS] [--hangup-after K]   faults, counted in frames from the "
    "start\n"
    "             [--latency MS] [--baud N]        answer delay; pace output (0 = no limit)\n"
    "             [--live] [--live-interval MS]    send live telegrams on its own\n"
    "             [--replay TRACE [--delay-scale X]]   answer each command as the recorder\n"
    "                                              of a protocol trace (kvtool --trace) did,\n"
    "                                              its delays times X (default 1)\n"
    "             [--no-stdin] [--verbose]\n"
    "Stops on SIGINT, SIGTERM or end of standard input (unless --no-stdin or stdin is "
    "/dev/null).\n";

namespace {

bool parseNumber(const char* text, long min, long max, long& out) {
    if (!text || !*text) return false;
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(text, &end, 10);
    if (errno != 0 || *end != '\0' || v < min || v > max) return false;
    out = v;
    return true;
}

// The options that take a number: its range and where it goes.
struct NumberOption {
    const char* name;
    long min;
    long max;
    void (*store)(Options&, long);
};

const NumberOption kNumberOptions[] = {
    {"--model", 4100, 6300, [](Options& o, long v) { o.config.model = static_cast<int>(v); }},
    {"--seed", 0, 2147483647, [](Options& o, long v) { o.config.seed = static_cast<unsigned>(v); }},
    {"--measurements", 0, 10,
     [](Options& o, long v) { o.config.measurements = static_cast<int>(v); }},
    {"--records", 0, 1000000,
     [](Options& o, long v) { o.config.recordsPerMeasurement = static_cast<int>(v); }},
    {"--reply-length", 8, 4096, [](Options& o, long v) { o.replyLength = static_cast<size_t>(v); }},
    {"--silent", 0, 1000000, [](Options& o, long v) { o.faults.silent = static_cast<int>(v); }},
    {"--bad-crc", 0, 1000000, [](Options& o, long v) { o.faults.corrupt = static_cast<int>(v); }},
    {"--extra-byte", 0, 1000000,
     [](Options& o, long v) { o.faults.extraByte = static_cast<int>(v); }},
    {"--short", 0, 1000000, [](Options& o, long v) { o.faults.shorten = static_cast<int>(v); }},
    {"--trickle", 0, 1000000, [](Options& o, long v) { o.faults.trickle = static_cast<int>(v); }},
    {"--trickle-gap", 1, 60000, [](Options& o, long v) { o.faults.trickleGapMs = v; }},
    {"--hangup-after", 0, 1000000,
     [](Options& o, long v) { o.faults.hangUpAfter = static_cast<int>(v); }},
    {"--latency", 0, 60000, [](Options& o, long v) { o.latencyMs = v; }},
    {"--baud", 0, 4000000, [](Options& o, long v) { o.baud = static_cast<int>(v); }},
    {"--live-interval", 1, 600000, [](Options& o, long v) { o.liveIntervalMs = v; }},
};

const NumberOption* numberOption(const std::string& name) {
    for (const NumberOption& n : kNumberOptions)
        if (name == n.name) return &n;
    return nullptr;
}

}  // namespace

bool parseOptions(int argc, char** argv, Options& o, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (const NumberOption* n = numberOption(a)) {
            long v = 0;
            if (!parseNumber(value, n->min, n->max, v)) {
                error = a + " needs a number from " + std::to_string(n->min) + " to " +
                        std::to_string(n->max);
                return false;
            }
            ++i;
            if (a == "--model" && !kv::isFirstGeneration(v) && !kv::isLaterGeneration(v)) {
                error = "unknown model " + std::to_string(v);
                return false;
            }
            n->store(o, v);
        } else if (a == "--mode") {
            if (!value || (std::strcmp(value, "peak") != 0 && std::strcmp(value, "wave") != 0)) {
                error = "--mode is peak or wave";
                return false;
            }
            o.config.waveMode = std::strcmp(value, "wave") == 0;
            ++i;
        } else if (a == "--data") {
            if (!value ||
                (std::strcmp(value, "shipment") != 0 && std::strcmp(value, "uniform") != 0)) {
                error = "--data is shipment or uniform";
                return false;
            }
            o.config.data = std::strcmp(value, "uniform") == 0 ? kv::sim::MeasurementData::Uniform
                                                               : kv::sim::MeasurementData::Shipment;
            ++i;
        } else if (a == "--description") {
            if (!value) {
                error = "--description needs a file";
                return false;
            }
            o.config.description = value;
            ++i;
        } else if (a == "--replay") {
            if (!value) {
                error = "--replay needs a trace file";
                return false;
            }
            o.replay = value;
            ++i;
        } else if (a == "--delay-scale") {
            char* end = nullptr;
            const double scale = value ? std::strtod(value, &end) : -1;
            if (!value || *end != '\0' || !(scale >= 0 && scale <= 1000)) {
                error = "--delay-scale needs a number from 0 to 1000";
                return false;
            }
            o.delayScale = scale;
            ++i;
        } else if (a == "--echo") {
            o.echo = true;
        } else if (a == "--live") {
            o.live = true;
        } else if (a == "--no-stdin") {
            o.watchStdin = false;
        } else if (a == "--verbose") {
            o.verbose = true;
        } else if (a == "--help" || a == "-h") {
            error = "help";
            return false;
        } else {
            error = "unknown option " + a;
            return false;
        }
    }
    if (o.echo && o.replyLength) {
        error = "--echo and --reply-length exclude each other";
        return false;
    }
    if (!o.replay.empty() && (o.echo || o.replyLength)) {
        error = "--replay answers from its trace; --echo and --reply-length do not go with it";
        return false;
    }
    return true;
}
