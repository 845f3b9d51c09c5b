#pragma once

#include <optional>
#include <string>
#include <vector>

#include "screens/information_texts.h"

namespace kv {

// What the recorder information screens show beside the recorder's own
// records: how far its clock is off, and which measurements are on the PC.

// "+12 秒", "0 秒", "-75 秒"; empty when the offset is not known.
std::string clockOffsetText(std::optional<long long> seconds);
// More than a minute either way: shown in the warning colour, with the hint.
bool clockOffsetNeedsSetting(std::optional<long long> seconds);
extern const char* const kClockOffsetHint;

// The measurement list's last column, and its text for a measurement whose
// data files are in the data folder.
ListColumn savedColumn();
std::string savedMarkText(const std::vector<std::string>& files);
// The names of the files, one a line, for the mark's tool tip.
std::string savedFilesText(const std::vector<std::string>& files);

}  // namespace kv
