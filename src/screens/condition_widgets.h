#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace kv {

class Host;

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

// The sensor group of both screens: sensor numbers Edit4, Edit6, Edit8 and
// sensitivities Edit5, Edit7, Edit9 for X, Y, Z, then the write button in the
// last row of the returned grid. edits[0..5] are Edit4 to Edit9.
QGridLayout* buildSensorGrid(QGroupBox* group, std::array<QLineEdit*, 6>& edits);
// Texts of the sensitivity edits (X, Y, Z) and of the sensor-number edits.
std::array<std::string, 3> sensitivityTexts(const std::array<QLineEdit*, 6>& edits);
std::array<std::string, 3> sensorNumberTexts(const std::array<QLineEdit*, 6>& edits);

// While a recorder session runs: the controls are disabled, the cursor is the
// hourglass and the window refuses to close (flag is true).
class SessionBusy {
  public:
    SessionBusy(Host& host, QWidget* controls, bool& flag);
    ~SessionBusy();
    SessionBusy(const SessionBusy&) = delete;
    SessionBusy& operator=(const SessionBusy&) = delete;

  private:
    Host& host_;
    QWidget* controls_;
    bool& flag_;
};

}  // namespace kv
