#pragma once

#include <array>

#include "download/saved_measurements.h"
#include "screens/information_texts.h"
#include "screens/recorder_dialog.h"

class QCheckBox;
class QGroupBox;
class QPushButton;
class QTreeWidget;

namespace kv {

struct Link;
class PcSettings;
struct DataSet;
struct RecorderState;

// What a second- or third-generation recorder reported: identity, status,
// clock, sensors, and its measurement index with a tick per measurement to
// download.
class TKV5000_Info : public RecorderDialog {
    Q_OBJECT
  public:
    // Shows the records of the state; a download fills the data set.
    TKV5000_Info(Link& link, PcSettings& settings, RecorderState& state, DataSet& data,
                 QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();
    void TestButtonClick();
    void setBusy(bool busy);
    // Which measurements are on the PC, marked in the list.
    void showSaved();

    Link& link_;
    PcSettings& settings_;
    RecorderState& state_;
    DataSet& data_;

    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QTreeWidget* DataView = nullptr;
    QCheckBox* chkNewOnly = nullptr;
    std::array<MeasurementRow, kMeasurementSlots> rows_;
    SavedMeasurements saved_;
    QPushButton* TestButton = nullptr;
    QPushButton* Button_OK = nullptr;
};

}  // namespace kv
