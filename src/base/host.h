#pragma once

#include <string>

namespace kv {

// What a long operation needs from whoever runs it: the windows implement it
// with Qt, tests with a recording fake, kvtool with the console.
class Host {
  public:
    // Message-box flags (icon + buttons) and answers; the numbers are the ones
    // the program has always used, so a box is named by one number.
    enum Flags { Error = 16, Question = 32, QuestionYesNo = 36, Information = 64 };
    enum Answer { Ok = 1, Yes = 6, No = 7 };

    virtual ~Host() = default;

    // Lets the user interface handle what is pending (repaints, clicks).
    virtual void processEvents() = 0;
    // Modal message box; returns Ok, Yes or No.
    virtual int messageBox(const std::string& title, const std::string& text, int flags) = 0;

    // The progress window: shown with or without its cancel button, then fed.
    virtual void beginProgress(bool cancellable) = 0;
    virtual void showProgress(int number, int percent) = 0;
    virtual void showProgressText(int percent, const std::string& text) = 0;
    virtual void endProgress() = 0;

    // The progress window's cancel flag: its button sets it, a load clears it
    // before it starts and polls it while it runs.
    virtual bool loadCancelRequested() const = 0;
    virtual void setLoadCancelRequested(bool value) = 0;

    // The hourglass cursor while a recorder operation runs.
    virtual void setBusy(bool busy) = 0;
};

}  // namespace kv
