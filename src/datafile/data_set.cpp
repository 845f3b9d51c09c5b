#include "datafile/data_set.h"

#include <utility>

namespace kv {

DataSet::DataSet() : peakRows(kPeakCapacity) {
    for (auto& plane : waveRecords) plane.resize(kWaveCapacity);
}

void DataSet::swap(DataSet& other) noexcept {
    using std::swap;
    swap(filePath, other.filePath);
    swap(modelText, other.modelText);
    swap(sensorPlaceText, other.sensorPlaceText);
    swap(deviceNumberText, other.deviceNumberText);
    swap(serialNumberText, other.serialNumberText);
    swap(modeText, other.modeText);
    swap(overwriteText, other.overwriteText);
    swap(recordPeriodText, other.recordPeriodText);
    swap(samplePeriodText, other.samplePeriodText);
    swap(triggerPointText, other.triggerPointText);
    swap(triggerLevelText, other.triggerLevelText);
    swap(recordCountText, other.recordCountText);
    swap(sensitivityText, other.sensitivityText);
    swap(startTime, other.startTime);
    swap(endTime, other.endTime);
    swap(rangeG, other.rangeG);
    swap(lastIndex, other.lastIndex);
    swap(currentIndex, other.currentIndex);
    peakRows.swap(other.peakRows);
    for (int p = 0; p < 3; ++p) waveRecords[p].swap(other.waveRecords[p]);
}

}  // namespace kv
