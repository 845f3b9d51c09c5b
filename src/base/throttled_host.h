#pragma once

#include <cstdint>

#include "base/clock.h"
#include "base/forwarding_host.h"

namespace kv {

// A Host that hands a long file load's progress and event polling to another
// Host at most once per interval. The loader reports every hundred rows; each
// report repaints the progress window, which would cost more than the parsing.
// The cancel flag, messages and the progress window itself pass straight through.
class ThrottledHost : public ForwardingHost {
  public:
    ThrottledHost(Host& inner, Clock& clock, int64_t intervalMs)
        : ForwardingHost(inner), clock_(clock), intervalMs_(intervalMs) {}

    void processEvents() override;
    int messageBox(const std::string& title, const std::string& text, int flags) override {
        ++messagesShown_;
        return ForwardingHost::messageBox(title, text, flags);
    }
    void beginProgress(bool cancellable) override;
    void showProgress(int number, int percent) override;
    void showProgressText(int percent, const std::string& text) override;

    // How many message boxes the operation showed.
    int messagesShown() const { return messagesShown_; }

  private:
    bool due(int64_t& last);

    Clock& clock_;
    int64_t intervalMs_;
    int64_t lastEvents_ = INT64_MIN;
    int64_t lastProgress_ = INT64_MIN;
    int messagesShown_ = 0;
};

}  // namespace kv
