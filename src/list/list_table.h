#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "datafile/data_set.h"
#include "list/list_columns.h"
#include "recorder/records.h"

namespace kv {

enum class SortDirection { LargestFirst, SmallestFirst };

// The data list without its window: the column set of the data in view, the
// display order (display position -> record index; sorting never moves the
// records themselves), the cell texts, the sort keys and the two searches.
// The list window, its printout and `kvtool list` all read the rows here.
//
// A sort column is the sub-item index of a column: 1 is the first column
// after "DataNo", 0 none. `absolute` is the "絶対値比較" choice: negative peaks
// (and the wave peaks) then compare by their magnitude.
class ListTable {
  public:
    ListTable(const DataSet& data, const RecorderIdentity& identity);

    // Takes up the data set as it now is: its column set and data order.
    void reset();

    ListKind kind() const { return kind_; }
    int recordCount() const { return count_; }
    const std::vector<ListColumn>& columns() const { return columns_; }
    const std::vector<ListColumnField>& fields() const { return fields_; }
    int columnCount() const { return static_cast<int>(columns_.size()); }

    // Wave data may show two more columns: each record's velocity change (the
    // axes' as one vector, m/s) and drop height (cm) for the restitution, a
    // value of a pulse the range cut off marked "≥". Off at first; a peak list
    // never has them. Switching keeps the display order.
    void setAnalysisColumns(bool on);
    bool analysisColumns() const { return analysisColumns_; }
    bool offersAnalysisColumns() const { return isWaveKind(kind_); }
    // The restitution of the drop heights (valid, see isValidRestitution).
    void setRestitution(double restitution);
    double restitution() const { return restitution_; }
    const std::vector<int32_t>& displayOrder() const { return order_; }
    int recordAt(int position) const;

    // The text of a cell at display position `position` (0 ..), column 0 ..
    std::string cellText(int position, int column) const;
    void rowTexts(int position, std::vector<std::string>& out) const;

    // True for a column that sorts and searches (not "No" or "DataNo").
    bool isDataColumn(int sortColumn) const;
    // Caption of a sort column ("No" for 0).
    const std::string& sortColumnCaption(int sortColumn) const;
    // Record `record`'s key for the column; columns without a key of their
    // own (0, out of range) key by record position.
    double columnKey(int record, int sortColumn, bool absolute) const;

    // Orders the display by the column's keys, taken from the records in data
    // order: smallest first keeps equal keys in data order, largest first
    // shows them in reverse data order. Nothing changes for sort column 0 or
    // when the sort's memory cannot be had (false then).
    bool sort(int sortColumn, SortDirection direction, bool absolute,
              const std::function<void()>& processEvents = {});
    // Back to data order.
    void resetOrder();

    // The first display position holding the largest key of the column; -1
    // for sort column 0 or no records.
    int findMaximum(int sortColumn, bool absolute) const;
    // The first display position from `from` on whose key is at least the
    // threshold; -1 when there is none.
    int findAtLeast(int sortColumn, bool absolute, int from, float threshold) const;

  private:
    void takeColumns();
    void analyseRecords();

    const DataSet& data_;
    const RecorderIdentity& identity_;
    ListKind kind_ = ListKind::PeakSingle;
    int count_ = 0;
    std::vector<int32_t> order_;
    std::vector<ListColumn> columns_;
    std::vector<ListColumnField> fields_;
    bool analysisColumns_ = false;
    double restitution_ = 0.5;
    bool timed_ = false;               // the data's sample period is known
    std::vector<double> velocityMps_;  // per record, while the columns show
    std::vector<char> clipped_;
};

// The message of a threshold search that found nothing.
inline constexpr const char* kSearchTitle = "データの検索";
inline constexpr const char* kSearchNotFound = "指定されたデータは見つかりません。";

}  // namespace kv
