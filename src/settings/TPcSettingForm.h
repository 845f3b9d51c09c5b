#pragma once

#include <QDialog>
#include <array>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QToolButton;
class QTreeView;

namespace kv {

class Host;
struct Link;
class PcSettings;

// The PC-side settings: the data folder, the serial port with its baud rate
// and device, and how each measurement slot names its data file. The controls
// hold a working copy; nothing reaches the settings until "設定(&S)".
class TPcSettingForm : public QDialog {
    Q_OBJECT
  public:
    // Without a recorder line the screen has no "検出" button.
    TPcSettingForm(PcSettings& settings, Host& host, QWidget* parent = nullptr);
    TPcSettingForm(PcSettings& settings, Link& link, QWidget* parent = nullptr);

    // True once something was changed since the controls were filled or applied.
    bool edited() const { return edited_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildFolderGroup();
    void buildCommunicationGroup();
    void buildFileNames(QWidget* area);

    void FormShow();
    void fillFromSettings();
    void showSlot(int no, bool automatic);
    void showFolder(const QString& folder);
    void bringCurrentFolderIntoView();
    void showDeviceOfPort();
    // The device the selected port uses for this run only (the simulator the
    // run script started); empty when it uses the one of the settings.
    std::string runDevice() const;
    void DriveComboBox1Change();
    void DirectoryListBox1Change(const QString& folder);
    void ComboBox1Change();
    void DeviceChange(const QString& text);
    void EditChange();
    void SpeedButtonClick(int no);
    // Asks every serial device for a recorder and offers the one that answers
    // as the selected port's device.
    void ButtonDetectClick();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    // Asks before unapplied edits are dropped; true when the window may close.
    bool mayLeave();

    PcSettings& settings_;
    Host& host_;
    Link* link_ = nullptr;
    bool edited_ = false;
    bool leaving_ = false;
    bool filling_ = false;
    std::vector<std::string> roots_;
    std::array<QString, 8> devices_;  // working copy of the devices of COM1 to COM8

    QGroupBox* GroupBox1 = nullptr;
    QComboBox* DriveComboBox1 = nullptr;
    QTreeView* DirectoryListBox1 = nullptr;
    QFileSystemModel* folderModel_ = nullptr;
    QTimer* scrollTimer_ = nullptr;
    QLabel* StaticText1 = nullptr;
    QLineEdit* DataSavePath = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLabel* StaticText3 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLabel* StaticText4 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* StaticTextDevice = nullptr;
    QComboBox* ComboBoxDevice = nullptr;
    QPushButton* ButtonDetect = nullptr;
    QLabel* StaticTextRunDevice = nullptr;
    QCheckBox* CheckBoxTrace = nullptr;
    QLabel* StaticText5 = nullptr;
    std::array<QLabel*, 10> slotLabels_{};
    std::array<QToolButton*, 10> speedButtons_{};
    std::array<QLineEdit*, 10> edits_{};
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;
};

}  // namespace kv
