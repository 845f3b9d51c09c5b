#pragma once

#include <vector>

#include "analysis/shock_spectrum.h"
#include "graph/analysis_texts.h"
#include "viewer/analysis_window.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QRadioButton;
class QTableWidget;

namespace kv {

// "衝撃解析": the shock analysis of the wave record the graph window shows. A
// table of each axis's pulse (peak, duration, velocity change, shape) and the
// record's velocity change and drop height, the restitution and Q that they
// and the spectrum assume, and the shock response spectrum of every axis as
// acceleration or pseudo-velocity. Modeless; the graph window tells it which
// record to show, and it saves its chart as a picture, its spectrum as CSV,
// and prints.
class TShockAnalysis : public AnalysisWindow {
    Q_OBJECT
  public:
    // The restitution and Q are the settings' (section Analysis), and what
    // the window's controls change.
    TShockAnalysis(const DataSet& data, const RecorderIdentity& identity, PcSettings& settings,
                   Host& host, QWidget* parent = nullptr);
    ~TShockAnalysis() override;

    // The data set holds other data: its header and record currentIndex are
    // taken up. Only wave data has anything to show.
    void takeData();
    // Shows record `record` (0 …) of the data taken up.
    void showRecord(int record);

    int record() const { return record_; }
    const RecordAnalysis& analysis() const { return analysis_; }
    ChartPicture picture() const override;

    static constexpr int kQChoices[] = {5, 10, 20, 50};

  private:
    void buildControls();
    void analyse();
    void showTable();
    void restitutionChanged(double value);
    void qChanged(int index);
    void saveCsv();

    DataHeader header_;
    SrsPlan plan_;
    int record_ = -1;
    RecordAnalysis analysis_;
    std::vector<RecordTableRow> rows_;

    QLabel* RecordText = nullptr;
    QTableWidget* PulseTable = nullptr;
    QLabel* ClippedText = nullptr;
    QDoubleSpinBox* RestitutionEdit = nullptr;
    QComboBox* QCombo = nullptr;
    QRadioButton* AccelerationButton = nullptr;
    QRadioButton* PseudoVelocityButton = nullptr;
};

}  // namespace kv
