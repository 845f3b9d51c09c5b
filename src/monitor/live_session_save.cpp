#include "monitor/live_session_save.h"

#include <cerrno>

#include "base/host.h"
#include "datafile/data_file_header.h"
#include "datafile/data_file_lines.h"
#include "download/download_journal.h"
#include "download/download_plan.h"

namespace kv {
namespace {

// Live files are named like measurements of the first slot.
constexpr int kLiveSlot = 0;

IndexTime indexTime(DateTime t) {
    const CalendarTime c = decodeDateTime(t);
    return {c.year, c.month, c.day, c.hour, c.minute, c.second};
}

// The records a header reads, as a download of the run would have left them.
RecorderState headerRecords(const LiveRun& run) {
    RecorderState r = run.recorder;
    if (r.identity.family[0] == 0) {
        r.identity.family[0] = 'K';
        r.identity.family[1] = 'V';
    }
    const bool wave = isWaveMonitor(run.monitorMode);
    r.info.waveMode = wave ? 1 : 0;
    if (wave) {
        WaveIndexEntry& e = r.waveIndex[kLiveSlot];
        e.startTime = indexTime(run.firstTime);
        e.endTime = indexTime(run.lastTime);
        e.recordCount.fill(0);
        for (int a = 0; a < monitorAxes(run.monitorMode); ++a) e.recordCount[a] = run.count;
    } else {
        MeasurementIndexEntry& e = r.index[kLiveSlot];
        e.startTime = indexTime(run.firstTime);
        e.endTime = indexTime(run.lastTime);
        e.recordCount = static_cast<uint32_t>(run.count);
    }
    return r;
}

}  // namespace

LiveSaveResult saveLiveRun(const LiveRun& run, const DataFileNames& names, DateTime now) {
    LiveSaveResult result;
    if (run.count <= 0 || run.monitorMode == kMonitorNotSetUp) {
        result.error = ENODATA;
        return result;
    }
    const RecorderState r = headerRecords(run);
    const ModelCode model = r.identity.modelCode;
    DataFile f = openDataFile(kLiveSlot, names, r, now);
    result.path = f.path();
    if (!f) {
        result.error = f.error();
        return result;
    }
    writeFileHeader(f, model, kLiveSlot, r);
    bool complete = true;
    if (isWaveMonitor(run.monitorMode)) {
        complete = writeWaveRecords(f, run.records, 0, run.count, model);
    } else {
        for (int i = 0; i < run.count && complete; ++i)
            complete = writePeakLine(f, run.records, i, model);
    }
    if (complete && f.finish()) {
        result.saved = true;
        // A live run is no measurement of the recorder's index: no number.
        const JournalEntry entry = journalEntryOf(r, model, kLiveSlot, 0, run.count);
        result.journalError = journalSavedFile(names.dataFolder, f.path(), entry, now);
        if (result.journalError != 0) result.journal = journalPath(names.dataFolder);
        return result;
    }
    result.error = f.error() != 0 ? f.error() : ERANGE;
    f.discard();
    return result;
}

void reportLiveSave(Host& host, const LiveSaveResult& result) {
    if (result.saved && result.journalError != 0) {
        host.messageBox("データ保存エラー",
                        "受信したデータを保存しました。\n" + result.path +
                            "\nただし、ダウンロード記録に書き込めませんでした。" +
                            saveErrorReason(result.journalError) + "\n" + result.journal,
                        Host::Error);
        return;
    }
    if (result.saved) {
        host.messageBox("ファイルに保存", "受信したデータを保存しました。\n" + result.path,
                        Host::Information);
        return;
    }
    std::string text = "受信したデータを保存できませんでした。\n";
    if (!result.path.empty()) text += result.path + "\n";
    host.messageBox("データ保存エラー", text + saveErrorReason(result.error), Host::Error);
}

}  // namespace kv
