#include "list/THeaderDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "base/host.h"
#include "list/data_input_rules.h"
#include "list/dialog_frame.h"

namespace kv {
namespace {

constexpr int kClientWidth = 284;
constexpr int kClientHeight = 269;

// Numbers only: the input method would offer full-width digits the
// conversion does not read.
QLineEdit* makeNumberEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    QFont font = edit->font();
    font.setPixelSize(16);
    edit->setFont(font);
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->setInputMethodHints(Qt::ImhPreferNumbers);
    return edit;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

}  // namespace

THeaderDialog::THeaderDialog(Host& host, QWidget* parent) : QDialog(parent), host_(host) {
    setDialogFrame(this, "THeaderDialog", QStringLiteral("データ入力画面"));

    PageControl1 = new QStackedWidget(this);
    PageControl1->setObjectName("PageControl1");

    // Search value.
    DataFind = new QWidget;
    DataFind->setObjectName("DataFind");
    DataFind->setWindowTitle(QStringLiteral("検索数値"));
    Memo1 = new QPlainTextEdit(DataFind);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setFrameStyle(QFrame::NoFrame);
    // One line: a break inside "ください" reads as two words.
    Memo1->setPlainText(QStringLiteral("検索したいデータの数値を入力してください。\n\n "));
    Memo1->setStyleSheet(QStringLiteral("background: silver;"));
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setAccessibleName(QStringLiteral("検索数値"));
    Edit1 = makeNumberEdit(DataFind, "Edit1");
    Edit1->setAccessibleName(QStringLiteral("検索したいデータの数値"));
    auto* findLayout = new QVBoxLayout(DataFind);
    findLayout->addWidget(Memo1, 1);
    findLayout->addWidget(Edit1);

    // Data number.
    InputData = new QWidget;
    InputData->setObjectName("InputData");
    InputData->setWindowTitle(QStringLiteral("検索位置"));
    // The run of spaces between the two sentences is where the line breaks.
    StaticText3 = makeLabel(InputData, "StaticText3",
                            QStringLiteral("指定されたデータを表示します。\n"
                                           "検索するデータ番号を入力してください。"));
    StEdText = makeLabel(InputData, "StEdText", QString());
    StEdText->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StEdText->setAccessibleDescription(QStringLiteral("データ番号の範囲"));
    Edit2 = makeNumberEdit(InputData, "Edit2");
    Edit2->setAccessibleName(QStringLiteral("検索するデータ番号"));
    StaticText3->setBuddy(Edit2);
    auto* numberLayout = new QVBoxLayout(InputData);
    numberLayout->addWidget(StaticText3);
    numberLayout->addWidget(StEdText);
    numberLayout->addWidget(Edit2);
    numberLayout->addStretch(1);

    // Twelve check boxes that no mode shows; kept so the sheet order stays.
    ShowData = new QWidget;
    ShowData->setObjectName("ShowData");
    ShowData->setWindowTitle(QStringLiteral("ShowData"));
    auto* showLayout = new QGridLayout(ShowData);
    for (int i = 0; i < 12; ++i) {
        auto* box = new QCheckBox(QStringLiteral("CheckBox%1").arg(i + 1), ShowData);
        box->setObjectName(QStringLiteral("CheckBox%1").arg(i + 1));
        showLayout->addWidget(box, i % 6, i / 6);
    }

    // Print range.
    StartEnd = new QWidget;
    StartEnd->setObjectName("StartEnd");
    StartEnd->setWindowTitle(QStringLiteral("位置指定"));
    printAll = new QRadioButton(QStringLiteral("全てを印刷する"), StartEnd);
    printAll->setObjectName("printAll");
    printAll->setChecked(true);
    printCustum = new QRadioButton(QStringLiteral("位置を指定する"), StartEnd);
    printCustum->setObjectName("printCustum");
    txtStart = makeNumberEdit(StartEnd, "txtStart");
    txtEnd = makeNumberEdit(StartEnd, "txtEnd");
    auto* startLabel = makeLabel(StartEnd, "Label1", QStringLiteral("開始位置"));
    auto* endLabel = makeLabel(StartEnd, "Label2", QStringLiteral("終了位置"));
    startLabel->setBuddy(txtStart);
    endLabel->setBuddy(txtEnd);
    txtStart->setAccessibleName(startLabel->text());
    txtEnd->setAccessibleName(endLabel->text());
    auto* rangeLayout = new QGridLayout(StartEnd);
    rangeLayout->addWidget(printAll, 0, 0, 1, 2);
    rangeLayout->addWidget(printCustum, 1, 0, 1, 2);
    rangeLayout->addWidget(startLabel, 2, 0);
    rangeLayout->addWidget(txtStart, 2, 1);
    rangeLayout->addWidget(endLabel, 3, 0);
    rangeLayout->addWidget(txtEnd, 3, 1);
    rangeLayout->setRowStretch(4, 1);
    connect(printAll, &QRadioButton::clicked, this, [this] { printAllClick(); });
    connect(printCustum, &QRadioButton::clicked, this, [this] { printCustumClick(); });

    for (QWidget* sheet : {DataFind, InputData, ShowData, StartEnd}) PageControl1->addWidget(sheet);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("キャンセル"), this);
    Button2->setObjectName("Button2");
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1, 1);
    layout->addLayout(buttons);
    setFixedSize(kClientWidth, kClientHeight);
}

bool THeaderDialog::askSearchValue(float& value) {
    showSheet(DataFind);
    Edit1->setText(QString::fromStdString(searchValueText(value)));
    if (!runModal()) return false;
    value = static_cast<float>(parseDecimal(Edit1->text().toStdString()).value_or(0));
    return true;
}

bool THeaderDialog::askDataNumber(QString& text, int recordCount) {
    showSheet(InputData);
    recordCount_ = recordCount;
    StEdText->setText(QString::fromStdString(dataNumberRangeText(recordCount)));
    Edit2->setText(text);
    if (!runModal()) return false;
    text = Edit2->text();
    return true;
}

bool THeaderDialog::askPrintRange(int& start, int& end, int recordCount) {
    showSheet(StartEnd);
    recordCount_ = recordCount;
    printAll->setChecked(true);
    printAll->setText(QString::fromStdString(printAllCaption(start, end)));
    txtStart->setText(QString::number(start));
    txtEnd->setText(QString::number(end));
    if (!runModal()) return false;
    if (printCustum->isChecked()) {
        start = parseIntegerOrZero(txtStart->text().toStdString());
        end = parseIntegerOrZero(txtEnd->text().toStdString());
    }
    return true;
}

void THeaderDialog::showSheet(QWidget* sheet) {
    PageControl1->setCurrentWidget(sheet);
    // The sheet's caption names the dialog's one question for screen readers.
    PageControl1->setAccessibleName(sheet->windowTitle());
}

bool THeaderDialog::runModal() {
    result_ = 0;
    exec();
    return result_ == 1;
}

void THeaderDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void THeaderDialog::FormShow() {
    centreOnScreen(this);
    txtStart->setEnabled(false);
    txtEnd->setEnabled(false);
    QLineEdit* edit = PageControl1->currentWidget() == DataFind    ? Edit1
                      : PageControl1->currentWidget() == InputData ? Edit2
                                                                   : nullptr;
    if (edit) {
        edit->setFocus();
        edit->selectAll();
    } else {
        printAll->setFocus();
    }
}

void THeaderDialog::printAllClick() {
    txtStart->setEnabled(false);
    txtEnd->setEnabled(false);
}

void THeaderDialog::printCustumClick() {
    txtStart->setEnabled(true);
    txtEnd->setEnabled(true);
    txtStart->setFocus();
}

void THeaderDialog::Button1Click() {
    std::optional<std::string> error;
    QWidget* sheet = PageControl1->currentWidget();
    if (sheet == StartEnd)
        error = printRangeError(txtStart->text().toStdString(), txtEnd->text().toStdString(),
                                recordCount_);
    else if (sheet == DataFind)
        error = searchValueError(Edit1->text().toStdString());
    else if (sheet == InputData)
        error = dataNumberError(Edit2->text().toStdString(), recordCount_);
    if (error) {
        host_.messageBox(kInputErrorTitle, *error, Host::Information);
        return;
    }
    result_ = 1;
    accept();
}

void THeaderDialog::Button2Click() {
    result_ = 0;
    reject();
}

}  // namespace kv
