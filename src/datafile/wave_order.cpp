#include <algorithm>
#include <vector>

#include "base/kv_assert.h"
#include "base/sort_keys.h"
#include "datafile/data_file_loader.h"

namespace kv {

void normaliseWaveOrder(DataSet& data, const RecorderIdentity& identity) {
    // Only the third generation stores its wave records out of time order.
    if (identity.waveData != 1) return;
    if (identity.modelCode != 6100 && identity.modelCode != 6300) return;
    KV_ASSERT(data.lastIndex < kWaveCapacity);
    const int count = data.lastIndex + 1;
    if (count <= 1) return;

    std::vector<double> keys(count);
    std::vector<int32_t> order(count);
    for (int i = 0; i < count; ++i) {
        keys[i] = data.waveRecords[0][i].time;
        order[i] = i;
    }
    // Without working memory the records stay in file order: still a whole data set.
    if (!sortAscendingByKey(keys.data(), count, order.data())) return;

    std::vector<WaveBlock> scratch(count);
    for (int p = 0; p < axisCount(identity.modelCode); ++p) {
        auto& plane = data.waveRecords[p];
        for (int i = 0; i < count; ++i) scratch[i] = plane[order[i]];
        std::copy(scratch.begin(), scratch.end(), plane.begin());
    }
}

}  // namespace kv
