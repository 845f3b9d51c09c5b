#pragma once

namespace kv {

class Host;

// The one communication-failure notice, after failed reads and writes alike.
void showCommError(Host& host);
// The notice after a successful write of settings.
void showSettingsDone(Host& host);

}  // namespace kv
