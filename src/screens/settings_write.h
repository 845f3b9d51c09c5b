#pragma once

#include <functional>
#include <string>

#include "link/link.h"
#include "recorder/session.h"
#include "settings/pc_settings.h"

namespace kv {

// How the condition screens talk to a recorder and to the user: every write in
// a session of its own, every box titled "ＫＶ設定".

// A box of the condition screens; returns the answer.
int conditionMessage(Host& host, const std::string& text, int flags);
// Asks a Yes/No question; true only for Yes.
bool confirmWrite(Host& host, const std::string& text);

// How a write session ended. NoLine: the port could not be opened, which has
// been reported at once; no command was sent.
enum class WriteOutcome { Written, Failed, NoLine };

// Opens a session on the configured port and baud rate, runs the commands,
// closes the session (and with it the port) and returns the commands' result.
// Only a port that cannot be opened is reported here: the caller decides what
// follows a success.
WriteOutcome runInSession(Link& link, const PcSettings& settings,
                          const std::function<bool(RecorderSession&)>& commands);
// After a write: the settings-complete notice, or the communication-failure
// notice when the write (or the read that followed it) failed.
void reportWrite(Host& host, WriteOutcome outcome);

}  // namespace kv
