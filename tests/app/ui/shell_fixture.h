#pragma once

// The whole program on the in-memory recorder: every window created as at
// start-up, the Host a recording fake, the INI file and data folder in a
// scratch folder.

#include <gtest/gtest.h>
#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app_windows.h"
#include "datafile/data_set.h"
#include "download/download_test_support.h"
#include "link/link.h"
#include "model/recorder_model.h"
#include "recorder/recorder_state.h"
#include "settings/pc_settings.h"
#include "support/memory_device.h"
#include "support/muteable_recorder.h"
#include "support/recording_host.h"
#include "support/ui/find_control.h"
#include "support/virtual_clock.h"

namespace kv::test {

class ShellTest : public ::testing::Test {
  protected:
    ShellTest() {
        settings.setIniFilePath(folder.file("kvmanager.ini"));
        settings.load();
        settings.setDataFolder(folder.file("KV-DATAS/"));
    }
    ~ShellTest() override {
        for (QTimer* t : timers_) delete t;
        if (windows.mainForm) destroyAppWindows(windows);
    }

    // The recorder of a description (see the recorder model), its clock
    // standing still so that the screens show known times.
    void start(const std::string& description) {
        sim::RecorderConfig config;
        config.descriptionText = description;
        config.now = [] { return *encodeDateTime(CalendarTime{2025, 4, 1, 10, 0, 0}); };
        recorder = std::make_unique<MuteableRecorder>(sim::makeRecorderModel(config));
        device = std::make_unique<MemoryDevice>(clock, *recorder);
        link = std::make_unique<Link>(
            Link{*device, clock, host, [](int n) { return "/dev/ttyS" + std::to_string(n - 1); }});
        createAppWindows(windows, *link, settings, state, data);
        windows.mainForm->show();
    }

    // Runs step on the next window that opens modally, then closes it (when
    // it still may close), so that a command that opens a screen returns.
    void onNextModal(std::function<void(QWidget*)> step) {
        auto* timer = new QTimer;
        timers_.push_back(timer);
        timer->setInterval(1);
        QObject::connect(timer, &QTimer::timeout, [this, timer, step] {
            QWidget* window = QApplication::activeModalWidget();
            if (!window) return;
            timer->stop();
            shown.push_back(window->objectName().toStdString());
            step(window);
            window->close();
        });
        timer->start();
    }

    template <typename T>
    static T* find(QWidget* window, const char* name) {
        return findControl<T>(window, name);
    }

    static void moveMouseOver(QWidget* w) {
        const QPointF at(w->width() / 2.0, w->height() / 2.0);
        QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(w, &move);
    }

    std::vector<int> commandCodes() const {
        std::vector<int> codes;
        for (const auto& f : device->frames())
            if (codes.empty() || codes.back() != f[2]) codes.push_back(f[2]);
        return codes;
    }

    ScratchFolder folder;
    VirtualClock clock;
    RecordingHost host;
    PcSettings settings;
    RecorderState state;  // what the windows show and fill
    DataSet data;
    std::unique_ptr<MuteableRecorder> recorder;
    std::unique_ptr<MemoryDevice> device;
    std::unique_ptr<Link> link;
    AppWindows windows;
    std::vector<std::string> shown;  // object names of the modal windows opened

  private:
    std::vector<QTimer*> timers_;
};

// A later-generation triaxial recorder with known values and two measurements.
inline const char* const kRecorder5300 =
    "model 5300\n"
    "device 12\n"
    "serial 4321\n"
    "range 50\n"
    "place B\n"
    "sensor X 101 12.3\n"
    "sensor Y 102 14.5\n"
    "sensor Z 103 20.1\n"
    "battery 3.6\n"
    "firmware 1.2\n"
    "period 4\n"
    "sample 2\n"
    "trigger 10 20 30\n"
    "pretrigger 64\n"
    "axismode 1\n"
    "overwrite 4\n"
    "clock 2014/03/05 09:07:02\n"
    "measurement\n"
    "  start 2014/03/05 09:00:00\n"
    "  end 2014/03/05 10:00:00\n"
    "  causes S M\n"
    "  records 12\n"
    "measurement\n"
    "  start 2014/03/06 08:00:00\n"
    "  end 2014/03/06 08:30:00\n"
    "  causes R X\n"
    "  records 7\n";

}  // namespace kv::test
