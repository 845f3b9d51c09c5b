#include "app/TDataReadForm.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace kv {

TDataReadForm::TDataReadForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
    setObjectName("TDataReadForm");
    setWindowTitle(QStringLiteral("計測データ読み込み処理"));
    setModal(false);

    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setAlignment(Qt::AlignCenter);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setAccessibleName(QStringLiteral("計測データ読み込み処理"));
    Button1 = new QPushButton(QStringLiteral("キャンセル"), this);
    Button1->setObjectName("Button1");
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(10);
    layout->addWidget(Label1);
    layout->addWidget(ProgressBar1);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
    Button1->setMinimumWidth(96);
    setFixedSize(340, 124);
}

void TDataReadForm::setCancellable(bool cancellable) {
    Button1->setVisible(cancellable);
}

void TDataReadForm::showProgress(int number, int percent) {
    Label1->setText(QString::asprintf("%d-%d%%", number, percent));
    ProgressBar1->setValue(percent);
    paintNow();
}

void TDataReadForm::showProgressText(int percent, const QString& text) {
    Label1->setText(text);
    ProgressBar1->setValue(percent);
    paintNow();
}

// The operation holds the user-interface thread, so the new state is painted
// here rather than when the event loop next runs.
void TDataReadForm::paintNow() {
    if (isVisible()) repaint();
}

void TDataReadForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TDataReadForm::FormShow() {
    Label1->clear();
    ProgressBar1->setValue(0);
    if (QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TDataReadForm::Button1Click() {
    loadCancelRequested_ = true;
}

// No system buttons: the window goes away only when its operation ends. The
// Escape key cancels like the button, and only while the button is offered.
void TDataReadForm::closeEvent(QCloseEvent* event) {
    event->ignore();
}

void TDataReadForm::reject() {
    if (Button1->isVisible()) Button1Click();
}

}  // namespace kv
