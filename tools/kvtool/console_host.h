#pragma once

#include "base/host.h"

namespace kv::tool {

// The Host of a console run: message boxes go to stderr, questions are
// answered yes (the caller asked for the operation on the command line),
// progress is quiet.
class ConsoleHost : public Host {
  public:
    void processEvents() override {}
    int messageBox(const std::string& title, const std::string& text, int flags) override;
    void beginProgress(bool) override {}
    void showProgress(int, int) override {}
    void showProgressText(int, const std::string& text) override;
    void endProgress() override {}
    bool loadCancelRequested() const override { return false; }
    void setLoadCancelRequested(bool) override {}
    void setBusy(bool) override {}

    // Progress texts go to stderr, one line each: for long waits such as
    // probing ports, where a quiet console would look hung.
    void setProgressTextsShown(bool shown) { progressTextsShown_ = shown; }

    // The text of the last error box (flags 16), for the exit message.
    const std::string& lastError() const { return lastError_; }

  private:
    std::string lastError_;
    bool progressTextsShown_ = false;
};

}  // namespace kv::tool
