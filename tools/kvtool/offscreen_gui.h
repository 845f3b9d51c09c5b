#pragma once

#include <memory>

class QApplication;

namespace kv::tool {

// Qt for the subcommands that draw into files (plot, print), started only
// when one of them runs, so the others need no Qt plugin. Always on the
// offscreen platform: they never show a window, and a desktop platform named
// in the caller's environment would need a display.
class OffscreenGui {
  public:
    OffscreenGui();
    ~OffscreenGui();
    OffscreenGui(const OffscreenGui&) = delete;
    OffscreenGui& operator=(const OffscreenGui&) = delete;

  private:
    std::unique_ptr<QApplication> app_;
};

}  // namespace kv::tool
