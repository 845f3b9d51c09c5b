#pragma once

// A condition screen on the in-memory recorder, opened as the main window
// opens it: one session reads what the screen shows, then the screen writes.

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include <memory>
#include <string>
#include <vector>

#include "link/link.h"
#include "model/recorder_model.h"
#include "model/wire.h"
#include "recorder/config_commands.h"
#include "recorder/identity_commands.h"
#include "recorder/recorder_state.h"
#include "recorder/session.h"
#include "settings/pc_settings.h"
#include "support/memory_device.h"
#include "support/muteable_recorder.h"
#include "support/recording_host.h"
#include "support/ui/find_control.h"
#include "support/virtual_clock.h"

namespace kv::test {

using Frame = std::vector<uint8_t>;

class ConditionScreenTest : public ::testing::Test {
  protected:
    ConditionScreenTest() {
        settings.setComPort(1);
        settings.setBaudRate(9600);
        // Every write asks first; a test that refuses queues its No.
        host.standingAnswers["ＫＶ設定"] = Host::Yes;
    }

    // A recorder of the model, with the records its status and clock give.
    void connectRecorder(int model, bool waveMode = false) {
        sim::RecorderConfig config;
        config.model = model;
        config.waveMode = waveMode;
        recorder = std::make_unique<MuteableRecorder>(sim::makeRecorderModel(config));
        device = std::make_unique<MemoryDevice>(clock, *recorder);
        link = std::make_unique<Link>(
            Link{*device, clock, host, [](int n) { return "/dev/ttyS" + std::to_string(n - 1); }});
        RecorderSession session(*link, settings.comPort(), settings.baudRate());
        bool ok = model < 5000
                      ? readStatusLegacy(session, state.legacyInfo, state.identity) &&
                            readClockLegacy(session, state.clock)
                      : readIdentity(session, state.identity) && readStatus(session, state.info) &&
                            readClock(session, state.clock);
        ASSERT_TRUE(ok);
        framesBefore = device->frames().size();
    }

    // Frames the screen wrote since the recorder was read.
    std::vector<Frame> written() const {
        return {device->frames().begin() + static_cast<long>(framesBefore), device->frames().end()};
    }

    std::vector<std::string> messageTexts() const {
        std::vector<std::string> texts;
        for (const auto& m : host.messages) texts.push_back(m.text);
        return texts;
    }

    template <typename T>
    T* find(QWidget* window, const char* name) {
        return findControl<T>(window, name);
    }

    static void choose(QComboBox* combo, int index) {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    static void rightClickWithShift(QWidget* w, Qt::KeyboardModifiers modifiers = Qt::ShiftModifier,
                                    Qt::MouseButton button = Qt::RightButton) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(4, 4), w->mapToGlobal(QPointF(4, 4)),
                          button, button, modifiers);
        QApplication::sendEvent(w, &press);
    }

    static void type(QWidget* w, const QString& text) {
        for (QChar c : text) {
            QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &key);
        }
    }

    static QString text(const QLineEdit* edit) { return edit->text(); }

    VirtualClock clock;
    RecordingHost host;
    PcSettings settings;
    RecorderState state;
    std::unique_ptr<MuteableRecorder> recorder;
    std::unique_ptr<MemoryDevice> device;
    std::unique_ptr<Link> link;
    size_t framesBefore = 0;
};

inline constexpr const char* kDone = "設定は完了しました。";

}  // namespace kv::test
