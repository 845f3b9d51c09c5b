// The graph window's menu bars: one per kind of data, the window shows one at
// a time.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <vector>

#include "viewer/TGraph5000.h"
#include "viewer/live_monitor_view.h"

namespace kv {
namespace {

struct ItemSpec {
    const char* name;
    const char* caption;
    GraphCommand command;
};

// A drop-down menu, or with no items a command right on the bar.
struct MenuSpec {
    const char* name;
    const char* caption;
    std::vector<ItemSpec> items;
    GraphCommand command = GraphCommand::Print;
};

struct BarSpec {
    GraphMenu menu;
    const char* name;
    std::vector<MenuSpec> menus;
};

// The file menu of every data bar: only the names of its items differ.
MenuSpec fileMenu(const char* name, const char* open, const char* image, const char* colours,
                  const char* close) {
    return {name,
            "ファイル(&F)",
            {{open, "データファイルを開く(&Open)", GraphCommand::Open},
             {image, "画像として保存(&I)…", GraphCommand::SaveImage},
             {colours, "グラフ設定の変更(&Color)", GraphCommand::Colours},
             {close, "データ表示画面の終了(&X)", GraphCommand::Close}}};
}

const ItemSpec kScaleItem = {nullptr, "スケール変更(&Change)", GraphCommand::ChangeScale};
const ItemSpec kListItem = {nullptr, "リスト表示(&List)", GraphCommand::List};

ItemSpec named(ItemSpec item, const char* name) {
    item.name = name;
    return item;
}

std::vector<BarSpec> barSpecs() {
    return {
        {GraphMenu::Start,
         "mnuStart",
         {fileMenu("mnuFileStart", "mnuOpenStart", "mnuImageStart", "Color4", "mnuExitStart")}},
        {GraphMenu::KV53,
         "mnuKV53",
         {fileMenu("mnuFile53", "mnuOpen53", "mnuImage53", "Color0", "Exit1"),
          {"mnuShow",
           "表示(&S)",
           {{"mnuTY_1", "３軸[同軸表示](&All)", GraphCommand::ViewAll},
            {"mnuTY_2", "１軸[X](&X Line)", GraphCommand::ViewX},
            {"mnuTY_3", "１軸[Y](&Y Line)", GraphCommand::ViewY},
            {"mnuTY_4", "1軸[Z](&Z Line)", GraphCommand::ViewZ},
            {"mnuTY_5", "３軸独立(&Separate)", GraphCommand::ViewSeparate},
            {"N2", "次のデータを表示(&Next)", GraphCommand::Next},
            {"N3", "前のデータを表示(&Before)", GraphCommand::Previous},
            {"N6", "指定データの表示(&Find)", GraphCommand::Find},
            named(kScaleItem, "Change1"),
            named(kListItem, "List1")}},
          {"Print1", "印刷(&P)", {}}}},
        {GraphMenu::KV51,
         "mnuKV51",
         {fileMenu("mnuFile51", "mnuOpen51", "mnuImage51", "Color1", "mnuExit51"),
          {"mnuShow51",
           "表示(&S)",
           {{"mnuNext11", "次のデータを表示(&Next)", GraphCommand::Next},
            {"mnuBefore11", "前のデータを表示(&Before)", GraphCommand::Previous},
            {"mnuFind11", "指定データの表示(&Find)", GraphCommand::Find},
            named(kScaleItem, "mnuChange11"),
            named(kListItem, "mnuList11")}},
          {"mnuPrint51", "印刷(&P)", {}}}},
        {GraphMenu::KV41,
         "mnuKV41",
         {fileMenu("mnuFile41", "mnuOpen41", "mnuImage41", "Color3", "mnuExit41"),
          {"mnuShow41",
           "表示(&S)",
           {named(kScaleItem, "mnuChange41"), named(kListItem, "mnuList41")}},
          {"mnuPrint41", "印刷(&P)", {}}}},
        // Built like the others but never installed: 4300 files use mnuKV53.
        {GraphMenu::KV43,
         "mnuKV43",
         {fileMenu("mnuFile43", "mnuOpen43", "mnuImage43", "Color2", "mnuExit43"),
          {"mnuShow43",
           "表示(&S)",
           {{"mnuTY43_2", "１軸[X](&X Line)", GraphCommand::ViewX},
            {"mnuTY43_3", "１軸[Y](&Y Line)", GraphCommand::ViewY},
            {"mnuTY43_4", "1軸[Z](&Z Line)", GraphCommand::ViewZ},
            {"mnuTY43_5", "３軸独立(&Separate)", GraphCommand::ViewSeparate},
            named(kScaleItem, "mnuChange43"),
            named(kListItem, "mnuList43")}},
          {"Print2", "印刷(&P)", {}}}},
        {GraphMenu::Real,
         "mnuReal",
         {{"mnuData",
           "データ(&D)",
           {{"syokidetano1", "KV設定の確認(&C)", GraphCommand::MonitorSettings},
            {"S1", "通信開始(&S)", GraphCommand::MonitorStart},
            {"E1", "通信終了(&E)", GraphCommand::MonitorEnd},
            {"mnuSaveLive", "ファイルに保存(&V)", GraphCommand::MonitorSave},
            {"X1", "戻る(&X)", GraphCommand::Close}}}}},
    };
}

}  // namespace

void TGraph5000::buildMenus() {
    menuBars_ = new QStackedWidget(this);
    menuBars_->setObjectName("GraphMenus");
    for (const BarSpec& spec : barSpecs()) {
        auto* bar = new QMenuBar(menuBars_);
        bar->setObjectName(spec.name);
        for (const MenuSpec& m : spec.menus) {
            QAction* top;
            if (m.items.empty()) {
                top = bar->addAction(QString::fromUtf8(m.caption));
                connect(top, &QAction::triggered, this, [this, c = m.command] { runCommand(c); });
            } else {
                QMenu* menu = bar->addMenu(QString::fromUtf8(m.caption));
                menu->setObjectName(QString::fromLatin1(m.name) + "Menu");
                top = menu->menuAction();
                for (const ItemSpec& item : m.items) {
                    QAction* a = menu->addAction(QString::fromUtf8(item.caption));
                    a->setObjectName(item.name);
                    connect(a, &QAction::triggered, this,
                            [this, c = item.command] { runCommand(c); });
                }
            }
            top->setObjectName(m.name);
        }
        menuBars_->addWidget(bar);
        bars_[static_cast<int>(spec.menu)] = bar;
    }
    setMenuWidget(menuBars_);
    // Before any file there is nothing to save.
    findChild<QAction*>("mnuImageStart")->setEnabled(false);
}

void TGraph5000::runCommand(GraphCommand command) {
    switch (command) {
        case GraphCommand::Open:
            mnuOPENClick();
            break;
        case GraphCommand::SaveImage:
            saveImage();
            break;
        case GraphCommand::Colours:
            showColours();
            break;
        case GraphCommand::Close:
            close();
            break;
        case GraphCommand::ViewAll:
        case GraphCommand::ViewX:
        case GraphCommand::ViewY:
        case GraphCommand::ViewZ:
        case GraphCommand::ViewSeparate:
            setView(static_cast<int>(command) - static_cast<int>(GraphCommand::ViewAll));
            break;
        case GraphCommand::Next:
            stepRecord(1);
            break;
        case GraphCommand::Previous:
            stepRecord(-1);
            break;
        case GraphCommand::Find:
            findRecord();
            break;
        case GraphCommand::ChangeScale:
            changeScale();
            break;
        case GraphCommand::List:
            showList(false);
            break;
        case GraphCommand::Print:
            printGraph();
            break;
        case GraphCommand::MonitorSettings:
            live_->btnDataSetClick();
            break;
        case GraphCommand::MonitorStart:
            live_->btnStartClick();
            break;
        case GraphCommand::MonitorEnd:
            live_->btnEndClick();
            break;
        case GraphCommand::MonitorSave:
            live_->saveRun();
            break;
    }
}

}  // namespace kv
