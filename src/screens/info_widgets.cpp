#include "screens/info_widgets.h"

#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "screens/information_marks.h"

namespace kv {

namespace {
// A dark red: a warning that still reads well on the light field (6:1).
const QColor kWarningColour(0xC0, 0x00, 0x00);
}  // namespace

QLineEdit* addValueField(QGridLayout* grid, int row, int column, const char* labelName,
                         const QString& caption, const char* fieldName, int minimumWidth) {
    QWidget* parent = grid->parentWidget();
    auto* label = new QLabel(caption, parent);
    label->setObjectName(labelName);
    auto* field = new QLineEdit(parent);
    field->setObjectName(fieldName);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::ClickFocus);
    field->setAccessibleName(caption);
    if (minimumWidth > 0) field->setMinimumWidth(minimumWidth);
    label->setBuddy(field);
    grid->addWidget(label, row, column);
    grid->addWidget(field, row, column + 1);
    return field;
}

QLabel* addStaticValue(QGridLayout* grid, int row, int column, const char* labelName,
                       const QString& caption, const char* valueName, int minimumWidth) {
    QWidget* parent = grid->parentWidget();
    auto* label = new QLabel(caption, parent);
    label->setObjectName(labelName);
    auto* value = new QLabel(parent);
    value->setObjectName(valueName);
    value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A screen reader reads the value as the label's text; the caption
    // describes it (and labels it through the buddy relation).
    value->setAccessibleDescription(caption);
    value->setMinimumHeight(22);
    if (minimumWidth > 0) value->setMinimumWidth(minimumWidth);
    label->setBuddy(value);
    grid->addWidget(label, row, column);
    grid->addWidget(value, row, column + 1);
    return value;
}

void setFieldTexts(QWidget* form, const std::vector<FieldText>& fields) {
    for (const FieldText& field : fields) {
        const QString text = QString::fromStdString(field.text);
        if (auto* edit = form->findChild<QLineEdit*>(field.control))
            edit->setText(text);
        else if (auto* label = form->findChild<QLabel*>(field.control))
            label->setText(text);
    }
}

QTreeWidget* makeMeasurementList(QWidget* parent, const char* name, const QString& accessibleName) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setAccessibleName(accessibleName);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setItemsExpandable(false);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->header()->setSectionsMovable(false);
    list->header()->setStretchLastSection(false);
    return list;
}

void setMeasurementColumns(QTreeWidget* list, const std::vector<ListColumn>& columns) {
    QStringList captions;
    for (const ListColumn& c : columns) captions << QString::fromStdString(c.caption);
    list->clear();
    list->setColumnCount(static_cast<int>(columns.size()));
    list->setHeaderLabels(captions);
    for (int i = 0; i < static_cast<int>(columns.size()); ++i)
        list->setColumnWidth(i, columns[static_cast<size_t>(i)].width);
}

void fillMeasurementList(QTreeWidget* list,
                         const std::array<MeasurementRow, kMeasurementSlots>& rows) {
    list->clear();
    for (const MeasurementRow& row : rows) {
        auto* item = new QTreeWidgetItem(list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setText(0, QString::fromStdString(row.caption));
        item->setCheckState(0, row.measured ? Qt::Checked : Qt::Unchecked);
        for (size_t c = 0; c < row.cells.size(); ++c)
            item->setText(static_cast<int>(c) + 1, QString::fromStdString(row.cells[c]));
    }
}

std::array<bool, kMeasurementSlots> tickedMeasurements(const QTreeWidget* list) {
    std::array<bool, kMeasurementSlots> ticked{};
    for (int i = 0; i < kMeasurementSlots && i < list->topLevelItemCount(); ++i)
        ticked[static_cast<size_t>(i)] = list->topLevelItem(i)->checkState(0) == Qt::Checked;
    return ticked;
}

QCheckBox* makeNewOnlyBox(QWidget* parent, const char* name) {
    auto* box = new QCheckBox(QStringLiteral("新しい計測のみ"), parent);
    box->setObjectName(name);
    box->setToolTip(QStringLiteral("ＰＣに保存済みの計測データを除いてチェックします。"));
    return box;
}

SavedMeasurementMarks::SavedMeasurementMarks(QTreeWidget* list, QCheckBox* newOnly)
    : list_(list), newOnly_(newOnly) {
    QObject::connect(newOnly, &QCheckBox::toggled, list, [this] { tick(); });
}

void SavedMeasurementMarks::fill(const std::array<MeasurementRow, kMeasurementSlots>& rows,
                                 const std::string& dataFolder, const RecorderState& state,
                                 bool firstGeneration) {
    rows_ = rows;
    fillMeasurementList(list_, rows_);
    refresh(dataFolder, state, firstGeneration);
}

void SavedMeasurementMarks::refresh(const std::string& dataFolder, const RecorderState& state,
                                    bool firstGeneration) {
    saved_ = findSavedMeasurements(dataFolder, state, firstGeneration);
    const int column = list_->columnCount() - 1;
    for (int i = 0; i < kMeasurementSlots && i < list_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list_->topLevelItem(i);
        const std::vector<std::string>& files = saved_[static_cast<size_t>(i)];
        item->setText(column, QString::fromStdString(savedMarkText(files)));
        item->setToolTip(column, QString::fromStdString(savedFilesText(files)));
    }
    // A box left checked keeps only the new ones ticked, also after a download.
    if (newOnly_->isChecked()) tick();
}

void SavedMeasurementMarks::tick() {
    const bool newOnly = newOnly_->isChecked();
    for (int i = 0; i < kMeasurementSlots && i < list_->topLevelItemCount(); ++i) {
        const auto slot = static_cast<size_t>(i);
        const bool on = rows_[slot].measured && !(newOnly && !saved_[slot].empty());
        list_->topLevelItem(i)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
    }
}

QLabel* makeClockHint(QWidget* parent, const char* name) {
    auto* hint = new QLabel(QString::fromUtf8(kClockOffsetHint), parent);
    hint->setObjectName(name);
    hint->setWordWrap(true);
    QPalette warning = hint->palette();
    warning.setColor(QPalette::WindowText, kWarningColour);
    hint->setPalette(warning);
    hint->setVisible(false);
    return hint;
}

void showClockOffset(QWidget* form, const char* valueName, const char* hintName,
                     std::optional<long long> seconds) {
    const bool warn = clockOffsetNeedsSetting(seconds);
    setFieldTexts(form, {{valueName, clockOffsetText(seconds)}});
    if (auto* value = form->findChild<QWidget*>(valueName)) {
        QPalette palette = form->palette();
        if (warn) {
            palette.setColor(QPalette::Text, kWarningColour);
            palette.setColor(QPalette::WindowText, kWarningColour);
        }
        value->setPalette(palette);
    }
    if (auto* hint = form->findChild<QLabel*>(hintName)) hint->setVisible(warn);
}

void setInformationWindowFrame(QDialog* form) {
    form->setWindowTitle(QStringLiteral("ＫＶ情報"));
    form->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
}

void makeDownloadButtons(QDialog* form, QPushButton*& download, const char* downloadName,
                         QPushButton*& ok, const char* okName, std::function<void()> onDownload) {
    download = new QPushButton(QStringLiteral("データ読込み"), form);
    download->setObjectName(downloadName);
    ok = new QPushButton(QStringLiteral("ＯＫ(&Y)"), form);
    ok->setObjectName(okName);
    for (QPushButton* b : {download, ok}) {
        b->setAutoDefault(false);
        b->setMinimumSize(110, 30);
    }
    QObject::connect(download, &QPushButton::clicked, form, std::move(onDownload));
    QObject::connect(ok, &QPushButton::clicked, form, [form] { form->close(); });
}

void layOutInformation(QDialog* form, QHBoxLayout* top, QWidget* body, QPushButton* download,
                       QPushButton* ok, QWidget* beside) {
    auto* buttons = new QHBoxLayout;
    if (beside) buttons->addWidget(beside);
    buttons->addStretch(1);
    buttons->addWidget(download);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(form);
    layout->addLayout(top);
    layout->addWidget(body, 1);
    layout->addLayout(buttons);
}

void showDownloadBusy(QWidget* form, bool busy, std::initializer_list<QWidget*> controls) {
    if (busy)
        form->setCursor(Qt::WaitCursor);
    else
        form->unsetCursor();
    for (QWidget* w : controls) w->setEnabled(!busy);
}

}  // namespace kv
