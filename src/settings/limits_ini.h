#pragma once

#include <optional>
#include <string>

#include "analysis/limits.h"
#include "settings/ini_file.h"

namespace kv {

// The texts of the limits section (kLimitsSection) of an INI file, key by key
// as they stand there; empty for a missing key or one that is not CP932.
LimitTexts readLimitTexts(const IniFile& ini);
// Writes every key of the section (an empty value for an unset field), keeping
// the section's other keys. False when a text has no CP932 form.
bool writeLimitTexts(IniFile& ini, const LimitTexts& texts);

// The limits of another INI file, for a run that judges against them: false
// with the reason (the file, the key and what is wrong with it) when the file
// cannot be read, holds no limits section, or its values cannot be used.
bool readLimitsFile(const std::string& path, Limits& out, std::string& error);

// A problem of limits read from a file: "FILE [Limits] KEY: message".
std::string limitsProblemText(const std::string& file, const LimitsProblem& problem);

}  // namespace kv
