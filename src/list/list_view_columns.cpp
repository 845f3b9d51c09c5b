#include "list/list_view_columns.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QTreeWidget>

namespace kv {

void setListColumns(QTableWidget* list, const std::vector<ListColumn>& columns) {
    const bool updates = list->updatesEnabled();
    list->setUpdatesEnabled(false);
    list->setColumnCount(0);
    list->setColumnCount(static_cast<int>(columns.size()));
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        auto* header = new QTableWidgetItem(QString::fromStdString(columns[c].caption));
        header->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        list->setHorizontalHeaderItem(c, header);
        list->setColumnWidth(c, columns[c].width);
    }
    list->setUpdatesEnabled(updates);
}

void setListColumns(QTreeWidget* list, const std::vector<ListColumn>& columns) {
    const bool updates = list->updatesEnabled();
    list->setUpdatesEnabled(false);
    list->setColumnCount(static_cast<int>(columns.size()));
    auto* header = new QTreeWidgetItem;
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        header->setText(c, QString::fromStdString(columns[c].caption));
        header->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        list->setColumnWidth(c, columns[c].width);
    }
    list->setHeaderItem(header);
    list->setUpdatesEnabled(updates);
}

void setListCell(QTableWidget* list, int row, int column, const QString& text) {
    QTableWidgetItem* item = list->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        list->setItem(row, column, item);
    }
    if (item->text() != text) item->setText(text);
}

}  // namespace kv
