#pragma once

#include <string>

#include "base/datetime.h"
#include "recorder/records.h"

namespace kv {

std::string recordPeriodName(unsigned index);
std::string modeName(int waveMode);
std::string overwriteName(int overwriteMode);
std::string axisModeName(int axisMode, ModelCode model);

// G values and sensitivities: rounded once, at the coarser of 3 significant
// digits and the shown decimals (2 below 10 in magnitude, 1 from 10 on, decided
// before rounding: 9.999 gives "10.00", 123.4 gives "123.0"). The exact stored
// value decides, and only an exact decimal tie goes away from zero (0.125 gives
// "0.13"; 2.675, stored as 2.67499..., gives "2.67"). A negative value keeps
// its minus when it rounds to zero. A value whose rounded integer part has more than 3 digits
// switches to 3 significant digits in scientific form: 999.5 gives "1.00E+03",
// -12345 "-1.23E+04". NaN and infinities give "NAN", "INF", "-INF".
std::string valueText(double x);
// Fixed notation with the given decimals, ties away from zero as valueText
// (never the round-half-even of printf), like "%0*.*f" (zero-padded to width)
// with "+" before values that are not negative when plusSign is set
// ("%+0*.*f"). A negative value keeps its minus when it rounds to zero
// ("-0.001" with 2 decimals gives "-0.00").
std::string fixedText(double x, int decimals, int width = 0, bool plusSign = false);

std::string dateTimeText(const CalendarTime& c);  // "yyyy/mm/dd hh:mm:ss"
DateTime addSeconds(DateTime start, double seconds);

}  // namespace kv
