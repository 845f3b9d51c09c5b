#pragma once

#include <cstdint>
#include <string>

#include "link/recorder_port.h"

namespace kv {

// One conversation with a recorder: opens the port at the configured number
// and baud rate, raises RTS and gives the recorder 1000 ms to wake up. When the
// port cannot be opened, openError holds the error number and every command on
// the session fails at once. Destroying it closes the port.
class RecorderSession : public RecorderPort {
  public:
    RecorderSession(Link& link, int portNumber, int baudRate);
    ~RecorderSession() override = default;

    uint32_t openError = 0;
    // The port opened but its line cannot run at the baud rate (termios has no
    // such speed): the port is closed again, openError holds the reason, and
    // nothing is sent at a speed the recorder does not use.
    bool baudRefused = false;
};

// True when the session has its line. Otherwise tells the user at once, in a
// box titled "通信エラー", why not: the port message with the error number,
// the device and what to do, or the baud-rate message. No command is worth
// sending then, and no communication-failure notice should follow.
bool sessionReady(RecorderSession& session);
// The text of that box; empty when the session has its line.
std::string sessionErrorText(RecorderSession& session);

}  // namespace kv
