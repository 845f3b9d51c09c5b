#pragma once

#include <QWidget>

#include "viewer/chart_export.h"

namespace kv {

// The chart area of the analysis windows: paints its picture with the one
// chart drawing, and tells screen readers what the chart shows.
class ChartView : public QWidget {
    Q_OBJECT
  public:
    explicit ChartView(QWidget* parent = nullptr);

    // Shows the picture; `description` is what a screen reader reads for it.
    void setPicture(const ChartPicture& picture, const QString& description);
    const ChartPicture& picture() const { return picture_; }
    // Where the last paint put every part.
    const ChartPlan& plan() const { return plan_; }

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    ChartPicture picture_;
    ChartPlan plan_;
};

}  // namespace kv
