#pragma once

#include <memory>

#include "screens/info_widgets.h"
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

    Link& link_;
    PcSettings& settings_;
    RecorderState& state_;
    DataSet& data_;

    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QTreeWidget* DataView = nullptr;
    QCheckBox* chkNewOnly = nullptr;
    std::unique_ptr<SavedMeasurementMarks> marks_;
    QPushButton* TestButton = nullptr;
    QPushButton* Button_OK = nullptr;
};

}  // namespace kv
