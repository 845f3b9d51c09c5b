#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace kv {

class Host;

// The small data-input dialog of the list and graph windows. Each ask runs it
// modally on one sheet, checks the input on OK (an invalid entry shows its
// message through the host and keeps the dialog open) and returns true only
// after a valid OK; cancel, Escape and the close box leave the caller's values
// as they were.
class THeaderDialog : public QDialog {
    Q_OBJECT
  public:
    explicit THeaderDialog(Host& host, QWidget* parent = nullptr);

    // The threshold of the list's search: a number above 0.
    bool askSearchValue(float& value);
    // A record number 1 .. recordCount, returned as the text typed; the
    // caller converts it.
    bool askDataNumber(QString& text, int recordCount);
    // All rows (start and end unchanged) or a typed range with
    // 1 <= start <= end <= recordCount.
    bool askPrintRange(int& start, int& end, int recordCount);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void showSheet(QWidget* sheet);
    bool runModal();
    void FormShow();
    void printAllClick();
    void printCustumClick();
    void Button1Click();
    void Button2Click();

    Host& host_;
    int recordCount_ = 0;
    unsigned char result_ = 0;

    QStackedWidget* PageControl1 = nullptr;
    QWidget* DataFind = nullptr;
    QWidget* InputData = nullptr;
    QWidget* ShowData = nullptr;
    QWidget* StartEnd = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* StaticText3 = nullptr;
    QLabel* StEdText = nullptr;
    QLineEdit* Edit2 = nullptr;
    QRadioButton* printAll = nullptr;
    QRadioButton* printCustum = nullptr;
    QLineEdit* txtStart = nullptr;
    QLineEdit* txtEnd = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
};

}  // namespace kv
