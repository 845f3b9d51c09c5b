#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/datetime.h"
#include "recorder/records.h"

namespace kv {

// The one measurement in view: header texts, times and the record stores that
// the download, the file loader and the live monitor fill. The stores are sized
// once to their capacities; rows 0 .. lastIndex are valid.
// The file path of the live view: the drawing and the captions show live data
// as they show a file.
inline constexpr const char* kLiveFilePath = "リアルタイム";

struct DataSet {
    DataSet();

    std::string filePath;
    std::string modelText;
    std::string sensorPlaceText;
    std::string deviceNumberText;
    std::string serialNumberText;
    std::string modeText;
    std::string overwriteText;
    std::string recordPeriodText;
    std::string samplePeriodText;
    std::string triggerPointText;
    std::string triggerLevelText;
    std::string recordCountText;
    std::string sensitivityText;  // mV/G per sensor, as "2.50, 2.50, 2.50"

    DateTime startTime = 0;
    DateTime endTime = 0;
    int16_t rangeG = 0;
    int32_t lastIndex = -1;
    int32_t currentIndex = 0;

    std::vector<PeakRow> peakRows;                      // kPeakCapacity rows
    std::array<std::vector<WaveBlock>, 3> waveRecords;  // X, Y, Z; kWaveCapacity each

    // Exchanges everything with another store in constant time: a loader fills
    // a fresh store and swaps it in only when the whole file was read.
    void swap(DataSet& other) noexcept;
};

}  // namespace kv
