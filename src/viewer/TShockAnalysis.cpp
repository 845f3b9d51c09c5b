#include "viewer/TShockAnalysis.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/datetime.h"
#include "base/host.h"
#include "settings/pc_settings.h"
#include "viewer/analysis_window_parts.h"
#include "viewer/chart_export.h"

namespace kv {

TShockAnalysis::TShockAnalysis(const DataSet& data, const RecorderIdentity& identity,
                               PcSettings& settings, Host& host, QWidget* parent)
    : AnalysisWindow("TShockAnalysis", QStringLiteral("衝撃解析"), data, identity, settings, host,
                     parent) {
    buildControls();
    resize(660, 680);
    takeData();
}

TShockAnalysis::~TShockAnalysis() = default;

void TShockAnalysis::buildControls() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    RecordText = valueLabel(central, "RecordText", QStringLiteral("解析する記録"));
    layout->addWidget(RecordText);

    PulseTable =
        valueTable(central, "PulseTable", QStringLiteral("パルスの解析値"), kRecordTableColumns);
    layout->addWidget(PulseTable);

    ClippedText = valueLabel(central, "ClippedText", QStringLiteral("範囲を超えた衝撃"));
    ClippedText->setWordWrap(true);
    ClippedText->hide();
    layout->addWidget(ClippedText);

    auto* options = new QHBoxLayout;
    RestitutionEdit = restitutionEdit(central, settings_.restitution, options);
    connect(RestitutionEdit, &QDoubleSpinBox::valueChanged, this,
            [this](double v) { restitutionChanged(v); });

    auto* qCaption = new QLabel(QStringLiteral("Q"), central);
    QCombo = new QComboBox(central);
    QCombo->setObjectName("QCombo");
    QCombo->setAccessibleName(QStringLiteral("応答スペクトルの Q"));
    QCombo->setToolTip(QStringLiteral("応答スペクトルの共振の鋭さ（減衰比 1/2Q）"));
    qCaption->setBuddy(QCombo);
    for (int q : kQChoices) QCombo->addItem(QString::number(q), double(q));
    int chosen = QCombo->findData(settings_.srsQ);
    if (chosen < 0) {
        // A Q from the INI that the list does not offer stays a choice.
        QCombo->addItem(QString::fromStdString(tickText(settings_.srsQ)), settings_.srsQ);
        chosen = QCombo->count() - 1;
    }
    QCombo->setCurrentIndex(chosen);
    connect(QCombo, &QComboBox::currentIndexChanged, this, [this](int i) { qChanged(i); });
    options->addSpacing(12);
    options->addWidget(qCaption);
    options->addWidget(QCombo);

    AccelerationButton = new QRadioButton(QStringLiteral("加速度"), central);
    AccelerationButton->setObjectName("AccelerationButton");
    AccelerationButton->setChecked(true);
    PseudoVelocityButton = new QRadioButton(QStringLiteral("擬似速度"), central);
    PseudoVelocityButton->setObjectName("PseudoVelocityButton");
    auto* kind = new QButtonGroup(this);
    kind->addButton(AccelerationButton);
    kind->addButton(PseudoVelocityButton);
    connect(PseudoVelocityButton, &QRadioButton::toggled, this,
            [this] { showChart(srsChartDescription(picture().spectrum)); });
    options->addSpacing(12);
    options->addWidget(AccelerationButton);
    options->addWidget(PseudoVelocityButton);
    options->addStretch(1);
    layout->addLayout(options);

    addChart(layout, "SpectrumChart", QStringLiteral("衝撃応答スペクトル"));
    addCommands(layout, {{"btnSaveImage", "mnuSaveImage", "画像として保存(&I)…",
                          [this] { saveImage("-srs" + std::to_string(record_ + 1)); }},
                         {"btnSaveCsv", "mnuSaveCsv", "CSVで保存(&C)…", [this] { saveCsv(); }},
                         {"btnPrint", "mnuPrint", "印刷(&P)…", [this] { printChart(); }}});
    setCentralWidget(central);
}

void TShockAnalysis::takeData() {
    header_ = dataHeaderOf(data_, identity_);
    plan_ = planSrs(header_.samplePeriodMs, QCombo->currentData().toDouble());
    record_ = -1;
    showRecord(data_.currentIndex);
}

void TShockAnalysis::showRecord(int record) {
    const bool valid = header_.wave && record >= 0 && record <= data_.lastIndex &&
                       record < static_cast<int>(data_.waveRecords[0].size());
    record_ = valid ? record : -1;
    enableCommands(valid);
    analyse();
}

void TShockAnalysis::analyse() {
    if (record_ < 0) {
        analysis_ = RecordAnalysis{};
        rows_.clear();
        RecordText->setText(QStringLiteral("波形データの記録がありません"));
    } else {
        analysis_ = analyseWaveRecord(data_, header_, record_, settings_.restitution, &plan_);
        rows_ = recordTableRows(analysis_, data_.waveRecords[0][record_].resultantG,
                                header_.samplePeriodMs, settings_.restitution);
        RecordText->setText(QStringLiteral("No.%1--%2")
                                .arg(record_ + 1)
                                .arg(QString::fromStdString(formatDateTimeText(analysis_.time))));
    }
    showTable();
    showChart(srsChartDescription(picture().spectrum));
}

void TShockAnalysis::showTable() {
    const auto headers = recordTableHeaders(settings_.restitution);
    fillValueTable(PulseTable, {headers.begin(), headers.end()}, [&] {
        std::vector<std::vector<std::string>> cells;
        for (const RecordTableRow& r : rows_) cells.emplace_back(r.cells.begin(), r.cells.end());
        return cells;
    }());
    bool clipped = false;
    for (size_t r = 0; r < rows_.size(); ++r) {
        if (!rows_[r].clipped) continue;
        clipped = true;
        markClipped(PulseTable, static_cast<int>(r), QString::fromUtf8(kClippedHint));
    }
    ClippedText->setText(QStringLiteral("≥：") + QString::fromUtf8(kClippedHint));
    ClippedText->setVisible(clipped);
}

ChartPicture TShockAnalysis::picture() const {
    ChartPicture p;
    p.kind = ChartPicture::Kind::Spectrum;
    p.colors = settings_.graphColors;
    p.caption = data_.filePath;
    const bool pv = PseudoVelocityButton->isChecked();
    if (record_ >= 0) {
        p.spectrum = srsChartOf(analysis_, plan_.frequenciesHz, pv);
        p.header = srsChartHeader(analysis_, QCombo->currentData().toDouble(), pv);
        p.notes = recordTableLines(rows_, settings_.restitution);
    } else {
        p.spectrum.pseudoVelocity = pv;
        p.spectrum.axisCount = header_.axisCount;
    }
    return p;
}

void TShockAnalysis::restitutionChanged(double value) {
    if (takeRestitution(settings_, value)) analyse();
}

void TShockAnalysis::qChanged(int index) {
    const double q = QCombo->itemData(index).toDouble();
    if (!isValidQ(q)) return;
    settings_.srsQ = q;
    plan_ = planSrs(header_.samplePeriodMs, q);
    analyse();
}

void TShockAnalysis::saveCsv() {
    if (record_ < 0) return;
    saveText(srsCsvText(picture().spectrum), "-srs" + std::to_string(record_ + 1));
}

}  // namespace kv
