// The graph window's limits and report commands: the trip report of the file
// on show, against the limits confirmed in their dialog.
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

#include "base/clock.h"
#include "base/sha256.h"
#include "link/link.h"
#include "list/qt_output_file.h"
#include "viewer/TGraph5000.h"
#include "viewer/TLimitsDialog.h"
#include "viewer/trip_report.h"

namespace kv {
namespace {

const char* const kReportTitle = "レポート作成";

}  // namespace

void TGraph5000::showLimits() {
    TLimitsDialog dialog(settings_, link_.host, this);
    dialog.exec();
}

void TGraph5000::makeReport() {
    if (!session_.loaded() || session_.live()) return;
    TLimitsDialog limits(settings_, link_.host, this);
    if (limits.exec() != QDialog::Accepted) return;

    const QFileInfo source(QFile::decodeName(QByteArray::fromStdString(data_.filePath)));
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("レポートの保存"),
        source.absolutePath() + "/" + source.completeBaseName() + ".pdf",
        QStringLiteral("PDF (*.pdf)"), nullptr, QFileDialog::DontUseNativeDialog);
    if (path.isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");

    ReportOptions options;
    options.limits = limits.limits();
    options.analysis = settings_.analysisOptions();
    options.colors = settings_.graphColors;
    options.programVersion = KV_VERSION;
    options.madeAt = link_.clock.localNow();
    ReportFile file;
    file.path = data_.filePath;
    file.data = &data_;
    file.identity = &session_.identity();
    int error = 0;
    if (!sha256OfFile(data_.filePath, file.sha256, error)) file.sha256 = "-";

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

}  // namespace kv
