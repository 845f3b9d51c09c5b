#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QDialog;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QWidget;

namespace kv {

class Host;
class PcSettings;
class RecorderSession;
struct Link;

// Pieces the two condition screens build alike.

inline QString qs(const std::string& s) {
    return QString::fromStdString(s);
}
inline std::string str(const QString& s) {
    return s.toStdString();
}

void fillItems(QComboBox* combo, const std::vector<std::string>& items);
// Selects item index, or nothing when the recorder's code has no item.
void selectItem(QComboBox* combo, int index);

// A label whose caption also names the control for screen readers.
QLabel* captionFor(const QString& caption, QWidget* control, QWidget* parent);

// Lets digits, editing keys and shortcuts through; discards every other typed
// character (letters, blanks, punctuation) as it is typed.
void acceptDigitKeysOnly(QLineEdit* edit);
// Limits what the user types or pastes to maxLength characters. Texts the
// screen puts there itself stay whole, so that a recorder value too long for
// the field is shown (and refused) as it is rather than silently cut.
void limitTypedLength(QLineEdit* edit, int maxLength);

// Runs unlock when the right button is pressed on the group with Shift held:
// the only way to edit the sensor data of a recorder with an external sensor.
void onShiftRightClick(QGroupBox* group, std::function<void()> unlock);

// The body of both screens: the widget holding the controls a session
// disables, in a window with no size of its own, so that it fits its controls
// in the screen font. Build the controls, then addOkRow.
QWidget* addControlsArea(QDialog* dialog);
// OK (BitBtn1) at the bottom right, below the controls area; closes the window.
QPushButton* addOkRow(QDialog* dialog);
// No button reacts to Enter, and each is named for screen readers by its text.
void nameButtons(std::initializer_list<QPushButton*> buttons);
// Timer1, which shows the PC's clock every half second while the screen shows.
QTimer* makeClockTimer(QObject* owner, std::function<void()> tick);

// The device-number field (two digits, typed only) and its write button.
void makeDeviceNumberControls(QGroupBox* group, QLineEdit*& edit, const char* editName,
                              QPushButton*& write, const char* writeName);
// Both on the first row of grid, after their caption.
void addDeviceNumberRow(QGridLayout* grid, QLineEdit* edit, QPushButton* write);

// The clock controls: "use the PC's time" (CheckBox1), the recorder's clock
// (Edit2, typed up to clockTypedLength characters when that is above 0), the
// PC's clock (Edit3, shown only) and the write button.
void makeClockControls(QGroupBox* group, QCheckBox*& usePcClock, QLineEdit*& recorderClock,
                       QLineEdit*& pcClock, QPushButton*& write, const char* writeName,
                       int clockTypedLength);
// From row: the check box, the recorder's clock with the button, the PC's clock.
void addClockRows(QGridLayout* grid, int row, QCheckBox* usePcClock, QLineEdit* recorderClock,
                  QLineEdit* pcClock, QPushButton* write);

// GroupBox2 with the sensor grid and its write button in the last row.
QGroupBox* buildSensorGroup(QWidget* parent, std::array<QLineEdit*, 6>& edits, QPushButton*& write,
                            const char* writeName);

// The sensor group of both screens: sensor numbers Edit4, Edit6, Edit8 and
// sensitivities Edit5, Edit7, Edit9 for X, Y, Z, then the write button in the
// last row of the returned grid. edits[0..5] are Edit4 to Edit9.
QGridLayout* buildSensorGrid(QGroupBox* group, std::array<QLineEdit*, 6>& edits);
// Texts of the sensitivity edits (X, Y, Z) and of the sensor-number edits.
std::array<std::string, 3> sensitivityTexts(const std::array<QLineEdit*, 6>& edits);
std::array<std::string, 3> sensorNumberTexts(const std::array<QLineEdit*, 6>& edits);

// A write of the condition screens: asks the question ("ＫＶ設定", Yes/No) and
// on Yes runs the commands in a session of their own on the configured port.
// While they run the controls are disabled, the cursor is the hourglass and the
// window refuses to close (sessionRunning is true). Then the settings-complete
// or the communication-failure notice. True only when the write succeeded.
bool confirmedWrite(Link& link, const PcSettings& settings, QWidget* controls, bool& sessionRunning,
                    const std::string& question,
                    const std::function<bool(RecorderSession&)>& commands);

}  // namespace kv
