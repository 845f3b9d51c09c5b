#pragma once

#include <string>

#include "base/host.h"

namespace kv {

// A Host that hands everything to another one; a host that changes one or
// two things (how often events are let through, what is looked at meanwhile)
// derives from it and overrides only those.
class ForwardingHost : public Host {
  public:
    explicit ForwardingHost(Host& inner) : inner_(inner) {}

    void processEvents() override { inner_.processEvents(); }
    int messageBox(const std::string& title, const std::string& text, int flags) override {
        return inner_.messageBox(title, text, flags);
    }
    void beginProgress(bool cancellable) override { inner_.beginProgress(cancellable); }
    void showProgress(int number, int percent) override { inner_.showProgress(number, percent); }
    void showProgressText(int percent, const std::string& text) override {
        inner_.showProgressText(percent, text);
    }
    void endProgress() override { inner_.endProgress(); }
    bool loadCancelRequested() const override { return inner_.loadCancelRequested(); }
    void setLoadCancelRequested(bool value) override { inner_.setLoadCancelRequested(value); }
    void setBusy(bool busy) override { inner_.setBusy(busy); }

  private:
    Host& inner_;
};

}  // namespace kv
