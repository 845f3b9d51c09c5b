#include "download/download_command.h"

#include "download/download_driver.h"
#include "recorder/information_command.h"

namespace kv {

void runDownloadCommand(Link& link, const DownloadSettings& settings,
                        const std::array<bool, kMeasurementSlots>& ticked, RecorderState& state,
                        DataSet& data, const std::function<void(bool)>& busy) {
    bool any = false;
    for (int i = 0; i < kMeasurementSlots; ++i) {
        state.downloadSelected[i] = ticked[i];
        any = any || ticked[i];
    }
    if (!any) {
        link.host.messageBox("データ取得エラー", "データが選択されていません。", Host::Information);
        return;
    }
    busy(true);
    link.host.processEvents();
    DownloadJob job(link, settings, state, data);
    switch (identifyRecorder(link, settings.portNumber, settings.baudRate, state.identity)) {
        case IdentityAnswer::Answered:
            downloadLaterGeneration(job);
            break;
        case IdentityAnswer::Silent:
            downloadFirstGeneration(job);
            break;
        case IdentityAnswer::NoLine:  // the port message has been shown
            break;
    }
    busy(false);
}

}  // namespace kv
