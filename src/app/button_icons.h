#pragma once

#include <QIcon>

namespace kv {

// The pictures of the main window's large buttons, drawn in code so that they
// scale with the screen and need no image files.
enum class ButtonPicture { Information, Conditions, PcSettings, Graph, RealTime, Download };

QIcon buttonIcon(ButtonPicture picture);

}  // namespace kv
