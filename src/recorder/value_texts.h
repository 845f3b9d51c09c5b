#pragma once

#include <string>

#include "base/datetime.h"
#include "recorder/records.h"

namespace kv {

std::string recordPeriodName(unsigned index);
std::string modeName(int waveMode);
std::string overwriteName(int overwriteMode);
std::string axisModeName(int axisMode, ModelCode model);

// G values and sensitivities: 3 significant digits, 2 decimals below 10 in
// magnitude, 1 from 10 on; an exact decimal tie rounds away from zero.
std::string valueText(double x);
// Fixed notation with the given decimals, ties away from zero (never the
// round-half-even of printf), like "%0*.*f" (zero-padded to width) with "+"
// before values that are not negative when plusSign is set ("%+0*.*f").
std::string fixedText(double x, int decimals, int width = 0, bool plusSign = false);

std::string dateTimeText(const CalendarTime& c);  // "yyyy/mm/dd hh:mm:ss"
DateTime addSeconds(DateTime start, double seconds);

}  // namespace kv
