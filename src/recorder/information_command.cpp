#include "app/information_command.h"

#include "app/download_driver.h"

#include "link/messages.h"
#include "recorder/config_commands.h"
#include "recorder/identity_commands.h"
#include "recorder/index_commands.h"
#include "recorder/session.h"

namespace kv {
namespace {

constexpr const char* kCommErrorTitle = "通信エラー";

// The first-generation attempt. Each step lets the windows repaint before the
// next command, because every command can take seconds on a silent line.
bool readFirstGeneration(Link& link, int portNumber, int baudRate, RecorderState& state) {
    RecorderSession session(link, portNumber, baudRate);
    if (!isFirstGeneration(session, state.legacyInfo, state.identity)) return false;
    link.host.processEvents();
    if (!readMeasurementIndex(session, state.index, state.measurementCounts)) return false;
    link.host.processEvents();
    if (!readClockLegacy(session, state.clock)) return false;
    link.host.processEvents();
    return true;
}

}  // namespace

std::string portOpenErrorText(uint32_t error) {
    return "ポートが開けません。\n" + std::to_string(error);
}

RecorderScreen readRecorderInformation(Link& link, int portNumber, int baudRate,
                                       RecorderState& state) {
    if (readFirstGeneration(link, portNumber, baudRate, state))
        return RecorderScreen::FirstGeneration;

    bool ok = false;
    {
        RecorderSession session(link, portNumber, baudRate);
        if (session.openError != 0) {
            link.host.messageBox(kCommErrorTitle, portOpenErrorText(session.openError),
                                 Host::Error);
            return RecorderScreen::None;
        }
        ok = readStatus(session, state.info);
        if (ok) {
            ok = state.info.waveMode != 0
                     ? readWaveIndex(session, state.waveIndex, state.measurementCounts)
                     : readMeasurementIndex(session, state.index, state.measurementCounts);
        }
        if (ok) ok = readClock(session, state.clock);
    }
    if (!ok) {
        showCommError(link.host);
        return RecorderScreen::None;
    }
    return RecorderScreen::LaterGeneration;
}

RecorderScreen readRecorderConditions(Link& link, int portNumber, int baudRate,
                                      RecorderState& state) {
    bool ok = false;
    bool later = false;
    {
        RecorderSession session(link, portNumber, baudRate);
        later = readIdentity(session, state.identity);
        link.host.processEvents();
        if (later)
            ok = readStatus(session, state.info) && readClock(session, state.clock);
        else
            ok = readStatusLegacy(session, state.legacyInfo, state.identity) &&
                 readClockLegacy(session, state.clock);
    }
    if (!ok) {
        showCommError(link.host);
        return RecorderScreen::None;
    }
    return later ? RecorderScreen::LaterGeneration : RecorderScreen::FirstGeneration;
}

bool identifyRecorder(Link& link, int portNumber, int baudRate, RecorderIdentity& identity) {
    bool answered = false;
    {
        RecorderSession session(link, portNumber, baudRate);
        answered = readIdentity(session, identity);
    }
    link.host.processEvents();
    return answered;
}

void runDownloadCommand(Link& link, const PcSettings& settings,
                        const std::array<bool, kMeasurementSlots>& ticked, RecorderState& state,
                        DataSet& data, const std::function<void(bool)>& busy) {
    bool any = false;
    for (int i = 0; i < kMeasurementSlots; ++i) {
        state.downloadSelected[i] = ticked[i];
        any = any || ticked[i];
    }
    if (!any) {
        link.host.messageBox("データ取得エラー", "データが選択されていません。", Host::Information);
        return;
    }
    busy(true);
    link.host.processEvents();
    DownloadJob job(link, settings, state, data);
    if (identifyRecorder(link, settings.comPort(), settings.baudRate(), state.identity))
        downloadLaterGeneration(job);
    else
        downloadFirstGeneration(job);
    busy(false);
}

}  // namespace kv
