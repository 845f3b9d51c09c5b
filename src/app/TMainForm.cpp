#include "app/TMainForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFont>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/app_windows.h"
#include "app/button_icons.h"
#include "base/host.h"
#include "link/link.h"
#include "recorder/information_command.h"
#include "recorder/recorder_state.h"
#include "screens/TInformationForm.h"
#include "screens/TKV5000_Info.h"
#include "settings/TPcSettingForm.h"
#include "settings/pc_settings.h"
#include "viewer/TGraph5000.h"

namespace kv {
namespace {

constexpr int kClientWidth = 583;
constexpr int kClientHeight = 317;

const char* const kExitTitle = "終了処理";
const char* const kExitQuestion = "ＫＶマネージャーを終了します。\n\n終了してよろしいですか？\n";

}  // namespace

TMainForm::TMainForm(Link& link, PcSettings& settings, RecorderState& state, AppWindows& windows,
                     QWidget* parent)
    : QMainWindow(parent), link_(link), settings_(settings), state_(state), windows_(windows) {
    setObjectName("TMainForm");
    setWindowTitle(QStringLiteral("ＫＶマネージャー　(Ver4.02J)"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    auto* client = new QWidget(this);
    client->setObjectName("MainClient");
    client->setMouseTracking(true);
    client->installEventFilter(this);
    setCentralWidget(client);
    buildButtons(client);
    buildMenu();

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    setStatusBar(StatusBar1);
    // The hint is a label in the bar, not a temporary message: screen readers
    // read a label, and never see a status bar's message.
    StatusText = new QLabel(StatusBar1);
    StatusText->setObjectName("StatusText");
    StatusBar1->addWidget(StatusText, 1);

    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    updateCommands();
}

TMainForm::~TMainForm() {
    // The program's end: what the user and the screens changed is kept.
    settings_.save();
}

QToolButton* TMainForm::pictureButton(QWidget* client, const char* name, const QString& caption,
                                      const QString& hint, ButtonPicture picture) {
    auto* button = new QToolButton(client);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(hint);
    button->setIcon(buttonIcon(picture));
    button->setIconSize(QSize(40, 40));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFixedSize(176, 104);
    button->setMouseTracking(true);
    button->installEventFilter(this);
    return button;
}

void TMainForm::buildButtons(QWidget* client) {
    Label1 = new QLabel(QStringLiteral("ＫＶマネージャー"), client);
    Label1->setObjectName("Label1");
    QFont title = Label1->font();
    title.setPixelSize(30);
    title.setBold(true);
    title.setItalic(true);
    Label1->setFont(title);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setMouseTracking(true);
    Label1->installEventFilter(this);

    BitBtn1 =
        pictureButton(client, "BitBtn1", QStringLiteral("ＫＶ情報(&I)"),
                      QStringLiteral("ＫＶの計測情報を読み込みます"), ButtonPicture::Information);
    // Downloads start from the information screens; this button never shows.
    BitBtn2 =
        pictureButton(client, "BitBtn2", QStringLiteral("データ読み込み(&D)"),
                      QStringLiteral("ＫＶの測定データを読み込みます"), ButtonPicture::Download);
    BitBtn2->setVisible(false);
    BitBtn3 =
        pictureButton(client, "BitBtn3", QStringLiteral("測定条件設定(&S)"),
                      QStringLiteral("ＫＶに測定条件を設定します"), ButtonPicture::Conditions);
    BitBtn4 = pictureButton(client, "BitBtn4", QStringLiteral("ＰＣ環境設定(&P)"),
                            QStringLiteral("ファイル名の指定、通信条件を設定します。"),
                            ButtonPicture::PcSettings);
    BitBtn5 =
        pictureButton(client, "BitBtn5", QStringLiteral("グラフ表示(&G)"),
                      QStringLiteral("保存してあるデータを表示します。"), ButtonPicture::Graph);
    BitBtn6 = pictureButton(client, "BitBtn6", QStringLiteral("リアルタイム画面(&R)"),
                            QStringLiteral("リアルタイムモード画面に移行します"),
                            ButtonPicture::RealTime);

    Button1 = new QPushButton(QStringLiteral("終了(&X)"), client);
    Button1->setObjectName("Button1");
    Button1->setToolTip(QStringLiteral("アプリケーションを終了します"));
    Button1->setFixedSize(176, 36);
    Button1->setAutoDefault(false);
    Button1->setMouseTracking(true);
    Button1->installEventFilter(this);

    connect(BitBtn1, &QToolButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn3, &QToolButton::clicked, this, [this] { BitBtn3Click(); });
    connect(BitBtn4, &QToolButton::clicked, this, [this] { BitBtn4Click(); });
    connect(BitBtn5, &QToolButton::clicked, this, [this] { BitBtn5Click(); });
    connect(BitBtn6, &QToolButton::clicked, this, [this] { BitBtn6Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);
    grid->addWidget(BitBtn1, 0, 0);
    grid->addWidget(BitBtn3, 0, 1);
    grid->addWidget(BitBtn4, 0, 2);
    grid->addWidget(BitBtn5, 1, 0);
    grid->addWidget(BitBtn6, 1, 1);
    grid->addWidget(Button1, 1, 2, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(16, 4, 16, 8);
    layout->setSpacing(4);
    layout->addWidget(Label1);
    layout->addStretch(1);
    layout->addLayout(grid);
    layout->addStretch(1);
}

void TMainForm::buildMenu() {
    N1 = menuBar()->addMenu(QStringLiteral("メニュー(&M)"));
    N1->setObjectName("N1");
    auto item = [this](const char* name, const QString& caption) {
        QAction* action = N1->addAction(caption);
        action->setObjectName(name);
        return action;
    };
    N2 = item("N2", QStringLiteral("ＫＶ情報(&I)"));
    N1->addSeparator()->setObjectName("N3");
    N4 = item("N4", QStringLiteral("測定条件設定(&S)"));
    N1->addSeparator();
    N5 = item("N5", QStringLiteral("ＰＣ環境設定(&P)"));
    N1->addSeparator();
    mnuShowData = item("mnuShowData", QStringLiteral("グラフ画面表示(&G)"));
    N1->addSeparator();
    R1 = item("R1", QStringLiteral("リアルタイム画面(&R)"));
    N1->addSeparator();
    N6 = item("N6", QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"));

    connect(N2, &QAction::triggered, this, [this] { BitBtn1Click(); });
    connect(N4, &QAction::triggered, this, [this] { BitBtn3Click(); });
    connect(N5, &QAction::triggered, this, [this] { BitBtn4Click(); });
    connect(mnuShowData, &QAction::triggered, this, [this] { mnuShowDataClick(); });
    connect(R1, &QAction::triggered, this, [this] { BitBtn6Click(); });
    connect(N6, &QAction::triggered, this, [this] { Button1Click(); });
}

void TMainForm::updateCommands() {
    const bool idle = !busy_;
    for (QWidget* button : {static_cast<QWidget*>(BitBtn1), static_cast<QWidget*>(BitBtn3),
                            static_cast<QWidget*>(BitBtn4), static_cast<QWidget*>(Button1)})
        button->setEnabled(idle);
    N1->menuAction()->setEnabled(idle);
    // The viewer's commands stay off until the graph window exists.
    const bool viewer = windows_.graph5000 != nullptr;
    BitBtn5->setEnabled(idle && viewer);
    BitBtn6->setEnabled(idle && viewer);
    mnuShowData->setEnabled(viewer);
    R1->setEnabled(viewer);
}

void TMainForm::enterBusy() {
    busy_ = true;
    closeAllowed_ = false;
    setCursor(Qt::WaitCursor);
    for (QWidget* button : {static_cast<QWidget*>(BitBtn1), static_cast<QWidget*>(BitBtn2),
                            static_cast<QWidget*>(BitBtn3), static_cast<QWidget*>(BitBtn4),
                            static_cast<QWidget*>(BitBtn5), static_cast<QWidget*>(BitBtn6),
                            static_cast<QWidget*>(Button1)})
        button->setCursor(Qt::WaitCursor);
    updateCommands();
}

void TMainForm::leaveBusy() {
    busy_ = false;
    closeAllowed_ = true;
    unsetCursor();
    for (QWidget* button : {static_cast<QWidget*>(BitBtn1), static_cast<QWidget*>(BitBtn2),
                            static_cast<QWidget*>(BitBtn3), static_cast<QWidget*>(BitBtn4),
                            static_cast<QWidget*>(BitBtn5), static_cast<QWidget*>(BitBtn6),
                            static_cast<QWidget*>(Button1)})
        button->unsetCursor();
    updateCommands();
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // FormShow
    closeAllowed_ = !busy_;
    refreshHint();
    // Centred when it first appears; later it comes back where the user left it.
    if (!centred_ && !event->spontaneous() && screen()) {
        centred_ = true;
        QRect frame = frameGeometry();
        frame.moveCenter(screen()->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // FormCloseQuery: a running recorder command keeps the window, silently.
    if (!closeAllowed_) {
        event->ignore();
        return;
    }
    // FormClose
    if (link_.host.messageBox(kExitTitle, kExitQuestion, Host::QuestionYesNo) != Host::Yes) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

// Back from another window (the graph window, a recorder screen), the hint is
// that of what the mouse is over now, not of the button that opened it.
void TMainForm::refreshHint() {
    QWidget* under = QApplication::widgetAt(QCursor::pos());
    auto* button = qobject_cast<QAbstractButton*>(under);
    StatusText->setText(button && isAncestorOf(button) ? button->toolTip() : QString());
}

void TMainForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) refreshHint();
    QMainWindow::changeEvent(event);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        if (auto* button = qobject_cast<QAbstractButton*>(watched)) {
            StatusText->setText(button->toolTip());
            // A button ignores a move without a pressed mouse button, which
            // would then reach the background and clear the hint again.
            if (static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton) return true;
        } else {
            StatusText->clear();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::BitBtn1Click() {
    enterBusy();
    link_.host.processEvents();
    switch (readRecorderInformation(link_, settings_.comPort(), settings_.baudRate(), state_)) {
        case RecorderScreen::FirstGeneration:
            showModally(windows_.informationForm);
            break;
        case RecorderScreen::LaterGeneration:
            showModally(windows_.kv5000Info);
            break;
        case RecorderScreen::None:
            break;
    }
    leaveBusy();
}

void TMainForm::BitBtn3Click() {
    enterBusy();
    link_.host.processEvents();
    switch (readRecorderConditions(link_, settings_.comPort(), settings_.baudRate(), state_)) {
        case RecorderScreen::FirstGeneration:
            showModally(windows_.settingForm);
            break;
        case RecorderScreen::LaterGeneration:
            showModally(windows_.setting5000);
            break;
        case RecorderScreen::None:
            break;
    }
    leaveBusy();
}

void TMainForm::BitBtn4Click() {
    showModally(windows_.pcSettingForm);
}

void TMainForm::BitBtn5Click() {
    showGraphWindow();
}

// The graph window takes over until it is closed; it shows this window again.
// It stays modeless from the menu too: the list window it opens must answer.
void TMainForm::showGraphWindow() {
    if (!windows_.graph5000) return;
    hide();
    windows_.graph5000->show();
    windows_.graph5000->raise();
}

void TMainForm::mnuShowDataClick() {
    showGraphWindow();
}

void TMainForm::BitBtn6Click() {
    if (!windows_.graph5000) return;
    hide();
    windows_.graph5000->EnterRealTime();
}

void TMainForm::Button1Click() {
    close();
}

}  // namespace kv
