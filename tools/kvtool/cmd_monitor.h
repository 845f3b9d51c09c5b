#pragma once

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "datafile/data_set.h"
#include "link/link.h"
#include "recorder/recorder_state.h"
#include "settings/pc_settings.h"

namespace kv::tool {

// What `monitor` was asked for. Empty or 0 fields were not given.
struct MonitorRequest {
    int mode = 0;                          // 1 to 4, as the monitor's display modes
    int rangeG = 0;                        // --range
    std::vector<std::string> sensitivity;  // --sensitivity X,Y,Z (or one for all)
    int samplePeriodMs = 0;                // --sample-period
    long count = 0;                        // --count: good telegrams, then stop
    double seconds = 0;                    // --seconds: then stop
    bool json = false;
};

// Parses the words after "monitor". False with the reason on a usage error.
bool parseMonitorRequest(const std::vector<std::string>& args, MonitorRequest& request,
                         std::string& error);

// Sets the recorder records as the real-time settings dialog's OK would: the
// request's values, else the INI's "KV_DEF" selections when a model is saved
// there, else 100 G, 24.0 mV/G and 1 ms. The model is the saved one when it
// fits the mode, else the third generation's. False with the reason when a
// value is refused (a sensitivity outside 10.0 to 28.0, a range or sample
// period the dialog does not offer).
bool applyMonitorRequest(const MonitorRequest& request, const PcSettings& settings,
                         RecorderState& recorder, DataSet& view, std::string& error);

// Listens on the port and prints one line per telegram to out, flushed at
// once, until the count of good telegrams or the seconds are reached or
// *interrupted becomes non-zero. Returns the exit status: 0 when it ended as
// asked; 1 when the port could not be opened or the line went away (told on
// the host, which in kvtool writes to stderr) or out could not be written
// (told on stderr).
int monitorCommand(Link& link, int portNumber, int baudRate, const MonitorRequest& request,
                   const RecorderState& recorder, DataSet& view, std::FILE* out,
                   const volatile std::sig_atomic_t* interrupted);

}  // namespace kv::tool
