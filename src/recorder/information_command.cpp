#include "recorder/information_command.h"

#include "link/messages.h"
#include "recorder/clock_offset.h"
#include "recorder/config_commands.h"
#include "recorder/identity_commands.h"
#include "recorder/index_commands.h"
#include "recorder/session.h"

namespace kv {
namespace {

// The first-generation attempt. Each step lets the windows repaint before the
// next command, because every command can take seconds on a silent line.
bool readFirstGeneration(RecorderSession& session, RecorderState& state) {
    Link& link = session.link();
    if (!isFirstGeneration(session, state.legacyInfo, state.identity)) return false;
    link.host.processEvents();
    if (!readMeasurementIndex(session, state.index, state.measurementCounts)) return false;
    link.host.processEvents();
    if (!readClockLegacy(session, state.clock)) return false;
    noteClockOffset(state, true, link.clock.localNow());
    link.host.processEvents();
    return true;
}

}  // namespace

RecorderScreen readRecorderInformation(Link& link, int portNumber, int baudRate,
                                       RecorderState& state) {
    {
        // A port that cannot be opened is reported at once: no generation is
        // tried on it.
        RecorderSession session(link, portNumber, baudRate);
        if (!sessionReady(session)) return RecorderScreen::None;
        if (readFirstGeneration(session, state)) return RecorderScreen::FirstGeneration;
    }

    bool ok = false;
    {
        RecorderSession session(link, portNumber, baudRate);
        if (!sessionReady(session)) return RecorderScreen::None;
        ok = readStatus(session, state.info);
        if (ok) {
            ok = state.info.waveMode != 0
                     ? readWaveIndex(session, state.waveIndex, state.measurementCounts)
                     : readMeasurementIndex(session, state.index, state.measurementCounts);
        }
        if (ok) ok = readClock(session, state.clock);
        if (ok) noteClockOffset(state, false, link.clock.localNow());
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
        if (!sessionReady(session)) return RecorderScreen::None;
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

IdentityAnswer identifyRecorder(Link& link, int portNumber, int baudRate,
                                RecorderIdentity& identity) {
    bool answered = false;
    {
        RecorderSession session(link, portNumber, baudRate);
        if (!sessionReady(session)) return IdentityAnswer::NoLine;
        answered = readIdentity(session, identity);
    }
    link.host.processEvents();
    return answered ? IdentityAnswer::Answered : IdentityAnswer::Silent;
}

}  // namespace kv
