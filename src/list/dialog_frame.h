#pragma once

class QDialog;
class QString;

namespace kv {

// The frame of the list's small modal dialogs: object name, title, a dialog
// border with only the close box.
void setDialogFrame(QDialog* dialog, const char* objectName, const QString& title);
// Centred on the desktop, as these dialogs open.
void centreOnScreen(QDialog* dialog);

}  // namespace kv
