#include "graph/event_zoom.h"

#include <algorithm>
#include <cmath>

#include "base/kv_assert.h"
#include "graph/zoom_scale.h"

namespace kv {

EventZoom eventZoom(const DataSet& data, int row, int axis) {
    KV_ASSERT(0 <= row && row <= data.lastIndex);
    KV_ASSERT(0 <= axis && axis < 3);
    const int last = std::min<int>(data.lastIndex, static_cast<int>(data.peakRows.size()) - 1);
    const int first = std::clamp(row - 2, 0, std::max(0, last - 4));
    DateTime from = data.peakRows[row].time[axis], to = from;
    for (int i = first; i <= std::min(first + 4, last); ++i) {
        from = std::min(from, data.peakRows[i].time[axis]);
        to = std::max(to, data.peakRows[i].time[axis]);
    }
    const DateTime event = data.peakRows[row].time[axis];
    for (int t = 1; t < kTimeSelectorItems; ++t) {
        // The window and scroll range the selector would give (the G zoom
        // plays no part in them).
        GraphViewState view;
        setZoom(view, t, 0, false, data.startTime, data.endTime, 1);
        const GraphScale& z = view.zoomScale;
        if (!(z.xStep > 0)) continue;
        int h = 0;
        if (view.yokoBar.enabled) {
            const double centred = std::round((event - z.xSpan / 2 - z.xMin) / z.xStep);
            h = static_cast<int>(std::clamp(centred, 0.0, double(view.yokoBar.maximum)));
        }
        const DateTime start = z.xMin + h * z.xStep;
        if (start <= from && to <= start + z.xSpan) return {t, h};
    }
    return {0, 0};
}

}  // namespace kv
