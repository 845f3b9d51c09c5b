#pragma once

#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QStatusBar;
class QToolButton;

namespace kv {

enum class ButtonPicture;
struct AppWindows;
struct Link;
class PcSettings;
struct RecorderState;

// The launcher: a title, five picture buttons, an exit button and one menu
// that open every recorder screen, the PC settings and the viewer. It runs the
// recorder information and condition commands itself and saves the PC
// settings when the program ends.
class TMainForm : public QMainWindow {
    Q_OBJECT
  public:
    // The information and condition commands read the recorder into the state.
    TMainForm(Link& link, PcSettings& settings, RecorderState& state, AppWindows& windows,
              QWidget* parent = nullptr);
    ~TMainForm() override;  // saves the PC settings

    // False while a recorder command runs: the window then refuses to close.
    bool closeAllowed() const { return closeAllowed_; }
    // Enables the commands whose windows exist (the others stay off).
    void updateCommands();
    // The graph command: the graph window takes this window's place until it
    // is closed.
    void showGraphWindow();

  signals:
    // The user confirmed the exit: the program ends.
    void closed();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void buildButtons(QWidget* client);
    void buildMenu();
    QToolButton* pictureButton(QWidget* client, const char* name, const QString& caption,
                               const QString& hint, ButtonPicture picture);

    void BitBtn1Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn5Click();
    void mnuShowDataClick();
    void BitBtn6Click();
    void Button1Click();
    void refreshHint();
    void enterBusy();
    void leaveBusy();

    Link& link_;
    PcSettings& settings_;
    RecorderState& state_;
    AppWindows& windows_;
    bool closeAllowed_ = true;
    bool busy_ = false;
    bool centred_ = false;

    QLabel* Label1 = nullptr;
    QToolButton* BitBtn1 = nullptr;
    QToolButton* BitBtn2 = nullptr;
    QToolButton* BitBtn3 = nullptr;
    QToolButton* BitBtn4 = nullptr;
    QToolButton* BitBtn5 = nullptr;
    QToolButton* BitBtn6 = nullptr;
    QPushButton* Button1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusText = nullptr;  // the hint shown in StatusBar1
    QMenu* N1 = nullptr;
    QAction* N2 = nullptr;
    QAction* N4 = nullptr;
    QAction* N5 = nullptr;
    QAction* mnuShowData = nullptr;
    QAction* R1 = nullptr;
    QAction* N6 = nullptr;
};

}  // namespace kv
