#include "base/throttled_host.h"

namespace kv {

bool ThrottledHost::due(int64_t& last) {
    const int64_t now = clock_.nowMs();
    if (last != INT64_MIN && now - last < intervalMs_) return false;
    last = now;
    return true;
}

void ThrottledHost::processEvents() {
    if (due(lastEvents_)) ForwardingHost::processEvents();
}

void ThrottledHost::beginProgress(bool cancellable) {
    ForwardingHost::beginProgress(cancellable);
    // The first report after the window appears is always shown.
    lastEvents_ = lastProgress_ = INT64_MIN;
}

void ThrottledHost::showProgress(int number, int percent) {
    if (due(lastProgress_)) ForwardingHost::showProgress(number, percent);
}

void ThrottledHost::showProgressText(int percent, const std::string& text) {
    if (due(lastProgress_)) ForwardingHost::showProgressText(percent, text);
}

}  // namespace kv
