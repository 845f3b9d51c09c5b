#include "viewer/graph_drawing.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <algorithm>
#include <cmath>

#include "base/kv_assert.h"
#include "graph/chart_axes.h"
#include "graph/graph_labels.h"

namespace kv {
namespace {

// The ranges the view draws in: every graph shows the current scale.
void applyScale(ScaleGraph& graph, const GraphScale& s) {
    graph.SetRange(s.xMin, s.yMin, s.xSpan, s.ySpan);
}

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// The axes a view puts on a graph, in drawing order (the X data last, on top,
// in the all-axes view of peak bars), limited to the axes the model records.
struct AxisList {
    int axis[3];
    int count = 0;
};
AxisList axesOnGraph(int viewMode, int graphIndex, const RecorderIdentity& id, bool xOnTop) {
    AxisList list;
    const int axes = axisCount(id.modelCode);
    if (viewMode == kViewAllAxes) {
        if (graphIndex != 0) return list;
        for (int k = 0; k < axes; ++k) list.axis[list.count++] = xOnTop ? axes - 1 - k : k;
    } else if (viewUsesGraph(viewMode, graphIndex) && graphIndex < axes) {
        list.axis[list.count++] = graphIndex;
    }
    return list;
}

// The thirteen horizontal lines of both grids, from the bottom up, with their
// G labels right of the plot area: all of them where they fit, else every k-th
// counted from the zero line; the zero label and the top one with the unit
// always.
void drawGLines(ScaleGraph& graph, const GraphScale& s) {
    GraphSurface& surface = *graph.canvas();
    const int th = surface.textHeight();
    constexpr int kLines = 13;
    double ys[kLines];
    LabelSlot places[kLines];
    int anchor = kLines - 1;
    double y = s.yMin;
    for (int i = 0; i < kLines; ++i, y += s.yStep) {
        ys[i] = y;
        const bool zero = std::fabs(y) <= 0.0001;
        if (zero) anchor = i;
        places[i] = {graph.ToPixel(s.xMax, y).y, th, zero || i == kLines - 1 ? 0 : 1};
    }
    const std::vector<bool> labelled = everyKthLabel(places, anchor, th / 2);
    for (int i = 0; i < kLines; ++i) {
        const bool solid = i == 0 || i == kLines - 1 || std::fabs(ys[i]) <= 0.0001;
        graph.SetPenStyle(!solid);
        graph.DrawSegment(s.xMin, ys[i], s.xMax, ys[i]);
        if (!labelled[i]) continue;
        const PixelPoint end = graph.ToPixel(s.xMax, ys[i]);
        surface.drawText(end.x + th / 2, end.y - th / 2,
                         qs(gLabelText(ys[i], s.yStep, i == kLines - 1)));
    }
}

enum class Align { Left, Centre, Right };

// A label under a vertical grid line: one or two lines of text hanging from
// the line's foot, left of it, centred on it or right of it.
struct TimeLabel {
    int x = 0;
    QString lines[2];
    Align align = Align::Centre;
};

// The labels that fit side by side: all of them, or every k-th counted from
// the first; the first (the zero or the window's start) and the last (with the
// unit, or the window's end) always.
void drawTimeLabels(GraphSurface& surface, int top, const std::vector<TimeLabel>& labels) {
    const int th = surface.textHeight();
    std::vector<LabelSlot> places;
    for (size_t i = 0; i < labels.size(); ++i) {
        const TimeLabel& l = labels[i];
        const int w = std::max(surface.textWidth(l.lines[0]), surface.textWidth(l.lines[1]));
        const int centre = l.align == Align::Left    ? l.x + w / 2
                           : l.align == Align::Right ? l.x - w / 2
                                                     : l.x;
        const bool end = i == 0 || i + 1 == labels.size();
        places.push_back({centre, w, end ? 0 : 1});
    }
    const std::vector<bool> labelled = everyKthLabel(places, 0, th / 2);
    for (size_t i = 0; i < labels.size(); ++i) {
        if (!labelled[i]) continue;
        const TimeLabel& l = labels[i];
        for (int line = 0; line < 2; ++line) {
            const int w = surface.textWidth(l.lines[line]);
            const int left = l.align == Align::Left    ? l.x
                             : l.align == Align::Right ? l.x - w
                                                       : l.x - w / 2;
            if (!l.lines[line].isEmpty()) surface.drawText(left, top + line * th, l.lines[line]);
        }
    }
}

// One axis' bars, row by row, each from its positive to its negative peak at
// its time: the plain drawing that the merged one must match.
void drawBarsOneByOne(ScaleGraph& graph, const DataSet& d, int axis, int first, int last) {
    for (int j = first; j <= last; ++j) {
        const PeakRow& row = d.peakRows[j];
        const float pos = row.peak[2 * axis], neg = row.peak[2 * axis + 1];
        if (pos != 0 || neg != 0) graph.DrawLine(row.time[axis], pos, row.time[axis], neg);
    }
}

// Bars of one axis that fall on one pixel column and touch or overlap become
// one line: a bar covers the pixels between its ends, so the union is the same
// picture with far fewer lines.
struct ColumnMerger {
    std::vector<QLine> lines;
    bool open = false;
    int cx = 0, clo = 0, chi = 0;

    void add(int x, int lo, int hi) {
        if (open && x == cx && lo <= chi + 1 && hi >= clo - 1) {
            clo = std::min(clo, lo);
            chi = std::max(chi, hi);
            return;
        }
        flush();
        open = true;
        cx = x;
        clo = lo;
        chi = hi;
    }
    void flush() {
        if (open) lines.emplace_back(cx, clo, cx, chi);
        open = false;
    }
};

// The bars of rows w.first … w.last of the listed axes, drawn axis after axis
// in the list's order and colours. The merged drawing reads the rows once for
// all axes; bars outside the plot area are dropped and their ends cut to it,
// as the clipping would.
void drawBars(ScaleGraph& graph, const GraphContext& c, const AxisList& axes, RowWindow w,
              bool merge) {
    const DataSet& d = c.data;
    const int last = std::min<int>(w.last, static_cast<int>(d.peakRows.size()) - 1);
    if (!merge) {
        for (int k = 0; k < axes.count; ++k) {
            graph.SetLineColor(c.view.colors[axes.axis[k]].line);
            drawBarsOneByOne(graph, d, axes.axis[k], w.first, last);
        }
        return;
    }
    const ScaleMapping& m = graph.mapping();
    const PixelRect& a = m.area();
    static ColumnMerger mergers[3];
    for (ColumnMerger& merger : mergers) {
        merger.lines.clear();
        merger.open = false;
    }
    for (int j = w.first; j <= last; ++j) {
        const PeakRow& row = d.peakRows[j];
        for (int k = 0; k < axes.count; ++k) {
            const int axis = axes.axis[k];
            const float pos = row.peak[2 * axis], neg = row.peak[2 * axis + 1];
            if (pos == 0 && neg == 0) continue;
            const int x = m.toPixelX(row.time[axis]);
            if (x < a.left || x > a.right) continue;
            int lo = m.toPixelY(pos), hi = m.toPixelY(neg);
            if (lo > hi) std::swap(lo, hi);
            if (hi < a.top || lo > a.bottom) continue;
            mergers[k].add(x, std::max(lo, a.top), std::min(hi, a.bottom));
        }
    }
    for (int k = 0; k < axes.count; ++k) {
        mergers[k].flush();
        graph.canvas()->setPen(graphColor(c.view.colors[axes.axis[k]].line), LineRole::Bar);
        graph.canvas()->drawLines(mergers[k].lines);
    }
}

}  // namespace

QFont graphLabelFont() {
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    // Unshaped text keeps each character's own glyph: shaping gives digits
    // beside Latin letters alternate glyphs that a PDF cannot map back to
    // text, and the labels must stay searchable there.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

TextMetrics graphTextMetrics(const QFont& font, const QPaintDevice* device) {
    QFontMetrics m(font, const_cast<QPaintDevice*>(device));
    return {m.height(), m.horizontalAdvance(QStringLiteral("8"))};
}

void Write_Grid(ScaleGraph& graph, const GraphContext& c) {
    if (c.data.filePath.empty() || !graph.canvas()) return;
    const GraphScale& s = c.view.currentScale;
    graph.ClearArea();
    drawGLines(graph, s);
    const int period = samplePeriodMs(c.data.samplePeriodText);
    // A typed scale could have no step: at most one line per pixel column.
    const int maxLines = std::max(1, graph.GetRight() - graph.GetLeft() + 1);
    std::vector<TimeLabel> labels;
    double x = s.xMin;
    for (int n = 0; x < s.xMax && n < maxLines; ++n, x += s.xStep) {
        graph.SetPenStyle(true);
        graph.DrawSegment(x, s.yMax, x, s.yMin);
        const bool lastLine = x + s.xStep > s.xMax;
        labels.push_back(
            {graph.ToPixel(x, s.yMin).x, {qs(timeLabelText(x * period, period, lastLine))}});
        if (!(s.xStep > 0)) break;
    }
    drawTimeLabels(*graph.canvas(), graph.GetBottom() + 1, labels);
}

void Write_PeakGrid(ScaleGraph& graph, const GraphContext& c) {
    if (c.data.filePath.empty() || !graph.canvas()) return;
    const GraphScale& s = c.view.currentScale;
    graph.ClearArea();
    drawGLines(graph, s);
    std::vector<TimeLabel> labels;
    for (int i = 0; i <= 4; ++i) {
        const double x = s.xMin + i * s.xStep;
        graph.SetPenStyle(i != 0 && i != 4);
        graph.DrawSegment(x, s.yMax, x, s.yMin);
        const Align align = i == 0 ? Align::Left : i == 4 ? Align::Right : Align::Centre;
        labels.push_back(
            {graph.ToPixel(x, s.yMin).x, {qs(shortDateText(x)), qs(longTimeText(x))}, align});
    }
    drawTimeLabels(*graph.canvas(), graph.GetBottom() + 1, labels);
}

void Write_Data(ScaleGraph& graph, int graphIndex, const GraphContext& c) {
    if (c.data.filePath.empty() || !graph.canvas()) return;
    const int i = c.data.currentIndex;
    if (i < 0 || i > c.data.lastIndex || i >= kWaveCapacity) return;
    static const std::vector<double> kSampleNumbers = [] {
        std::vector<double> xs(kWaveSamples);
        for (int s = 0; s < kWaveSamples; ++s) xs[s] = s;
        return xs;
    }();
    const AxisList axes = axesOnGraph(c.view.viewMode, graphIndex, c.identity, false);
    graph.canvas()->clipTo(graph.mapping().area());
    for (int k = 0; k < axes.count; ++k) {
        const int a = axes.axis[k];
        if (i >= static_cast<int>(c.data.waveRecords[a].size())) continue;
        graph.SetLineColor(c.view.colors[a].line);
        graph.DrawPolyline(kSampleNumbers.data(), c.data.waveRecords[a][i].samples, kWaveSamples);
    }
    graph.SetLineColor(c.view.colors[graphIndex].line);
    graph.canvas()->clearClip();
}

void Write_PeakData(ScaleGraph& graph, int graphIndex, const GraphContext& c, bool mergeColumns) {
    if (c.data.filePath.empty() || !graph.canvas()) return;
    const GraphScale& s = c.view.currentScale;
    const RowWindow w = peakRowWindow(c.data, c.view.viewMode, s.xMin, s.xMax);
    if (w.empty()) return;
    const AxisList axes = axesOnGraph(c.view.viewMode, graphIndex, c.identity, true);
    graph.canvas()->clipTo(graph.mapping().area());
    drawBars(graph, c, axes, w, mergeColumns);
    graph.SetLineColor(c.view.colors[graphIndex].line);
    graph.canvas()->clearClip();
}

void drawGraph(ScaleGraph& graph, int graphIndex, const GraphContext& c, bool setTextColors) {
    if (c.data.filePath.empty() || !graph.canvas()) return;
    KV_ASSERT(0 <= graphIndex && graphIndex < 3);
    const GraphColors& colors = c.view.colors[graphIndex];
    graph.SetBackColor(colors.back);
    graph.SetLineColor(colors.line);
    graph.SetGridColor(colors.grid);
    applyScale(graph, c.view.currentScale);
    if (setTextColors) graph.canvas()->setTextColor(graphColor(colors.font));
    const bool wave = c.identity.waveData == 1;
    if (wave)
        Write_Grid(graph, c);
    else
        Write_PeakGrid(graph, c);
    if (c.data.lastIndex == -1) return;
    if (wave)
        Write_Data(graph, graphIndex, c);
    else
        Write_PeakData(graph, graphIndex, c);
}

void drawGraphBox(GraphSurface& surface, int box, const PixelRect& plotArea,
                  const GraphViewState& view, const DataSet& data,
                  const RecorderIdentity& identity) {
    if (data.filePath.empty() || !viewUsesGraph(view.viewMode, box)) return;
    ScaleGraph graph;
    graph.SetCanvas(&surface);
    graph.SetArea(plotArea);
    drawGraph(graph, box, GraphContext{view, data, identity}, true);
}

void drawGraphTitle(GraphSurface& surface, int left, const TitleLines& lines,
                    const QString& caption, const QString& header) {
    surface.setTextColor(Qt::black);
    surface.drawText(left, lines.captionTop, caption);
    surface.drawText(left, lines.headerTop, header);
}

}  // namespace kv
