#pragma once

#include <array>
#include <string>
#include <vector>

#include "datafile/data_set.h"
#include "link/link.h"
#include "recorder/recorder_state.h"

namespace kv {

class PcSettings;

// What the real-time settings dialog holds: the recorder the monitor listens
// to and how its telegrams become G values. Indices are those of the dialog's
// lists, -1 = no selection.
struct MonitorChoices {
    int model = 0;          // 0 4100, 1 4300, 2 5100, 3 5300, 4 6100, 5 6300
    int range = -1;         // 1, 5, 10, 20, 50, 100 G
    int recordPeriod = 0;   // peak mode: the record-period list
    int samplePeriod = -1;  // wave mode: 1, 2, 5, 10, 20, 50, 100 ms
    bool wave = false;
    bool oldSensor = false;                  // "2007年12月以前のＫＶ": remembered only
    std::array<std::string, 3> sensitivity;  // mV/G texts of X, Y, Z
};

// Items of the model and range lists; the period lists are those of the
// condition screens (recordPeriodItems, samplePeriodItems).
const std::vector<std::string>& monitorModelItems();
const std::vector<std::string>& monitorRangeItems();
// The model code of a model index; 0 for none.
ModelCode monitorModelCode(int model);

// Which controls a model allows: first-generation recorders measure peaks
// only, single-axis recorders take the Z sensitivity only.
struct MonitorControlStates {
    bool modeButtons = true;    // peak and wave selectable
    bool wave = false;          // the mode in effect
    bool recordPeriod = true;   // peak mode's list
    bool samplePeriod = false;  // wave mode's list
    bool xyEdits = true;        // X and Y sensitivities
};
MonitorControlStates monitorControlStates(int model, bool wave);

inline constexpr const char* kMonitorInputTitle = "ＫＶ設定入力";
constexpr double kMonitorSensitivityMin = 10.0;
constexpr double kMonitorSensitivityMax = 28.0;

// The check of OK: the sensitivities the model uses (Z for single-axis
// models; X, Y, Z in turn for triaxial ones) must be numbers from 10.0 to
// 28.0, and the model, range and sample-period lists must have a selection.
// The first refused axis gives its message (a text that is not a number
// included); a missing selection fails without one.
struct MonitorCheck {
    bool ok = false;
    std::string message;  // shown with kMonitorInputTitle, information icon
};
MonitorCheck checkMonitorChoices(const MonitorChoices& choices);

// What OK (and the saved-settings path) sets: the model code, range and wave
// flag of the identity, the model code and period of the generation's status
// record, the sensitivities of both status records (every edit that holds a
// number), the view's file path "リアルタイム" and, for wave data, its
// sample-period text. Returns the monitor mode 1 to 4, or 0 for an unusable
// model or range selection (nothing is changed then).
int applyMonitorChoices(const MonitorChoices& choices, RecorderState& recorder, DataSet& view);

// The selections kept in the PC settings ("KV_DEF"), and back. The saved
// choices carry no sensitivities.
void rememberMonitorChoices(const MonitorChoices& choices, PcSettings& settings);
MonitorChoices savedMonitorChoices(const PcSettings& settings);

// Opening the real-time screen: applies the saved selections without the
// dialog, every sensitivity 24.0. Returns the monitor mode, or 0 when no model
// is saved or a saved selection is not one of the lists' items.
int applySavedMonitorSettings(const PcSettings& settings, RecorderState& recorder, DataSet& view);

// Presets the dialog from the connected recorder in one session: the saved
// selections first, then what a first-generation recorder's status or a later
// one's status says (model, range, sensitivities, mode, sample period). False
// when the port could not be opened or the recorder did not answer; the port
// message or the communication-failure notice has been shown then.
bool readMonitorPreset(Link& link, int portNumber, int baudRate, const PcSettings& settings,
                       RecorderState& recorder, MonitorChoices& choices);

}  // namespace kv
