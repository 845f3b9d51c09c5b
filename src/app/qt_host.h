#pragma once

#include "base/host.h"

#include <QString>

class QWidget;

namespace kv {

class TDataReadForm;

// The Host of the program: Japanese message boxes chosen by the Host flags,
// the Qt event loop, the progress window and the application-wide hourglass.
class QtHost : public Host {
  public:
    QtHost() = default;
    // The progress window, created with the other windows at start-up.
    void setProgressWindow(TDataReadForm* form) { progress_ = form; }

    void processEvents() override;
    int messageBox(const std::string& title, const std::string& text, int flags) override;
    void beginProgress(bool cancellable) override;
    void showProgress(int number, int percent) override;
    void showProgressText(int percent, const std::string& text) override;
    void endProgress() override;
    bool loadCancelRequested() const override;
    void setLoadCancelRequested(bool value) override;
    void setBusy(bool busy) override;

  private:
    TDataReadForm* progress_ = nullptr;
    bool cancelWithoutWindow_ = false;
    int busyDepth_ = 0;
};

// The message box itself, for the windows' own use and for the start-up error
// shown before any window exists. Flags: buttons in the low nibble (0 OK,
// 4 Yes and No), icon above (16 error, 32 question, 48 warning, 64 information).
// Returns Host::Ok, Host::Yes or Host::No.
int showMessageBox(QWidget* parent, const QString& title, const QString& text, int flags);

}  // namespace kv
