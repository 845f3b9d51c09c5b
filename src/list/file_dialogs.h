#pragma once

class QFileDialog;
class QWidget;

namespace kv {

// Every file dialog of the program goes through here. Where the desktop has a
// file dialog of its own, that one opens; Qt's own (where it has none, or
// where the dialog carries an option of the program's) opens wide enough for
// the data files' names, sizes, types and dates whole, and shows them in
// Japanese: "12.3 KB", "CSV ファイル", "2026/12/07 09:54".
void prepareFileDialog(QFileDialog& dialog);

// Puts `option` (a check box) under the dialog's name and type fields. The
// dialog is Qt's own from then on: the desktop's cannot carry it.
void addFileDialogOption(QFileDialog& dialog, QWidget* option);

}  // namespace kv
