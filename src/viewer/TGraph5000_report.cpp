// The graph window's limits and report commands: the trip report of the file
// on show, against the limits confirmed in their dialog.
#include "base/sha256.h"
#include "base/version.h"
#include "link/link.h"
#include "viewer/TGraph5000.h"
#include "viewer/TLimitsDialog.h"
#include "viewer/report_commands.h"

namespace kv {
void TGraph5000::showLimits() {
    TLimitsDialog dialog(settings_, link_.host, this);
    dialog.exec();
}

bool TGraph5000::reportInputs(ReportOptions& options, ReportFile& file) {
    if (!session_.loaded() || session_.live()) return false;
    TLimitsDialog limits(settings_, link_.host, this);
    if (limits.exec() != QDialog::Accepted) return false;
    options.limits = limits.limits();
    options.analysis = settings_.analysisOptions();
    options.colors = settings_.graphColors;
    options.programVersion = programVersion();
    options.madeAt = link_.clock.localNow();
    file.path = data_.filePath;
    file.data = &data_;
    file.identity = &session_.identity();
    int error = 0;
    if (!sha256OfFile(data_.filePath, file.sha256, error)) file.sha256 = "-";
    return true;
}

void TGraph5000::makeReport() {
    ReportOptions options;
    ReportFile file;
    if (reportInputs(options, file)) saveTripReport(this, link_.host, file, options);
}

void TGraph5000::printReport() {
    ReportOptions options;
    ReportFile file;
    if (reportInputs(options, file)) printTripReportThroughDialog(this, link_.host, file, options);
}

}  // namespace kv
