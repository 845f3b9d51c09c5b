#pragma once

#include <span>

namespace kv {

// The value a data file wrote, from the float the data set keeps it in: the
// nearest double to the file's decimal text (0.7 rather than
// 0.699999988079071), so that analyses see the file's numbers, not the float's
// binary noise (which would move a peak of 0.70 G below a histogram edge at
// 0.7). Values of at most two decimals, as the files hold them, take a quick
// path; any other float gives its shortest decimal. NaN and infinities, which
// no file holds, give 0.
double fileDecimal(float value);

// fileDecimal of every value; out must hold as many as values.
void fileDecimals(std::span<const float> values, std::span<double> out);

}  // namespace kv
