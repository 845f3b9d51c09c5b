#pragma once

#include <array>
#include <vector>

#include "analysis/analysis_options.h"
#include "analysis/pulse_analysis.h"
#include "analysis/shock_spectrum.h"
#include "analysis/trip_statistics.h"
#include "base/datetime.h"
#include "datafile/data_set.h"
#include "recorder/records.h"

namespace kv {

// The header values of a measurement that its analysis depends on.
struct DataHeader {
    ModelCode model = 0;
    bool wave = false;
    int axisCount = 1;
    double rangeG = 0;          // the sensor range; 0 when the file gives none
    double samplePeriodMs = 0;  // wave data; 0 when the file gives no usable one
};

// The header values of a loaded data set: the model and the wave flag of the
// identity the loader set, the data set's range and its sample period text
// (a decimal number of milliseconds; anything else, or a period that is not
// positive, gives 0).
DataHeader dataHeaderOf(const DataSet& data, const RecorderIdentity& identity);

// One wave record: its pulse on every axis, the event's velocity change and
// drop height, and (when asked) each axis's shock response spectrum.
struct RecordAnalysis {
    int record = 0;  // index in the data set
    DateTime time = 0;
    int axisCount = 1;
    std::array<PulseAnalysis, 3> axes;
    double velocityChangeMps = 0;  // the axes' velocity changes as one vector
    double dropHeightM = 0;
    // Per axis, one value per frequency of the file's plan; empty without the
    // spectrum.
    std::array<std::vector<double>, 3> srsG;
    std::array<std::vector<double>, 3> pvssMps;
};

// A whole data set: wave data per record, peak data per trip.
struct FileAnalysis {
    DataHeader header;
    AnalysisOptions options;
    std::vector<double> srsFrequenciesHz;  // wave data with the spectrum
    std::vector<RecordAnalysis> records;   // wave data: records 0 .. lastIndex
    TripStatistics trip;                   // peak data
};

// Analyses records 0 .. data.lastIndex of the data set (none when it holds
// none). Wave samples and peak values are taken as the file's decimals
// (fileDecimal). The options' restitution and Q must be valid
// (isValidRestitution, isValidQ).
FileAnalysis analyseDataSet(const DataSet& data, const DataHeader& header,
                            const AnalysisOptions& options);

// One wave record of the data set, for a window that shows one at a time;
// `plan` (from planSrs for the header's sample period) gives the spectrum,
// nullptr none. The record index must lie in 0 .. data.lastIndex.
RecordAnalysis analyseWaveRecord(const DataSet& data, const DataHeader& header, int record,
                                 double restitution, const SrsPlan* plan);

}  // namespace kv
