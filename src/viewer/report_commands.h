#pragma once

#include "viewer/trip_report.h"

class QWidget;

namespace kv {

class Host;

// The trip report of `file` as the windows make it: where to save it asked in
// a save dialog beside the data file, written whole or not at all, and, when
// the user wants, opened in the desktop's PDF viewer. Failures are told
// through `host`.
void saveTripReport(QWidget* parent, Host& host, const ReportFile& file,
                    const ReportOptions& options);

// The same report on a printer chosen in the print dialog (or into the PDF
// file chosen there).
void printTripReportThroughDialog(QWidget* parent, Host& host, const ReportFile& file,
                                  const ReportOptions& options);

}  // namespace kv
