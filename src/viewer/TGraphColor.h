#pragma once

#include <QDialog>
#include <array>

#include "settings/pc_settings.h"

class QColorDialog;
class QPushButton;
class QTabWidget;

namespace kv {

// A Qt colour as the settings store it (0x00BBGGRR); graphColor() goes back.
uint32_t fromQColor(const QColor& colour);

// "グラフ色の変更": the background, curve, grid and text colours of the three
// graph panes, each picked with the colour dialog and previewed at once. OK
// puts them into the PC settings (saved with them at the next save); cancel
// drops them.
class TGraphColor : public QDialog {
    Q_OBJECT
  public:
    explicit TGraphColor(PcSettings& settings, QWidget* parent = nullptr);

    // The colours being edited: X, Y and Z pane.
    const std::array<GraphColors, 3>& workingColours() const { return colours_; }

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void pickColour(int pane, uint32_t GraphColors::*which);
    void Button1Click();
    void btnOKClick();
    void paintPreview(int pane);

    PcSettings& settings_;
    std::array<GraphColors, 3> colours_;
    QTabWidget* PageControl1 = nullptr;
    std::array<QWidget*, 3> previews_{};  // XPaint, YPaint, ZPaint
    QPushButton* Button1 = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCANCEL = nullptr;
    QColorDialog* ColorDialog1 = nullptr;
};

}  // namespace kv
