#include "link/messages.h"

#include "base/host.h"

namespace kv {

void showCommError(Host& host) {
    host.messageBox("通信エラー",
                    "本体情報の書込みに失敗しました。\n"
                    "１：通信ケーブルが接続されていない。\n"
                    "２：本体の電源が入っていない。\n"
                    "３：本体が計測状態にある。（この時、通信はできません）\n"
                    "以上の点を確認の上、もう一度操作して下さい。",
                    Host::Error);
}

void showSettingsDone(Host& host) {
    host.messageBox("ＫＶ設定", "設定は完了しました。", Host::Information);
}

}  // namespace kv
