#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "recorder/records.h"

namespace kv {

// What the condition screens accept from a person before anything is sent to a
// recorder. Every check returns the message to show, or an empty text when the
// entry may be written.

// A whole decimal number: optional blanks around it, an optional sign, digits.
// Anything else (blank, "1.5", "12a", overflow) gives nullopt.
std::optional<int> parseWholeNumber(std::string_view text);
// A real number in "." notation ("12", "12.5", ".5", "1e1"); blanks around it
// are allowed, infinities and NaN are not.
std::optional<double> parseRealNumber(std::string_view text);

// The device number of a later-generation recorder: 0 to 99 (0 is accepted).
struct DeviceNumberCheck {
    int number = -1;
    std::string message;  // empty when number may be written
};
DeviceNumberCheck checkDeviceNumber(std::string_view text);
// The device number of a first-generation recorder: any whole number that fits
// the command byte; a text that is no number is refused with its own message.
DeviceNumberCheck checkLegacyDeviceNumber(std::string_view text);

// Sensitivities (mV/G) and sensor numbers of the three axes, X, Y, Z.
struct SensorEntries {
    std::array<double, 3> sensitivity{};  // as entered, single precision widened
    std::array<int32_t, 3> sensorNumber{};
};
struct SensorCheck {
    SensorEntries entries;
    std::string message;  // empty when the entries may be written
    int flags = 0;        // message-box flags of the message
};
// Upper sensitivity limit: 18.0 for a 5 G sensor, 28.0 for every other range.
double sensitivityUpperLimit(int sensorRange);
constexpr double kSensitivityLowerLimit = 10.0;
SensorCheck checkSensorEntries(const std::array<std::string, 3>& sensitivityTexts,
                               const std::array<std::string, 3>& sensorNumberTexts,
                               int sensorRange);

// Item texts of the condition lists, in the order of their codes.
const std::vector<std::string>& recordPeriodItems();  // "１秒" ... "１０分"
const std::vector<std::string>& samplePeriodItems();  // ms
const std::vector<std::string>& triggerLevelItems();  // percent
const std::vector<std::string>& preTriggerItems();    // points
// The overwrite modes a model offers: no overwriting and X comparison for every
// model, Y, Z and three-axis comparison only for triaxial ones.
std::vector<std::string> overwriteItems(ModelCode model);
// Only third-generation recorders in wave mode take an overwrite mode and the
// trigger lists; every other combination keeps overwriting off.
bool waveOptionsAvailable(int waveMode, ModelCode model);
// Index of the item whose text is the decimal text of value; -1 when none.
int itemIndexOfValue(const std::vector<std::string>& items, int value);

// Trigger threshold of one axis for trigger level (percent), sensitivity S
// (mV/G) and sensor range R (G): 0 when S or R is 0.
int32_t triggerThreshold(int level, double sensitivity, int sensorRange);
// The three thresholds: single-axis 5100 and 6100 take the Z sensitivity for
// every axis, the other models each axis its own.
std::array<int32_t, 3> triggerThresholds(ModelCode statusModel, int level,
                                         const std::array<double, 3>& sensitivity, int sensorRange);

// What the condition lists hold when the write button is pressed; -1 = no
// selection, texts as the lists show them (empty without a selection).
struct ConditionChoices {
    int waveMode = -1;
    int recordPeriod = -1;
    int samplePeriodIndex = -1;
    std::string samplePeriodText;
    std::string triggerLevelText;
    std::string preTriggerText;
    int axisMode = -1;
    int overwriteMode = -1;
};
struct ConditionCheck {
    MeasurementSettings settings;  // thresholds not yet filled
    std::string message;           // empty when the conditions may be written
};
ConditionCheck checkConditions(const ConditionChoices& choices);

}  // namespace kv
