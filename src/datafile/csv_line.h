#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// The fields of one line of a data file. Double quotes are dropped wherever
// they stand (they never delimit anything), the line ends at its first LF, and
// a line has at most 100 fields: separators beyond the 99th are dropped and the
// rest of the line joins the last field. Fields the line does not have read as
// empty. The views stay valid until the next split.
class CsvFields {
  public:
    static constexpr int kMaxFields = 100;

    void split(std::string_view line, char separator);
    int count() const { return count_; }
    std::string_view operator[](int index) const {
        if (index < 0 || index >= count_) return {};
        return std::string_view(text_.data() + begin_[index], end_[index] - begin_[index]);
    }

  private:
    std::string text_;
    std::array<uint32_t, kMaxFields> begin_{};
    std::array<uint32_t, kMaxFields> end_{};
    int count_ = 0;
};

constexpr int kAllFields = -1;

// Every field of the line (limit kAllFields), or only field `limit` (a list of
// one text, empty when the line has no such field).
std::vector<std::string> splitCsvLine(std::string_view line, char separator,
                                      int limit = kAllFields);

}  // namespace kv
