#include "viewer/analysis_window.h"

#include <QAction>
#include <QBoxLayout>
#include <QFile>
#include <QMenuBar>
#include <QPushButton>

#include "base/host.h"
#include "list/qt_output_file.h"
#include "viewer/chart_export.h"
#include "viewer/chart_view.h"
#include "viewer/picture_file_dialog.h"

namespace kv {

AnalysisWindow::AnalysisWindow(const char* name, const QString& title, const DataSet& data,
                               const RecorderIdentity& identity, PcSettings& settings, Host& host,
                               QWidget* parent)
    : QMainWindow(parent), data_(data), identity_(identity), settings_(settings), host_(host) {
    setObjectName(name);
    setWindowTitle(title);
}

AnalysisWindow::~AnalysisWindow() = default;

void AnalysisWindow::addChart(QBoxLayout* layout, const char* name, const QString& accessibleName) {
    chart_ = new ChartView(layout->parentWidget());
    chart_->setObjectName(name);
    chart_->setAccessibleName(accessibleName);
    layout->addWidget(chart_, 1);
}

void AnalysisWindow::showChart(const std::string& description) {
    chart_->setPicture(picture(), QString::fromStdString(description));
}

void AnalysisWindow::addCommands(QBoxLayout* layout, const std::vector<Command>& commands) {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName("mnuFile");
    auto* row = new QHBoxLayout;
    for (const Command& c : commands) {
        auto* button = new QPushButton(QString::fromUtf8(c.caption), layout->parentWidget());
        button->setObjectName(c.button);
        connect(button, &QPushButton::clicked, this, c.run);
        row->addWidget(button);
        buttons_.push_back(button);
        QAction* item = file->addAction(QString::fromUtf8(c.caption));
        item->setObjectName(c.menuItem);
        connect(item, &QAction::triggered, this, c.run);
        items_.push_back(item);
    }
    row->addStretch(1);
    auto* close = new QPushButton(QStringLiteral("閉じる(&X)"), layout->parentWidget());
    close->setObjectName("btnClose");
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    row->addWidget(close);
    layout->addLayout(row);
    file->addSeparator();
    QAction* closeItem = file->addAction(QStringLiteral("閉じる(&X)"));
    closeItem->setObjectName("mnuClose");
    connect(closeItem, &QAction::triggered, this, &QWidget::close);
}

void AnalysisWindow::enableCommands(bool enabled) {
    for (QPushButton* b : buttons_) b->setEnabled(enabled);
    for (QAction* a : items_) a->setEnabled(enabled);
}

QString AnalysisWindow::pathBesideData(const std::string& suffix) const {
    const QString data = QFile::decodeName(QByteArray::fromStdString(data_.filePath));
    const int dot = data.lastIndexOf('.');
    return (dot > data.lastIndexOf('/') ? data.left(dot) : data) + QString::fromStdString(suffix);
}

void AnalysisWindow::saveImage(const std::string& suffix) {
    const auto file = askPictureFile(this, pathBesideData(suffix));
    if (!file) return;
    std::string error;
    if (!exportChart(fileNameBytes(file->path), file->format, chart_->width(), chart_->height(),
                     picture(), error))
        host_.messageBox("画像として保存", "画像を保存できませんでした。\n" + error, Host::Error);
}

void AnalysisWindow::saveText(const std::string& text, const std::string& suffix) {
    const QString path = askCsvFile(this, pathBesideData(suffix));
    if (path.isEmpty()) return;
    std::string error;
    if (!writeQtOutputFile(fileNameBytes(path), QByteArray::fromStdString(text), error))
        host_.messageBox("CSVで保存", "ファイルを保存できませんでした。\n" + error, Host::Error);
}

void AnalysisWindow::printChart() {
    std::string error;
    if (!kv::printChart(this, picture(), error) && !error.empty())
        host_.messageBox("印刷", "印刷できませんでした。\n" + error, Host::Error);
}

}  // namespace kv
