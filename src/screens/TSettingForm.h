#pragma once

#include <array>
#include <functional>
#include <string>

#include "screens/recorder_dialog.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace kv {

class RecorderSession;

struct Link;
class PcSettings;
struct RecorderState;

// The condition screen of first-generation recorders (4100, 4300): device
// number, record period, clock and sensor data, each written in a session of
// its own with the older command set.
class TSettingForm : public RecorderDialog {
    Q_OBJECT
  public:
    TSettingForm(Link& link, PcSettings& settings, RecorderState& state, QWidget* parent = nullptr);

    // Fills the controls from the first-generation status and the clock.
    void FormShow();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void buildControls();
    void Timer1Timer();
    void CheckBox1Click();
    void Edit2Change();
    void ComboBox1Change();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void GroupBox2MouseDown();
    void setSensorEditing(bool enabled);
    // One write: question, session, notice (see confirmedWrite).
    bool write(const std::string& question, const std::function<bool(RecorderSession&)>& commands);

    Link& link_;
    PcSettings& settings_;
    RecorderState& state_;

    QWidget* controls_ = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* StaticText3 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    std::array<QLineEdit*, 6> sensorEdits{};  // Edit4 to Edit9
    QPushButton* Button4 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QTimer* Timer1 = nullptr;
};

}  // namespace kv
