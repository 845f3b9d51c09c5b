#include <algorithm>
#include <numeric>
#include <vector>

#include "base/kv_assert.h"
#include "viewer/data_file_loader.h"

namespace kv {

void normaliseWaveOrder(DataSet& data, const RecorderIdentity& identity) {
    // Only the third generation stores its wave records out of time order.
    if (identity.waveData != 1) return;
    if (identity.modelCode != 6100 && identity.modelCode != 6300) return;
    KV_ASSERT(data.lastIndex < kWaveCapacity);
    const int count = data.lastIndex + 1;
    if (count <= 1) return;

    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    const auto& x = data.waveRecords[0];
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return x[a].time < x[b].time; });

    std::vector<WaveBlock> scratch(count);
    for (int p = 0; p < axisCount(identity.modelCode); ++p) {
        auto& plane = data.waveRecords[p];
        for (int i = 0; i < count; ++i) scratch[i] = plane[order[i]];
        std::copy(scratch.begin(), scratch.end(), plane.begin());
    }
}

}  // namespace kv
