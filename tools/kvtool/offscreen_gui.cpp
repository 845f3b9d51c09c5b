#include "offscreen_gui.h"

#include <stdlib.h>

#include <QApplication>
#include <filesystem>
#include <system_error>

namespace kv::tool {
namespace {

// A folder only this user can enter (mkdtemp makes it 0700), as the runtime
// folder must be; empty when none can be made, and Qt then finds its own.
std::string privateRuntimeFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/kvtool-runtime-XXXXXX";
    return ::mkdtemp(pattern.data()) ? pattern : std::string();
}

}  // namespace

OffscreenGui::OffscreenGui() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime) {
        runtimeFolder_ = privateRuntimeFolder();
        if (!runtimeFolder_.empty()) ::setenv("XDG_RUNTIME_DIR", runtimeFolder_.c_str(), 1);
    }
    static int argc = 1;
    static char name[] = "kvtool";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
}

OffscreenGui::~OffscreenGui() {
    app_.reset();
    if (runtimeFolder_.empty()) return;
    ::unsetenv("XDG_RUNTIME_DIR");
    std::error_code ignored;
    std::filesystem::remove_all(runtimeFolder_, ignored);
}

}  // namespace kv::tool
