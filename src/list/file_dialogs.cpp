#include "list/file_dialogs.h"

#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QListView>
#include <QLocale>
#include <QSplitter>
#include <QTreeView>
#include <algorithm>

namespace kv {
namespace {

// The columns of Qt's file list.
enum Column { Name, Size, Type, Modified };

// Qt formats the size, type and date columns in the system's language (often
// English, with dates cut to "7 Dec 2…"); these are the program's texts.
class FileListTexts : public QIdentityProxyModel {
  public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || index.column() == Name || !files)
            return QIdentityProxyModel::data(index, role);
        const QFileInfo info = files->fileInfo(mapToSource(index));
        if (info.isDir() && index.column() != Modified)
            return index.column() == Type ? QStringLiteral("フォルダー") : QString();
        switch (index.column()) {
            case Size:
                return QLocale(QLocale::Japanese, QLocale::Japan)
                    .formattedDataSize(info.size(), 1, QLocale::DataSizeTraditionalFormat);
            case Type:
                return info.suffix().isEmpty()
                           ? QStringLiteral("ファイル")
                           : info.suffix().toUpper() + QStringLiteral(" ファイル");
            case Modified:
                return info.lastModified().toString(QStringLiteral("yyyy/MM/dd hh:mm"));
        }
        return QIdentityProxyModel::data(index, role);
    }
};

int textWidth(const QWidget* w, const QString& text) {
    return w->fontMetrics().horizontalAdvance(text);
}

}  // namespace

void prepareFileDialog(QFileDialog& dialog) {
    dialog.setViewMode(QFileDialog::Detail);
    dialog.setSizeGripEnabled(true);
    dialog.setProxyModel(new FileListTexts(&dialog));
    // Room for a data file's name, a size, a type and a date-time, each whole,
    // and for the side bar's places.
    auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    const QWidget* measure = list ? static_cast<const QWidget*>(list) : &dialog;
    const int pad = 2 * textWidth(measure, QStringLiteral("MM"));
    const int widths[] = {
        textWidth(measure, QStringLiteral("KV53W01-2026120701-01.CSV")) + 2 * pad,
        textWidth(measure, QStringLiteral("1023.9 KB")) + pad,
        textWidth(measure, QStringLiteral("CSV ファイル")) + pad,
        textWidth(measure, QStringLiteral("2026/12/07 09:54")) + pad,
    };
    int listWidth = 0;
    for (int w : widths) listWidth += w;
    if (list) {
        for (int c = Name; c <= Modified; ++c) list->header()->resizeSection(c, widths[c]);
    }
    int sideWidth = 0;
    if (auto* side = dialog.findChild<QListView*>(QStringLiteral("sidebar")))
        sideWidth = textWidth(side, QStringLiteral("コンピューター")) + 2 * pad;
    if (auto* splitter = dialog.findChild<QSplitter*>(QStringLiteral("splitter")))
        splitter->setSizes({sideWidth, listWidth + pad});
    const int lineHeight = measure->fontMetrics().height();
    dialog.resize(std::max(dialog.width(), sideWidth + listWidth + 3 * pad),
                  std::max(dialog.height(), 26 * lineHeight));
}

void addFileDialogOption(QFileDialog& dialog, QWidget* option) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid) return;
    option->setParent(&dialog);
    grid->addWidget(option, grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace kv
