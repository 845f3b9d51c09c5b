#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
#include <QToolButton>
#include <QTreeView>

#include <filesystem>

#include "settings/TPcSettingForm.h"
#include "settings/pc_settings.h"
#include "settings/settings_test_support.h"
#include "support/recording_host.h"
#include "support/ui/find_control.h"

namespace kv::test {
namespace {

// The PC settings screen on settings kept in a scratch INI file; shown
// modelessly so that the test can work it.
class PcSettingFormTest : public ::testing::Test {
  protected:
    PcSettingFormTest() {
        std::filesystem::create_directories(tmp.file("data"));
        settings.setIniFilePath(tmp.file("kvmanager.ini"));
        settings.load();
        settings.setDataFolder(tmp.file("data/"));
        settings.save();
        form = std::make_unique<TPcSettingForm>(settings, host);
    }

    void show() { form->show(); }
    template <typename T>
    T* find(const char* name) {
        return findControl<T>(form.get(), name);
    }
    QLineEdit* edit(int n) { return find<QLineEdit>(QString("Edit%1").arg(n).toLatin1()); }
    QToolButton* slotButton(int n) {
        return find<QToolButton>(QString("SpeedButton%1").arg(n).toLatin1());
    }
    void leave() { find<QPushButton>("BitBtn3")->click(); }
    PcSettings reread() const {
        PcSettings s;
        s.setIniFilePath(settings.iniFilePath());
        s.load();
        return s;
    }
    static void type(QWidget* w, const QString& text) {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &press);
        }
    }

    ScratchFolder tmp;
    RecordingHost host;
    PcSettings settings;
    std::unique_ptr<TPcSettingForm> form;
};

TEST_F(PcSettingFormTest, UnchangedScreenLeavesWithoutAQuestion) {
    show();
    EXPECT_EQ(find<QLineEdit>("DataSavePath")->text().toStdString() + "/", tmp.file("data/"));
    EXPECT_EQ(find<QComboBox>("ComboBox1")->currentText(), "1");
    EXPECT_EQ(find<QComboBox>("ComboBox2")->currentText(), "38400");
    EXPECT_EQ(slotButton(1)->text().toStdString(), "自動");
    EXPECT_EQ(edit(10)->text().toStdString(), "データ１０");
    EXPECT_FALSE(edit(10)->isEnabled());
    EXPECT_FALSE(form->edited());
    leave();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(PcSettingFormTest, AChangedPortOrBaudRateAsksBeforeLeaving) {
    show();
    find<QComboBox>("ComboBox1")->setCurrentIndex(2);
    EXPECT_TRUE(form->edited());
    host.answers = {Host::No};
    leave();
    EXPECT_TRUE(form->isVisible());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "データに変更された場所があります。\n\n変更しなくてもよろしいですか？");
    EXPECT_EQ(host.messages[0].flags, Host::Information | 4);

    // The Escape key leaves the same way; Yes drops the edits.
    host.answers = {Host::Yes};
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(settings.comPort(), 1);

    // Every showing starts from the stored settings.
    show();
    EXPECT_EQ(find<QComboBox>("ComboBox1")->currentIndex(), 0);
    find<QComboBox>("ComboBox2")->setCurrentIndex(-1);
    EXPECT_TRUE(form->edited());
}

TEST_F(PcSettingFormTest, SlotTogglesBetweenAutomaticAndManualNaming) {
    show();
    slotButton(4)->click();
    EXPECT_EQ(slotButton(4)->text().toStdString(), "手動");
    EXPECT_TRUE(edit(4)->isEnabled());
    EXPECT_TRUE(form->edited());
    edit(4)->setText(QStringLiteral("試験"));
    slotButton(4)->click();
    EXPECT_EQ(slotButton(4)->text().toStdString(), "自動");
    EXPECT_FALSE(edit(4)->isEnabled());
    EXPECT_EQ(edit(4)->text().toStdString(), "試験");
}

TEST_F(PcSettingFormTest, NameBoxesRefuseSeparatorsAndCharactersWithoutCp932Form) {
    show();
    for (int n = 1; n <= 10; ++n) {
        slotButton(n)->click();
        edit(n)->clear();
        type(edit(n), QStringLiteral("a,b:c\\d/e|f*g?h<i>j;k"));
        type(edit(n), QString::fromUtf8("計😀測"));
        EXPECT_EQ(edit(n)->text().toStdString(), "abcdefghijk計測") << n;
    }
    // Pasted text passes the same filter.
    QApplication::clipboard()->setText(QStringLiteral("x:y,z"));
    edit(2)->clear();
    edit(2)->paste();
    EXPECT_EQ(edit(2)->text().toStdString(), "xyz");
}

TEST_F(PcSettingFormTest, ApplyStoresEverythingAndTheIniFileHoldsIt) {
    show();
    find<QComboBox>("ComboBox1")->setCurrentIndex(1);
    find<QComboBox>("ComboBoxDevice")->setEditText(QStringLiteral("/dev/ttyUSB7"));
    slotButton(3)->click();
    edit(3)->setText(QStringLiteral("試験"));
    find<QCheckBox>("CheckBoxTrace")->setChecked(true);
    find<QPushButton>("BitBtn1")->click();
    EXPECT_FALSE(form->edited());
    EXPECT_TRUE(form->isVisible());
    PcSettings stored = reread();
    EXPECT_EQ(stored.comPort(), 2);
    EXPECT_EQ(stored.baudRate(), 38400);
    EXPECT_EQ(stored.devicePath(2), "/dev/ttyUSB7");
    EXPECT_FALSE(stored.hasDevicePath(1));  // untouched port: no entry
    EXPECT_FALSE(stored.isAutoName(2));
    EXPECT_EQ(stored.fileName(2), "試験");
    EXPECT_EQ(stored.dataFolder(), tmp.file("data/"));
    EXPECT_TRUE(stored.saveTrace());
    leave();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(PcSettingFormTest, RevertRestoresTheStoredSettings) {
    show();
    find<QComboBox>("ComboBox1")->setCurrentIndex(5);
    slotButton(1)->click();
    edit(1)->setText(QStringLiteral("別名"));
    find<QComboBox>("ComboBoxDevice")->setEditText(QStringLiteral("/dev/ttyACM0"));
    find<QPushButton>("BitBtn2")->click();
    EXPECT_FALSE(form->edited());
    EXPECT_EQ(find<QComboBox>("ComboBox1")->currentIndex(), 0);
    EXPECT_EQ(find<QComboBox>("ComboBoxDevice")->currentText(), "/dev/ttyS0");
    EXPECT_EQ(slotButton(1)->text().toStdString(), "自動");
    EXPECT_EQ(edit(1)->text().toStdString(), "データ１");
    leave();
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(PcSettingFormTest, ABaudRateTheListDoesNotOfferMustBeChosenBeforeApplying) {
    // A port outside COM1 to COM8 already reads as COM1.
    writeBytes(settings.iniFilePath(), "[com]\r\nPort=9\r\nBaud=9600\r\n");
    settings.load();
    show();
    EXPECT_EQ(find<QComboBox>("ComboBox1")->currentIndex(), 0);
    EXPECT_EQ(find<QComboBox>("ComboBox2")->currentIndex(), -1);
    find<QPushButton>("BitBtn1")->click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].flags, Host::Error);
    EXPECT_EQ(reread().baudRate(), 9600);
    find<QComboBox>("ComboBox1")->setCurrentIndex(2);
    find<QComboBox>("ComboBox2")->setCurrentIndex(0);
    find<QPushButton>("BitBtn1")->click();
    EXPECT_EQ(reread().comPort(), 3);
    EXPECT_EQ(reread().baudRate(), 38400);
}

TEST_F(PcSettingFormTest, AMissingFolderShowsTheNearestExistingOneAndTheTreeSetsIt) {
    settings.setDataFolder(tmp.file("data/gone/deeper/"));
    show();
    EXPECT_EQ(find<QLineEdit>("DataSavePath")->text().toStdString() + "/", tmp.file("data/"));
    EXPECT_FALSE(form->edited());

    // Return (or a double click) in the tree chooses the current folder.
    std::filesystem::create_directories(tmp.file("data/new"));
    auto* tree = find<QTreeView>("DirectoryListBox1");
    auto* model = tree->model();
    QModelIndex parent = tree->currentIndex();
    ASSERT_TRUE(parent.isValid());
    const QString wanted = QString::fromStdString(tmp.file("data/new"));
    QModelIndex child;
    // The folder model lists folders on a thread of its own: on a loaded machine that can take
    // seconds, so wait for the new folder by the clock, not by a count of event rounds.
    QElapsedTimer waited;
    waited.start();
    while (!child.isValid() && waited.elapsed() < 20000) {
        if (model->canFetchMore(parent)) model->fetchMore(parent);
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
        for (int r = 0; r < model->rowCount(parent); ++r)
            if (model->index(r, 0, parent).data(Qt::UserRole + 1).toString() == wanted)
                child = model->index(r, 0, parent);
    }
    ASSERT_TRUE(child.isValid());
    tree->setCurrentIndex(child);
    emit tree->activated(child);
    EXPECT_EQ(find<QLineEdit>("DataSavePath")->text(), wanted);
    EXPECT_TRUE(form->edited());
    find<QPushButton>("BitBtn1")->click();
    EXPECT_EQ(reread().dataFolder(), tmp.file("data/new/"));
}

}  // namespace
}  // namespace kv::test
