#include "datafile/wave_order.h"

#include <algorithm>
#include <new>
#include <vector>

#include "base/kv_assert.h"
#include "base/sort_keys.h"

namespace kv {

bool sortWaveRecordsByTime(DataSet& data, int planes, int first, int count,
                           const std::function<void()>& processEvents) {
    KV_ASSERT(1 <= planes);
    KV_ASSERT(planes <= 3);
    KV_ASSERT(0 <= first);
    KV_ASSERT(0 <= count);
    KV_ASSERT(first + count <= static_cast<int>(data.waveRecords[0].size()));
    if (count <= 1) return true;
    try {
        std::vector<double> keys(count);
        std::vector<int32_t> order(count);
        for (int i = 0; i < count; ++i) {
            keys[i] = data.waveRecords[0][first + i].time;
            order[i] = first + i;
        }
        if (!sortAscendingByKey(keys.data(), count, order.data(), processEvents)) return false;
        std::vector<WaveBlock> scratch(count);
        for (int p = 0; p < planes; ++p) {
            auto& plane = data.waveRecords[p];
            for (int i = 0; i < count; ++i) scratch[i] = plane[order[i]];
            std::copy(scratch.begin(), scratch.end(), plane.begin() + first);
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void normaliseWaveOrder(DataSet& data, const RecorderIdentity& identity) {
    // Only the third generation stores its wave records out of time order.
    if (identity.waveData != 1) return;
    if (!isThirdGeneration(identity.modelCode)) return;
    KV_ASSERT(data.lastIndex < kWaveCapacity);
    // Without working memory the records stay in file order: still a whole data set.
    sortWaveRecordsByTime(data, axisCount(identity.modelCode), 0, data.lastIndex + 1);
}

}  // namespace kv
