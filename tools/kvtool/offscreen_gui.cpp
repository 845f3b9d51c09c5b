#include "offscreen_gui.h"

#include <QApplication>

namespace kv::tool {

OffscreenGui::OffscreenGui() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kvtool";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
}

OffscreenGui::~OffscreenGui() = default;

}  // namespace kv::tool
