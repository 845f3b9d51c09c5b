#pragma once

class QApplication;
class QWidget;

namespace kv {

struct Link;
class PcSettings;
struct DataSet;
struct RecorderState;
class TMainForm;
class TPcSettingForm;
class TInformationForm;
class TDataReadForm;
class TKV5000_Info;
class TListShow;
class THeaderDialog;
class TDataDialog;
class TGraph5000;
class TInputScale;
class TGraphColor;

// Every window of the program, created once at start-up and living until the
// end; each is shown and hidden as needed, never rebuilt. A window that does
// not exist yet stays nullptr, and the commands that would open it are off.
struct AppWindows {
    TMainForm* mainForm = nullptr;
    QWidget* settingForm = nullptr;  // TSettingForm: first-generation conditions
    TPcSettingForm* pcSettingForm = nullptr;
    TInformationForm* informationForm = nullptr;
    TDataReadForm* dataReadForm = nullptr;
    TGraph5000* graph5000 = nullptr;
    TKV5000_Info* kv5000Info = nullptr;
    QWidget* setting5000 = nullptr;  // TSetting_5000: later-generation conditions
    TListShow* listShow = nullptr;
    TInputScale* inputScale = nullptr;
    THeaderDialog* headerDialog = nullptr;
    TDataDialog* dataDialog = nullptr;
    TGraphColor* graphColor = nullptr;
    QWidget* kvDataInput = nullptr;  // TKvDataInput
};

// Creates the windows in their fixed order, the main window first. The link
// carries the serial line, the clock and the Host every recorder command uses;
// the recorder state and the data set are the ones the windows show and fill.
void createAppWindows(AppWindows& windows, Link& link, PcSettings& settings, RecorderState& state,
                      DataSet& data);
// Destroys them, the main window last: its end saves the PC settings.
void destroyAppWindows(AppWindows& windows);

// Shows a window modally and returns when it is hidden again.
void showModally(QWidget* window);

// The screen font: the Japanese Windows font the windows were laid out for,
// resolved to the Noto CJK font that stands in for it.
void applyApplicationFont(QApplication& app);

}  // namespace kv
