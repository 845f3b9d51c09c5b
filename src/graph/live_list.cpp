#include "graph/live_list.h"

#include "base/datetime.h"
#include "list/over_range.h"
#include "monitor/live_monitor.h"

namespace kv {

const std::vector<ListColumn>& liveListColumns(ModelCode model) {
    static const std::vector<ListColumn> triaxial{
        {" ", 20},     {"年月日", 72}, {"時分秒", 54}, {"XG(+)", 50}, {"ms", 30},
        {"XG(-)", 50}, {"ms", 30},     {"YG(+)", 50},  {"ms", 30},    {"YG(-)", 50},
        {"ms", 30},    {"ZG(+)", 50},  {"ms", 30},     {"ZG(-)", 50}, {"ms", 30}};
    static const std::vector<ListColumn> single{{" ", 20},     {"年月日", 72}, {"時分秒", 54},
                                                {"Ｇ(+)", 50}, {"ms", 30},     {"Ｇ(-)", 50},
                                                {"ms", 30}};
    return isTriaxial(model) ? triaxial : single;
}

std::vector<LiveListRow> liveListRows(const DataSet& view, ModelCode model, int sensorRange,
                                      int rowsThatFit) {
    const size_t columns = liveListColumns(model).size();
    const int axes = isTriaxial(model) ? 3 : 1;
    int n = std::min(rowsThatFit - 1, view.lastIndex);
    if (n < 0 || view.peakRows.size() < static_cast<size_t>(kLiveRingRows)) return {};
    std::vector<LiveListRow> rows(static_cast<size_t>(n) + 1, LiveListRow(columns));
    int r = view.currentIndex;
    // From the newest backwards, filling the list from its bottom.
    for (int shown = n; shown >= 0; --shown) {
        r = (r + kLiveRingRows - 1) % kLiveRingRows;
        const PeakRow& row = view.peakRows[static_cast<size_t>(r)];
        if (row.time[0] == 0) continue;  // a separator between runs
        LiveListRow& cells = rows[static_cast<size_t>(shown)];
        cells[1] = formatDate(row.time[0]);
        cells[2] = formatTime(row.time[0]);
        for (int a = 0; a < axes; ++a) {
            const size_t c = 3 + 4 * static_cast<size_t>(a);
            cells[c] = gOverText(row.peak[2 * a], sensorRange);
            cells[c + 1] = std::to_string(row.width[2 * a]);
            cells[c + 2] = gOverText(row.peak[2 * a + 1], sensorRange);
            cells[c + 3] = std::to_string(row.width[2 * a + 1]);
        }
    }
    return rows;
}

}  // namespace kv
