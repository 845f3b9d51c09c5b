#include <algorithm>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>

#include "app/TDataReadForm.h"
#include "app/TMainForm.h"
#include "app/qt_host.h"
#include "app/ui/shell_fixture.h"
#include "screens/TInformationForm.h"
#include "screens/TKV5000_Info.h"
#include "settings/TPcSettingForm.h"

namespace kv::test {
namespace {

using HostAndProgressTest = ShellTest;

TEST_F(HostAndProgressTest, MessageBoxesTakeTheFlagsIconsButtonsAndAnswers) {
    struct Case {
        int flags;
        QMessageBox::Icon icon;
        const char* press;
        int answer;
    };
    const Case cases[] = {
        {Host::Error, QMessageBox::Critical, "OK", Host::Ok},
        {Host::Question, QMessageBox::Question, "OK", Host::Ok},
        {Host::QuestionYesNo, QMessageBox::Question, "No", Host::No},
        {Host::QuestionYesNo, QMessageBox::Question, "Yes", Host::Yes},
        {Host::Information, QMessageBox::Information, "OK", Host::Ok},
        {Host::Information | 4, QMessageBox::Information, "Yes", Host::Yes},
    };
    QtHost qtHost;
    for (const Case& c : cases) {
        std::string title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        onNextModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            title = box->windowTitle().toStdString();
            text = box->text().toStdString();
            icon = box->icon();
            find<QPushButton>(box, c.press)->click();
        });
        EXPECT_EQ(qtHost.messageBox("通信エラー", "ポートが開けません。\n2", c.flags), c.answer)
            << c.flags;
        EXPECT_EQ(title, "通信エラー");
        EXPECT_EQ(text, "ポートが開けません。\n2");
        EXPECT_EQ(icon, c.icon) << c.flags;
    }
}

TEST_F(HostAndProgressTest, ProgressWindowShowsNumberPercentAndTextAndKeepsTheCancelFlag) {
    TDataReadForm form;
    QtHost qtHost;
    qtHost.setProgressWindow(&form);
    EXPECT_EQ(form.windowTitle().toStdString(), "計測データ読み込み処理");
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);

    qtHost.beginProgress(false);
    auto* label = find<QLabel>(&form, "Label1");
    auto* bar = find<QProgressBar>(&form, "ProgressBar1");
    auto* cancel = find<QPushButton>(&form, "Button1");
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(cancel->isVisible());
    qtHost.showProgress(3, 45);
    EXPECT_EQ(label->text().toStdString(), "3-45%");
    EXPECT_EQ(bar->value(), 45);
    qtHost.showProgressText(70, "データを保存しています。");
    EXPECT_EQ(label->text().toStdString(), "データを保存しています。");
    EXPECT_EQ(bar->value(), 70);
    // Neither the window manager nor Escape takes it away while it works.
    EXPECT_FALSE(form.close());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&form, &escape);
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(qtHost.loadCancelRequested());
    qtHost.endProgress();
    EXPECT_FALSE(form.isVisible());

    // A load offers the button; showing the window again starts it afresh.
    qtHost.beginProgress(true);
    EXPECT_TRUE(label->text().isEmpty());
    EXPECT_EQ(bar->value(), 0);
    ASSERT_TRUE(cancel->isVisible());
    cancel->click();
    EXPECT_TRUE(qtHost.loadCancelRequested());
    qtHost.setLoadCancelRequested(false);
    EXPECT_FALSE(form.loadCancelRequested());
    qtHost.endProgress();
}

// Screen readers name every control: buttons by their caption, fields, lists
// and drop-down lists by the label beside them.
TEST_F(HostAndProgressTest, EveryControlHasAnAccessibleName) {
    start(kRecorder5300);
    QWidget* const forms[] = {windows.mainForm, windows.pcSettingForm, windows.informationForm,
                              windows.kv5000Info, windows.dataReadForm};
    for (QWidget* form : forms) {
        for (QWidget* w : form->findChildren<QWidget*>()) {
            const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                                 qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w);
            // Line edits inside combo boxes and views belong to their owner.
            if (!control || w->window() != form || w->objectName().isEmpty() ||
                w->objectName().startsWith("qt_"))
                continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            ASSERT_NE(a, nullptr);
            EXPECT_FALSE(a->text(QAccessible::Name).trimmed().isEmpty())
                << form->objectName().toStdString() << "/" << w->objectName().toStdString();
        }
    }
    QAccessibleInterface* info =
        QAccessible::queryAccessibleInterface(find<QWidget>(windows.mainForm, "BitBtn1"));
    EXPECT_EQ(info->text(QAccessible::Name).toStdString(), "ＫＶ情報(I)");
    // On Linux a drop-down list is named by its choice; the label beside it
    // is announced through the labelled-by relation.
    QAccessibleInterface* port =
        QAccessible::queryAccessibleInterface(find<QWidget>(windows.pcSettingForm, "ComboBox1"));
    std::vector<std::string> labels;
    for (const auto& [other, relation] : port->relations(QAccessible::Label))
        labels.push_back(other->text(QAccessible::Name).toStdString());
    EXPECT_NE(std::find(labels.begin(), labels.end(), "通信ポート"), labels.end());
    QAccessibleInterface* path =
        QAccessible::queryAccessibleInterface(find<QWidget>(windows.pcSettingForm, "DataSavePath"));
    EXPECT_EQ(path->text(QAccessible::Name).toStdString(), "データ格納場所");
}

}  // namespace
}  // namespace kv::test
