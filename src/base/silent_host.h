#pragma once

#include "base/host.h"

namespace kv {

// The Host of work that has nobody to ask or show anything to (a summary of
// many files, a benchmark): every box is answered OK, progress goes nowhere,
// nothing is ever cancelled.
class SilentHost : public Host {
  public:
    void processEvents() override {}
    int messageBox(const std::string&, const std::string&, int) override { return Ok; }
    void beginProgress(bool) override {}
    void showProgress(int, int) override {}
    void showProgressText(int, const std::string&) override {}
    void endProgress() override {}
    bool loadCancelRequested() const override { return false; }
    void setLoadCancelRequested(bool) override {}
    void setBusy(bool) override {}
};

}  // namespace kv
