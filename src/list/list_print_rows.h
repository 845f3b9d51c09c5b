#pragma once

#include <cstdint>
#include <vector>

#include "list/list_print_job.h"
#include "recorder/records.h"

namespace kv {

struct DataSet;

// The printed rows of a data set: display positions start .. end (1-based)
// in the list's display order, with the cell texts of the kind's layout.
// The data set, identity and order must outlive the rows.
class DataSetPrintRows : public ListPrintRows {
  public:
    DataSetPrintRows(const DataSet& data, const RecorderIdentity& identity, ListPrintKind kind,
                     const std::vector<int32_t>& displayOrder, int start, int end);
    int count() const override { return end_ - start_ + 1; }
    void cells(int i, std::vector<std::string>& out) const override;

  private:
    const DataSet& data_;
    int range_;
    ListPrintKind kind_;
    const std::vector<int32_t>& order_;
    int start_;
    int end_;
};

}  // namespace kv
