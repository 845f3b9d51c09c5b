#include "viewer/TInputScale.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "datafile/data_set.h"
#include "graph/graph_view_rules.h"
#include "graph/zoom_scale.h"
#include "recorder/records.h"

namespace kv {
namespace {

QLabel* sunkenText(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QLabel* caption(QWidget* parent, const char* name, const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    // The caption describes the value beside it without replacing its text.
    buddy->setAccessibleDescription(text);
    return label;
}

QString limitText(double value) {
    return QString::number(value, 'f', 1);
}

}  // namespace

TInputScale::TInputScale(GraphViewState& view, const DataSet& data,
                         const RecorderIdentity& identity, QWidget* parent)
    : QDialog(parent), view_(view), data_(data), identity_(identity) {
    setObjectName("TInputScale");
    setWindowTitle(QStringLiteral("スケール選択"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    GroupBox1 = new QGroupBox(QStringLiteral("横軸スケール"), this);
    GroupBox1->setObjectName("GroupBox1");
    StartTime = sunkenText(GroupBox1, "StartTime");
    EndTime = sunkenText(GroupBox1, "EndTime");
    QLabel* startCaption = caption(GroupBox1, "StaticText3", QStringLiteral("開始時刻"), StartTime);
    QLabel* endCaption = caption(GroupBox1, "StaticText4", QStringLiteral("終了時刻"), EndTime);
    RadioButton1 = new QRadioButton(QStringLiteral("全体"), GroupBox1);
    RadioButton1->setObjectName("RadioButton1");
    RadioButton2 = new QRadioButton(QStringLiteral("指定"), GroupBox1);
    RadioButton2->setObjectName("RadioButton2");
    ComboBox1 = new QComboBox(GroupBox1);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setAccessibleName(QStringLiteral("指定"));
    QFont bold = ComboBox1->font();
    bold.setPixelSize(15);
    bold.setBold(true);
    ComboBox1->setFont(bold);
    for (const char* item : kTimeWindowItems) ComboBox1->addItem(QString::fromUtf8(item));
    ComboBox1->setEnabled(false);
    Edit1 = new QLineEdit(GroupBox1);
    Edit1->setObjectName("Edit1");
    Edit1->setAccessibleName(QStringLiteral("開始時刻"));
    Edit2 = new QLineEdit(GroupBox1);
    Edit2->setObjectName("Edit2");
    Edit2->setAccessibleName(QStringLiteral("終了時刻"));
    for (QLineEdit* e : {Edit1, Edit2}) {
        e->setEnabled(false);
        e->setPlaceholderText(QStringLiteral("yyyy/mm/dd hh:mm:ss"));
    }

    auto* horizontal = new QGridLayout(GroupBox1);
    horizontal->addWidget(startCaption, 0, 0);
    horizontal->addWidget(StartTime, 0, 1, 1, 2);
    horizontal->addWidget(endCaption, 1, 0);
    horizontal->addWidget(EndTime, 1, 1, 1, 2);
    horizontal->addWidget(RadioButton1, 2, 0);
    horizontal->addWidget(RadioButton2, 3, 0);
    horizontal->addWidget(ComboBox1, 3, 1, 1, 2);
    horizontal->addWidget(Edit1, 4, 1, 1, 2);
    horizontal->addWidget(Edit2, 5, 1, 1, 2);
    // Why OK is off, beside the fields it is about.
    WindowReason = new QLabel(GroupBox1);
    WindowReason->setObjectName("WindowReason");
    WindowReason->setWordWrap(true);
    QPalette warning = WindowReason->palette();
    warning.setColor(QPalette::WindowText, QColor(0xC0, 0, 0));
    WindowReason->setPalette(warning);
    horizontal->addWidget(WindowReason, 6, 0, 1, 3);

    GScale = new QGroupBox(QStringLiteral("縦軸スケール"), this);
    GScale->setObjectName("GScale");
    YScaleMax = sunkenText(GScale, "YScaleMax");
    YScaleMin = sunkenText(GScale, "YScaleMin");
    YScaleMax->setAccessibleDescription(QStringLiteral("上限"));
    YScaleMin->setAccessibleDescription(QStringLiteral("下限"));
    auto* vertical = new QVBoxLayout(GScale);
    vertical->addWidget(YScaleMax);
    vertical->addWidget(YScaleMin);
    for (int g = 0; g < kGScaleItems; ++g) {
        auto* radio = new QRadioButton(QString::fromUtf8(kGScaleItemTexts[g]), GScale);
        radio->setObjectName(QStringLiteral("YScale%1").arg(g + 1));
        connect(radio, &QRadioButton::toggled, this, [this, g](bool on) {
            if (on) YScaleClick(g);
        });
        vertical->addWidget(radio);
        YScale[g] = radio;
    }
    vertical->addStretch(1);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("キャンセル"), this);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn2->setAutoDefault(false);

    connect(RadioButton1, &QRadioButton::toggled, this, [this](bool on) {
        if (on) RadioButton1Click();
    });
    connect(RadioButton2, &QRadioButton::toggled, this,
            [this](bool on) { ComboBox1->setEnabled(on); });
    connect(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Change(); });
    connect(Edit1, &QLineEdit::textChanged, this, [this] { editChanged(); });
    connect(Edit2, &QLineEdit::textChanged, this, [this] { editChanged(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    auto* groups = new QHBoxLayout;
    groups->addWidget(GroupBox1, 3);
    groups->addWidget(GScale, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* column = new QVBoxLayout(this);
    column->addLayout(groups);
    column->addLayout(buttons);
    setFixedSize(402, 300);
}

int TInputScale::timeScaleChoice() const {
    return view_.timeScaleChoice;
}

int TInputScale::gScaleChoice() const {
    return view_.gScaleChoice;
}

void TInputScale::setTimeWindow(int choice) {
    if (auto w = timeWindow(choice, data_.startTime, data_.endTime)) {
        windowStart_ = w->start;
        windowEnd_ = w->end;
    }
}

void TInputScale::showWindow(DateTime start, DateTime end) {
    Edit1->setText(QString::fromStdString(formatDateTimeText(start)));
    Edit2->setText(QString::fromStdString(formatDateTimeText(end)));
}

void TInputScale::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) FormShow();
    QDialog::showEvent(event);
}

void TInputScale::FormShow() {
    StartTime->setText(QString::fromStdString(formatDateTimeText(data_.startTime)));
    EndTime->setText(QString::fromStdString(formatDateTimeText(data_.endTime)));
    if (view_.timeScaleChoice == -1 || view_.gScaleChoice == -1) {
        RadioButton1->setChecked(true);
        RadioButton1Click();
        YScaleClick(0);
        view_.timeScaleChoice = view_.gScaleChoice = 0;
    }
    // A waveform's horizontal axis is its 512 samples, whatever is chosen.
    const bool peak = identity_.waveData == 0;
    GroupBox1->setEnabled(peak);
    const int t = view_.timeScaleChoice;
    (t != 0 ? RadioButton2 : RadioButton1)->setChecked(true);
    if (t >= 0 && t < ComboBox1->count()) ComboBox1->setCurrentIndex(t);
    ComboBox1->setEnabled(peak && RadioButton2->isChecked());
    const bool typed = peak && RadioButton2->isChecked() && t == kUserTimeWindow;
    Edit1->setEnabled(typed);
    Edit2->setEnabled(typed);
    const int g = std::clamp(view_.gScaleChoice, 0, kGScaleItems - 1);
    YScale[g]->setChecked(true);
    YScaleClick(g);
    editChanged();
}

void TInputScale::RadioButton1Click() {
    ComboBox1->setEnabled(false);
    Edit1->setEnabled(false);
    Edit2->setEnabled(false);
    windowStart_ = data_.startTime;
    windowEnd_ = data_.endTime;
    showWindow(windowStart_, windowEnd_);
}

void TInputScale::ComboBox1Change() {
    const bool typed = ComboBox1->currentIndex() == kUserTimeWindow;
    Edit1->setEnabled(typed);
    Edit2->setEnabled(typed);
    if (typed) {
        editChanged();
        return;
    }
    setTimeWindow(ComboBox1->currentIndex());
    showWindow(windowStart_, windowEnd_);
}

// Edit1Change, Edit2Change: a text that reads becomes the window's edge; OK
// waits for two that read, and for a typed window that ends after it starts.
void TInputScale::editChanged() {
    const std::optional<DateTime> start = parseWindowEdge(Edit1->text().toStdString());
    const std::optional<DateTime> end = parseWindowEdge(Edit2->text().toStdString());
    if (start) windowStart_ = *start;
    if (end) windowEnd_ = *end;
    const std::string problem = windowProblem(start, end, Edit1->isEnabled());
    WindowReason->setText(QString::fromStdString(problem));
    BitBtn1->setEnabled(problem.empty());
}

void TInputScale::YScaleClick(int g) {
    magnification_ = gMagnification(g);
    const double range = identity_.sensorRange;
    YScaleMax->setText(limitText(range * 1.2 / magnification_));
    YScaleMin->setText(limitText(range * -1.2 / magnification_));
}

void TInputScale::BitBtn1Click() {
    if (!BitBtn1->isEnabled()) return;
    view_.timeScaleChoice = RadioButton1->isChecked() ? 0 : ComboBox1->currentIndex();
    int g = 0;
    while (g < kGScaleItems - 1 && !YScale[g]->isChecked()) ++g;
    view_.gScaleChoice = g;
    // The chosen scale is also where scrolling starts from.
    view_.currentScale = view_.zoomScale =
        dialogScale(identity_.waveData != 0, TimeWindow{windowStart_, windowEnd_}, magnification_,
                    identity_.sensorRange);
    accept();
}

}  // namespace kv
