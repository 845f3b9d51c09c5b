// The graph window's open command: the file dialog and the load with its
// progress window.
#include <QFile>
#include <QFileDialog>

#include "base/host.h"
#include "base/message_text.h"
#include "base/throttled_host.h"
#include "graph/graph_view_rules.h"
#include "link/link.h"
#include "list/file_dialogs.h"
#include "list/qt_output_file.h"
#include "settings/pc_settings.h"
#include "viewer/TGraph5000.h"

namespace kv {
namespace {

// Progress and events during a load: often enough for a smooth bar and a
// cancel button that answers at once, rarely enough to cost nothing.
constexpr int64_t kLoadReportMs = 30;

// Qt's name filters: the label as the user reads it, then the patterns. Files
// from other systems may carry the extension in capitals.
QStringList openDialogFilters() {
    QStringList filters;
    for (const FileFilter& f : dataFileFilters()) {
        QStringList patterns;
        for (const std::string& p : f.patterns) {
            const QString pattern = QString::fromStdString(p);
            patterns << pattern;
            if (pattern.endsWith(".csv")) patterns << pattern.chopped(4) + ".CSV";
        }
        filters << QString::fromStdString(f.label) + " (" + patterns.join(' ') + ")";
    }
    return filters;
}

// A file whose last line has no line end: what was read, and what was not.
std::string cutOffText(const std::string& fileName, const LoadResult& result) {
    std::string text = "このファイルは途中で切れている可能性があります。\n" +
                       shortenedForMessage(fileName) + "\n" + std::to_string(result.cutLine) +
                       " 行目（最後の行）に改行がありません。";
    if (result.recordsLeftOut > 0)
        text += "\nこの行で途中までしか書かれていない " + std::to_string(result.recordsLeftOut) +
                " 件の記録は読み込んでいません。";
    return text;
}

}  // namespace

void TGraph5000::mnuOPENClick() {
    if (!OpenDialog) {
        // First use: the data folder and every data file; later uses keep the
        // folder, name and filter the dialog last had.
        OpenDialog = new QFileDialog(this, QStringLiteral("ファイルを開く"));
        OpenDialog->setObjectName("OpenDialog");
        OpenDialog->setFileMode(QFileDialog::ExistingFile);
        OpenDialog->setAcceptMode(QFileDialog::AcceptOpen);
        prepareFileDialog(*OpenDialog);
        OpenDialog->setDirectory(QString::fromStdString(settings_.dataFolder()));
        OpenDialog->setNameFilters(openDialogFilters());
        OpenDialog->selectNameFilter(OpenDialog->nameFilters().front());
    }
    if (OpenDialog->exec() != QDialog::Accepted) return;
    const QStringList chosen = OpenDialog->selectedFiles();
    if (chosen.isEmpty()) return;
    openDataFile(chosen.front());
}

bool TGraph5000::openDataFile(const QString& path, bool reportFailure) {
    return openDataFileNamed(fileNameBytes(path), reportFailure);
}

bool TGraph5000::openDataFileNamed(const std::string& fileName, bool reportFailure) {
    // The monitor owns the data set while it runs; a load in progress lets
    // events through, which must not start a second one.
    if (!session_.mayOpen()) return false;
    closeListWindow();
    setCursor(Qt::WaitCursor);
    repaint();
    ThrottledHost host(link_.host, link_.clock, kLoadReportMs);
    host.setLoadCancelRequested(false);
    host.beginProgress(true);
    const LoadResult result = session_.open(fileName, host);
    host.endProgress();
    unsetCursor();
    // Nothing changed on a failure: the previous data stays on screen.
    if (result.mustBeTold() || (reportFailure && result.worthReporting()))
        host.messageBox("グラフ表示画面", result.message, Host::Error);
    if (result && peers_.listShow) peers_.listShow->setWindowTitle(windowTitle());
    // Told once the data is on show, so the user sees what was read.
    if (result.cutLine > 0)
        host.messageBox("グラフ表示画面", cutOffText(fileName, result), Host::Information);
    return result.loaded();
}

}  // namespace kv
