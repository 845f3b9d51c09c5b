#include "list/list_table.h"

#include <algorithm>
#include <numeric>

#include "analysis/file_analysis.h"
#include "base/datetime.h"
#include "base/kv_assert.h"
#include "base/sort_keys.h"
#include "list/over_range.h"
#include "recorder/value_texts.h"

namespace kv {

ListTable::ListTable(const DataSet& data, const RecorderIdentity& identity)
    : data_(data), identity_(identity) {
    reset();
}

void ListTable::reset() {
    kind_ = listKindOf(data_, identity_);
    // The stores bound what a file may claim: a count beyond them lists only
    // what the stores hold.
    const int capacity = isWaveKind(kind_) ? static_cast<int>(data_.waveRecords[0].size())
                                           : static_cast<int>(data_.peakRows.size());
    count_ = std::clamp(data_.lastIndex + 1, 0, capacity);
    order_.resize(count_);
    resetOrder();
    takeColumns();
}

void ListTable::takeColumns() {
    columns_ = listColumns(kind_);
    fields_ = listColumnFields(kind_);
    velocityMps_.clear();
    clipped_.clear();
    if (!analysisColumns_ || !isWaveKind(kind_)) return;
    const auto& extra = analysisListColumns();
    const auto& extraFields = analysisListColumnFields();
    columns_.insert(columns_.end(), extra.begin(), extra.end());
    fields_.insert(fields_.end(), extraFields.begin(), extraFields.end());
    analyseRecords();
}

void ListTable::analyseRecords() {
    const DataHeader header = dataHeaderOf(data_, identity_);
    timed_ = header.samplePeriodMs > 0;
    velocityMps_.resize(count_);
    clipped_.resize(count_);
    for (int r = 0; r < count_; ++r) {
        const RecordAnalysis a = analyseWaveRecord(data_, header, r, restitution_, nullptr);
        velocityMps_[r] = a.velocityChangeMps;
        clipped_[r] = std::any_of(a.axes.begin(), a.axes.begin() + a.axisCount,
                                  [](const PulseAnalysis& p) { return p.clipped; });
    }
}

void ListTable::setAnalysisColumns(bool on) {
    analysisColumns_ = on;
    takeColumns();
}

void ListTable::setRestitution(double restitution) {
    KV_ASSERT(isValidRestitution(restitution));
    restitution_ = restitution;
}

void ListTable::resetOrder() {
    std::iota(order_.begin(), order_.end(), 0);
}

int ListTable::recordAt(int position) const {
    KV_ASSERT(position >= 0 && position < count_);
    return order_[position];
}

std::string ListTable::cellText(int position, int column) const {
    KV_ASSERT(column >= 0 && column < columnCount());
    const int r = recordAt(position);
    const ListColumnField f = fields_[column];
    const int range = identity_.sensorRange;
    const bool wave = isWaveKind(kind_);
    const DateTime time = wave ? data_.waveRecords[0][r].time : data_.peakRows[r].time[f.axis];
    switch (f.field) {
        case ListField::Position:
            return std::to_string(position + 1);
        case ListField::Record:
            return std::to_string(r + 1);
        case ListField::Date:
            return formatDate(time);
        case ListField::Time:
            return formatTime(time);
        case ListField::PeakPlus:
            return gOverText(data_.peakRows[r].peak[2 * f.axis], range);
        case ListField::PeakMinus:
            return gOverText(data_.peakRows[r].peak[2 * f.axis + 1], range);
        case ListField::WidthPlus:
            return std::to_string(static_cast<uint32_t>(data_.peakRows[r].width[2 * f.axis]));
        case ListField::WidthMinus:
            return std::to_string(static_cast<uint32_t>(data_.peakRows[r].width[2 * f.axis + 1]));
        case ListField::WavePeak:
            return gOverText(data_.waveRecords[f.axis][r].peak, range);
        case ListField::WaveWidth:
            return std::to_string(data_.waveRecords[f.axis][r].width);
        case ListField::Resultant:
            // The resultant itself is not tested: an axis beyond the range makes
            // it meaningless.
            for (int a = 0; a < 3; ++a)
                if (isOverRange(data_.waveRecords[a][r].peak, range)) return "OVER";
            return valueText(data_.waveRecords[0][r].resultantG);
        case ListField::VelocityChange:
        case ListField::DropHeight: {
            if (!timed_) return "—";
            const std::string mark = clipped_[r] ? "≥" : "";
            return f.field == ListField::VelocityChange
                       ? mark + fixedText(velocityMps_[r], 3)
                       : mark + fixedText(dropHeightM(velocityMps_[r], restitution_) * 100, 1);
        }
    }
    return {};
}

void ListTable::rowTexts(int position, std::vector<std::string>& out) const {
    out.resize(columnCount());
    for (int c = 0; c < columnCount(); ++c) out[c] = cellText(position, c);
}

bool ListTable::isDataColumn(int sortColumn) const {
    return sortColumn >= 1 && sortColumn + 1 < columnCount();
}

const std::string& ListTable::sortColumnCaption(int sortColumn) const {
    return columns()[isDataColumn(sortColumn) ? sortColumn + 1 : 0].caption;
}

double ListTable::columnKey(int r, int sortColumn, bool absolute) const {
    if (!isDataColumn(sortColumn)) return r;
    const ListColumnField f = fields_[sortColumn + 1];
    const auto magnitude = [absolute](double v) { return absolute && v < 0 ? -v : v; };
    switch (f.field) {
        case ListField::Date:
        case ListField::Time:
            return isWaveKind(kind_) ? data_.waveRecords[0][r].time
                                     : data_.peakRows[r].time[f.axis];
        case ListField::PeakPlus:
            return data_.peakRows[r].peak[2 * f.axis];
        case ListField::WidthPlus:
            return data_.peakRows[r].width[2 * f.axis];
        case ListField::PeakMinus:
            return magnitude(data_.peakRows[r].peak[2 * f.axis + 1]);
        case ListField::WidthMinus:
            return data_.peakRows[r].width[2 * f.axis + 1];
        case ListField::WavePeak:
            return magnitude(data_.waveRecords[f.axis][r].peak);
        case ListField::WaveWidth:
            return data_.waveRecords[f.axis][r].width;
        case ListField::Resultant:
            return data_.waveRecords[0][r].resultantG;
        case ListField::VelocityChange:
            return velocityMps_[r];
        case ListField::DropHeight:
            return dropHeightM(velocityMps_[r], restitution_);
        case ListField::Position:
        case ListField::Record:
            break;
    }
    return r;
}

bool ListTable::sort(int sortColumn, SortDirection direction, bool absolute,
                     const std::function<void()>& processEvents) {
    if (sortColumn == 0 || count_ == 0) return sortColumn != 0;
    // Keys always from data order, so a second sort does not depend on the first.
    std::vector<double> keys(count_);
    std::vector<int32_t> index(count_);
    for (int i = 0; i < count_; ++i) {
        keys[i] = columnKey(i, sortColumn, absolute);
        index[i] = i;
    }
    if (!sortAscendingByKey(keys.data(), count_, index.data(), processEvents)) return false;
    if (direction == SortDirection::SmallestFirst)
        order_ = std::move(index);
    else
        std::reverse_copy(index.begin(), index.end(), order_.begin());
    return true;
}

int ListTable::findMaximum(int sortColumn, bool absolute) const {
    if (sortColumn == 0) return -1;
    double best = -99999;
    int found = -1;
    for (int p = 0; p < count_; ++p) {
        const double key = columnKey(order_[p], sortColumn, absolute);
        if (key > best) {
            best = key;
            found = p;
        }
    }
    return found;
}

int ListTable::findAtLeast(int sortColumn, bool absolute, int from, float threshold) const {
    const double limit = threshold;
    for (int p = std::max(from, 0); p < count_; ++p)
        if (columnKey(order_[p], sortColumn, absolute) >= limit) return p;
    return -1;
}

}  // namespace kv
