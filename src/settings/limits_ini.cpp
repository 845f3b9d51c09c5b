#include "settings/limits_ini.h"

namespace kv {

LimitTexts readLimitTexts(const IniFile& ini) {
    LimitTexts texts;
    for (const LimitFieldSpec& spec : limitFieldSpecs())
        texts[static_cast<int>(spec.field)] = ini.value(kLimitsSection, spec.iniKey).value_or("");
    return texts;
}

bool writeLimitTexts(IniFile& ini, const LimitTexts& texts) {
    bool ok = true;
    for (const LimitFieldSpec& spec : limitFieldSpecs())
        ok = ini.setValue(kLimitsSection, spec.iniKey, texts[static_cast<int>(spec.field)]) && ok;
    return ok;
}

std::string limitsProblemText(const std::string& file, const LimitsProblem& problem) {
    return file + " [" + kLimitsSection + "] " + limitFieldSpec(problem.field).iniKey + ": " +
           problem.message;
}

bool readLimitsFile(const std::string& path, Limits& out, std::string& error) {
    IniFile ini;
    std::string reason;
    if (ini.load(path, &reason) != InputRefusal::None) {
        error = path + ": 判定基準のファイルを読めません (" + reason + ")。";
        return false;
    }
    if (!ini.hasSection(kLimitsSection)) {
        error = path + ": 判定基準の節 [" + std::string(kLimitsSection) + "] がありません。";
        return false;
    }
    if (auto problem = parseLimits(readLimitTexts(ini), out)) {
        error = limitsProblemText(path, *problem);
        return false;
    }
    return true;
}

}  // namespace kv
