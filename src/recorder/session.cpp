#include "recorder/session.h"

#include <cerrno>

namespace kv {

namespace {
// The recorder needs RTS raised this long before it listens.
constexpr int64_t kWakeUpMs = 1000;
}  // namespace

RecorderSession::RecorderSession(Link& link, int portNumber, int baudRate) : RecorderPort(link) {
    configure(baudRate, 8, 'N', 1.0);
    if (open(portNumber)) {
        setModemLines(1);
        openError = 0;
        link.clock.sleepMs(kWakeUpMs);
    } else {
        openError = takeLastError();
        // A failed open must never read as success to callers that test openError.
        if (openError == 0) openError = EIO;
    }
}

}  // namespace kv
