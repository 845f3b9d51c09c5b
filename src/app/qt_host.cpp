#include "app/qt_host.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QWindow>

#include "app/TDataReadForm.h"

namespace kv {

int showMessageBox(QWidget* parent, const QString& title, const QString& text, int flags) {
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    switch (flags & 0xF0) {
        case 16:
            box.setIcon(QMessageBox::Critical);
            break;
        case 32:
            box.setIcon(QMessageBox::Question);
            break;
        case 48:
            box.setIcon(QMessageBox::Warning);
            break;
        case 64:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            box.setIcon(QMessageBox::NoIcon);
            break;
    }
    const bool yesNo = (flags & 0x0F) == 4;
    if (yesNo) {
        // The captions of a Japanese desktop, whatever translations are installed.
        QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
        yes->setObjectName("Yes");
        no->setObjectName("No");
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? Host::Yes : Host::No;
    }
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    ok->setObjectName("OK");
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return Host::Ok;
}

void QtHost::processEvents() {
    QApplication::processEvents();
}

int QtHost::messageBox(const std::string& title, const std::string& text, int flags) {
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent) parent = QApplication::activeWindow();
    // The progress window stays on top and would hide the box.
    if (parent && parent == progress_) parent = nullptr;
    return showMessageBox(parent, QString::fromStdString(title), QString::fromStdString(text),
                          flags);
}

void QtHost::beginProgress(bool cancellable) {
    if (!progress_) return;
    progress_->setCancellable(cancellable);
    progress_->show();
    progress_->raise();
    // The operation keeps the user-interface thread from here on, so the
    // window is given a moment to appear on the screen before it is fed.
    QElapsedTimer waited;
    waited.start();
    do {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
        QThread::msleep(5);
    } while (progress_->windowHandle() && !progress_->windowHandle()->isExposed() &&
             waited.elapsed() < 500);
    progress_->repaint();
}

void QtHost::showProgress(int number, int percent) {
    if (progress_) progress_->showProgress(number, percent);
}

void QtHost::showProgressText(int percent, const std::string& text) {
    if (progress_) progress_->showProgressText(percent, QString::fromStdString(text));
}

void QtHost::endProgress() {
    if (progress_) progress_->hide();
}

bool QtHost::loadCancelRequested() const {
    return progress_ ? progress_->loadCancelRequested() : cancelWithoutWindow_;
}

void QtHost::setLoadCancelRequested(bool value) {
    if (progress_)
        progress_->setLoadCancelRequested(value);
    else
        cancelWithoutWindow_ = value;
}

void QtHost::setBusy(bool busy) {
    if (busy) {
        if (busyDepth_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busyDepth_ > 0) {
        if (--busyDepth_ == 0) QApplication::restoreOverrideCursor();
    }
}

}  // namespace kv
