#include "viewer/picture_file_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>

namespace kv {
namespace {

QString withoutEnding(const QString& path) {
    const QFileInfo f(path);
    return f.absolutePath() + "/" + f.completeBaseName();
}

}  // namespace

std::optional<PictureFile> askPictureFile(QWidget* parent, const QString& suggestedPath) {
    static const struct {
        const char* filter;
        const char* extension;
        GraphExportFormat format;
    } kFormats[] = {{"PNG 画像 (*.png)", ".png", GraphExportFormat::Png},
                    {"SVG 画像 (*.svg)", ".svg", GraphExportFormat::Svg},
                    {"PDF (*.pdf)", ".pdf", GraphExportFormat::Pdf}};
    QStringList filters;
    for (const auto& f : kFormats) filters << QString::fromUtf8(f.filter);
    QString chosenFilter = filters.front();
    QString path = QFileDialog::getSaveFileName(
        parent, QStringLiteral("画像として保存"), withoutEnding(suggestedPath) + ".png",
        filters.join(";;"), &chosenFilter, QFileDialog::DontUseNativeDialog);
    if (path.isEmpty()) return std::nullopt;
    int format = std::max<int>(0, filters.indexOf(chosenFilter));
    bool named = false;
    for (int i = 0; i < 3; ++i)
        if (path.endsWith(QString::fromLatin1(kFormats[i].extension), Qt::CaseInsensitive)) {
            format = i;
            named = true;
        }
    if (!named) path += QString::fromLatin1(kFormats[format].extension);
    return PictureFile{path, kFormats[format].format};
}

QString askCsvFile(QWidget* parent, const QString& suggestedPath) {
    QString path = QFileDialog::getSaveFileName(
        parent, QStringLiteral("CSVで保存"), withoutEnding(suggestedPath) + ".csv",
        QStringLiteral("CSV ファイル (*.csv)"), nullptr, QFileDialog::DontUseNativeDialog);
    if (!path.isEmpty() && !path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive))
        path += QStringLiteral(".csv");
    return path;
}

}  // namespace kv
