#include "list/over_range.h"

#include "recorder/value_texts.h"

namespace kv {

bool isOverRange(double value, int sensorRange) {
    const double limit = 1.1 * sensorRange;
    return value > limit || value < -limit;
}

std::string gOverText(double value, int sensorRange) {
    const double limit = 1.1 * sensorRange;
    if (value > limit) return "+OVER";
    if (value < -limit) return "-OVER";
    return valueText(value);
}

}  // namespace kv
