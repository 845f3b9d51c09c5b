#include "screens/condition_rules.h"

#include <charconv>
#include <cmath>
#include <string>

#include "screens/condition_messages.h"

namespace kv {
namespace {

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace

std::optional<int> parseWholeNumber(std::string_view text) {
    std::string_view s = trimBlanks(text);
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
        if (!s.empty() && s.front() == '-') return std::nullopt;
    }
    if (s.empty() || s.front() == '+') return std::nullopt;
    int value = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return value;
}

std::optional<double> parseRealNumber(std::string_view text) {
    std::string_view s = trimBlanks(text);
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
        if (!s.empty() && s.front() == '-') return std::nullopt;
    }
    if (s.empty() || s.front() == '+') return std::nullopt;
    double value = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

DeviceNumberCheck checkDeviceNumber(std::string_view text) {
    DeviceNumberCheck check;
    check.number = parseWholeNumber(text).value_or(-1);
    if (check.number < 0 || check.number >= 100)
        check.message = conditionText::kDeviceNumberUnknown;
    return check;
}

DeviceNumberCheck checkLegacyDeviceNumber(std::string_view text) {
    DeviceNumberCheck check;
    std::optional<int> n = parseWholeNumber(text);
    // The field holds two digits; anything else would reach the command byte
    // truncated, so it is refused like a text that is no number.
    if (!n || *n < 0 || *n > 99) {
        check.message = conditionText::kDeviceNumberNotNumber;
        return check;
    }
    check.number = *n;
    return check;
}

double sensitivityUpperLimit(int sensorRange) {
    return sensorRange == 5 ? 18.0 : 28.0;
}

SensorCheck checkSensorEntries(const std::array<std::string, 3>& sensitivityTexts,
                               const std::array<std::string, 3>& sensorNumberTexts,
                               int sensorRange) {
    SensorCheck check;
    std::array<double, 3> sensitivity{};
    for (int axis = 0; axis < 3; ++axis) {
        std::optional<double> s = parseRealNumber(sensitivityTexts[axis]);
        if (!s) {
            check.message = conditionText::kSettingInvalid;
            check.flags = 64;
            return check;
        }
        sensitivity[axis] = *s;
        check.entries.sensorNumber[axis] = parseWholeNumber(sensorNumberTexts[axis]).value_or(-1);
    }
    const double upper = sensitivityUpperLimit(sensorRange);
    for (int axis = 0; axis < 3; ++axis) {
        if (sensitivity[axis] < kSensitivityLowerLimit || sensitivity[axis] > upper) {
            check.message = conditionText::kSensitivityOutOfRange;
            check.flags = 32;
            return check;
        }
        const int32_t number = check.entries.sensorNumber[axis];
        if (number < 0 || number > 65535) {
            check.message = conditionText::kSensorNumberOutOfRange;
            check.flags = 32;
            return check;
        }
        // The recorder keeps tenths of mV/G; the value goes out in single precision.
        check.entries.sensitivity[axis] =
            static_cast<double>(static_cast<float>(sensitivity[axis]));
    }
    return check;
}

const std::vector<std::string>& recordPeriodItems() {
    static const std::vector<std::string> items{"１秒", "２秒", "５秒", "１０秒", "３０秒",
                                                "１分", "２分", "５分", "１０分"};
    return items;
}

const std::vector<std::string>& samplePeriodItems() {
    static const std::vector<std::string> items{"1", "2", "5", "10", "20", "50", "100"};
    return items;
}

const std::vector<std::string>& triggerLevelItems() {
    static const std::vector<std::string> items{"0", "5", "10", "15", "20", "25", "30"};
    return items;
}

const std::vector<std::string>& preTriggerItems() {
    static const std::vector<std::string> items{"0", "100"};
    return items;
}

std::vector<std::string> overwriteItems(ModelCode model) {
    std::vector<std::string> items{"上書きなし", "Ｘ軸比較"};
    if (isTriaxial(model)) {
        items.insert(items.end(), {"Ｙ軸比較", "Ｚ軸比較", "３軸比較"});
    }
    return items;
}

bool waveOptionsAvailable(int waveMode, ModelCode model) {
    return waveMode == 1 && isThirdGeneration(model);
}

int itemIndexOfValue(const std::vector<std::string>& items, int value) {
    const std::string text = std::to_string(value);
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i] == text) return static_cast<int>(i);
    }
    return -1;
}

int32_t triggerThreshold(int level, double sensitivity, int sensorRange) {
    if (sensitivity == 0 || sensorRange == 0) return 0;
    const double r = sensorRange;
    const double t = std::trunc((level * 0.01 * r) / (3.0 / ((50.0 / r) * sensitivity)));
    // The threshold travels in 16 bits.
    if (!(t > 0)) return 0;
    return t > 65535 ? 65535 : static_cast<int32_t>(t);
}

std::array<int32_t, 3> triggerThresholds(ModelCode statusModel, int level,
                                         const std::array<double, 3>& sensitivity,
                                         int sensorRange) {
    // Single-axis recorders carry their one sensor on the Z channel.
    const bool zOnly = isLaterGeneration(statusModel) && isSingleAxis(statusModel);
    std::array<int32_t, 3> thresholds{};
    for (int axis = 0; axis < 3; ++axis) {
        thresholds[axis] = triggerThreshold(level, sensitivity[zOnly ? 2 : axis], sensorRange);
    }
    return thresholds;
}

ConditionCheck checkConditions(const ConditionChoices& c) {
    ConditionCheck check;
    auto refuse = [&check](const char* message) {
        check.message = message;
        return check;
    };
    if (c.waveMode < 0) return refuse(conditionText::kNoWaveMode);
    if (c.recordPeriod < 0) return refuse(conditionText::kNoRecordPeriod);
    if (c.samplePeriodIndex < 0) return refuse(conditionText::kNoSamplePeriod);
    const int sample = parseWholeNumber(c.samplePeriodText).value_or(-1);
    if (sample < 1 || sample > 255) return refuse(conditionText::kNoSamplePeriod);
    const int level = parseWholeNumber(c.triggerLevelText).value_or(-1);
    if (level < 0 || level > 30) return refuse(conditionText::kNoTriggerLevel);
    const int pre = parseWholeNumber(c.preTriggerText).value_or(-1);
    if (pre < 0 || pre > 255) return refuse(conditionText::kNoPreTrigger);
    if (c.axisMode < 0) return refuse(conditionText::kNoAxisMode);
    if (c.overwriteMode < 0) return refuse(conditionText::kNoOverwriteMode);

    MeasurementSettings& m = check.settings;
    m.waveMode = c.waveMode;
    m.recordPeriod = c.recordPeriod;
    m.samplePeriodMs = sample;
    m.triggerLevel = {level, level, level};
    m.preTrigger = pre;
    m.axisMode = c.axisMode;
    m.overwriteMode = c.overwriteMode;
    return check;
}

}  // namespace kv
