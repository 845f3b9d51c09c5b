#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "base/host.h"

namespace kv::test {

// A Host that remembers everything asked of it and answers boxes from a
// queue. Without a queued answer a question (Yes/No buttons) gets the standing
// answer for its title; a question without either fails the test, so every
// question a test meets is one it expected. A box with only an OK button gets Ok.
//
//   RecordingHost host;
//   host.answers.push_back(Host::No);       // the first box gets No
//   host.standingAnswers["ＫＶ設定"] = Host::Yes;  // then every "ＫＶ設定" question Yes
//   host.cancelAfterProcessEvents = 3;      // the 3rd processEvents() sets the cancel flag
//   ... run the operation ...
//   ASSERT_EQ(host.messages.size(), 1u);
//   EXPECT_EQ(host.messages[0].title, "通信エラー");
class RecordingHost : public Host {
  public:
    struct Message {
        std::string title;
        std::string text;
        int flags = 0;
        int answer = 0;  // what the box returned
    };
    struct ProgressEvent {
        enum Kind { Begin, Number, Text, End };
        Kind kind = Begin;
        int number = 0;            // showProgress
        int percent = 0;           // showProgress, showProgressText
        std::string text;          // showProgressText
        bool cancellable = false;  // beginProgress
    };

    // What was asked.
    std::vector<Message> messages;
    std::vector<ProgressEvent> progress;
    std::vector<bool> busyChanges;  // every setBusy argument
    int processEventsCount = 0;

    // How to answer.
    std::deque<int> answers;
    std::map<std::string, int> standingAnswers;     // title -> answer to its questions
    bool cancelRequested = false;                   // the progress window's cancel flag
    int cancelAfterProcessEvents = -1;              // > 0: that processEvents() call sets the flag
    std::function<void()> onProcessEvents;          // runs inside every processEvents()
    std::function<void(const Message&)> onMessage;  // runs when a box is shown

    static constexpr int kButtonsMask = 0x0F;  // flags bits that choose the buttons

    void processEvents() override;
    int messageBox(const std::string& title, const std::string& text, int flags) override;
    void beginProgress(bool cancellable) override;
    void showProgress(int number, int percent) override;
    void showProgressText(int percent, const std::string& text) override;
    void endProgress() override;
    bool loadCancelRequested() const override { return cancelRequested; }
    void setLoadCancelRequested(bool value) override { cancelRequested = value; }
    void setBusy(bool busy) override { busyChanges.push_back(busy); }

    bool busy() const { return !busyChanges.empty() && busyChanges.back(); }
    // Titles of the boxes shown, in order.
    std::vector<std::string> titles() const;
};

}  // namespace kv::test
