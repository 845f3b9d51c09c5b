#pragma once

// The trip report: on A4 pages of a PDF writer or a printer, with the
// program's own drawing (text as text, so a PDF stays searchable).
//
// Per file: page 1 with the verdict banner and its reasons, the recorder and
// the file, the limits used, the per-axis table, the histogram of the events
// and the whole-trip peak graph with the warning and alarm levels as lines;
// then the events that reached a limit, largest first (wave files: each with
// its waveform, its spectrum and its values, one to a page; peak files: one
// table). A report of several files opens with a table of all of them; the
// last page closes with the program, the analysis settings and the time.
//
//   TripReportPdf pdf(options);
//   pdf.pages().drawSummary(table);          // several files only
//   for (ReportFile& f : files) pdf.pages().drawFile(f);
//   QByteArray bytes;
//   if (!pdf.finish(bytes)) ...

#include <QByteArray>
#include <array>
#include <memory>
#include <string>

#include "analysis/analysis_options.h"
#include "analysis/limits.h"
#include "analysis/report_content.h"
#include "analysis/verdict.h"
#include "datafile/data_set.h"
#include "recorder/records.h"
#include "settings/pc_settings.h"

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace kv {

struct ReportOptions {
    Limits limits;
    AnalysisOptions analysis;  // restitution and Q
    std::array<GraphColors, 3> colors = PcSettings().graphColors;
    std::string programVersion;
    DateTime madeAt = 0;
    int topEvents = 20;  // events listed per file
};

// One loaded file of a report.
struct ReportFile {
    std::string path;
    DataSet* data = nullptr;  // its currentIndex moves while waveforms are drawn and is put back
    const RecorderIdentity* identity = nullptr;
    std::string sha256;
};

// Draws the pages, file after file, on a device already set to A4 portrait.
class TripReportPainter {
  public:
    TripReportPainter(QPagedPaintDevice& device, const ReportOptions& options);
    ~TripReportPainter();
    TripReportPainter(const TripReportPainter&) = delete;
    TripReportPainter& operator=(const TripReportPainter&) = delete;

    // False when the device cannot be painted on.
    bool begin();
    // The table of all files, on pages of its own.
    void drawSummary(const ReportTable& table, const std::vector<std::string>& notes);
    // The pages of one file; returns its judgement.
    FileJudgement drawFile(const ReportFile& file);
    // The closing block; false when the device failed.
    bool end();

  private:
    class Pages;
    void drawFirstPage(const ReportFile& file, const FileAnalysis& analysis,
                       const FileJudgement& judgement, const FileReportTexts& texts);
    void drawWaveEvents(const ReportFile& file, const FileAnalysis& analysis,
                        const FileReportTexts& texts);

    QPagedPaintDevice& device_;
    ReportOptions options_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<Pages> pages_;
};

// A report written as PDF into memory.
class TripReportPdf {
  public:
    explicit TripReportPdf(const ReportOptions& options, const std::string& title);
    ~TripReportPdf();
    TripReportPainter& pages() { return *painter_; }
    // Ends the document; false (and no bytes) when it could not be made.
    bool finish(QByteArray& pdf);

  private:
    struct Writer;
    std::unique_ptr<Writer> writer_;
    std::unique_ptr<TripReportPainter> painter_;
    bool begun_ = false;
};

// The report of one loaded file as PDF bytes.
bool tripReportOfFile(const ReportFile& file, const ReportOptions& options, QByteArray& pdf);

// The report of one loaded file on a printer set up by the print dialog (A4
// portrait), or into the PDF file that dialog chose (written whole or not at
// all). False with the reason in `error` (empty when the printer refused).
bool printTripReport(QPrinter& printer, const ReportFile& file, const ReportOptions& options,
                     std::string& error);

}  // namespace kv
