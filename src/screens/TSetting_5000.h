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

// The condition screen of second- and third-generation recorders: device
// number, clock, sensor data and measurement conditions, each written in a
// session of its own. Shows the records the main window read before opening it.
class TSetting_5000 : public RecorderDialog {
    Q_OBJECT
  public:
    TSetting_5000(Link& link, PcSettings& settings, RecorderState& state,
                  QWidget* parent = nullptr);

    // Fills the controls from the recorder records; runs at every showing and
    // after every successful condition write.
    void FormShow();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void buildControls();
    void Timer1Timer();
    void CheckBox1Click();
    void Edit2Change();
    void Set_GoukiClick();
    void Set_TimeClick();
    void Set_SencerClick();
    void GroupBox2MouseDown();
    void RecModeListClick();
    void Set_ModeClick();
    void Button5Click();
    void enableConditionControls();
    void setSensorEditing(bool enabled);
    // One write: question, session, notice (see confirmedWrite).
    bool write(const std::string& question, const std::function<bool(RecorderSession&)>& commands);

    Link& link_;
    PcSettings& settings_;
    RecorderState& state_;

    QWidget* controls_ = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* txtGouki = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QPushButton* Set_Gouki = nullptr;
    QPushButton* Set_Time = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    std::array<QLineEdit*, 6> sensorEdits{};  // Edit4 to Edit9
    QPushButton* Set_Sencer = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QComboBox* RecModeList = nullptr;
    QComboBox* txtRecType = nullptr;
    QComboBox* txtSapmType = nullptr;
    QComboBox* txtTrigLebel = nullptr;
    QComboBox* txtTrigPos = nullptr;
    QLabel* recModeLabel = nullptr;
    QComboBox* txtRecMode = nullptr;
    QComboBox* UpDataMode = nullptr;
    QPushButton* Set_Mode = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QTimer* Timer1 = nullptr;
};

}  // namespace kv
