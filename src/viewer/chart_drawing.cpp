#include "viewer/chart_drawing.h"

#include <QPainter>
#include <algorithm>

namespace kv {
namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// The plot area, its grid, labels, captions, titles, legend and note: what
// both charts share. `drawData` draws the curves or bars between the grid and
// the frame, clipped to the plot area.
template <typename DrawData>
void drawChart(GraphSurface& outer, const ChartPlan& plan, const std::array<GraphColors, 3>& colors,
               DrawData drawData) {
    QPainter& painter = outer.painter();
    const QRect box = outer.box();
    painter.save();
    painter.translate(box.topLeft());
    GraphSurface s(painter, QRect(0, 0, box.width(), box.height()));
    s.setFont(painter.font());
    s.setTextColor(outer.textColor());
    const int th = s.textHeight(), tw = s.textMetrics().width;
    const PixelRect& p = plan.layout.plot;

    painter.fillRect(QRect(0, 0, box.width(), box.height()), Qt::white);
    s.fillRect(p, graphColor(colors[0].back));
    const QColor grid = graphColor(colors[0].grid);
    for (const ChartLine& l : plan.xGrid.lines) {
        s.setPen(grid, l.solid ? LineRole::Rule : LineRole::Grid);
        s.drawLine({l.pixel, p.top}, {l.pixel, p.bottom});
    }
    for (const ChartLine& l : plan.yGrid.lines) {
        s.setPen(grid, l.solid ? LineRole::Rule : LineRole::Grid);
        s.drawLine({p.left, l.pixel}, {p.right, l.pixel});
    }

    s.clipTo(p);
    drawData(s);
    s.clearClip();
    s.drawFrame(p, grid);

    for (const ChartLabel& l : plan.yGrid.labels)
        s.drawText(p.left - tw - s.textWidth(qs(l.text)), l.centre - th / 2, qs(l.text));
    for (const ChartLabel& l : plan.xGrid.labels)
        s.drawText(l.centre - s.textWidth(qs(l.text)) / 2, plan.layout.xLabelTop, qs(l.text));
    const QString xCaption = qs(plan.xGrid.caption);
    s.drawText((p.left + p.right - s.textWidth(xCaption)) / 2, plan.layout.xCaptionTop, xCaption);
    s.drawText(tw, plan.layout.captionTop, qs(plan.yGrid.caption));
    for (size_t i = 0; i < plan.titles.size(); ++i)
        s.drawText(tw, static_cast<int>(i) * th, qs(plan.titles[i]));

    for (const LegendEntry& e : plan.legend) {
        const int y = plan.layout.legendTop + th / 2;
        s.setPen(graphColor(colors[e.axis].line), LineRole::Curve);
        s.drawLine({e.lineLeft, y}, {e.lineRight, y});
        s.drawText(e.textLeft, plan.layout.legendTop, qs(axisName(e.axis)));
    }
    if (!plan.note.empty()) {
        const QString note = qs(plan.note);
        s.drawText((p.left + p.right - s.textWidth(note)) / 2, (p.top + p.bottom - th) / 2, note);
    }
    painter.restore();
}

}  // namespace

TextMeasure textMeasureOf(const GraphSurface& surface) {
    TextMeasure m;
    m.width = [&surface](const std::string& s) { return surface.textWidth(qs(s)); };
    m.height = surface.textHeight();
    m.digitWidth = surface.textMetrics().width;
    return m;
}

ChartPlan drawSrsChart(GraphSurface& surface, const SrsChart& chart,
                       const std::array<GraphColors, 3>& colors, std::vector<std::string> titles) {
    const QRect box = surface.box();
    ChartPlan plan =
        planSrsChart(chart, box.width(), box.height(), textMeasureOf(surface), std::move(titles));
    drawChart(surface, plan, colors, [&](GraphSurface& s) {
        for (int a = 0; a < chart.axisCount; ++a) {
            s.setPen(graphColor(colors[a].line), LineRole::Curve);
            for (const std::vector<PixelPoint>& run : srsCurvePixels(plan, chart, a)) {
                std::vector<QPoint> points;
                for (const PixelPoint& pt : run) points.emplace_back(pt.x, pt.y);
                if (points.size() == 1) points.push_back(points.front());
                s.drawPolyline(points);
            }
        }
    });
    return plan;
}

ChartPlan drawHistogramChart(GraphSurface& surface, const HistogramChart& chart,
                             const std::array<GraphColors, 3>& colors,
                             std::vector<std::string> titles) {
    const QRect box = surface.box();
    ChartPlan plan = planHistogramChart(chart, box.width(), box.height(), textMeasureOf(surface),
                                        std::move(titles));
    drawChart(surface, plan, colors, [&](GraphSurface& s) {
        for (const ChartBar& b : histogramBars(plan, chart))
            s.fillRect(b.rect, graphColor(colors[b.axis].line));
    });
    return plan;
}

}  // namespace kv
