#include "recorder/session.h"

#include <cerrno>

#include "link/port_messages.h"

namespace kv {

namespace {
// The recorder needs RTS raised this long before it listens.
constexpr int64_t kWakeUpMs = 1000;
}  // namespace

RecorderSession::RecorderSession(Link& link, int portNumber, int baudRate) : RecorderPort(link) {
    configure(baudRate, 8, 'N', 1.0);
    if (open(portNumber) && configureError() == EINVAL) {
        openError = static_cast<uint32_t>(configureError());
        baudRefused = true;
        link.device.close();  // nothing was raised yet: no close sequence
        return;
    }
    if (isOpen()) {
        setModemLines(1);
        openError = 0;
        link.clock.sleepMs(kWakeUpMs);
    } else {
        openError = takeLastError();
        // A failed open must never read as success to callers that test openError.
        if (openError == 0) openError = EIO;
    }
}

std::string sessionErrorText(RecorderSession& session) {
    if (session.openError == 0) return "";
    return session.baudRefused ? baudRateRefusedText(session.baudRate(), session.devicePath())
                               : portOpenErrorText(session.openError, session.devicePath());
}

bool sessionReady(RecorderSession& session) {
    if (session.openError == 0) return true;
    session.link().host.messageBox("通信エラー", sessionErrorText(session), Host::Error);
    return false;
}

}  // namespace kv
