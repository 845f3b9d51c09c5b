#include "datafile/csv_line.h"

namespace kv {

void CsvFields::split(std::string_view line, char separator) {
    if (text_.size() < line.size()) text_.resize(line.size());
    char* out = text_.data();
    uint32_t at = 0;
    count_ = 1;
    begin_[0] = 0;
    for (char c : line) {
        if (c == '\n') break;
        if (c == '"') continue;
        if (c == separator) {
            if (count_ < kMaxFields) {
                end_[count_ - 1] = at;
                begin_[count_] = at;
                ++count_;
            }
            continue;
        }
        out[at++] = c;
    }
    end_[count_ - 1] = at;
}

std::vector<std::string> splitCsvLine(std::string_view line, char separator, int limit) {
    CsvFields fields;
    fields.split(line, separator);
    std::vector<std::string> out;
    if (limit != kAllFields) {
        out.emplace_back(fields[limit]);
        return out;
    }
    for (int i = 0; i < fields.count(); ++i) out.emplace_back(fields[i]);
    return out;
}

}  // namespace kv
