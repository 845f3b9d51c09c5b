#pragma once

#include <memory>
#include <string>

class QApplication;

namespace kv::tool {

// Qt for the subcommands that draw into files (plot, print), started only
// when one of them runs, so the others need no Qt plugin. Always on the
// offscreen platform: they never show a window, and a desktop platform named
// in the caller's environment would need a display. Where the session has no
// runtime folder (XDG_RUNTIME_DIR: root in a console, cron, a container),
// it lends Qt a private one for the run, so that stderr carries nothing but
// kvtool's own messages; the folder is removed at the end.
class OffscreenGui {
  public:
    OffscreenGui();
    ~OffscreenGui();
    OffscreenGui(const OffscreenGui&) = delete;
    OffscreenGui& operator=(const OffscreenGui&) = delete;

  private:
    std::string runtimeFolder_;  // empty: the session's own
    std::unique_ptr<QApplication> app_;
};

}  // namespace kv::tool
