#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

// What the goods of a shipment can take (判定基準): per axis a warning and an
// alarm level, and optionally a velocity-change limit, a drop-height limit and
// a damage boundary (an event is damaging when it reaches both the critical
// velocity change and the critical acceleration). A value of 0 is "not set";
// a set value is positive. With nothing set there is no verdict.
struct Limits {
    std::array<double, 3> warningG{};  // X, Y, Z
    std::array<double, 3> alarmG{};
    double velocityChangeMps = 0;
    double dropHeightCm = 0;
    double damageVelocityChangeMps = 0;
    double damageG = 0;

    bool anySet() const;
    bool axisSet(int axis) const { return warningG[axis] > 0; }
    bool damageSet() const { return damageVelocityChangeMps > 0 && damageG > 0; }
    bool operator==(const Limits&) const = default;
};

// The values of a set of limits as people and files give them, one text per
// field: the INI section's keys and the dialog's edits.
enum class LimitField {
    WarningX,
    AlarmX,
    WarningY,
    AlarmY,
    WarningZ,
    AlarmZ,
    VelocityChange,
    DropHeight,
    DamageVelocityChange,
    DamageG,
};
constexpr int kLimitFieldCount = 10;

struct LimitFieldSpec {
    LimitField field;
    const char* iniKey;  // in section kLimitsSection
    const char* label;   // as the dialog and the messages name it
    const char* unit;    // "G", "m/s", "cm"
    double maximum;      // a set value lies in (0, maximum]
};
constexpr const char* kLimitsSection = "Limits";
const LimitFieldSpec& limitFieldSpec(LimitField field);
const std::array<LimitFieldSpec, kLimitFieldCount>& limitFieldSpecs();

// The value of one field (0 when not set).
double limitValue(const Limits& limits, LimitField field);
void setLimitValue(Limits& limits, LimitField field, double value);

using LimitTexts = std::array<std::string, kLimitFieldCount>;

// A set of limits that cannot be used: which field to correct, and what to
// tell the person (in Japanese, naming the field, its unit and its range).
struct LimitsProblem {
    LimitField field = LimitField::WarningX;
    std::string message;
};

// Reads and checks the texts: an empty text leaves its field unset; every
// other one must be a decimal number (full-width digits are taken too) in
// its field's range; an axis has both levels or neither, and its alarm level
// is at least its warning level; the damage boundary has both values or
// neither. The limits, or the first problem in the order of the fields.
std::optional<LimitsProblem> parseLimits(const LimitTexts& texts, Limits& out);

// The texts of a set of limits: empty for an unset field, else the shortest
// decimal that reads back as the value.
LimitTexts limitTexts(const Limits& limits);

// A number as people read it in a limit or a reason: at most `significant`
// digits, without trailing zeros ("50", "2.5", "0.333").
std::string readableNumber(double value, int significant = 3);

}  // namespace kv
