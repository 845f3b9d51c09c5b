#pragma once

#include <string>

#include "analysis/file_summary.h"

namespace kv::tool {

enum class SummaryFormat { Csv, JsonLines };

// The CSV header line (units in the column names); empty for JSON Lines.
std::string summaryHeader(SummaryFormat format);

// One line of the summary (with its line end) for a file: every column, empty
// (null) where the file has no value (a failed load, an axis a single-axis
// file lacks, the verdict without limits). UTF-8, '.' as the decimal mark,
// numbers in full (the shortest text that reads back as the same double).
std::string summaryLine(SummaryFormat format, const std::string& path, const FileSummary& s);

}  // namespace kv::tool
