#include "screens/recorder_dialog.h"

#include <QCloseEvent>

namespace kv {

void RecorderDialog::closeEvent(QCloseEvent* event) {
    if (sessionRunning_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void RecorderDialog::done(int result) {
    if (!sessionRunning_) QDialog::done(result);
}

}  // namespace kv
