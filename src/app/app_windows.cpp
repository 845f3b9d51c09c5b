#include "app/app_windows.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFont>
#include <QPointer>

#include "app/TDataReadForm.h"
#include "app/TMainForm.h"
#include "datafile/data_set.h"
#include "link/link.h"
#include "list/TDataDialog.h"
#include "list/THeaderDialog.h"
#include "list/TListShow.h"
#include "recorder/recorder_state.h"
#include "screens/TInformationForm.h"
#include "screens/TKV5000_Info.h"
#include "screens/TKvDataInput.h"
#include "screens/TSettingForm.h"
#include "screens/TSetting_5000.h"
#include "settings/TPcSettingForm.h"
#include "viewer/TGraph5000.h"
#include "viewer/TGraphColor.h"
#include "viewer/TInputScale.h"

namespace kv {

void createAppWindows(AppWindows& w, Link& link, PcSettings& settings, RecorderState& state,
                      DataSet& data) {
    w.mainForm = new TMainForm(link, settings, state, w);
    w.settingForm = new TSettingForm(link, settings, state, w.mainForm);
    w.pcSettingForm = new TPcSettingForm(settings, link, w.mainForm);
    w.informationForm = new TInformationForm(link, settings, state, data, w.mainForm);
    // Loads started from the graph window use the progress window while the
    // main window is hidden, so it follows no parent.
    w.dataReadForm = new TDataReadForm(nullptr);
    // The graph window stands in for the main window while it shows, so it
    // has no parent; its dialogs centre on it.
    w.graph5000 = new TGraph5000(link, settings, state, data, nullptr);
    w.kv5000Info = new TKV5000_Info(link, settings, state, data, w.mainForm);
    w.setting5000 = new TSetting_5000(link, settings, state, w.mainForm);
    // The list and the viewer's dialogs serve the graph window, which stands
    // in for the hidden main window: they follow no parent.
    w.headerDialog = new THeaderDialog(link.host, nullptr);
    w.listShow = new TListShow(data, state.identity, link.host, w.headerDialog);
    w.listShow->setRestitution([&settings] { return settings.restitution; });
    w.inputScale = new TInputScale(w.graph5000->viewState(), data, state.identity, w.graph5000);
    w.dataDialog = new TDataDialog(data, state.identity, nullptr);
    w.graphColor = new TGraphColor(settings, w.graph5000);
    auto* kvDataInput = new TKvDataInput(link, settings, state, data, nullptr);
    w.kvDataInput = kvDataInput;
    w.graph5000->setMonitorSettingsDialog(kvDataInput);

    TGraph5000::Peers peers;
    peers.listShow = w.listShow;
    peers.buildListColumns = [list = w.listShow] { list->buildListColumns(); };
    peers.askDataNumber = [dialog = w.headerDialog, &data](QString& text) {
        return dialog->askDataNumber(text, data.lastIndex + 1);
    };
    peers.dataDialog = w.dataDialog;
    peers.inputScale = w.inputScale;
    peers.graphColor = w.graphColor;
    w.graph5000->setPeers(peers);
    QObject::connect(w.graph5000, &TGraph5000::closed, w.mainForm, &QWidget::show);
    QObject::connect(w.listShow, &TListShow::recordChosen, w.graph5000, &TGraph5000::showRecord);
    w.mainForm->updateCommands();
}

void destroyAppWindows(AppWindows& w) {
    // The last created first. Windows parented to the main window go with it,
    // and the main window goes last: its end saves the PC settings.
    QPointer<QWidget> windows[] = {
        w.kvDataInput,     w.graphColor,    w.dataDialog, w.headerDialog, w.inputScale,
        w.listShow,        w.setting5000,   w.kv5000Info, w.graph5000,    w.dataReadForm,
        w.informationForm, w.pcSettingForm, w.settingForm};
    for (QPointer<QWidget>& window : windows)
        if (window && window->parent() == nullptr) delete window.data();
    delete w.mainForm;
    w = AppWindows{};
}

void showModally(QWidget* window) {
    if (!window) return;
    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        dialog->exec();
        return;
    }
    QPointer<QWidget> guard(window);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    QEventLoop loop;
    while (guard && guard->isVisible()) loop.processEvents(QEventLoop::WaitForMoreEvents);
}

void applyApplicationFont(QApplication& app) {
    const QString family = QStringLiteral("ＭＳ Ｐゴシック");
    QFont::insertSubstitutions(
        family, {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans CJK JP Regular")});
    QFont font(family);
    font.setPixelSize(12);
    app.setFont(font);
}

}  // namespace kv
