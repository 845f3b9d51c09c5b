#include "viewer/report_commands.h"

#include <QDesktopServices>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

#include "base/host.h"
#include "list/qt_output_file.h"
#include "viewer/picture_file_dialog.h"

namespace kv {
namespace {

const char* const kReportTitle = "レポート作成";

}  // namespace

void saveTripReport(QWidget* parent, Host& host, const ReportFile& file,
                    const ReportOptions& options) {
    const QString path = askSaveFile(parent, QStringLiteral("レポートの保存"),
                                     QFile::decodeName(QByteArray::fromStdString(file.path)),
                                     QStringLiteral("PDF (*.pdf)"), QStringLiteral(".pdf"));
    if (path.isEmpty()) return;

    QByteArray pdf;
    std::string failure = "レポートを作れませんでした。";
    if (!tripReportOfFile(file, options, pdf) ||
        !writeQtOutputFile(fileNameBytes(path), pdf, failure)) {
        host.messageBox(kReportTitle, "レポートを保存できませんでした。\n" + failure, Host::Error);
        return;
    }
    if (host.messageBox(
            kReportTitle,
            "レポートを保存しました。\n" + path.toStdString() + "\n\nPDF ビューアで開きますか？",
            Host::QuestionYesNo) == Host::Yes)
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void printTripReportThroughDialog(QWidget* parent, Host& host, const ReportFile& file,
                                  const ReportOptions& options) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PtDialog"));
    if (dialog.exec() != QDialog::Accepted) return;
    std::string error;
    if (!printTripReport(printer, file, options, error) && !error.empty())
        host.messageBox("印刷", "印刷ファイルを書き込めませんでした。\n" + error, Host::Error);
}

}  // namespace kv
