#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kv {

// The progress window of downloads and file loads: which measurement is being
// handled and how far, with a cancel button that only loads offer. Always on
// top, without system buttons; shown modelessly while the operation runs on
// the user-interface thread.
class TDataReadForm : public QDialog {
    Q_OBJECT
  public:
    explicit TDataReadForm(QWidget* parent = nullptr);

    // Label "number-percent%", bar at percent, painted at once.
    void showProgress(int number, int percent);
    // Label text, bar at percent, painted at once.
    void showProgressText(int percent, const QString& text);

    bool loadCancelRequested() const { return loadCancelRequested_; }
    void setLoadCancelRequested(bool value) { loadCancelRequested_ = value; }

    // Whether the cancel button is offered in the coming showing.
    void setCancellable(bool cancellable);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    void FormShow();
    void Button1Click();
    void paintNow();

    QLabel* Label1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* Button1 = nullptr;
    bool loadCancelRequested_ = false;
};

}  // namespace kv
