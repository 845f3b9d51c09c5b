#include "viewer/trip_report.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "analysis/file_analysis.h"
#include "analysis/trip_statistics.h"
#include "datafile/graph_scale.h"
#include "graph/analysis_charts.h"
#include "graph/graph_labels.h"
#include "list/qt_output_file.h"
#include "list/surface_pens.h"
#include "viewer/chart_drawing.h"
#include "viewer/graph_drawing.h"
#include "viewer/scale_graph.h"

namespace kv {
namespace {

// Pages are drawn in dots of 1/300 inch on every device: lines of one dot
// stay visible on paper, and text sizes are set in dots so that they do not
// depend on the device's resolution.
constexpr double kDotsPerInch = 300;
constexpr double kMarginMm = 15;

double mm(double v) {
    return v * kDotsPerInch / 25.4;
}
int pointDots(double points) {
    return static_cast<int>(std::lround(points * kDotsPerInch / 72));
}

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QFont reportFont(double points, bool bold = false) {
    QFont f = graphLabelFont();  // unshaped, so a PDF maps every glyph back to its text
    // IPA P Gothic first: the Noto CJK fonts give the Kangxi radicals the
    // glyphs of the ideographs, and a PDF's text map then reads "最大" back as
    // "最⼤", which no search finds.
    f.setFamilies({QStringLiteral("IPAPGothic"), f.family()});
    f.setPixelSize(pointDots(points));
    f.setBold(bold);
    return f;
}

constexpr double kBodyPoints = 8.5;
constexpr double kTablePoints = 7.5;
constexpr double kLabelPoints = 7;

struct VerdictColours {
    QColor fill, border;
};
VerdictColours coloursOf(Verdict v) {
    switch (v) {
        case Verdict::Pass:
            return {QColor(0xDD, 0xF2, 0xDD), QColor(0x2E, 0x7D, 0x32)};
        case Verdict::Warn:
            return {QColor(0xFF, 0xF1, 0xC9), QColor(0xC7, 0x7C, 0x00)};
        case Verdict::Fail:
            return {QColor(0xF9, 0xD6, 0xD5), QColor(0xC6, 0x28, 0x28)};
        case Verdict::None:
            break;
    }
    return {QColor(0xEE, 0xEE, 0xEE), QColor(0x75, 0x75, 0x75)};
}

const QColor kWarningColour(0xE0, 0x8A, 0x00);
const QColor kAlarmColour(0xD0, 0x10, 0x10);

}  // namespace

// Where the next block goes: page after page, a footer on each.
class TripReportPainter::Pages {
  public:
    Pages(QPainter& p, QPagedPaintDevice& device) : p_(p), device_(device) {
        const double scale = device.logicalDpiX() / kDotsPerInch;
        p_.scale(scale, device.logicalDpiY() / kDotsPerInch);
        const double width = device.width() * kDotsPerInch / device.logicalDpiX();
        const double height = device.height() * kDotsPerInch / device.logicalDpiY();
        content_ = QRectF(mm(kMarginMm), mm(kMarginMm), width - 2 * mm(kMarginMm),
                          height - 2 * mm(kMarginMm) - mm(6));
        y_ = content_.top();
    }

    QPainter& painter() { return p_; }
    const QRectF& content() const { return content_; }
    double y() const { return y_; }
    double remaining() const { return content_.bottom() - y_; }
    bool atTop() const { return y_ <= content_.top() + 0.5; }
    void setFooter(const QString& text) { footer_ = text; }
    void skip(double dots) { y_ += dots; }

    void newPage() {
        drawFooter();
        device_.newPage();
        ++page_;
        y_ = content_.top();
    }
    // A block of that height starts on a new page unless it fits here.
    void need(double height) {
        if (y_ + height > content_.bottom() && !atTop()) newPage();
    }

    void drawFooter() {
        p_.save();
        p_.setFont(reportFont(7));
        p_.setPen(QColor(0x55, 0x55, 0x55));
        const QRectF line(content_.left(), content_.bottom() + mm(3), content_.width(), mm(5));
        p_.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, footer_);
        p_.drawText(line, Qt::AlignRight | Qt::AlignVCenter,
                    QStringLiteral("%1 ページ").arg(page_));
        p_.restore();
    }

    double textHeight(const QString& text, const QFont& font, double width, int flags) {
        p_.setFont(font);
        return p_.boundingRect(QRectF(0, 0, width, 1e6), flags, text).height();
    }

    // Wrapped lines across the page.
    void paragraph(const QString& text, const QFont& font, const QColor& colour = Qt::black) {
        const int flags = Qt::AlignLeft | Qt::TextWordWrap;
        const double h = textHeight(text, font, content_.width(), flags);
        need(h);
        p_.setPen(colour);
        p_.drawText(QRectF(content_.left(), y_, content_.width(), h), flags, text);
        y_ += h + mm(0.7);
    }
    void heading(const QString& text) {
        need(mm(22));  // never alone at the bottom of a page
        y_ += mm(3);
        paragraph(text, reportFont(10.5, true));
        y_ += mm(1);
    }
    void lines(const std::vector<std::string>& texts) {
        for (const std::string& t : texts) paragraph(qs(t), reportFont(kBodyPoints));
    }

    void banner(Verdict verdict, const QString& verdictText,
                const std::vector<std::string>& reasons) {
        const VerdictColours c = coloursOf(verdict);
        const double pad = mm(3);
        const QFont big = reportFont(20, true), body = reportFont(9);
        const QString head = QStringLiteral("判定: ") + verdictText;
        QString why;
        for (const std::string& r : reasons) why += (why.isEmpty() ? "" : "\n") + qs(r);
        const int flags = Qt::AlignLeft | Qt::TextWordWrap;
        const double inner = content_.width() - 2 * pad;
        const double headHeight = textHeight(head, big, inner, flags);
        const double whyHeight = textHeight(why, body, inner, flags);
        const double h = 2 * pad + headHeight + mm(1) + whyHeight;
        need(h);
        const QRectF box(content_.left(), y_, content_.width(), h);
        p_.save();
        p_.setPen(QPen(c.border, mm(0.6)));
        p_.setBrush(c.fill);
        p_.drawRect(box);
        p_.setPen(c.border);
        p_.setFont(big);
        p_.drawText(QRectF(box.left() + pad, box.top() + pad, inner, headHeight), flags, head);
        p_.setPen(Qt::black);
        p_.setFont(body);
        p_.drawText(
            QRectF(box.left() + pad, box.top() + pad + headHeight + mm(1), inner, whyHeight), flags,
            why);
        p_.restore();
        y_ += h;
    }

    void keyValues(const std::vector<std::pair<std::string, std::string>>& pairs) {
        const QFont key = reportFont(kBodyPoints, true), value = reportFont(kBodyPoints);
        double keyWidth = 0;
        for (const auto& kv : pairs)
            keyWidth =
                std::max(keyWidth, QFontMetricsF(key, &device_).horizontalAdvance(qs(kv.first)));
        keyWidth += mm(4);
        const double valueWidth = content_.width() - keyWidth;
        // Paths and digests break anywhere: they have no words.
        const int flags = Qt::AlignLeft | Qt::TextWrapAnywhere;
        for (const auto& [k, v] : pairs) {
            const double h = std::max(textHeight(qs(v), value, valueWidth, flags),
                                      textHeight(qs(k), key, keyWidth, flags)) +
                             mm(0.6);
            need(h);
            p_.setPen(Qt::black);
            p_.setFont(key);
            p_.drawText(QRectF(content_.left(), y_, keyWidth, h), flags, qs(k));
            p_.setFont(value);
            p_.drawText(QRectF(content_.left() + keyWidth, y_, valueWidth, h), flags, qs(v));
            y_ += h;
        }
    }

    void table(const ReportTable& t) {
        const size_t n = t.header.size();
        if (n == 0) return;
        const double pad = mm(1);
        double points = kTablePoints;
        std::vector<double> widths = columnWidths(t, points, pad);
        double total = 0;
        for (double w : widths) total += w;
        if (total > content_.width()) {
            // Smaller type before anything is cut off.
            points = std::max(5.0, points * content_.width() / total);
            widths = columnWidths(t, points, pad);
        }
        const QFont body = reportFont(points), bold = reportFont(points, true);
        total = 0;
        for (double w : widths) total += w;
        // Room to spare goes first to headers that would wrap, then to all.
        double spare = content_.width() - total;
        for (size_t c = 0; c < n && spare > 0; ++c) {
            const double want =
                QFontMetricsF(bold, &device_).horizontalAdvance(qs(t.header[c])) + 2 * pad;
            const double more = std::min(spare, std::max(0.0, want - widths[c]));
            widths[c] += more;
            spare -= more;
        }
        if (spare > 0)
            for (double& w : widths) w += spare / n;

        const int wrap = Qt::TextWordWrap | Qt::TextWrapAnywhere;
        auto rowHeight = [&](const std::vector<std::string>& cells, const QFont& f) {
            double h = 0;
            for (size_t c = 0; c < n && c < cells.size(); ++c)
                h = std::max(h, textHeight(qs(cells[c]), f, widths[c] - 2 * pad, wrap));
            return h + 2 * pad;
        };
        auto drawRow = [&](const std::vector<std::string>& cells, const QFont& f, double h,
                           bool header) {
            double x = content_.left();
            if (header) p_.fillRect(QRectF(x, y_, content_.width(), h), QColor(0xE8, 0xE8, 0xE8));
            p_.setPen(linePen(p_, LineRole::ThinRule, QColor(0x90, 0x90, 0x90)));
            p_.drawLine(QPointF(x, y_ + h), QPointF(content_.right(), y_ + h));
            if (header) p_.drawLine(QPointF(x, y_), QPointF(content_.right(), y_));
            p_.setFont(f);
            p_.setPen(Qt::black);
            for (size_t c = 0; c < n && c < cells.size(); ++c) {
                const bool number =
                    static_cast<int>(c) >= t.numericFrom && static_cast<int>(c) < t.numericEnd;
                p_.drawText(QRectF(x + pad, y_ + pad, widths[c] - 2 * pad, h - 2 * pad),
                            wrap | Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft),
                            qs(cells[c]));
                x += widths[c];
            }
            y_ += h;
        };
        const double headerHeight = rowHeight(t.header, bold);
        need(headerHeight + (t.rows.empty() ? 0 : rowHeight(t.rows.front(), body)));
        drawRow(t.header, bold, headerHeight, true);
        for (const auto& row : t.rows) {
            const double h = rowHeight(row, body);
            if (y_ + h > content_.bottom()) {
                newPage();
                drawRow(t.header, bold, headerHeight, true);
            }
            drawRow(row, body, h, false);
        }
    }

    // The columns' widths at a type size: each as wide as its widest cell and
    // the longest word of its header; a last column that may wrap takes what
    // the others leave, down to a fifth of the page.
    std::vector<double> columnWidths(const ReportTable& t, double points, double pad) const {
        const size_t n = t.header.size();
        const QFontMetricsF m(reportFont(points), &device_), hm(reportFont(points, true), &device_);
        std::vector<double> widths(n, 0.0);
        for (const auto& row : t.rows)
            for (size_t c = 0; c < n && c < row.size(); ++c)
                widths[c] = std::max(widths[c], m.horizontalAdvance(qs(row[c])) + 2 * pad);
        for (size_t c = 0; c < n; ++c)
            for (const QString& word : qs(t.header[c]).split(' '))
                widths[c] = std::max(widths[c], hm.horizontalAdvance(word) + 2 * pad);
        if (t.wrapLast && n > 1) {
            double others = 0;
            for (size_t c = 0; c + 1 < n; ++c) others += widths[c];
            widths[n - 1] =
                std::min(widths[n - 1], std::max(content_.width() / 5, content_.width() - others));
        }
        return widths;
    }

    // A picture's place: `height` dots across the page, on this page if it fits.
    QRectF picture(double height) {
        need(height);
        const QRectF r(content_.left(), y_, content_.width(), height);
        y_ += height;
        return r;
    }

  private:
    QPainter& p_;
    QPagedPaintDevice& device_;
    QRectF content_;
    double y_ = 0;
    int page_ = 1;
    QString footer_;
};

namespace {

// Draws into `box` (page dots) on a surface of its own, its origin at the
// box's top-left corner.
template <typename Draw>
void onSurface(QPainter& p, const QRectF& box, Draw draw) {
    p.save();
    const QRect r = box.toAlignedRect();
    p.translate(r.topLeft());
    GraphSurface surface(p, QRect(0, 0, r.width(), r.height()));
    surface.setFont(reportFont(kLabelPoints));
    surface.setTextColor(Qt::black);
    draw(surface);
    p.restore();
}

// The axes' colours and the two level lines, in a row at `top`.
void drawLegend(GraphSurface& s, int left, int top, int axisCount,
                const std::array<GraphColors, 3>& colors, bool levels) {
    const int th = s.textHeight(), line = 3 * th / 2;
    int x = left;
    auto entry = [&](const QColor& colour, LineRole role, const QString& text) {
        s.setPen(colour, role);
        s.drawLine({x, top + th / 2}, {x + line, top + th / 2});
        x += line + th / 3;
        s.drawText(x, top, text);
        x += s.textWidth(text) + th;
    };
    const char* const names[3] = {"Ｘ軸", "Ｙ軸", "Ｚ軸"};
    for (int a = 0; a < axisCount; ++a)
        entry(graphColor(colors[a].line), LineRole::Curve, QString::fromUtf8(names[a]));
    if (!levels) return;
    entry(kWarningColour, LineRole::Warning, QStringLiteral("注意レベル"));
    entry(kAlarmColour, LineRole::Alarm, QStringLiteral("警報レベル"));
}

// The warning and alarm levels of the axes as lines at ± the level, each
// labelled once inside the plot's right end; levels the scale does not reach
// are left out.
void drawLevels(ScaleGraph& graph, GraphSurface& s, const Limits& limits, int axisCount,
                const GraphScale& scale) {
    struct Level {
        double g;
        bool alarm;
        QString axes;
    };
    std::vector<Level> levels;
    const char* const names[3] = {"X", "Y", "Z"};
    for (int a = 0; a < axisCount; ++a) {
        if (!limits.axisSet(a)) continue;
        for (bool alarm : {false, true}) {
            const double g = alarm ? limits.alarmG[a] : limits.warningG[a];
            auto same = std::find_if(levels.begin(), levels.end(),
                                     [&](const Level& l) { return l.g == g && l.alarm == alarm; });
            if (same == levels.end())
                levels.push_back({g, alarm, QString::fromLatin1(names[a])});
            else
                same->axes += QStringLiteral(",") + QString::fromLatin1(names[a]);
        }
    }
    const PixelRect& area = graph.mapping().area();
    const int th = s.textHeight();
    s.clipTo(area);
    std::vector<std::pair<int, QString>> labels;
    for (const Level& l : levels) {
        for (int sign : {1, -1}) {
            const double g = sign * l.g;
            if (g > scale.yMax || g < scale.yMin) continue;
            const int y = graph.ToPixel(scale.xMin, g).y;
            s.setPen(l.alarm ? kAlarmColour : kWarningColour,
                     l.alarm ? LineRole::Alarm : LineRole::Warning);
            s.drawLine({area.left, y}, {area.right, y});
            if (sign > 0 || l.g > scale.yMax)
                labels.push_back({y, (l.alarm ? QStringLiteral("警報 ") : QStringLiteral("注意 ")) +
                                         qs(readableNumber(l.g, 6)) + QStringLiteral(" G (") +
                                         l.axes + QStringLiteral(")")});
        }
    }
    // Labels above their lines, moved apart so that none covers another.
    std::sort(labels.begin(), labels.end());
    int lowestTop = area.top + 1;
    for (auto& [y, text] : labels) {
        const int top = std::max(y - th, lowestTop);
        const int w = s.textWidth(text);
        s.fillRect({area.right - w - th / 2, top, area.right - th / 2, top + th - 1}, Qt::white);
        s.drawText(area.right - w - th / 2, top, text);
        lowestTop = top + th;
    }
    s.clearClip();
}

// A graph of the graph window's drawing in a box: title and legend on top,
// the G labels right of the plot, the time labels below it.
void drawGraphPicture(GraphSurface& s, const QString& title, const GraphViewState& view,
                      const DataSet& data, const RecorderIdentity& identity, int axisCount,
                      const Limits& limits) {
    const QRect box = s.box();
    const int th = s.textHeight();
    PixelRect area;
    area.left = th / 2;
    area.top = 3 * th;
    area.right = box.width() - 1 - s.textWidth(QStringLiteral("-120.0")) - th;
    area.bottom = box.height() - 1 - 5 * th / 2;
    ScaleGraph graph;
    graph.SetCanvas(&s);
    graph.SetArea(area);
    drawGraph(graph, graphOfView(view.viewMode), GraphContext{view, data, identity}, false);
    drawLevels(graph, s, limits, axisCount, view.currentScale);
    s.drawFrame(area, graphColor(view.colors[0].grid));
    // Over the white the grid leaves round the plot.
    s.setTextColor(Qt::black);
    s.drawText(0, 0, title);
    drawLegend(s, 0, th + th / 3, axisCount, view.colors, true);
}

GraphViewState reportView(int axisCount, const GraphScale& scale,
                          const std::array<GraphColors, 3>& colors) {
    GraphViewState view;
    view.viewMode = axisCount == 3 ? kViewAllAxes : kViewX;
    view.currentScale = view.zoomScale = scale;
    view.colors = colors;
    return view;
}

// A wave file as a peak file: one row per record with its largest and
// smallest sample per axis, for the whole-trip graph and the histogram.
void peakRowsOfWaves(const DataSet& wave, int records, int axisCount, DataSet& out) {
    out.filePath = wave.filePath;
    out.startTime = wave.startTime;
    out.endTime = wave.endTime;
    out.rangeG = wave.rangeG;
    out.lastIndex = records - 1;
    for (int r = 0; r < records; ++r) {
        PeakRow& row = out.peakRows[r];
        row = PeakRow{};
        for (int a = 0; a < axisCount; ++a) {
            const WaveBlock& b = wave.waveRecords[a][r];
            const auto [low, high] =
                std::minmax_element(std::begin(b.samples), std::end(b.samples));
            row.time[a] = wave.waveRecords[0][r].time;
            row.peak[2 * a] = std::max(*high, 0.0f);
            row.peak[2 * a + 1] = std::min(*low, 0.0f);
        }
    }
}

}  // namespace

TripReportPainter::TripReportPainter(QPagedPaintDevice& device, const ReportOptions& options)
    : device_(device), options_(options), painter_(std::make_unique<QPainter>()) {}

TripReportPainter::~TripReportPainter() {
    if (painter_->isActive()) painter_->end();
}

bool TripReportPainter::begin() {
    if (!painter_->begin(&device_)) return false;
    painter_->setRenderHint(QPainter::TextAntialiasing, true);
    pages_ = std::make_unique<Pages>(*painter_, device_);
    return true;
}

void TripReportPainter::drawSummary(const ReportTable& table,
                                    const std::vector<std::string>& notes) {
    if (!pages_) return;
    Pages& pg = *pages_;
    if (!pg.atTop()) pg.newPage();
    pg.setFooter(QStringLiteral("一覧"));
    pg.paragraph(QStringLiteral("衝撃記録 判定レポート"), reportFont(16, true));
    pg.skip(mm(2));
    pg.lines(notes);
    pg.heading(QStringLiteral("ファイルの一覧"));
    pg.table(table);
}

FileJudgement TripReportPainter::drawFile(const ReportFile& file) {
    if (!pages_) return {};
    const DataSet& data = *file.data;
    const DataHeader header = dataHeaderOf(data, *file.identity);
    AnalysisOptions analysisOptions = options_.analysis;
    analysisOptions.withSrs = false;  // only the events shown need their spectra
    const FileAnalysis analysis = analyseDataSet(data, header, analysisOptions);
    const FileJudgement judgement = judgeFile(analysis, data, options_.limits,
                                              static_cast<size_t>(std::max(options_.topEvents, 0)));
    ReportFileInput input;
    input.path = file.path;
    input.data = &data;
    input.analysis = &analysis;
    input.judgement = &judgement;
    input.sha256 = file.sha256;
    input.sensitivityText = data.sensitivityText;
    const FileReportTexts texts = fileReportTexts(input, options_.limits);

    Pages& pg = *pages_;
    if (!pg.atTop()) pg.newPage();
    pg.setFooter(qs(texts.title));
    drawFirstPage(file, analysis, judgement, texts);

    pg.heading(qs(texts.eventsHeading));
    pg.lines(texts.eventsNotes);
    if (header.wave)
        drawWaveEvents(file, analysis, texts);
    else if (!texts.peakEvents.rows.empty())
        pg.table(texts.peakEvents);
    return judgement;
}

void TripReportPainter::drawFirstPage(const ReportFile& file, const FileAnalysis& analysis,
                                      const FileJudgement& judgement,
                                      const FileReportTexts& texts) {
    Pages& pg = *pages_;
    const DataSet& data = *file.data;
    pg.paragraph(QStringLiteral("衝撃記録 判定レポート"), reportFont(16, true));
    pg.paragraph(qs(texts.title), reportFont(11));
    pg.skip(mm(3));
    pg.banner(texts.verdict, qs(texts.verdictText), texts.reasons);
    pg.heading(QStringLiteral("記録計とファイル"));
    pg.keyValues(texts.facts);
    pg.heading(QStringLiteral("判定基準"));
    pg.lines(texts.limitLines);
    pg.heading(QStringLiteral("軸ごとの集計"));
    pg.table(texts.axisTable);

    // The histogram and the whole trip side by side, as tall as the page allows.
    pg.skip(mm(4));
    const double height = std::clamp(pg.remaining(), mm(60), mm(95));
    const QRectF both = pg.picture(height);
    const double gap = mm(4), half = (both.width() - gap) / 2;
    const QRectF left(both.left(), both.top(), half, both.height());
    const QRectF right(both.left() + half + gap, both.top(), half, both.height());

    const int axisCount = judgement.axisCount;
    const bool wave = analysis.header.wave;
    TripStatistics waveTrip;
    std::unique_ptr<DataSet> wavePeaks;
    const DataSet* peaks = &data;
    const TripStatistics* trip = &analysis.trip;
    if (wave) {
        wavePeaks = std::make_unique<DataSet>();
        const int records = static_cast<int>(analysis.records.size());
        peakRowsOfWaves(data, records, axisCount, *wavePeaks);
        waveTrip = analysePeakRows(std::span<const PeakRow>(wavePeaks->peakRows.data(), records),
                                   axisCount, analysis.header.rangeG, analysis.options.restitution);
        peaks = wavePeaks.get();
        trip = &waveTrip;
    }
    onSurface(pg.painter(), left, [&](GraphSurface& s) {
        drawHistogramChart(s, histogramChartOf(*trip, false), options_.colors,
                           {wave ? "記録ごとの最大値の分布 (件数)" : "衝撃の大きさの分布 (件数)"});
    });
    RecorderIdentity peakIdentity = *file.identity;
    peakIdentity.waveData = 0;
    const GraphViewState view = reportView(
        axisCount, defaultPeakScale(data.startTime, data.endTime, data.rangeG), options_.colors);
    onSurface(pg.painter(), right, [&](GraphSurface& s) {
        drawGraphPicture(s,
                         wave ? QStringLiteral("全行程の記録ごとの最大値 (G)")
                              : QStringLiteral("全行程のピーク値 (G)"),
                         view, *peaks, peakIdentity, axisCount, options_.limits);
    });
}

void TripReportPainter::drawWaveEvents(const ReportFile& file, const FileAnalysis& analysis,
                                       const FileReportTexts& texts) {
    Pages& pg = *pages_;
    DataSet& data = *file.data;
    const SrsPlan plan = planSrs(analysis.header.samplePeriodMs, options_.analysis.q);
    const int shown = data.currentIndex;
    const GraphViewState view =
        reportView(analysis.header.axisCount, defaultWaveScale(data.rangeG), options_.colors);
    for (const WaveEventTexts& event : texts.waveEvents) {
        // One event to a page; the first one below the list's heading when it fits.
        if (&event != &texts.waveEvents.front() || pg.remaining() < mm(200)) pg.newPage();
        pg.skip(mm(2));
        pg.paragraph(qs(event.heading), reportFont(10.5, true));
        pg.skip(mm(1));
        pg.table(event.axes);
        pg.paragraph(qs(event.summary), reportFont(kBodyPoints));
        pg.skip(mm(3));
        const double height = std::min(mm(88), (pg.remaining() - mm(4)) / 2);
        data.currentIndex = event.record;
        onSurface(pg.painter(), pg.picture(height), [&](GraphSurface& s) {
            drawGraphPicture(s, QStringLiteral("波形 (G)"), view, data, *file.identity,
                             analysis.header.axisCount, options_.limits);
        });
        pg.skip(mm(4));
        const RecordAnalysis withSpectrum = analyseWaveRecord(data, analysis.header, event.record,
                                                              analysis.options.restitution, &plan);
        onSurface(pg.painter(), pg.picture(height), [&](GraphSurface& s) {
            drawSrsChart(
                s, srsChartOf(withSpectrum, plan.frequenciesHz, false), options_.colors,
                {"衝撃応答スペクトル (G、Q = " + readableNumber(options_.analysis.q) + ")"});
        });
    }
    data.currentIndex = shown;
}

bool TripReportPainter::end() {
    if (!pages_) return false;
    Pages& pg = *pages_;
    pg.heading(QStringLiteral("このレポートについて"));
    pg.lines(closingLines(options_.programVersion, options_.analysis.restitution,
                          options_.analysis.q, options_.madeAt));
    pg.drawFooter();
    return painter_->end();
}

struct TripReportPdf::Writer {
    QByteArray bytes;
    QBuffer buffer{&bytes};
    std::unique_ptr<QPdfWriter> pdf;
};

TripReportPdf::TripReportPdf(const ReportOptions& options, const std::string& title)
    : writer_(std::make_unique<Writer>()) {
    writer_->buffer.open(QIODevice::WriteOnly);
    writer_->pdf = std::make_unique<QPdfWriter>(&writer_->buffer);
    QPdfWriter& pdf = *writer_->pdf;
    pdf.setResolution(static_cast<int>(kDotsPerInch));
    pdf.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    pdf.setTitle(qs(title));
    pdf.setCreator(QStringLiteral("ＫＶマネージャー ") + qs(options.programVersion));
    painter_ = std::make_unique<TripReportPainter>(pdf, options);
    begun_ = painter_->begin();
}

TripReportPdf::~TripReportPdf() = default;

bool TripReportPdf::finish(QByteArray& pdf) {
    if (!begun_ || !painter_->end()) return false;
    writer_->buffer.close();
    pdf = writer_->bytes;
    return !pdf.isEmpty();
}

bool printTripReport(QPrinter& printer, const ReportFile& file, const ReportOptions& options,
                     std::string& error) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    // The report keeps margins of its own; the printer's would narrow the
    // pages and move the graphs' labels from where the PDF has them.
    printer.setFullPage(true);
    return printOrWritePdf(
        printer,
        [&](QPagedPaintDevice& device) {
            TripReportPainter pages(device, options);
            if (!pages.begin()) return false;
            pages.drawFile(file);
            return pages.end();
        },
        error);
}

bool tripReportOfFile(const ReportFile& file, const ReportOptions& options, QByteArray& pdf) {
    TripReportPdf report(options, "衝撃記録 判定レポート " + fileNameOf(file.path));
    report.pages().drawFile(file);
    return report.finish(pdf);
}

}  // namespace kv
