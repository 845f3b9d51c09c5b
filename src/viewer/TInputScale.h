#pragma once

#include <QDialog>
#include <array>

#include "base/datetime.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kv {

struct DataSet;
struct GraphViewState;
struct RecorderIdentity;

// "スケール選択": the graph's horizontal axis as the whole measurement, a preset
// window or two typed date-times, and its vertical axis as a magnification of
// the sensor range. OK makes the chosen scale the graph window's scale (the
// base of its scrolling too) and remembers the choices for its quick selectors.
class TInputScale : public QDialog {
    Q_OBJECT
  public:
    TInputScale(GraphViewState& view, const DataSet& data, const RecorderIdentity& identity,
                QWidget* parent = nullptr);

    // The remembered choices: 0 the whole measurement or 1 … 19 an item of
    // the window list; 0 … 3 the magnification; −1 both after a load.
    int timeScaleChoice() const;
    int gScaleChoice() const;
    // The window of list item `choice` (0 the whole measurement); 19 (typed)
    // and anything unknown change nothing.
    void setTimeWindow(int choice);
    // Writes the window into the two edits, which take it as the window.
    void showWindow(DateTime start, DateTime end);

    DateTime windowStart() const { return windowStart_; }
    DateTime windowEnd() const { return windowEnd_; }
    double magnification() const { return magnification_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();
    void RadioButton1Click();
    void ComboBox1Change();
    void editChanged();
    void YScaleClick(int g);
    void BitBtn1Click();

    GraphViewState& view_;
    const DataSet& data_;
    const RecorderIdentity& identity_;
    DateTime windowStart_ = 0;
    DateTime windowEnd_ = 0;
    double magnification_ = 1.0;

    QGroupBox* GroupBox1 = nullptr;
    QLabel* StartTime = nullptr;
    QLabel* EndTime = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLabel* WindowReason = nullptr;  // why OK is off
    QGroupBox* GScale = nullptr;
    QLabel* YScaleMax = nullptr;
    QLabel* YScaleMin = nullptr;
    std::array<QRadioButton*, 4> YScale{};  // YScale1 … YScale4
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};

}  // namespace kv
