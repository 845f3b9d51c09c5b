#pragma once

#include <string>

#include "analysis/file_analysis.h"

namespace kv::tool {

// What `kvtool analyze` prints of an analysis.
struct AnalyzeReport {
    std::string path;     // as given on the command line
    int onlyRecord = -1;  // a record index to show alone; -1 for all
    bool events = false;  // peak data: list every event's estimates
};

// The JSON object of the analysis (one line and a line end).
std::string analyzeJson(const FileAnalysis& analysis, const AnalyzeReport& report);
// The readable summary.
std::string analyzeText(const FileAnalysis& analysis, const AnalyzeReport& report);

}  // namespace kv::tool
