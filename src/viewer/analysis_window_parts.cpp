#include "viewer/analysis_window_parts.h"

#include <QBoxLayout>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <algorithm>
#include <cmath>

#include "settings/pc_settings.h"

namespace kv {
namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

QLabel* valueLabel(QWidget* parent, const char* name, const QString& description) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAccessibleDescription(description);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return label;
}

QTableWidget* valueTable(QWidget* parent, const char* name, const QString& accessibleName,
                         int columns) {
    auto* table = new QTableWidget(0, columns, parent);
    table->setObjectName(name);
    table->setAccessibleName(accessibleName);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    // Columns as wide as their texts, the last one taking what is left.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    table->setWordWrap(false);
    return table;
}

void fillValueTable(QTableWidget* table, const std::vector<std::string>& headers,
                    const std::vector<std::vector<std::string>>& rows) {
    QStringList captions;
    for (const std::string& h : headers) captions << qs(h);
    table->setHorizontalHeaderLabels(captions);
    table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        for (int c = 0; c < static_cast<int>(rows[r].size()) && c < table->columnCount(); ++c) {
            QTableWidgetItem* item = table->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
                table->setItem(r, c, item);
            }
            item->setText(qs(rows[r][c]));
            item->setTextAlignment(c == 0 ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
            item->setToolTip(QString());
            item->setData(Qt::AccessibleDescriptionRole, QVariant());
        }
    }
    // Every cell in view: the table is as tall as its rows and never narrower
    // than its columns, so no scroll bar hides a value.
    int width = 2 * table->frameWidth();
    for (int c = 0; c < table->columnCount(); ++c)
        width += std::max(static_cast<QAbstractItemView*>(table)->sizeHintForColumn(c),
                          table->horizontalHeader()->sectionSizeHint(c));
    int height = table->horizontalHeader()->sizeHint().height() + 2 * table->frameWidth();
    for (int r = 0; r < table->rowCount(); ++r) height += table->rowHeight(r);
    table->setMinimumWidth(width);
    table->setFixedHeight(height);
    table->setCurrentItem(nullptr);
}

void markClipped(QTableWidget* table, int row, const QString& hint) {
    for (int c = 0; c < table->columnCount(); ++c)
        if (QTableWidgetItem* item = table->item(row, c)) {
            item->setToolTip(hint);
            item->setData(Qt::AccessibleDescriptionRole, hint);
        }
}

QDoubleSpinBox* restitutionEdit(QWidget* parent, double value, QBoxLayout* row) {
    auto* caption = new QLabel(QStringLiteral("反発係数 e"), parent);
    auto* edit = new QDoubleSpinBox(parent);
    edit->setObjectName("RestitutionEdit");
    edit->setAccessibleName(QStringLiteral("反発係数 e"));
    edit->setToolTip(QStringLiteral("跳ね返りの速さと衝突の速さの比。落下高さの推定に使います"));
    edit->setRange(0.0, 0.95);
    edit->setSingleStep(0.05);
    edit->setDecimals(2);
    edit->setValue(value);
    caption->setBuddy(edit);
    row->addWidget(caption);
    row->addWidget(edit);
    return edit;
}

bool takeRestitution(PcSettings& settings, double value) {
    const double e = std::round(value * 100) / 100;
    if (!isValidRestitution(e)) return false;
    settings.restitution = e;
    return true;
}

}  // namespace kv
