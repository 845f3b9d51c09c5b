#include "support/recording_host.h"

#include <gtest/gtest.h>

namespace kv::test {

void RecordingHost::processEvents() {
    ++processEventsCount;
    if (cancelAfterProcessEvents > 0 && processEventsCount == cancelAfterProcessEvents)
        cancelRequested = true;
    if (onProcessEvents) onProcessEvents();
}

int RecordingHost::messageBox(const std::string& title, const std::string& text, int flags) {
    int answer;
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    } else if (auto standing = standingAnswers.find(title);
               standing != standingAnswers.end() && (flags & kButtonsMask)) {
        answer = standing->second;
    } else if (flags & kButtonsMask) {
        // A question nobody expected: the test did not foresee this path.
        ADD_FAILURE() << "unscripted question \"" << title << "\": " << text;
        answer = No;
    } else {
        answer = Ok;
    }
    messages.push_back({title, text, flags, answer});
    if (onMessage) onMessage(messages.back());
    return answer;
}

void RecordingHost::beginProgress(bool cancellable) {
    ProgressEvent e;
    e.kind = ProgressEvent::Begin;
    e.cancellable = cancellable;
    progress.push_back(e);
}

void RecordingHost::showProgress(int number, int percent) {
    ProgressEvent e;
    e.kind = ProgressEvent::Number;
    e.number = number;
    e.percent = percent;
    progress.push_back(e);
}

void RecordingHost::showProgressText(int percent, const std::string& text) {
    ProgressEvent e;
    e.kind = ProgressEvent::Text;
    e.percent = percent;
    e.text = text;
    progress.push_back(e);
}

void RecordingHost::endProgress() {
    ProgressEvent e;
    e.kind = ProgressEvent::End;
    progress.push_back(e);
}

std::vector<std::string> RecordingHost::titles() const {
    std::vector<std::string> t;
    for (const auto& m : messages) t.push_back(m.title);
    return t;
}

}  // namespace kv::test
