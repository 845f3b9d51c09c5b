#include "screens/settings_write.h"

#include "link/messages.h"
#include "screens/condition_messages.h"

namespace kv {

int conditionMessage(Host& host, const std::string& text, int flags) {
    return host.messageBox(conditionText::kTitle, text, flags);
}

bool confirmWrite(Host& host, const std::string& text) {
    return conditionMessage(host, text, Host::QuestionYesNo) == Host::Yes;
}

WriteOutcome runInSession(Link& link, const PcSettings& settings,
                          const std::function<bool(RecorderSession&)>& commands) {
    RecorderSession session(link, settings.comPort(), settings.baudRate());
    if (!sessionReady(session)) return WriteOutcome::NoLine;
    return commands(session) ? WriteOutcome::Written : WriteOutcome::Failed;
}

void reportWrite(Host& host, WriteOutcome outcome) {
    if (outcome == WriteOutcome::Written) {
        showSettingsDone(host);
    } else if (outcome == WriteOutcome::Failed) {
        showCommError(host);
    }
}

}  // namespace kv
