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

// What a first-generation recorder (4100, 4300) reported: status, clock,
// sensors, and its measurement index with a tick per measurement to download.
class TInformationForm : public RecorderDialog {
    Q_OBJECT
  public:
    // Shows the records of the state; a download fills the data set.
    TInformationForm(Link& link, PcSettings& settings, RecorderState& state, DataSet& data,
                     QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();
    void Button1Click();
    void setBusy(bool busy);

    Link& link_;
    PcSettings& settings_;
    RecorderState& state_;
    DataSet& data_;

    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QTreeWidget* ListView1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;  // 新しい計測のみ
    std::unique_ptr<SavedMeasurementMarks> marks_;
    QPushButton* Button1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

}  // namespace kv
