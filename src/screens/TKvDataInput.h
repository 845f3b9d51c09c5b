#pragma once

#include <QDialog>
#include <array>

#include "screens/monitor_settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kv {

struct DataSet;
struct Link;
class PcSettings;
struct RecorderState;

// "ＫＶ設定の確認": what the real-time monitor receives (model, range, period,
// peak or wave, sensitivities). OK writes the choices into the recorder
// records and remembers them in the PC settings; the rules are those of
// monitor_settings.
class TKvDataInput : public QDialog {
    Q_OBJECT
  public:
    TKvDataInput(Link& link, PcSettings& settings, RecorderState& state, DataSet& view,
                 QWidget* parent = nullptr);

    // Presets the dialog from the connected recorder and shows it modally.
    // Returns the monitor mode chosen with OK; currentMode when cancelled; 0
    // when the recorder could not be read (the dialog is not shown then).
    int showMonitorSettings(int currentMode);
    // Applies the saved selections without showing anything; the monitor
    // mode, or 0 when nothing usable is saved.
    int applySavedMonitorSettings();

  private:
    void buildControls();
    void showChoices(const MonitorChoices& choices);
    MonitorChoices choices() const;
    void ComboBox1Change();
    void Mode1Click();
    void Button1Click();
    void Button2Click();

    Link& link_;
    PcSettings& settings_;
    RecorderState& state_;
    DataSet& view_;
    int monitorMode_ = 0;

    QLabel* Label1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QComboBox* ComboBox4 = nullptr;
    std::array<QLineEdit*, 3> edits{};  // Edit1, Edit2, Edit3
    QRadioButton* Mode1 = nullptr;
    QRadioButton* Mode2 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QLabel* checkText = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
};

}  // namespace kv
