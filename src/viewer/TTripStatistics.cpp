#include "viewer/TTripStatistics.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "settings/pc_settings.h"
#include "viewer/analysis_window_parts.h"
#include "viewer/chart_export.h"

namespace kv {

TTripStatistics::TTripStatistics(const DataSet& data, const RecorderIdentity& identity,
                                 PcSettings& settings, Host& host, QWidget* parent)
    : AnalysisWindow("TTripStatistics", QStringLiteral("トリップ統計"), data, identity, settings,
                     host, parent) {
    buildControls();
    resize(700, 700);
    takeData();
}

TTripStatistics::~TTripStatistics() = default;

void TTripStatistics::buildControls() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    CountText = valueLabel(central, "CountText", QStringLiteral("軸ごとのイベント数"));
    layout->addWidget(CountText);

    auto* tables = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto* extremeCaption =
        new QLabel(QStringLiteral("最大ピーク（ダブルクリックでグラフに表示）"), central);
    ExtremeTable = valueTable(central, "ExtremeTable", QStringLiteral("軸ごとの最大ピーク"), 5);
    ExtremeTable->setToolTip(
        QStringLiteral("ダブルクリックすると、その衝撃をグラフ表示画面に表示します"));
    extremeCaption->setBuddy(ExtremeTable);
    connect(ExtremeTable, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { extremeChosen(row); });
    left->addWidget(extremeCaption);
    left->addWidget(ExtremeTable);
    left->addStretch(1);
    tables->addLayout(left);

    auto* right = new QVBoxLayout;
    HeightCaption = valueLabel(central, "HeightCaption", QStringLiteral("推定落下高さの分布"));
    HeightCaption->setWordWrap(true);
    right->addWidget(HeightCaption);
    auto* restitution = new QHBoxLayout;
    RestitutionEdit = restitutionEdit(central, settings_.restitution, restitution);
    restitution->addStretch(1);
    connect(RestitutionEdit, &QDoubleSpinBox::valueChanged, this,
            [this](double v) { restitutionChanged(v); });
    right->addLayout(restitution);
    HeightTable = valueTable(central, "HeightTable", QStringLiteral("推定落下高さの百分位数"), 2);
    right->addWidget(HeightTable);
    right->addStretch(1);
    tables->addLayout(right);
    layout->addLayout(tables);

    LogCountsBox = new QCheckBox(QStringLiteral("件数を対数目盛で表示(&L)"), central);
    LogCountsBox->setObjectName("LogCountsBox");
    connect(LogCountsBox, &QCheckBox::toggled, this,
            [this] { showChart(histogramChartDescription(picture().histogram)); });
    layout->addWidget(LogCountsBox);

    addChart(layout, "EventChart", QStringLiteral("ピーク値の分布"));
    addCommands(layout, {{"btnSaveImage", "mnuSaveImage", "画像として保存(&I)…",
                          [this] { saveImage("-events"); }},
                         {"btnPrint", "mnuPrint", "印刷(&P)…", [this] { printChart(); }}});
    setCentralWidget(central);
}

void TTripStatistics::takeData() {
    header_ = dataHeaderOf(data_, identity_);
    hasData_ = !header_.wave && data_.lastIndex >= 0;
    enableCommands(hasData_);
    analyse();
}

void TTripStatistics::analyse() {
    trip_ = TripStatistics{};
    trip_.axisCount = header_.axisCount;
    if (hasData_) trip_ = analyseDataSet(data_, header_, settings_.analysisOptions()).trip;
    extremes_ = extremeRows(trip_, header_.rangeG);
    showValues();
    showChart(histogramChartDescription(picture().histogram));
}

void TTripStatistics::showValues() {
    CountText->setText(QString::fromStdString(eventCountText(trip_)));
    std::vector<std::vector<std::string>> cells;
    for (const ExtremeRow& r : extremes_) cells.emplace_back(r.cells.begin(), r.cells.end());
    fillValueTable(ExtremeTable, {std::begin(kExtremeHeaders), std::end(kExtremeHeaders)}, cells);
    for (size_t r = 0; r < extremes_.size(); ++r)
        if (extremes_[r].clipped)
            markClipped(ExtremeTable, static_cast<int>(r), QString::fromUtf8(kClippedHint));

    HeightCaption->setText(QString::fromStdString(percentileCaption(settings_.restitution)));
    cells.clear();
    for (const PercentileRow& r : percentileRows(trip_)) cells.push_back({r.name, r.heightCm});
    fillValueTable(HeightTable, {"割合", "推定落下高さ(cm)"}, cells);
}

ChartPicture TTripStatistics::picture() const {
    ChartPicture p;
    p.kind = ChartPicture::Kind::Histogram;
    p.colors = settings_.graphColors;
    p.caption = data_.filePath;
    p.histogram = histogramChartOf(trip_, LogCountsBox->isChecked());
    if (p.histogram.lowerEdgesG[1] == 0)  // no statistics yet: the bins of the range
        for (int b = 0; b < kHistogramBins; ++b)
            p.histogram.lowerEdgesG[b] = header_.rangeG * b / 10;
    if (hasData_) {
        p.header = histogramChartHeader(trip_, data_.lastIndex + 1, header_.rangeG);
        p.notes = tripStatisticsLines(trip_, header_.rangeG, settings_.restitution);
    }
    return p;
}

void TTripStatistics::restitutionChanged(double value) {
    if (!takeRestitution(settings_, value)) return;
    analyse();
}

void TTripStatistics::extremeChosen(int tableRow) {
    if (tableRow < 0 || tableRow >= static_cast<int>(extremes_.size())) return;
    const ExtremeRow& r = extremes_[tableRow];
    if (r.extreme.found()) emit eventChosen(r.extreme.record, r.axis);
}

}  // namespace kv
