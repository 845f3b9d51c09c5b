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

bool runInSession(Link& link, const PcSettings& settings,
                  const std::function<bool(RecorderSession&)>& commands) {
    RecorderSession session(link, settings.comPort(), settings.baudRate());
    return commands(session);
}

void reportWrite(Host& host, bool ok) {
    if (ok) {
        showSettingsDone(host);
    } else {
        showCommError(host);
    }
}

}  // namespace kv
