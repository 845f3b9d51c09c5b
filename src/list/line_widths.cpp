#include "list/line_widths.h"

namespace kv {
namespace {

constexpr double kPointsPerInch = 72;
// The lowest printer resolution; logical screen resolutions stay below 200.
constexpr double kPaperDpi = 300;

struct Widths {
    double pixels;  // on pixel surfaces
    double points;  // on paper
    bool dotted;
};

Widths widthsOf(LineRole role) {
    switch (role) {
        case LineRole::Grid:
            return {1, 0.25, true};
        case LineRole::Rule:
        case LineRole::Frame:
            return {role == LineRole::Frame ? 2.0 : 1.0, 0.75, false};
        case LineRole::Curve:
            return {1, 0.75, false};
        case LineRole::Bar:
            return {1, 0.5, false};
        case LineRole::TableRule:
            return {2, 0.5, false};
        case LineRole::ThinRule:
            return {1, 0.25, false};
        case LineRole::Alarm:
        case LineRole::Warning:
            return {2, 1.25, role == LineRole::Warning};
    }
    return {1, 0.5, false};
}

}  // namespace

bool isPaperResolution(double dotsPerInch) {
    return dotsPerInch >= kPaperDpi;
}

LineStyle lineStyle(LineRole role, double dotsPerInch) {
    const Widths w = widthsOf(role);
    LineStyle style;
    style.dotted = w.dotted;
    if (!isPaperResolution(dotsPerInch)) {
        style.width = w.pixels;
        return style;
    }
    const double pixelsPerPoint = dotsPerInch / kPointsPerInch;
    style.width = w.points * pixelsPerPoint;
    if (w.dotted) {
        style.dash = 0.5 * pixelsPerPoint;
        style.gap = 1.5 * pixelsPerPoint;
    }
    return style;
}

}  // namespace kv
