#pragma once

#include <memory>
#include <string>

#include "model/responder.h"

namespace kv::sim {

// What the simulated recorder is: its model, mode and the measurements it holds.
struct RecorderConfig {
    int model = 5300;             // 4100, 4300, 5100, 5300, 6100, 6300
    bool waveMode = false;        // later generations only
    unsigned seed = 1;            // measurement data are generated from it
    int measurements = 3;         // index entries that hold data (0 to 10)
    int recordsPerMeasurement = 20;  // peak records or wave blocks per measurement
    std::string description;      // a description file instead of generated data
};

// A complete recorder of any of the six models, answering every command of
// its generation (and staying silent on the others, as a real one does).
std::unique_ptr<Responder> makeRecorderModel(const RecorderConfig& config);

}  // namespace kv::sim
