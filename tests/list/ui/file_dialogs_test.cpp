// The program's file dialogs: Qt's own dialog wide enough for the data files
// and its columns in Japanese.
#include <gtest/gtest.h>

#include <QAbstractProxyModel>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTreeView>

#include "list/file_dialogs.h"
#include "support/scratch_folder.h"

namespace kv {
namespace {

TEST(FileDialogs, QtsDialogShowsNamesSizesTypesAndDatesWholeInJapanese) {
    test::ScratchFolder folder;
    const QString name = QStringLiteral("KV53W01-2026120701-01.CSV");
    QFile file(QString::fromStdString(folder.file(name.toStdString())));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(12 * 1024 + 300, 'x'));
    file.close();
    const QDateTime stamp(QDate(2026, 12, 7), QTime(9, 54, 30));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(stamp, QFileDevice::FileModificationTime));
    file.close();

    QFileDialog dialog(nullptr, QStringLiteral("ファイルを開く"),
                       QString::fromStdString(folder.path()));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* option = new QCheckBox(QStringLiteral("見出しを付ける"));
    addFileDialogOption(dialog, option);
    prepareFileDialog(dialog);
    EXPECT_EQ(option->parent(), &dialog);

    auto* proxy = dialog.proxyModel();
    ASSERT_NE(proxy, nullptr);
    auto* files = qobject_cast<QFileSystemModel*>(proxy->sourceModel());
    ASSERT_NE(files, nullptr);
    // The folder is read in the background.
    const QModelIndex folderIndex =
        proxy->mapFromSource(files->index(QString::fromStdString(folder.path())));
    QElapsedTimer waited;
    waited.start();
    while (proxy->rowCount(folderIndex) == 0 && waited.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(proxy->rowCount(folderIndex), 1);
    auto text = [&](int column) {
        return proxy->index(0, column, folderIndex).data().toString().toStdString();
    };
    EXPECT_EQ(text(0), name.toStdString());
    EXPECT_EQ(text(1), "12.3 KB");
    EXPECT_EQ(text(2), "CSV ファイル");
    EXPECT_EQ(text(3), "2026/12/07 09:54");

    // Each column holds its widest text whole.
    auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    ASSERT_NE(list, nullptr);
    const QFontMetrics fm = list->fontMetrics();
    EXPECT_GT(list->header()->sectionSize(0), fm.horizontalAdvance(name) + 20);
    EXPECT_GT(list->header()->sectionSize(3),
              fm.horizontalAdvance(QStringLiteral("2026/12/07 09:54")));
    EXPECT_GE(dialog.width(), list->header()->length());
}

}  // namespace
}  // namespace kv
