#include "screens/TKvDataInput.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "link/link.h"
#include "screens/condition_rules.h"
#include "screens/condition_widgets.h"
#include "settings/pc_settings.h"

namespace kv {
namespace {

const char* const kRangeNote = "入力範囲：：10.0～28.0";

QComboBox* makeList(QWidget* parent, const char* name, const std::vector<std::string>& items) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    fillItems(combo, items);
    return combo;
}

}  // namespace

TKvDataInput::TKvDataInput(Link& link, PcSettings& settings, RecorderState& state, DataSet& view,
                           QWidget* parent)
    : QDialog(parent), link_(link), settings_(settings), state_(state), view_(view) {
    setObjectName(QStringLiteral("TKvDataInput"));
    setWindowTitle(QStringLiteral("ＫＶ設定の確認"));
    setModal(true);
    buildControls();
    connect(ComboBox1, &QComboBox::activated, this, &TKvDataInput::ComboBox1Change);
    connect(Mode1, &QRadioButton::clicked, this, &TKvDataInput::Mode1Click);
    connect(Mode2, &QRadioButton::clicked, this, &TKvDataInput::Mode1Click);
    connect(Button1, &QPushButton::clicked, this, &TKvDataInput::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TKvDataInput::Button2Click);
}

void TKvDataInput::buildControls() {
    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(QStringLiteral("ＫＶデータ受信側の設定です。"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    layout->addWidget(Label1);

    auto* grid = new QGridLayout;
    ComboBox1 = makeList(this, "ComboBox1", monitorModelItems());
    ComboBox2 = makeList(this, "ComboBox2", monitorRangeItems());
    ComboBox3 = makeList(this, "ComboBox3", recordPeriodItems());
    ComboBox4 = makeList(this, "ComboBox4", samplePeriodItems());
    struct Row {
        const char* caption;
        QComboBox* list;
        const char* unit;
    };
    const Row rows[] = {{"ＫＶ種別", ComboBox1, ""},
                        {"センサーレンジ", ComboBox2, "G"},
                        {"周期", ComboBox3, ""},
                        {"サンプリング", ComboBox4, "ms"}};
    int row = 0;
    for (const Row& r : rows) {
        grid->addWidget(captionFor(QString::fromUtf8(r.caption), r.list, this), row, 0);
        grid->addWidget(r.list, row, 1);
        if (*r.unit) grid->addWidget(new QLabel(QString::fromUtf8(r.unit), this), row, 2);
        ++row;
    }

    auto* mode = new QGroupBox(QStringLiteral("モード"), this);
    mode->setObjectName(QStringLiteral("GroupBox1"));
    auto* modeLayout = new QHBoxLayout(mode);
    Mode1 = new QRadioButton(QStringLiteral("ピーク"), mode);
    Mode1->setObjectName(QStringLiteral("Mode1"));
    Mode2 = new QRadioButton(QStringLiteral("波形"), mode);
    Mode2->setObjectName(QStringLiteral("Mode2"));
    for (QRadioButton* b : {Mode1, Mode2}) {
        b->setAccessibleName(b->text());
        modeLayout->addWidget(b);
    }
    grid->addWidget(mode, row++, 0, 1, 3);

    const char* sensitivityCaptions[] = {"ｾﾝｻｰ感度(X)", "ｾﾝｻｰ感度(Y)", "ｾﾝｻｰ感度(Z)"};
    for (int a = 0; a < 3; ++a) {
        edits[a] = new QLineEdit(this);
        edits[a]->setObjectName(QStringLiteral("Edit%1").arg(a + 1));
        grid->addWidget(captionFor(QString::fromUtf8(sensitivityCaptions[a]), edits[a], this), row,
                        0);
        grid->addWidget(edits[a], row, 1);
        grid->addWidget(new QLabel(QStringLiteral("mV/G"), this), row++, 2);
    }
    checkText = new QLabel(QString::fromUtf8(kRangeNote), this);
    checkText->setObjectName(QStringLiteral("checkText"));
    grid->addWidget(checkText, row++, 1, 1, 2);
    layout->addLayout(grid);

    CheckBox1 = new QCheckBox(QStringLiteral("2007年12月以前のＫＶ"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setToolTip(
        QStringLiteral("加速度センサが変更される以前のＫＶをご利用の方はチェックして下さい"));
    CheckBox1->setAccessibleName(CheckBox1->text());
    CheckBox1->setAccessibleDescription(CheckBox1->toolTip());
    layout->addWidget(CheckBox1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    Button1 = new QPushButton(QStringLiteral("OK(&Y)"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QStringLiteral("キャンセル(&N)"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    layout->addLayout(buttons);
    nameButtons({Button1, Button2});
}

void TKvDataInput::showChoices(const MonitorChoices& c) {
    selectItem(ComboBox1, c.model);
    selectItem(ComboBox2, c.range);
    selectItem(ComboBox3, c.recordPeriod);
    selectItem(ComboBox4, c.samplePeriod);
    (c.wave ? Mode2 : Mode1)->setChecked(true);
    CheckBox1->setChecked(c.oldSensor);
    for (int a = 0; a < 3; ++a) edits[a]->setText(qs(c.sensitivity[a]));
    ComboBox1Change();
}

MonitorChoices TKvDataInput::choices() const {
    MonitorChoices c;
    c.model = ComboBox1->currentIndex();
    c.range = ComboBox2->currentIndex();
    c.recordPeriod = ComboBox3->currentIndex();
    c.samplePeriod = ComboBox4->currentIndex();
    c.wave = Mode2->isChecked();
    c.oldSensor = CheckBox1->isChecked();
    for (int a = 0; a < 3; ++a) c.sensitivity[a] = str(edits[a]->text());
    return c;
}

int TKvDataInput::showMonitorSettings(int currentMode) {
    monitorMode_ = currentMode;
    MonitorChoices preset;
    if (!readMonitorPreset(link_, settings_.comPort(), settings_.baudRate(), settings_, state_,
                           preset))
        return 0;
    CheckBox1->show();
    showChoices(preset);
    exec();
    return monitorMode_;
}

int TKvDataInput::applySavedMonitorSettings() {
    const int mode = kv::applySavedMonitorSettings(settings_, state_, view_);
    if (mode == 0) return 0;
    MonitorChoices saved = savedMonitorChoices(settings_);
    saved.sensitivity = {"24.0", "24.0", "24.0"};
    showChoices(saved);
    CheckBox1->hide();
    checkText->setText(QString::fromUtf8(kRangeNote));
    monitorMode_ = mode;
    return mode;
}

void TKvDataInput::ComboBox1Change() {
    const MonitorControlStates s =
        monitorControlStates(ComboBox1->currentIndex(), Mode2->isChecked());
    if (!s.modeButtons) Mode1->setChecked(true);
    Mode1->setEnabled(s.modeButtons);
    Mode2->setEnabled(s.modeButtons);
    edits[0]->setEnabled(s.xyEdits);
    edits[1]->setEnabled(s.xyEdits);
    Mode1Click();
}

void TKvDataInput::Mode1Click() {
    const bool wave = Mode2->isChecked();
    ComboBox3->setEnabled(!wave);
    ComboBox4->setEnabled(wave);
}

void TKvDataInput::Button1Click() {
    const MonitorChoices c = choices();
    const MonitorCheck check = checkMonitorChoices(c);
    if (!check.message.empty())
        link_.host.messageBox(kMonitorInputTitle, check.message, Host::Information);
    if (!check.ok) return;
    monitorMode_ = applyMonitorChoices(c, state_, view_);
    rememberMonitorChoices(c, settings_);
    accept();
}

void TKvDataInput::Button2Click() {
    reject();
}

}  // namespace kv
