#include "datafile/graph_scale.h"

namespace kv {
namespace {

void setDefaultG(GraphScale& s, double rangeG) {
    s.yMax = 1.2 * rangeG;
    s.yMin = -1.2 * rangeG;
    s.ySpan = -2.4 * rangeG;
    s.yStep = 0.2 * rangeG;
}

}  // namespace

GraphScale defaultPeakScale(DateTime start, DateTime end, double rangeG) {
    GraphScale s;
    s.xSpan = end - start;
    s.xMax = end;
    s.xMin = start;
    s.xStep = (end - start) * 0.25;
    setDefaultG(s, rangeG);
    return s;
}

GraphScale defaultWaveScale(double rangeG) {
    GraphScale s;
    s.xSpan = 512;
    s.xMax = 512;
    s.xMin = 0;
    s.xStep = 100;
    setDefaultG(s, rangeG);
    return s;
}

}  // namespace kv
