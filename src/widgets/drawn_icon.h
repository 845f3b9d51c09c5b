#pragma once

#include <QColor>
#include <QIcon>
#include <initializer_list>

class QPainter;

namespace kv {

// The colours of the pictures drawn in code, shared so that the main window's
// buttons and the graph and list windows' tool buttons look of one kind.
namespace iconColour {
inline const QColor kOutline{0x33, 0x3b, 0x47};
inline const QColor kBlue{0x2f, 0x6f, 0xc9};
inline const QColor kRed{0xd0, 0x30, 0x30};
inline const QColor kSteel{0xd9, 0xde, 0xe6};  // a PC's or a printer's case
inline const QColor kGrid{0xc8, 0xcc, 0xd2};
inline const QColor kRecorder{0xe8, 0xa3, 0x3d};  // the recorder's case
inline const QColor kRecorderPanel{0xfd, 0xf6, 0xe3};
}  // namespace iconColour

// Paints one picture into a square of the icon's side.
using IconDrawing = void (*)(QPainter&);

// An icon drawn in code, so that it needs no image file: draw paints a
// side x side square (device-independent pixels) on a transparent ground with
// antialiasing, once per pixel ratio, so that the icon stays sharp on a
// high-density screen.
QIcon drawnIcon(int side, IconDrawing draw, std::initializer_list<qreal> ratios = {1.0, 2.0});

}  // namespace kv
