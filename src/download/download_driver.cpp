#include "download/download_driver.h"

#include "link/messages.h"
#include "recorder/clock_offset.h"
#include "recorder/config_commands.h"
#include "recorder/identity_commands.h"
#include "recorder/index_commands.h"

namespace kv {
namespace {

constexpr const char* kRefusalTitle = "データ読み込みエラー";

// Status and index, in a session of their own.
bool readStatusAndIndex(DownloadJob& job, bool firstGeneration) {
    RecorderState& r = job.recorder;
    RecorderSession session(job.link, job.settings.portNumber, job.settings.baudRate);
    if (!jobSessionReady(job, session)) return false;
    if (firstGeneration) {
        return readStatusLegacy(session, r.legacyInfo, r.identity) &&
               readMeasurementIndex(session, r.index, r.measurementCounts);
    }
    if (!readStatus(session, r.info)) return false;
    const bool indexRead = r.info.waveMode == 0
                               ? readMeasurementIndex(session, r.index, r.measurementCounts)
                               : readWaveIndex(session, r.waveIndex, r.measurementCounts);
    if (!indexRead || !readClock(session, r.clock)) return false;
    noteClockOffset(r, false, job.link.clock.localNow());
    return true;
}

// What the recorder reported must be something the stores and the commands
// can take; otherwise nothing is read at all.
bool fitsTheStores(DownloadJob& job, bool firstGeneration, bool wave) {
    const RecorderState& r = job.recorder;
    const ModelCode model = r.identity.modelCode;
    const bool known = firstGeneration ? isFirstGeneration(r.legacyInfo.modelCode) &&
                                             model == r.legacyInfo.modelCode
                                       : isLaterGeneration(model);
    if (!known) {
        job.link.host.messageBox(kRefusalTitle,
                                 "記録計の機種を判別できないため、計測データを読み込めません。",
                                 Host::Error);
        return false;
    }
    const bool fits = wave ? waveIndexFitsCapacity(r.measurementCounts)
                           : peakIndexFitsCapacity(r.measurementCounts, model);
    if (!fits) {
        job.link.host.messageBox(
            kRefusalTitle,
            "記録計の計測インデックスが示す記録数 (合計 " +
                std::to_string(measurementTotal(r.measurementCounts)) + (wave ? " 波形" : " 件") +
                ") は、読み込める上限を超えています。\n計測データの読み込みを中止しました。",
            Host::Error);
        return false;
    }
    return true;
}

bool anySelected(const RecorderState& r) {
    for (int i = 0; i < kMeasurementSlots; ++i)
        if (r.downloadSelected[i] && r.measurementCounts[i] >= 0) return true;
    return false;
}

bool runDownload(DownloadJob& job, bool firstGeneration) {
    Host& host = job.link.host;
    job.savedFiles.clear();
    job.failureShown = false;
    if (host.messageBox("測定データ読み込み", "測定データを読み込みますか？",
                        Host::QuestionYesNo) != Host::Yes)
        return false;

    if (!readStatusAndIndex(job, firstGeneration)) {
        if (!job.failureShown) showCommError(host);
        return false;
    }
    const bool wave = !firstGeneration && job.recorder.info.waveMode != 0;
    if (!fitsTheStores(job, firstGeneration, wave)) return false;
    if (job.chooseMeasurements) {
        job.chooseMeasurements(job.recorder);
        if (!anySelected(job.recorder)) {
            host.messageBox("データ通信", "新しい計測データはありません。", Host::Information);
            return true;
        }
    }

    // The stores are about to be overwritten: the viewer holds no data set.
    job.data.lastIndex = -1;
    host.beginProgress(false);
    const bool ok = wave ? downloadWaveMeasurements(job) : downloadPeakMeasurements(job);
    host.endProgress();

    if (ok) {
        host.messageBox("データ通信", "計測データ読み込み処理は終了しました。", Host::Information);
    } else if (!job.failureShown) {
        showCommError(host);
    }
    return ok;
}

}  // namespace

bool jobSessionReady(DownloadJob& job, RecorderSession& session) {
    if (sessionReady(session)) return true;
    job.failureShown = true;
    return false;
}

bool downloadFirstGeneration(DownloadJob& job) {
    return runDownload(job, true);
}
bool downloadLaterGeneration(DownloadJob& job) {
    return runDownload(job, false);
}

}  // namespace kv
