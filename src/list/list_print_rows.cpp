#include "list/list_print_rows.h"

#include "base/kv_assert.h"
#include "datafile/data_set.h"
#include "list/over_range.h"

namespace kv {

DataSetPrintRows::DataSetPrintRows(const DataSet& data, const RecorderIdentity& identity,
                                   ListPrintKind kind, const std::vector<int32_t>& displayOrder,
                                   int start, int end)
    : data_(data),
      range_(identity.sensorRange),
      kind_(kind),
      order_(displayOrder),
      start_(start),
      end_(end) {
    KV_ASSERT(1 <= start && start <= end && end <= data.lastIndex + 1);
    KV_ASSERT(end <= static_cast<int>(displayOrder.size()));
}

void DataSetPrintRows::cells(int i, std::vector<std::string>& out) const {
    KV_ASSERT(0 <= i && i < count());
    const int position = start_ - 1 + i;
    const int record = order_[position];
    out.clear();
    out.push_back(std::to_string(position + 1));
    out.push_back(std::to_string(record + 1));
    auto dateAndTime = [&](DateTime t) {
        out.push_back(formatDate(t));
        out.push_back(formatTime(t));
    };
    if (kind_ == ListPrintKind::SingleAxisPeak || kind_ == ListPrintKind::TriaxialPeak) {
        KV_ASSERT(0 <= record && record < static_cast<int>(data_.peakRows.size()));
        const PeakRow& row = data_.peakRows[record];
        const int axes = kind_ == ListPrintKind::TriaxialPeak ? 3 : 1;
        for (int a = 0; a < axes; ++a) {
            dateAndTime(row.time[a]);
            for (int sign = 0; sign < 2; ++sign) {
                out.push_back(gOverText(row.peak[2 * a + sign], range_));
                out.push_back(std::to_string(row.width[2 * a + sign]));
            }
        }
        return;
    }
    KV_ASSERT(0 <= record && record < static_cast<int>(data_.waveRecords[0].size()));
    const WaveBlock& x = data_.waveRecords[0][record];
    dateAndTime(x.time);
    const int planes = kind_ == ListPrintKind::TriaxialWave ? 3 : 1;
    bool over = false;
    for (int a = 0; a < planes; ++a) {
        const WaveBlock& block = data_.waveRecords[a][record];
        out.push_back(gOverText(block.peak, range_));
        out.push_back(std::to_string(block.width));
        over = over || isOverRange(block.peak, range_);
    }
    if (kind_ == ListPrintKind::TriaxialWave)
        out.push_back(over ? "OVER" : gOverText(x.resultantG, range_));
}

}  // namespace kv
