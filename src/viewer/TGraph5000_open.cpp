// The graph window's open command: the file dialog, the load with its
// progress window, and the window's state for the new data.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QScrollBar>
#include <QStackedWidget>
#include <QToolButton>
#include <exception>

#include "base/host.h"
#include "base/throttled_host.h"
#include "datafile/data_file_loader.h"
#include "datafile/data_set.h"
#include "link/link.h"
#include "recorder/recorder_state.h"
#include "settings/pc_settings.h"
#include "viewer/TGraph5000.h"
#include "viewer/TInputScale.h"

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

}  // namespace

void TGraph5000::mnuOPENClick() {
    if (!OpenDialog) {
        // First use: the data folder and every data file; later uses keep the
        // folder, name and filter the dialog last had.
        OpenDialog = new QFileDialog(this, QStringLiteral("ファイルを開く"));
        OpenDialog->setObjectName("OpenDialog");
        OpenDialog->setFileMode(QFileDialog::ExistingFile);
        OpenDialog->setAcceptMode(QFileDialog::AcceptOpen);
        OpenDialog->setOption(QFileDialog::DontUseNativeDialog);
        OpenDialog->setSizeGripEnabled(true);
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
    // The monitor owns the data set while it runs; a load in progress lets
    // events through, which must not start a second one.
    if (view_.liveRunning || loading_) return false;
    loading_ = true;
    closeListWindow();
    setCursor(Qt::WaitCursor);
    repaint();
    ThrottledHost host(link_.host, link_.clock, kLoadReportMs);
    host.setLoadCancelRequested(false);
    host.beginProgress(true);
    setPanelsEnabled(false);
    menuBars_->setEnabled(false);
    paintEnabled_ = false;

    LoadResult result;
    bool told = false;
    try {
        if (!spare_) spare_ = std::make_unique<DataSet>();
        result = loadDataFile(QFile::encodeName(path).toStdString(), data_, state_.identity, host,
                              spare_.get());
    } catch (const std::exception& e) {
        host.endProgress();
        host.messageBox("グラフ表示画面", e.what(), Host::Error);
        result = LoadResult{};
        told = true;
    }
    menuBars_->setEnabled(true);
    loading_ = false;
    if (!result) {
        // Nothing changed: the previous data stays on screen.
        host.endProgress();
        if (reportFailure && !told && result.worthReporting())
            host.messageBox("グラフ表示画面", result.message, Host::Error);
        unsetCursor();
        setPanelsEnabled(true);
        paintEnabled_ = true;
        repaintGraphs();
        return false;
    }

    DataSet& data = data_;
    resetScrollBars();
    host.endProgress();
    const QString caption = QFile::decodeName(QByteArray::fromStdString(data.filePath));
    setWindowTitle(caption);
    if (peers_.listShow) peers_.listShow->setWindowTitle(caption);
    data.currentIndex = 0;
    btnInfo->setEnabled(true);
    btnPrint->setEnabled(true);
    btnList->setEnabled(true);
    setPanelsEnabled(true);
    Panel1->setVisible(false);
    view_.currentScale = view_.zoomScale = result.scale;
    view_.timeIndex = view_.gIndex = 0;
    if (peers_.inputScale) peers_.inputScale->resetChoices();
    ComboX->setCurrentIndex(0);
    ComboY->setCurrentIndex(0);
    ApplyViewForData();
    placeClosePanel();
    paintEnabled_ = true;
    unsetCursor();
    LayoutGraphs();
    repaintGraphs();
    return true;
}

}  // namespace kv
