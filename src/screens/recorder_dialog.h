#pragma once

#include <QDialog>

namespace kv {

// A screen that talks to a recorder. While one of its sessions runs it refuses
// to close, by any route (its buttons, Escape, the title bar), so that a
// download or a write is never cut off and no second session is opened.
class RecorderDialog : public QDialog {
    Q_OBJECT
  public:
    using QDialog::QDialog;

    bool closable() const { return !sessionRunning_; }

  protected:
    bool& sessionRunning() { return sessionRunning_; }
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

  private:
    bool sessionRunning_ = false;
};

}  // namespace kv
