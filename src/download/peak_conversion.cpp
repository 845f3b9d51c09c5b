#include "download/peak_conversion.h"

#include <array>
#include <cstdint>

#include "base/kv_assert.h"
#include "recorder/value_texts.h"

namespace kv {
namespace {

struct PeakScaling {
    double scale, limit, clamp, floor;
    std::array<double, 3> sensitivity{};
    int axes = 1;
};

PeakScaling peakScaling(const RecorderState& r) {
    const double range = r.identity.sensorRange;
    PeakScaling s{range * 3.225806451612903 * 0.02, range * 1.1, range * 1.2, range * 0.01};
    const ModelTraits* model = findModel(r.identity.modelCode);
    if (!model) return s;  // no sensitivity known: every peak reads 0
    const std::array<double, 3>& sensitivity =
        model->generation == 1 ? r.legacyInfo.sensitivity : r.info.sensitivity;
    // A single-axis recorder's one sensor is the Z channel of its status.
    if (model->axes == 3)
        s.sensitivity = sensitivity;
    else
        s.sensitivity.fill(sensitivity[2]);
    s.axes = model->axes;
    return s;
}

double inG(double raw, double scale, double sensitivity) {
    double g = raw * scale;
    return sensitivity != 0 ? g / sensitivity : 0.0;
}

int32_t clampedWidth(int32_t width) {
    // Compared as unsigned: a width the recorder sends as 0xFFFF, or anything
    // that arrived negative, reads as the longest pulse.
    return static_cast<uint32_t>(width) > 1000u ? 1000 : width;
}

}  // namespace

bool convertPeakRecord(DataSet& data, int first, int count, DateTime start,
                       const RecorderState& recorder) {
    KV_ASSERT(0 <= first && 0 <= count && count <= kPeakCapacity - first);
    KV_ASSERT(first + count <= static_cast<int>(data.peakRows.size()));
    const PeakScaling s = peakScaling(recorder);
    for (int n = first; n < first + count; ++n) {
        PeakRow& row = data.peakRows[static_cast<size_t>(n)];
        for (int a = 0; a < s.axes; ++a) {
            row.time[a] = addSeconds(start, row.time[a]);

            double positive = inG(row.peak[2 * a], s.scale, s.sensitivity[a]);
            if (!(positive < s.limit)) positive = s.clamp;
            if (!(positive > s.floor)) positive = 0;
            row.peak[2 * a] = static_cast<float>(positive);
            row.width[2 * a] = clampedWidth(row.width[2 * a]);

            double negative = inG(row.peak[2 * a + 1], s.scale, s.sensitivity[a]);
            if (!(negative > -s.limit)) negative = -s.clamp;
            if (!(negative < -s.floor)) negative = 0;
            row.peak[2 * a + 1] = static_cast<float>(negative);
            row.width[2 * a + 1] = clampedWidth(row.width[2 * a + 1]);
        }
    }
    return true;
}

}  // namespace kv
