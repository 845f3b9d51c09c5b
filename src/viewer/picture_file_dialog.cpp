#include "viewer/picture_file_dialog.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>

#include "list/file_dialogs.h"

namespace kv {
namespace {

// A save dialog in the folder of `suggestedPath`, offering its name with
// `ending` instead of its own.
void prepareSaveDialog(QFileDialog& dialog, const QString& suggestedPath, const QString& ending) {
    const QFileInfo f(suggestedPath);
    dialog.setDirectory(f.absolutePath());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(f.completeBaseName() + ending);
}

}  // namespace

std::optional<PictureFile> askPictureFile(QWidget* parent, const QString& suggestedPath,
                                          bool* titled) {
    static const struct {
        const char* filter;
        const char* extension;
        GraphExportFormat format;
    } kFormats[] = {{"PNG 画像 (*.png)", ".png", GraphExportFormat::Png},
                    {"SVG 画像 (*.svg)", ".svg", GraphExportFormat::Svg},
                    {"PDF (*.pdf)", ".pdf", GraphExportFormat::Pdf}};
    QStringList filters;
    for (const auto& f : kFormats) filters << QString::fromUtf8(f.filter);
    QFileDialog dialog(parent, QStringLiteral("画像として保存"), QString(), filters.join(";;"));
    dialog.setObjectName("SaveImageDialog");
    prepareSaveDialog(dialog, suggestedPath, QStringLiteral(".png"));
    QCheckBox* titleBox = nullptr;
    if (titled) {
        // The file and the record it shows go with the picture; the printed
        // page (PDF) carries them anyway.
        titleBox = new QCheckBox(QStringLiteral("見出しを付ける"));
        titleBox->setObjectName("ImageTitled");
        titleBox->setChecked(*titled);
        QObject::connect(
            &dialog, &QFileDialog::filterSelected, titleBox,
            [titleBox, pdf = filters.back()](const QString& f) { titleBox->setEnabled(f != pdf); });
        addFileDialogOption(dialog, titleBox);
    }
    prepareFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    if (titleBox) *titled = titleBox->isChecked();
    QString path = dialog.selectedFiles().front();
    // The name's ending decides; a name without one gets the filter's.
    int format = std::max<int>(0, filters.indexOf(dialog.selectedNameFilter()));
    bool named = false;
    for (int i = 0; i < 3; ++i)
        if (path.endsWith(QString::fromLatin1(kFormats[i].extension), Qt::CaseInsensitive)) {
            format = i;
            named = true;
        }
    if (!named) path += QString::fromLatin1(kFormats[format].extension);
    return PictureFile{path, kFormats[format].format};
}

QString askSaveFile(QWidget* parent, const QString& caption, const QString& suggestedPath,
                    const QString& filter, const QString& ending) {
    QFileDialog dialog(parent, caption, QString(), filter);
    prepareSaveDialog(dialog, suggestedPath, ending);
    prepareFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    QString path = dialog.selectedFiles().front();
    if (!path.endsWith(ending, Qt::CaseInsensitive)) path += ending;
    return path;
}

QString askCsvFile(QWidget* parent, const QString& suggestedPath) {
    return askSaveFile(parent, QStringLiteral("CSVで保存"), suggestedPath,
                       QStringLiteral("CSV ファイル (*.csv)"), QStringLiteral(".csv"));
}

}  // namespace kv
