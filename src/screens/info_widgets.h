#pragma once

#include <QString>
#include <array>
#include <functional>
#include <initializer_list>
#include <vector>

#include "download/saved_measurements.h"
#include "screens/information_texts.h"

class QCheckBox;
class QDialog;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QWidget;

namespace kv {

// Pieces the two recorder information screens share: read-only value fields
// with their labels, and the measurement list with its check boxes.

// A label and a read-only value field at (row, column) and (row, column + 1).
// The label names the field for screen readers.
QLineEdit* addValueField(QGridLayout* grid, int row, int column, const char* labelName,
                         const QString& caption, const char* fieldName, int minimumWidth = 0);
// A framed read-only text (the first-generation screen's style of field).
QLabel* addStaticValue(QGridLayout* grid, int row, int column, const char* labelName,
                       const QString& caption, const char* valueName, int minimumWidth = 0);

// Puts each text into the line edit or label of that object name under form.
void setFieldTexts(QWidget* form, const std::vector<FieldText>& fields);

// A report-style list with a check box per line.
QTreeWidget* makeMeasurementList(QWidget* parent, const char* name, const QString& accessibleName);
void setMeasurementColumns(QTreeWidget* list, const std::vector<ListColumn>& columns);
void fillMeasurementList(QTreeWidget* list,
                         const std::array<MeasurementRow, kMeasurementSlots>& rows);
std::array<bool, kMeasurementSlots> tickedMeasurements(const QTreeWidget* list);
// The check box 新しい計測のみ under the measurement list.
QCheckBox* makeNewOnlyBox(QWidget* parent, const char* name);

// What the measurement list shows of the data folder: the measurements whose
// data files are on the PC, marked in its last column (保存済み, the file names
// as its tool tip); with the box checked, only the measured rows that are not
// on the PC are ticked, and cleared, every measured row is ticked again.
class SavedMeasurementMarks {
  public:
    SavedMeasurementMarks(QTreeWidget* list, QCheckBox* newOnly);
    // Fills the list with the rows and marks them.
    void fill(const std::array<MeasurementRow, kMeasurementSlots>& rows,
              const std::string& dataFolder, const RecorderState& state, bool firstGeneration);
    // Looks at the data folder again (after a download) and marks the rows.
    void refresh(const std::string& dataFolder, const RecorderState& state, bool firstGeneration);

  private:
    void tick();

    QTreeWidget* list_;
    QCheckBox* newOnly_;
    std::array<MeasurementRow, kMeasurementSlots> rows_;
    SavedMeasurements saved_;
};

// The clock offset beside the recorder's clock, in the field valueName; more
// than a minute off, in the warning colour and with the hint in hintName.
void showClockOffset(QWidget* form, const char* valueName, const char* hintName,
                     std::optional<long long> seconds);
// The hint's label: warning colour, wrapped, hidden until needed.
QLabel* makeClockHint(QWidget* parent, const char* name);

// The window frame both screens share: title and a fixed-size dialog's
// title-bar buttons.
void setInformationWindowFrame(QDialog* form);
// The download button and OK, created last so that they end the tab order.
// download runs onDownload; OK closes the window.
void makeDownloadButtons(QDialog* form, QPushButton*& download, const char* downloadName,
                         QPushButton*& ok, const char* okName, std::function<void()> onDownload);
// The groups in top above body, which takes the spare height, and the two
// buttons at the bottom right, with `beside` (if any) at the bottom left.
void layOutInformation(QDialog* form, QHBoxLayout* top, QWidget* body, QPushButton* download,
                       QPushButton* ok, QWidget* beside = nullptr);
// While a download runs: the hourglass, and the controls disabled.
void showDownloadBusy(QWidget* form, bool busy, std::initializer_list<QWidget*> controls);

}  // namespace kv
