// The graph window's menu bars, one per kind of data (the window shows one at
// a time), and the commands of their items and of the tool buttons.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>

#include "viewer/TGraph5000.h"
#include "viewer/live_monitor_view.h"

namespace kv {

void TGraph5000::buildMenus() {
    menuBars_ = new QStackedWidget(this);
    menuBars_->setObjectName("GraphMenus");
    for (const MenuBarSpec& spec : graphMenuBars()) {
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
                for (const MenuItemSpec& item : m.items) {
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
        case GraphCommand::Limits:
            showLimits();
            break;
        case GraphCommand::Report:
            makeReport();
            break;
        case GraphCommand::PrintReport:
            printReport();
            break;
        case GraphCommand::Close:
            close();
            break;
        case GraphCommand::ViewAll:
        case GraphCommand::ViewX:
        case GraphCommand::ViewY:
        case GraphCommand::ViewZ:
        case GraphCommand::ViewSeparate:
            session_.setView(static_cast<int>(command) - static_cast<int>(GraphCommand::ViewAll));
            break;
        case GraphCommand::Next:
            session_.step(1);
            break;
        case GraphCommand::Previous:
            session_.step(-1);
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
        case GraphCommand::ShockAnalysis:
            showShockAnalysis();
            break;
        case GraphCommand::TripStatistics:
            showTripStatistics();
            break;
    }
}

}  // namespace kv
