#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "link/link.h"
#include "recorder/recorder_state.h"

namespace kv {

// Which recorder screen the answers of a recorder call for.
enum class RecorderScreen { None, FirstGeneration, LaterGeneration };

// The recorder information command. One session tries the first generation
// (generation test, peak index, two-digit clock); when any of it fails a
// second session tries the later generations (status, then the wave or peak
// index by the recorder's mode, then the clock). The records of `state` that
// the chosen screen shows are filled. On None the failure has already been
// shown through link.host: the port message at once when the port cannot be
// opened (nothing is sent), the communication-failure notice otherwise.
RecorderScreen readRecorderInformation(Link& link, int portNumber, int baudRate,
                                       RecorderState& state);

// The measurement-condition command: the identity (command 240, into
// state.identity) decides the generation, then that generation's status and
// clock are read. On None the port message or the communication-failure
// notice has been shown.
RecorderScreen readRecorderConditions(Link& link, int portNumber, int baudRate,
                                      RecorderState& state);

// Before a download: asks the recorder for its identity in a session of its
// own. Answered means a later generation; identity is changed only then.
// NoLine: the port could not be opened, and the port message has been shown.
enum class IdentityAnswer { Answered, Silent, NoLine };
IdentityAnswer identifyRecorder(Link& link, int portNumber, int baudRate,
                                RecorderIdentity& identity);

}  // namespace kv
