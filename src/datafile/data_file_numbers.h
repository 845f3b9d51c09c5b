#pragma once

#include <string>

#include "base/datetime.h"

namespace kv {

// The number and date texts of the data files. Every rounding goes through the
// value texts (ties away from zero), never through printf.

// Battery voltage and firmware version: three significant digits, then
// exactly one decimal (3.6 gives "3.6", 9.96 gives "10.0").
std::string oneDecimalText(double x);

// Peak columns of a record line, with their leading comma: ",+1.25",
// ",+12.5", ",+0.00" for exactly 0; ",-0.50", ",-12.3", ",-0.00" for exactly 0.
void appendPositivePeak(std::string& out, double g);
void appendNegativePeak(std::string& out, double g);

// An integer as "%0*d": zero-filled to width, the minus sign counted in it.
void appendZeroPadded(std::string& out, long long value, int width);

// "yyyy/mm/dd" and "hh:mm:ss" of calendar fields.
void appendDate(std::string& out, const CalendarTime& c);
void appendTime(std::string& out, const CalendarTime& c);

}  // namespace kv
