#pragma once

#include <string>
#include <utility>
#include <vector>

#include "analysis/file_analysis.h"
#include "analysis/file_summary.h"
#include "analysis/limits.h"
#include "analysis/verdict.h"
#include "datafile/data_set.h"
#include "recorder/records.h"

namespace kv {

// The texts of a trip report, worked out without a window so that the PDF,
// the printer and the tests read the same words and numbers. Units: G,
// m/s, ms, cm (drop heights, with the restitution they assume).

// A table: a header row, then rows of the same number of cells. The columns
// numericFrom … numericEnd - 1 hold numbers (set right); the last column may
// wrap when it is long (`wrapLast`), the others keep to one line.
struct ReportTable {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
    int numericFrom = 1;
    int numericEnd = 1000;
    bool wrapLast = false;
};

// One event of a wave file shown with its pictures: its heading, its values
// per axis and what the whole event amounts to.
struct WaveEventTexts {
    int record = 0;  // index in the data set
    std::string heading;
    ReportTable axes;
    std::string summary;
};

// Everything the pages of one file say.
struct FileReportTexts {
    std::string title;  // the file's name
    Verdict verdict = Verdict::None;
    std::string verdictText;           // 合格, 注意, 不合格, 判定なし
    std::vector<std::string> reasons;  // one line each
    std::vector<std::pair<std::string, std::string>> facts;  // the recorder and the file
    std::vector<std::string> limitLines;
    ReportTable axisTable;
    std::string eventsHeading;
    std::vector<std::string> eventsNotes;  // what the list holds, and that values are estimates
    ReportTable peakEvents;                // peak files
    std::vector<WaveEventTexts> waveEvents;
};

// What a file's texts are made from: the loaded data set and its analysis
// (without the spectrum), its judgement against the limits (with the events
// to show kept in it), and its SHA-256.
struct ReportFileInput {
    std::string path;
    const DataSet* data = nullptr;
    const FileAnalysis* analysis = nullptr;
    const FileJudgement* judgement = nullptr;
    std::string sha256;
    std::string sensitivityText;  // the file's sensitivity line, as "2.50, 2.50, 2.50"
};

FileReportTexts fileReportTexts(const ReportFileInput& in, const Limits& limits);

// The analysis of one event of a wave file that its texts show.
WaveEventTexts waveEventTexts(const FlaggedEvent& event, int rank, const RecordAnalysis& record,
                              double restitution);

// The table of several files that opens a report of more than one: file,
// model, serial number, start, end, events, verdict and its first reason.
ReportTable summaryTable(const std::vector<std::string>& paths,
                         const std::vector<FileSummary>& files, const Limits& limits);

// The closing lines: the program and its version, the analysis settings, when
// the report was made (local time).
std::vector<std::string> closingLines(const std::string& programVersion, double restitution,
                                      double q, DateTime madeAt);

// The name of a file without its folders.
std::string fileNameOf(const std::string& path);

}  // namespace kv
