#pragma once

#include <vector>

#include "graph/analysis_texts.h"
#include "viewer/analysis_window.h"

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QTableWidget;

namespace kv {

// "トリップ統計": what a peak file says about the whole trip. The events per
// axis, the largest positive and negative peak of each axis with its row and
// time, the events by size as a histogram (linear or logarithmic counts), and
// the percentiles of the estimated drop heights for the restitution.
// Double-clicking a largest-peak row asks the graph window to show that event.
class TTripStatistics : public AnalysisWindow {
    Q_OBJECT
  public:
    TTripStatistics(const DataSet& data, const RecorderIdentity& identity, PcSettings& settings,
                    Host& host, QWidget* parent = nullptr);
    ~TTripStatistics() override;

    // The data set holds other data: the statistics are made again. Only peak
    // data has any.
    void takeData();

    const TripStatistics& statistics() const { return trip_; }
    ChartPicture picture() const override;

  signals:
    // A largest-peak row was double-clicked: row `row` (0 …) of axis `axis`.
    void eventChosen(int row, int axis);

  private:
    void buildControls();
    void analyse();
    void showValues();
    void restitutionChanged(double value);
    void extremeChosen(int tableRow);

    DataHeader header_;
    bool hasData_ = false;
    TripStatistics trip_;
    std::vector<ExtremeRow> extremes_;

    QLabel* CountText = nullptr;
    QTableWidget* ExtremeTable = nullptr;
    QLabel* HeightCaption = nullptr;
    QDoubleSpinBox* RestitutionEdit = nullptr;
    QTableWidget* HeightTable = nullptr;
    QCheckBox* LogCountsBox = nullptr;
};

}  // namespace kv
