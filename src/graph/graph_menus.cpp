#include "graph/graph_menus.h"

namespace kv {
namespace {

// The file menu of every bar: only the names of its items differ. The
// report's items exist where there is a file to report on (a null name: none).
MenuSpec fileMenu(const char* name, const char* open, const char* image, const char* colours,
                  const char* close, const char* limits, const char* report = nullptr,
                  const char* printReport = nullptr) {
    MenuSpec menu{name,
                  "ファイル(&F)",
                  {{open, "データファイルを開く(&Open)", GraphCommand::Open},
                   {image, "画像として保存(&I)…", GraphCommand::SaveImage}}};
    if (report) menu.items.push_back({report, "レポート作成(&R)…", GraphCommand::Report});
    if (printReport)
        menu.items.push_back({printReport, "レポート印刷(&T)…", GraphCommand::PrintReport});
    menu.items.push_back({limits, "判定基準の設定(&L)…", GraphCommand::Limits});
    menu.items.push_back({colours, "グラフ設定の変更(&Color)", GraphCommand::Colours});
    menu.items.push_back({close, "データ表示画面の終了(&X)", GraphCommand::Close});
    return menu;
}

const MenuItemSpec kScaleItem = {nullptr, "スケール変更(&Change)", GraphCommand::ChangeScale};
const MenuItemSpec kListItem = {nullptr, "リスト表示(&List)", GraphCommand::List};

// The analysis windows: the one of wave records, the one of a peak file's trip.
const MenuItemSpec kAnalysisItem = {nullptr, "衝撃解析(&A)…", GraphCommand::ShockAnalysis};
const MenuItemSpec kTripItem = {nullptr, "トリップ統計(&T)…", GraphCommand::TripStatistics};

MenuItemSpec named(MenuItemSpec item, const char* name) {
    item.name = name;
    return item;
}

}  // namespace

const std::vector<MenuBarSpec>& graphMenuBars() {
    static const std::vector<MenuBarSpec> bars = {
        {GraphMenu::Start,
         "mnuStart",
         {fileMenu("mnuFileStart", "mnuOpenStart", "mnuImageStart", "Color4", "mnuExitStart",
                   "mnuLimitsStart")}},
        {GraphMenu::KV53,
         "mnuKV53",
         {fileMenu("mnuFile53", "mnuOpen53", "mnuImage53", "Color0", "Exit1", "mnuLimits53",
                   "mnuReport53", "mnuPrintReport53"),
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
            named(kListItem, "List1"),
            named(kAnalysisItem, "mnuAnalysis"),
            named(kTripItem, "mnuTrip")}},
          {"Print1", "印刷(&P)", {}}}},
        {GraphMenu::KV51,
         "mnuKV51",
         {fileMenu("mnuFile51", "mnuOpen51", "mnuImage51", "Color1", "mnuExit51", "mnuLimits51",
                   "mnuReport51", "mnuPrintReport51"),
          {"mnuShow51",
           "表示(&S)",
           {{"mnuNext11", "次のデータを表示(&Next)", GraphCommand::Next},
            {"mnuBefore11", "前のデータを表示(&Before)", GraphCommand::Previous},
            {"mnuFind11", "指定データの表示(&Find)", GraphCommand::Find},
            named(kScaleItem, "mnuChange11"),
            named(kListItem, "mnuList11"),
            named(kAnalysisItem, "mnuAnalysis51"),
            named(kTripItem, "mnuTrip51")}},
          {"mnuPrint51", "印刷(&P)", {}}}},
        {GraphMenu::KV41,
         "mnuKV41",
         {fileMenu("mnuFile41", "mnuOpen41", "mnuImage41", "Color3", "mnuExit41", "mnuLimits41",
                   "mnuReport41", "mnuPrintReport41"),
          {"mnuShow41",
           "表示(&S)",
           {named(kScaleItem, "mnuChange41"), named(kListItem, "mnuList41"),
            named(kTripItem, "mnuTrip41")}},
          {"mnuPrint41", "印刷(&P)", {}}}},
        // Built like the others but never installed: 4300 files use mnuKV53.
        {GraphMenu::KV43,
         "mnuKV43",
         {fileMenu("mnuFile43", "mnuOpen43", "mnuImage43", "Color2", "mnuExit43", "mnuLimits43",
                   "mnuReport43", "mnuPrintReport43"),
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
    return bars;
}

}  // namespace kv
