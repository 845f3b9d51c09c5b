#include "analysis/file_values.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "base/kv_assert.h"

namespace kv {

double fileDecimal(float value) {
    if (!std::isfinite(value)) return 0;
    const double v = value;
    // Below 2^16 floats lie closer than 0.01, so at most one decimal of two
    // places reads back as this float: when one does, it is the file's text.
    if (std::fabs(v) < 65536) {
        // Rounded half away from zero by truncation: no call into the library.
        const double scaled = v * 100;
        const double hundredths =
            static_cast<double>(static_cast<int64_t>(scaled + (scaled < 0 ? -0.5 : 0.5))) / 100;
        if (static_cast<float>(hundredths) == value) return hundredths;
    }
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    double decimal = v;
    std::from_chars(text, written.ptr, decimal);
    return decimal;
}

void fileDecimals(std::span<const float> values, std::span<double> out) {
    KV_ASSERT(out.size() >= values.size());
    for (size_t i = 0; i < values.size(); ++i) out[i] = fileDecimal(values[i]);
}

}  // namespace kv
