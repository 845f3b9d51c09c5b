#pragma once

#include <QMainWindow>
#include <functional>
#include <string>
#include <vector>

#include "analysis/file_analysis.h"

class QAction;
class QBoxLayout;
class QPushButton;

namespace kv {

class ChartView;
struct ChartPicture;
class Host;
class PcSettings;

// What the two analysis windows (TShockAnalysis, TTripStatistics) share: the
// data they analyse, the settings that hold the restitution and Q, a chart,
// and commands that are both buttons along the bottom and items of the file
// menu, closing last. Saving the chart and printing it work on picture().
class AnalysisWindow : public QMainWindow {
    Q_OBJECT
  public:
    ~AnalysisWindow() override;

    // The chart as it is drawn, saved and printed.
    virtual ChartPicture picture() const = 0;

  protected:
    AnalysisWindow(const char* name, const QString& title, const DataSet& data,
                   const RecorderIdentity& identity, PcSettings& settings, Host& host,
                   QWidget* parent);

    // The chart area, for screen readers named `accessibleName`.
    void addChart(QBoxLayout* layout, const char* name, const QString& accessibleName);
    // Shows picture() in the chart; `description` is what a screen reader reads.
    void showChart(const std::string& description);

    // A command: its button, its menu item and their words.
    struct Command {
        const char* button;
        const char* menuItem;
        const char* caption;
        std::function<void()> run;
    };
    void addCommands(QBoxLayout* layout, const std::vector<Command>& commands);
    // Turns the commands on or off; closing stays on.
    void enableCommands(bool enabled);

    // Save the chart as a picture, or a text as CSV, beside the data file (its
    // name with `suffix`): asked where, written in full or not at all, the user
    // told when it could not be written. Print the chart.
    void saveImage(const std::string& suffix);
    void saveText(const std::string& text, const std::string& suffix);
    void printChart();

    const DataSet& data_;
    const RecorderIdentity& identity_;
    PcSettings& settings_;
    Host& host_;
    ChartView* chart_ = nullptr;

  private:
    QString pathBesideData(const std::string& suffix) const;

    std::vector<QPushButton*> buttons_;
    std::vector<QAction*> items_;
};

}  // namespace kv
