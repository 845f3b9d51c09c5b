#pragma once

#include <cstdint>

#include "link/recorder_port.h"

namespace kv {

// One conversation with a recorder: opens the port at the configured number
// and baud rate, raises RTS and gives the recorder 1000 ms to wake up. When the
// port cannot be opened, openError holds the error number and every command on
// the session fails. Destroying it closes the port.
class RecorderSession : public RecorderPort {
  public:
    RecorderSession(Link& link, int portNumber, int baudRate);
    ~RecorderSession() override = default;

    uint32_t openError = 0;
};

}  // namespace kv
