#include "analysis/limits.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "base/kv_assert.h"

namespace kv {
namespace {

// Beyond these no recorder of the family measures, and no package survives:
// a larger value is a slip of the finger.
constexpr double kMaxLevelG = 1000;
constexpr double kMaxVelocityChangeMps = 100;
constexpr double kMaxDropHeightCm = 10000;

// In the order of LimitField.
constexpr std::array<LimitFieldSpec, kLimitFieldCount> kSpecs = {{
    {LimitField::WarningX, "WarningX", "Ｘ軸の注意レベル", "G", kMaxLevelG},
    {LimitField::AlarmX, "AlarmX", "Ｘ軸の警報レベル", "G", kMaxLevelG},
    {LimitField::WarningY, "WarningY", "Ｙ軸の注意レベル", "G", kMaxLevelG},
    {LimitField::AlarmY, "AlarmY", "Ｙ軸の警報レベル", "G", kMaxLevelG},
    {LimitField::WarningZ, "WarningZ", "Ｚ軸の注意レベル", "G", kMaxLevelG},
    {LimitField::AlarmZ, "AlarmZ", "Ｚ軸の警報レベル", "G", kMaxLevelG},
    {LimitField::VelocityChange, "DeltaV", "速度変化の上限", "m/s", kMaxVelocityChangeMps},
    {LimitField::DropHeight, "DropHeight", "落下高さの上限", "cm", kMaxDropHeightCm},
    {LimitField::DamageVelocityChange, "DamageDeltaV", "損傷境界の臨界速度変化", "m/s",
     kMaxVelocityChangeMps},
    {LimitField::DamageG, "DamageG", "損傷境界の臨界加速度", "G", kMaxLevelG},
}};

const char* const kAxisNames[3] = {"Ｘ軸", "Ｙ軸", "Ｚ軸"};

int indexOf(LimitField field) {
    const int i = static_cast<int>(field);
    KV_ASSERT(0 <= i && i < kLimitFieldCount);
    return i;
}

// Full-width digits, point and signs as typed with a Japanese input method
// become their ASCII forms; blanks around the number go.
std::string asciiNumber(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        // U+FF01 … U+FF5E are EF BC 81 … EF BD 9E, the ASCII range shifted.
        if (c == 0xEF && i + 2 < text.size()) {
            const auto b1 = static_cast<unsigned char>(text[i + 1]);
            const auto b2 = static_cast<unsigned char>(text[i + 2]);
            const int code = b1 == 0xBC ? b2 - 0x80 : b1 == 0xBD ? b2 - 0x40 : -1;
            if (code >= 0x01 && code <= 0x5E && b2 >= 0x80 && b2 <= 0xBF) {
                out += static_cast<char>(code + 0x20);
                i += 3;
                continue;
            }
        }
        if (text.compare(i, 3, "\xE3\x80\x80") == 0) {  // ideographic space
            out += ' ';
            i += 3;
            continue;
        }
        out += text[i++];
    }
    const size_t first = out.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return out.substr(first, out.find_last_not_of(" \t") - first + 1);
}

std::optional<double> decimalOf(const std::string& text) {
    std::string_view s = text;
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

LimitsProblem problem(LimitField field, std::string message) {
    return {field, std::move(message)};
}

std::string rangeText(const LimitFieldSpec& spec) {
    return "0 より大きく " + readableNumber(spec.maximum, 6) + " " + spec.unit + " 以下";
}

std::string withUnit(double value, const char* unit) {
    return readableNumber(value, 6) + " " + unit;
}

}  // namespace

bool Limits::anySet() const {
    for (const LimitFieldSpec& spec : kSpecs)
        if (limitValue(*this, spec.field) > 0) return true;
    return false;
}

const LimitFieldSpec& limitFieldSpec(LimitField field) {
    return kSpecs[indexOf(field)];
}

const std::array<LimitFieldSpec, kLimitFieldCount>& limitFieldSpecs() {
    return kSpecs;
}

namespace {

template <typename L>
auto& valueRef(L& limits, LimitField field) {
    const int i = indexOf(field);
    if (i < 6) return i % 2 == 0 ? limits.warningG[i / 2] : limits.alarmG[i / 2];
    switch (field) {
        case LimitField::VelocityChange:
            return limits.velocityChangeMps;
        case LimitField::DropHeight:
            return limits.dropHeightCm;
        case LimitField::DamageVelocityChange:
            return limits.damageVelocityChangeMps;
        default:
            return limits.damageG;
    }
}

}  // namespace

double limitValue(const Limits& limits, LimitField field) {
    return valueRef(limits, field);
}

void setLimitValue(Limits& limits, LimitField field, double value) {
    valueRef(limits, field) = value;
}

std::optional<LimitsProblem> parseLimits(const LimitTexts& texts, Limits& out) {
    Limits limits;
    for (const LimitFieldSpec& spec : kSpecs) {
        const std::string text = asciiNumber(texts[indexOf(spec.field)]);
        if (text.empty()) continue;
        const auto value = decimalOf(text);
        if (!value)
            return problem(spec.field, std::string(spec.label) + "には数値を入力してください (" +
                                           spec.unit + ")。「" + texts[indexOf(spec.field)] +
                                           "」は数値ではありません。");
        if (!(*value > 0 && *value <= spec.maximum))
            return problem(spec.field, std::string(spec.label) + "は " + rangeText(spec) +
                                           "の値にしてください。");
        setLimitValue(limits, spec.field, *value);
    }
    for (int a = 0; a < 3; ++a) {
        const auto warning = static_cast<LimitField>(2 * a);
        const auto alarm = static_cast<LimitField>(2 * a + 1);
        const double w = limits.warningG[a], al = limits.alarmG[a];
        if ((w > 0) != (al > 0))
            return problem(w > 0 ? alarm : warning, std::string(kAxisNames[a]) +
                                                        "は注意レベルと警報レベルの両方を入力してく"
                                                        "ださい (片方だけでは判定できません)。");
        if (al < w)
            return problem(alarm, std::string(kAxisNames[a]) + "の警報レベル (" +
                                      withUnit(al, "G") + ") は注意レベル (" + withUnit(w, "G") +
                                      ") 以上にしてください。");
    }
    if ((limits.damageVelocityChangeMps > 0) != (limits.damageG > 0))
        return problem(limits.damageG > 0 ? LimitField::DamageVelocityChange : LimitField::DamageG,
                       "損傷境界は臨界速度変化と臨界加速度の両方を入力してください "
                       "(衝撃が両方に達したときに損傷とみなします)。");
    out = limits;
    return std::nullopt;
}

LimitTexts limitTexts(const Limits& limits) {
    LimitTexts texts;
    for (const LimitFieldSpec& spec : kSpecs) {
        const double v = limitValue(limits, spec.field);
        if (!(v > 0)) continue;
        char buf[32];
        const auto written = std::to_chars(buf, buf + sizeof buf, v);
        texts[indexOf(spec.field)].assign(buf, written.ptr);
    }
    return texts;
}

std::string readableNumber(double value, int significant) {
    if (!std::isfinite(value)) return value != value ? "NaN" : value > 0 ? "∞" : "-∞";
    if (value == 0) return "0";
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = std::clamp(significant - 1 - magnitude, 0, 12);
    char buf[64];
    const auto written =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    std::string text(buf, written.ptr);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
    }
    if (text == "-0") text = "0";
    return text;
}

}  // namespace kv
