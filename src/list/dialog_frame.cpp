#include "list/dialog_frame.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>

namespace kv {

void setDialogFrame(QDialog* dialog, const char* objectName, const QString& title) {
    dialog->setObjectName(objectName);
    dialog->setWindowTitle(title);
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);
    dialog->setModal(true);
}

void centreOnScreen(QDialog* dialog) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        dialog->move(screen->availableGeometry().center() - dialog->rect().center());
}

}  // namespace kv
