#pragma once

#include <array>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QToolButton;
class QTreeWidget;
class QWidget;

namespace kv {

class UpDownArrows;

// The graph window's controls with their object names, captions, hints and
// accessible names: the tool panels and the graph area. The window lays them
// out, connects them and sets their state from its session.
struct GraphWindowControls {
    QWidget* Panel1 = nullptr;  // record navigation, wave data only
    QWidget* Panel2 = nullptr;  // file commands
    QWidget* Panel3 = nullptr;  // views and scale
    QWidget* Panel4 = nullptr;  // close
    QWidget* Panel5 = nullptr;  // quick scale selectors
    QWidget* Panel6 = nullptr;  // the monitor's commands
    QToolButton* btnDataSet = nullptr;
    QPushButton* btnStart = nullptr;
    QPushButton* btnEnd = nullptr;
    QToolButton* btnOpen = nullptr;
    QToolButton* btnList = nullptr;
    QToolButton* btnPrint = nullptr;
    QToolButton* btnInfo = nullptr;
    QToolButton* btnXYZ = nullptr;
    QPushButton* btnX = nullptr;
    QPushButton* btnY = nullptr;
    QPushButton* btnZ = nullptr;
    QToolButton* btnSeparate = nullptr;
    QToolButton* btnScale = nullptr;
    QToolButton* btnAnalysis = nullptr;  // the shock analysis of wave data
    QToolButton* btnTrip = nullptr;      // the trip statistics of peak data
    QLabel* StaticText1 = nullptr;
    QLabel* StaticText2 = nullptr;
    QLabel* TextX = nullptr;
    QLabel* TextY = nullptr;
    UpDownArrows* UpDownX = nullptr;
    UpDownArrows* UpDownY = nullptr;
    QComboBox* ComboX = nullptr;
    QComboBox* ComboY = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* btnClose = nullptr;
    QPushButton* Button6 = nullptr;
    std::array<QWidget*, 3> Pic{};  // Pic1, Pic2, Pic3
    QTreeWidget* realList = nullptr;
    QScrollBar* YokoBar = nullptr;
    QScrollBar* TateBar = nullptr;
};

// Builds the six tool panels (all as high as the highest of them, 40 pixels at
// least) and the graph area as children of `client`.
GraphWindowControls buildGraphWindowControls(QWidget* client);

}  // namespace kv
