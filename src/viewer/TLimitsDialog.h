#pragma once

#include <QDialog>
#include <array>

#include "analysis/limits.h"

class QLineEdit;
class QPushButton;

namespace kv {

class Host;
class PcSettings;

// "判定基準の設定": the limits a trip is judged by, per axis a warning and an
// alarm level, a velocity-change and a drop-height limit and a damage
// boundary, each optional. Opens with the settings' limits as the INI holds
// them; OK checks them and, when one cannot be used, says why and keeps the
// dialog open on that field; otherwise it stores them in the settings and
// saves the INI file.
class TLimitsDialog : public QDialog {
    Q_OBJECT
  public:
    TLimitsDialog(PcSettings& settings, Host& host, QWidget* parent = nullptr);

    // The limits accepted by the last OK.
    const Limits& limits() const { return limits_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();
    void BitBtn1Click();
    void ButtonClearClick();
    QLineEdit* edit(LimitField field) const { return edits_[static_cast<int>(field)]; }

    PcSettings& settings_;
    Host& host_;
    Limits limits_;
    std::array<QLineEdit*, kLimitFieldCount> edits_{};  // "Edit" + the INI key
    QPushButton* BitBtn1 = nullptr;                     // OK
    QPushButton* BitBtn2 = nullptr;                     // キャンセル
    QPushButton* ButtonClear = nullptr;
};

}  // namespace kv
