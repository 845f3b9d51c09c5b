#pragma once

#include <string>

namespace kv {

// A G value beyond 1.1 times the sensor range (either sign) is not a
// measurement any more. The limit is computed in double precision, so a value
// of exactly 1.1 x range still counts as in range.
bool isOverRange(double value, int sensorRange);
// "+OVER" or "-OVER" beyond the limit, otherwise the value's text (valueText).
std::string gOverText(double value, int sensorRange);

}  // namespace kv
