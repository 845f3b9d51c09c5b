#include "settings/TPcSettingForm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "base/host.h"
#include "base/kv_assert.h"
#include "link/link.h"
#include "link/serial_ports.h"
#include "recorder/port_probe.h"
#include "settings/pc_setting_choices.h"
#include "settings/pc_settings.h"
#include "settings/pc_settings_entry.h"
#include "settings/port_devices.h"

namespace kv {
namespace {

const char* const kLeaveQuestion =
    "データに変更された場所があります。\n\n変更しなくてもよろしいですか？";
// Yes and No with the information icon.
constexpr int kYesNoInformation = Host::Information | 4;

const char* const kSlotCaptions[DATA_MAX] = {"計測 １", "計測 ２",  "計測 ３", "計測 ４",
                                             "計測 ５", "計測 ６",  "計測 ７", "計測 ８",
                                             "計測 ９", "計測 １０"};

QString homeFolder() {
    return QDir::homePath();
}

}  // namespace

TPcSettingForm::TPcSettingForm(PcSettings& settings, Link& link, QWidget* parent)
    : TPcSettingForm(settings, link.host, parent) {
    link_ = &link;
    ButtonDetect->setVisible(true);
}

TPcSettingForm::TPcSettingForm(PcSettings& settings, Host& host, QWidget* parent)
    : QDialog(parent), settings_(settings), host_(host) {
    setObjectName("TPcSettingForm");
    setWindowTitle(QStringLiteral("PC環境設定"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    buildFolderGroup();
    buildCommunicationGroup();
    auto* names = new QWidget(this);
    names->setObjectName("FileNames");
    buildFileNames(names);

    // Beside the buttons, where it takes no room from the folder list.
    CheckBoxTrace = new QCheckBox(QStringLiteral("通信ログを保存"), this);
    CheckBoxTrace->setObjectName("CheckBoxTrace");
    CheckBoxTrace->setToolTip(
        QStringLiteral("記録計との通信をデータ格納場所の kvmanager-trace.jsonl に記録します"
                       "（最大 10 MB、古い半分から削除）。不具合の調査に使います。"));
    connect(CheckBoxTrace, &QCheckBox::toggled, this, [this] {
        if (!filling_) edited_ = true;
    });

    BitBtn1 = new QPushButton(QStringLiteral("設定(&S)"), this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn2 = new QPushButton(QStringLiteral("元に戻す(&B)"), this);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn3 = new QPushButton(QStringLiteral("戻る(&C)"), this);
    BitBtn3->setObjectName("BitBtn3");
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3}) {
        b->setAutoDefault(false);
        b->setMinimumSize(104, 30);
    }
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });

    auto* left = new QVBoxLayout;
    left->addWidget(GroupBox1, 1);
    left->addWidget(GroupBox2);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addWidget(names, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CheckBoxTrace);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn3);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 10);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);

    setFixedSize(656, 399);
}

void TPcSettingForm::buildFolderGroup() {
    GroupBox1 = new QGroupBox(QStringLiteral("データ格納場所の設定"), this);
    GroupBox1->setObjectName("GroupBox1");
    DriveComboBox1 = new QComboBox(GroupBox1);
    DriveComboBox1->setObjectName("DriveComboBox1");
    DriveComboBox1->setAccessibleName(QStringLiteral("ドライブ"));
    connect(DriveComboBox1, &QComboBox::activated, this, [this] { DriveComboBox1Change(); });

    folderModel_ = new QFileSystemModel(this);
    folderModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folderModel_->setRootPath(QStringLiteral("/"));
    DirectoryListBox1 = new QTreeView(GroupBox1);
    DirectoryListBox1->setObjectName("DirectoryListBox1");
    DirectoryListBox1->setModel(folderModel_);
    for (int c = 1; c < folderModel_->columnCount(); ++c) DirectoryListBox1->hideColumn(c);
    DirectoryListBox1->setHeaderHidden(true);
    // Long folder names scroll sideways instead of being cut off.
    DirectoryListBox1->header()->setStretchLastSection(false);
    DirectoryListBox1->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    DirectoryListBox1->setUniformRowHeights(true);
    DirectoryListBox1->setToolTip(
        QStringLiteral("リターンキーかダブルクリックで格納場所を設定します。"));
    connect(DirectoryListBox1, &QTreeView::activated, this, [this](const QModelIndex& index) {
        DirectoryListBox1Change(folderModel_->filePath(index));
    });
    // Folders are read in the background and their lines arrive in batches:
    // whenever lines arrive above the shown folder, it is brought into view
    // again once the tree has laid them out.
    scrollTimer_ = new QTimer(this);
    scrollTimer_->setSingleShot(true);
    scrollTimer_->setInterval(60);
    connect(scrollTimer_, &QTimer::timeout, this, [this] { bringCurrentFolderIntoView(); });
    connect(folderModel_, &QFileSystemModel::rowsInserted, this, [this](const QModelIndex& parent) {
        for (QModelIndex i = DirectoryListBox1->currentIndex(); i.isValid(); i = i.parent())
            if (i.parent() == parent) {
                scrollTimer_->start();
                return;
            }
    });

    StaticText1 = new QLabel(QStringLiteral("データ格納場所"), GroupBox1);
    StaticText1->setObjectName("StaticText1");
    DataSavePath = new QLineEdit(GroupBox1);
    DataSavePath->setObjectName("DataSavePath");
    DataSavePath->setReadOnly(true);
    DataSavePath->setAccessibleName(StaticText1->text());
    StaticText1->setBuddy(DataSavePath);
    DirectoryListBox1->setAccessibleName(StaticText1->text());

    auto* path = new QHBoxLayout;
    path->addWidget(StaticText1);
    path->addWidget(DataSavePath, 1);
    auto* layout = new QVBoxLayout(GroupBox1);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->setSpacing(5);
    layout->addWidget(DriveComboBox1);
    layout->addWidget(DirectoryListBox1, 1);
    layout->addLayout(path);
}

void TPcSettingForm::buildCommunicationGroup() {
    GroupBox2 = new QGroupBox(QStringLiteral("通信の設定"), this);
    GroupBox2->setObjectName("GroupBox2");
    StaticText3 = new QLabel(QStringLiteral("通信ポート"), GroupBox2);
    StaticText3->setObjectName("StaticText3");
    ComboBox1 = new QComboBox(GroupBox2);
    ComboBox1->setObjectName("ComboBox1");
    for (int port = 1; port <= kComPorts; ++port) ComboBox1->addItem(QString::number(port));
    StaticText4 = new QLabel(QStringLiteral("ボーレート"), GroupBox2);
    StaticText4->setObjectName("StaticText4");
    ComboBox2 = new QComboBox(GroupBox2);
    ComboBox2->setObjectName("ComboBox2");
    ComboBox2->addItem(QStringLiteral("38400"));
    Label1 = new QLabel(QStringLiteral("(bps)"), GroupBox2);
    Label1->setObjectName("Label1");
    StaticTextDevice = new QLabel(QStringLiteral("デバイス"), GroupBox2);
    StaticTextDevice->setObjectName("StaticTextDevice");
    ComboBoxDevice = new QComboBox(GroupBox2);
    ComboBoxDevice->setObjectName("ComboBoxDevice");
    ComboBoxDevice->setEditable(true);
    ComboBoxDevice->setInsertPolicy(QComboBox::NoInsert);
    ComboBoxDevice->setToolTip(QStringLiteral("選択した通信ポートで使うシリアルデバイス"));

    const std::pair<QLabel*, QComboBox*> pairs[] = {
        {StaticText3, ComboBox1}, {StaticText4, ComboBox2}, {StaticTextDevice, ComboBoxDevice}};
    for (const auto& [label, combo] : pairs) {
        label->setBuddy(combo);
        combo->setAccessibleName(label->text());
    }

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { ComboBox1Change(); });
    connect(ComboBox2, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_) edited_ = true;
    });
    connect(ComboBoxDevice, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { DeviceChange(text); });
    ButtonDetect = new QPushButton(QStringLiteral("検出"), GroupBox2);
    ButtonDetect->setObjectName("ButtonDetect");
    ButtonDetect->setAutoDefault(false);
    ButtonDetect->setToolTip(
        QStringLiteral("シリアルデバイスに記録計を問い合わせ、見つかったデバイスを選びます"));
    ButtonDetect->setVisible(false);
    connect(ButtonDetect, &QPushButton::clicked, this, [this] { ButtonDetectClick(); });

    StaticTextRunDevice = new QLabel(GroupBox2);
    StaticTextRunDevice->setObjectName("StaticTextRunDevice");
    StaticTextRunDevice->setWordWrap(true);
    StaticTextRunDevice->setVisible(false);

    auto* grid = new QGridLayout(GroupBox2);
    grid->setContentsMargins(8, 6, 8, 8);
    grid->setVerticalSpacing(5);
    grid->addWidget(StaticText3, 0, 0);
    grid->addWidget(ComboBox1, 0, 1);
    grid->addWidget(StaticText4, 0, 2);
    grid->addWidget(ComboBox2, 0, 3);
    grid->addWidget(Label1, 0, 4);
    grid->addWidget(StaticTextDevice, 1, 0);
    grid->addWidget(ComboBoxDevice, 1, 1, 1, 3);
    grid->addWidget(ButtonDetect, 1, 4);
    grid->addWidget(StaticTextRunDevice, 2, 0, 1, 5);
    grid->setColumnStretch(3, 1);
}

void TPcSettingForm::buildFileNames(QWidget* area) {
    StaticText5 = new QLabel(QStringLiteral("データファイル名の設定"), area);
    StaticText5->setObjectName("StaticText5");
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(3);
    grid->setHorizontalSpacing(6);
    for (int n = 0; n < DATA_MAX; ++n) {
        auto* label = new QLabel(QString::fromUtf8(kSlotCaptions[n]), area);
        label->setObjectName(QStringLiteral("StaticText%1").arg(n + 6));
        auto* button = new QToolButton(area);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(n + 1));
        button->setCheckable(true);
        button->setFixedSize(48, 24);
        button->setText(QStringLiteral("自動"));
        button->setAccessibleDescription(label->text());
        auto* edit = new QLineEdit(area);
        edit->setObjectName(QStringLiteral("Edit%1").arg(n + 1));
        edit->setAccessibleName(label->text());
        edit->installEventFilter(this);
        label->setBuddy(edit);
        connect(button, &QToolButton::clicked, this, [this, n] { SpeedButtonClick(n); });
        connect(edit, &QLineEdit::textChanged, this, [this] { EditChange(); });
        // Pasted or composed text passes the same filter as typed keys.
        connect(edit, &QLineEdit::textEdited, this, [edit](const QString& text) {
            const QString kept =
                QString::fromStdString(withoutRefusedFileNameCharacters(text.toStdString()));
            if (kept != text) {
                const int cursor = edit->cursorPosition() - (text.size() - kept.size());
                edit->setText(kept);
                edit->setCursorPosition(std::max(0, cursor));
            }
        });
        grid->addWidget(label, n, 0);
        grid->addWidget(button, n, 1);
        grid->addWidget(edit, n, 2);
        slotLabels_[n] = label;
        speedButtons_[n] = button;
        edits_[n] = edit;
    }
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(6, 4, 0, 0);
    layout->addWidget(StaticText5);
    layout->addLayout(grid);
    layout->addStretch(1);
}

void TPcSettingForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TPcSettingForm::FormShow() {
    leaving_ = false;
    roots_ = folderRoots(homeFolder().toStdString());
    DriveComboBox1->clear();
    for (const std::string& root : roots_) DriveComboBox1->addItem(QString::fromStdString(root));
    fillFromSettings();
}

void TPcSettingForm::fillFromSettings() {
    filling_ = true;
    showFolder(QString::fromStdString(settings_.dataFolder()));
    const int port = settings_.comPort();
    ComboBox1->setCurrentIndex(port >= 1 && port <= kComPorts ? port - 1 : -1);
    ComboBox2->setCurrentIndex(ComboBox2->findText(QString::number(settings_.baudRate())));
    for (int n = 1; n <= kComPorts; ++n)
        devices_[n - 1] = settings_.hasDevicePath(n)
                              ? QString::fromStdString(settings_.devicePath(n))
                              : QString();
    showDeviceOfPort();
    CheckBoxTrace->setChecked(settings_.saveTrace());
    for (int n = 0; n < DATA_MAX; ++n) {
        showSlot(n, settings_.isAutoName(n));
        edits_[n]->setText(QString::fromStdString(settings_.fileName(n)));
    }
    filling_ = false;
    edited_ = false;
}

// A folder that no longer exists is shown as the nearest one above it.
void TPcSettingForm::showFolder(const QString& folder) {
    const std::string shown = nearestExistingFolder(folder.toStdString());
    const std::string root = rootOfFolder(roots_, shown);
    DriveComboBox1->setCurrentIndex(DriveComboBox1->findText(QString::fromStdString(root)));
    const QModelIndex rootIndex = folderModel_->index(QString::fromStdString(root));
    DirectoryListBox1->setRootIndex(rootIndex);
    const QModelIndex current = folderModel_->index(QString::fromStdString(shown));
    DirectoryListBox1->setCurrentIndex(current);
    DirectoryListBox1->expand(current);
    bringCurrentFolderIntoView();
    DataSavePath->setText(QString::fromStdString(shown));
}

void TPcSettingForm::bringCurrentFolderIntoView() {
    DirectoryListBox1->scrollTo(DirectoryListBox1->currentIndex(),
                                QAbstractItemView::PositionAtCenter);
    DirectoryListBox1->horizontalScrollBar()->setValue(0);
}

void TPcSettingForm::showSlot(int no, bool automatic) {
    KV_ASSERT(0 <= no);
    KV_ASSERT(no < DATA_MAX);
    speedButtons_[no]->setChecked(automatic);
    speedButtons_[no]->setText(automatic ? QStringLiteral("自動") : QStringLiteral("手動"));
    edits_[no]->setEnabled(!automatic);
}

void TPcSettingForm::showDeviceOfPort() {
    const int index = ComboBox1->currentIndex();
    ComboBoxDevice->setEnabled(index >= 0);
    QStringList choices;
    for (const std::string& path : serialDeviceCandidates())
        choices << QString::fromStdString(path);
    QString text;
    QString note;
    if (index >= 0) {
        text = devices_[index];
        const std::string run = runDevice();
        if (text.isEmpty() && !run.empty()) {
            // Shown as in use, never stored: the run script's device lasts one run.
            text = QString::fromStdString(run);
            note = QStringLiteral("この実行では%1 %2 を使っています（設定には保存されません）。")
                       .arg(isPseudoTerminal(run) ? QStringLiteral("シミュレーター")
                                                  : QStringLiteral("デバイス"),
                            text);
        }
        // Not configured: the device the port uses anyway.
        if (text.isEmpty()) text = QString::fromStdString(defaultDevicePath(index + 1));
    }
    StaticTextRunDevice->setText(note);
    StaticTextRunDevice->setVisible(!note.isEmpty());
    const bool wasFilling = filling_;
    filling_ = true;
    ComboBoxDevice->clear();
    ComboBoxDevice->addItems(choices);
    ComboBoxDevice->setEditText(text);
    filling_ = wasFilling;
}

std::string TPcSettingForm::runDevice() const {
    const int index = ComboBox1->currentIndex();
    return link_ && index >= 0 ? runOnlyDevice(link_->devicePath, settings_, index + 1) : "";
}

void TPcSettingForm::DriveComboBox1Change() {
    const QString root = DriveComboBox1->currentText();
    if (root.isEmpty()) return;
    DirectoryListBox1->setRootIndex(folderModel_->index(root));
    DirectoryListBox1Change(root);
}

void TPcSettingForm::DirectoryListBox1Change(const QString& folder) {
    DataSavePath->setText(folder);
    DataSavePath->setToolTip(folder);
    edited_ = true;
}

void TPcSettingForm::ComboBox1Change() {
    showDeviceOfPort();
    if (!filling_) edited_ = true;
}

void TPcSettingForm::DeviceChange(const QString& text) {
    if (filling_) return;
    const int index = ComboBox1->currentIndex();
    if (index < 0) return;
    devices_[index] = text.trimmed();
    edited_ = true;
}

void TPcSettingForm::EditChange() {
    if (!filling_) edited_ = true;
}

void TPcSettingForm::SpeedButtonClick(int no) {
    showSlot(no, speedButtons_[no]->isChecked());
    edited_ = true;
}

void TPcSettingForm::ButtonDetectClick() {
    const int index = ComboBox1->currentIndex();
    if (!link_ || index < 0) {
        host_.messageBox("PC環境設定", "通信ポートを選択して下さい。", Host::Information);
        return;
    }
    const DeviceTree tree = deviceTreeFromEnvironment();
    // The run's own device (a pseudo-terminal, which no list of serial lines
    // holds) is asked first.
    const std::string run = runDevice();
    std::vector<std::string> paths;
    if (!run.empty()) paths.push_back(run);
    for (const SerialPortInfo& port : listSerialPorts(tree))
        if (port.path != run) paths.push_back(port.path);
    if (paths.empty()) {
        host_.messageBox("PC環境設定", "シリアルデバイスが見つかりません。", Host::Information);
        return;
    }
    const int baud =
        ComboBox2->currentIndex() >= 0 ? ComboBox2->currentText().toInt() : settings_.baudRate();
    ButtonDetect->setEnabled(false);
    const std::vector<PortProbe> probes = probePorts(*link_, paths, baud, tree);
    ButtonDetect->setEnabled(true);
    const PortProbe* found = firstAnswer(probes, run);
    const PortProbe* runAnswer = firstAnswer(probes);
    if (!found && runAnswer && runAnswer->path == run) {
        // The run's device answers, but its name is gone after this run.
        host_.messageBox(
            "PC環境設定",
            "記録計が見つかりました。\n\n" + run + "\n" + probeFindingText(*runAnswer) +
                "\n\nこの実行の" + (isPseudoTerminal(run) ? "シミュレーター" : "デバイス") +
                "です。COM" + std::to_string(index + 1) +
                " はこの実行のあいだ、このデバイスを使います（設定には保存されません）。",
            Host::Information);
        return;
    }
    if (!found) {
        std::string text = "記録計が見つかりませんでした。\n";
        for (const PortProbe& p : probes) text += "\n" + p.path + ": " + probeFindingText(p);
        host_.messageBox("PC環境設定", text, Host::Information);
        return;
    }
    const std::string question = "記録計が見つかりました。\n\n" + found->path + "\n" +
                                 probeFindingText(*found) + "\n\nこのデバイスを COM" +
                                 std::to_string(index + 1) +
                                 " に使いますか？（「設定」で保存されます）";
    if (host_.messageBox("PC環境設定", question, Host::QuestionYesNo) != Host::Yes) return;
    ComboBoxDevice->setEditText(QString::fromStdString(found->path));  // DeviceChange keeps it
}

void TPcSettingForm::BitBtn1Click() {
    // A port or baud rate that the lists do not offer (a hand-edited INI file)
    // must be chosen before anything is stored.
    if (ComboBox1->currentIndex() < 0 || ComboBox2->currentIndex() < 0) {
        host_.messageBox("PC環境設定", "通信ポートとボーレートを選択して下さい。", Host::Error);
        return;
    }
    PcSettingsEntry entry;
    entry.dataFolder = DataSavePath->text().toStdString();
    entry.comPort = ComboBox1->currentIndex() + 1;
    entry.baudRate = ComboBox2->currentText().toInt();
    for (int n = 0; n < kComPorts; ++n) entry.devices[n] = devices_[n].toStdString();
    entry.saveTrace = CheckBoxTrace->isChecked();
    for (int n = 0; n < DATA_MAX; ++n) {
        entry.autoName[n] = speedButtons_[n]->isChecked();
        entry.fileName[n] = edits_[n]->text().toStdString();
    }
    applyPcSettingsEntry(settings_, entry);
    if (!settings_.save())
        host_.messageBox("PC環境設定",
                         "設定ファイルに書き込めませんでした。\n" + settings_.saveError(),
                         Host::Error);
    edited_ = false;
}

void TPcSettingForm::BitBtn2Click() {
    fillFromSettings();
}

void TPcSettingForm::BitBtn3Click() {
    if (!mayLeave()) return;
    leaving_ = true;
    close();
}

bool TPcSettingForm::mayLeave() {
    if (!edited_ || leaving_) return true;
    return host_.messageBox("確認", kLeaveQuestion, kYesNoInformation) == Host::Yes;
}

// The title bar's close button leaves like "戻る(&C)".
void TPcSettingForm::closeEvent(QCloseEvent* event) {
    if (!mayLeave()) {
        event->ignore();
        return;
    }
    leaving_ = true;
    QDialog::closeEvent(event);
}

// The Escape key is "戻る(&C)".
void TPcSettingForm::reject() {
    if (!mayLeave()) return;
    leaving_ = true;
    QDialog::reject();
}

// The file-name filter: a refused character never reaches the name.
bool TPcSettingForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (!text.isEmpty() && text.at(0).isPrint() &&
            !isFileNameCharacterAllowed(text.toStdString()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace kv
