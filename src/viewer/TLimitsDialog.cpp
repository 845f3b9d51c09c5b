#include "viewer/TLimitsDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "base/host.h"
#include "settings/pc_settings.h"

namespace kv {
namespace {

const char* const kTitle = "判定基準の設定";

QLabel* label(QWidget* parent, const QString& name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

}  // namespace

TLimitsDialog::TLimitsDialog(PcSettings& settings, Host& host, QWidget* parent)
    : QDialog(parent), settings_(settings), host_(host) {
    setObjectName("TLimitsDialog");
    setWindowTitle(QString::fromUtf8(kTitle));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    for (const LimitFieldSpec& spec : limitFieldSpecs()) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QStringLiteral("Edit") + QString::fromLatin1(spec.iniKey));
        const QString labelText = QString::fromUtf8(spec.label);
        const QString unit = QString::fromUtf8(spec.unit);
        e->setAccessibleName(labelText + QStringLiteral(" (") + unit + QStringLiteral(")"));
        e->setAccessibleDescription(
            QStringLiteral("空欄なら判定に使いません。0 より大きく %1 %2 以下")
                .arg(spec.maximum)
                .arg(unit));
        e->setMaxLength(16);
        e->setAlignment(Qt::AlignRight);
        e->setMinimumWidth(80);
        edits_[static_cast<int>(spec.field)] = e;
    }

    auto* levels = new QGroupBox(QStringLiteral("加速度 (G)"), this);
    levels->setObjectName("GroupLevels");
    auto* levelGrid = new QGridLayout(levels);
    levelGrid->addWidget(label(levels, "LabelWarning", QStringLiteral("注意レベル")), 0, 1);
    levelGrid->addWidget(label(levels, "LabelAlarm", QStringLiteral("警報レベル")), 0, 2);
    const char* const axes[3] = {"Ｘ軸", "Ｙ軸", "Ｚ軸"};
    for (int a = 0; a < 3; ++a) {
        QLabel* axis = label(levels, QStringLiteral("LabelAxis%1").arg(QChar('X' + a)),
                             QString::fromUtf8(axes[a]));
        levelGrid->addWidget(axis, a + 1, 0);
        QLineEdit* warning = edit(static_cast<LimitField>(2 * a));
        QLineEdit* alarm = edit(static_cast<LimitField>(2 * a + 1));
        axis->setBuddy(warning);
        levelGrid->addWidget(warning, a + 1, 1);
        levelGrid->addWidget(alarm, a + 1, 2);
    }
    levelGrid->addWidget(
        label(levels, "LabelSingleAxis", QStringLiteral("１軸の記録計は Ｘ軸 の値で判定します。")),
        4, 0, 1, 3);

    auto* limits = new QGroupBox(QStringLiteral("上限"), this);
    limits->setObjectName("GroupLimits");
    auto* limitGrid = new QGridLayout(limits);
    auto addRow = [](QGridLayout* grid, QWidget* parent, int row, LimitField field, QLineEdit* e,
                     const QString& unitNote) {
        const LimitFieldSpec& spec = limitFieldSpec(field);
        QLabel* l = label(parent, QStringLiteral("Label") + QString::fromLatin1(spec.iniKey),
                          QString::fromUtf8(spec.label));
        l->setBuddy(e);
        grid->addWidget(l, row, 0);
        grid->addWidget(e, row, 1);
        grid->addWidget(
            label(parent, QStringLiteral("Unit") + QString::fromLatin1(spec.iniKey), unitNote), row,
            2);
    };
    addRow(limitGrid, limits, 0, LimitField::VelocityChange, edit(LimitField::VelocityChange),
           QStringLiteral("m/s"));
    addRow(limitGrid, limits, 1, LimitField::DropHeight, edit(LimitField::DropHeight),
           QStringLiteral("cm (反発係数 %1 で換算)").arg(settings.restitution));

    auto* damage = new QGroupBox(QStringLiteral("損傷境界"), this);
    damage->setObjectName("GroupDamage");
    auto* damageGrid = new QGridLayout(damage);
    addRow(damageGrid, damage, 0, LimitField::DamageVelocityChange,
           edit(LimitField::DamageVelocityChange), QStringLiteral("m/s"));
    addRow(damageGrid, damage, 1, LimitField::DamageG, edit(LimitField::DamageG),
           QStringLiteral("G"));
    damageGrid->addWidget(
        label(damage, "LabelDamage", QStringLiteral("両方に達した衝撃を損傷とみなします。")), 2, 0,
        1, 3);

    QLabel* hint =
        label(this, "LabelHint",
              QStringLiteral("空欄の項目は判定に使いません。すべて空欄なら判定しません。\n"
                             "ピークモードのファイルの速度変化と落下高さは推定値です。"));
    hint->setWordWrap(true);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("キャンセル"), this);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn2->setAutoDefault(false);
    ButtonClear = new QPushButton(QStringLiteral("すべてクリア(&C)"), this);
    ButtonClear->setObjectName("ButtonClear");
    ButtonClear->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(ButtonClear, &QPushButton::clicked, this, [this] { ButtonClearClick(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ButtonClear);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* column = new QVBoxLayout(this);
    column->addWidget(levels);
    column->addWidget(limits);
    column->addWidget(damage);
    column->addWidget(hint);
    column->addLayout(buttons);
}

void TLimitsDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) FormShow();
    QDialog::showEvent(event);
}

void TLimitsDialog::FormShow() {
    for (const LimitFieldSpec& spec : limitFieldSpecs())
        edit(spec.field)
            ->setText(QString::fromStdString(settings_.limitTexts[static_cast<int>(spec.field)]));
    edit(LimitField::WarningX)->setFocus();
}

void TLimitsDialog::ButtonClearClick() {
    for (QLineEdit* e : edits_) e->clear();
}

void TLimitsDialog::BitBtn1Click() {
    LimitTexts texts;
    for (const LimitFieldSpec& spec : limitFieldSpecs())
        texts[static_cast<int>(spec.field)] = edit(spec.field)->text().toStdString();
    Limits accepted;
    if (auto problem = parseLimits(texts, accepted)) {
        host_.messageBox(kTitle, problem->message, Host::Error);
        QLineEdit* wrong = edit(problem->field);
        wrong->setFocus();
        wrong->selectAll();
        return;
    }
    limits_ = accepted;
    settings_.setLimits(accepted);
    if (!settings_.save())
        host_.messageBox(kTitle,
                         "判定基準を設定ファイルに保存できませんでした。\n" +
                             settings_.iniFilePath() +
                             "\n\nこの判定基準はプログラムを終えるまで使われます。",
                         Host::Information);
    accept();
}

}  // namespace kv
