// The main window's condition command opens the screen of the recorder's
// generation, showing what the command read.
#include <QTimer>
#include <QToolButton>

#include "app/TMainForm.h"
#include "app/app_windows.h"
#include "datafile/data_set.h"
#include "screens/TSettingForm.h"
#include "screens/TSetting_5000.h"
#include "setting5000_fixture.h"
#include "support/scratch_folder.h"

namespace kv::test {
namespace {

class ConditionCommand : public ConditionScreenTest {
  protected:
    // Presses the condition button and notes the modal window it opened,
    // closing it at once.
    void pressConditionButton(int model) {
        connectRecorder(model);
        settings.setIniFilePath(scratch.file("kvmanager.ini"));
        AppWindows windows;
        DataSet data;
        createAppWindows(windows, *link, settings, state, data);
        QWidget* opened = nullptr;
        QString deviceNumber;
        QTimer::singleShot(0, [&] {
            opened = QApplication::activeModalWidget();
            if (!opened) return;
            deviceNumber =
                findControl<QLineEdit>(opened, model < 5000 ? "Edit1" : "txtGouki")->text();
            opened->close();
        });
        findControl<QToolButton>(windows.mainForm, "BitBtn3")->click();
        shownDeviceNumber = deviceNumber;
        openedName = opened ? opened->objectName() : QString();
        destroyAppWindows(windows);
    }

    ScratchFolder scratch;
    QString shownDeviceNumber;
    QString openedName;
};

TEST_F(ConditionCommand, LaterGenerationOpensTheConditionScreen) {
    pressConditionButton(5300);
    EXPECT_EQ(openedName, "TSetting_5000");
    EXPECT_EQ(shownDeviceNumber, QString::number(state.info.deviceNumber));
}

TEST_F(ConditionCommand, FirstGenerationOpensItsOwnScreen) {
    pressConditionButton(4300);
    EXPECT_EQ(openedName, "TSettingForm");
    EXPECT_EQ(shownDeviceNumber, QString::number(state.legacyInfo.deviceNumber));
}

}  // namespace
}  // namespace kv::test
