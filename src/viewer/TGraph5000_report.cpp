// The graph window's limits and report commands: the trip report of the file
// on show, against the limits confirmed in their dialog, saved as PDF or
// printed.
#include <QDesktopServices>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

#include "base/sha256.h"
#include "base/version.h"
#include "link/link.h"
#include "list/qt_output_file.h"
#include "viewer/TGraph5000.h"
#include "viewer/TLimitsDialog.h"
#include "viewer/picture_file_dialog.h"
#include "viewer/trip_report.h"

namespace kv {
namespace {

const char* const kReportTitle = "レポート作成";

}  // namespace

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
    if (!reportInputs(options, file)) return;
    const QString path = askSaveFile(this, QStringLiteral("レポートの保存"),
                                     QFile::decodeName(QByteArray::fromStdString(data_.filePath)),
                                     QStringLiteral("PDF (*.pdf)"), QStringLiteral(".pdf"));
    if (path.isEmpty()) return;

    QByteArray pdf;
    std::string failure = "レポートを作れませんでした。";
    if (!tripReportOfFile(file, options, pdf) ||
        !writeQtOutputFile(fileNameBytes(path), pdf, failure)) {
        link_.host.messageBox(kReportTitle, "レポートを保存できませんでした。\n" + failure,
                              Host::Error);
        return;
    }
    if (link_.host.messageBox(
            kReportTitle,
            "レポートを保存しました。\n" + path.toStdString() + "\n\nPDF ビューアで開きますか？",
            Host::QuestionYesNo) == Host::Yes)
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void TGraph5000::printReport() {
    ReportOptions options;
    ReportFile file;
    if (!reportInputs(options, file)) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("PtDialog"));
    if (dialog.exec() != QDialog::Accepted) return;
    std::string error;
    if (!printTripReport(printer, file, options, error) && !error.empty())
        link_.host.messageBox("印刷", "印刷ファイルを書き込めませんでした。\n" + error,
                              Host::Error);
}

}  // namespace kv
