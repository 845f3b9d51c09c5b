#include "download/download_save.h"

#include <cerrno>

#include "datafile/data_file_header.h"
#include "datafile/data_file_naming.h"
#include "download/download_journal.h"
#include "recorder/clock_offset.h"

namespace kv {

bool saveMeasurementFiles(DownloadJob& job, const WriteMeasurement& body) {
    const ModelCode model = job.recorder.identity.modelCode;
    const DownloadPlan plan = planDownload(job.recorder);
    ProgressFeed progress(job.link.host);
    SaveFailures failures;
    const DateTime now = job.link.clock.localNow();
    for (int i = 0; i < kMeasurementSlots; ++i) {
        progress.text(i * 10, "データを保存しています。");
        const PlannedMeasurement& m = plan[i];
        if (!m.selected) continue;
        DataFile f = openDataFile(i, job.settings.names, job.recorder, now);
        if (!f) {
            failures.add(i, f.path(), f.error());
            continue;
        }
        writeFileHeader(f, model, i, job.recorder);
        const bool complete = body(f, i, m, progress);
        if (complete && f.finish()) {
            job.savedFiles.push_back(f.path());
            JournalEntry entry = journalEntryOf(job.recorder, model, i, i + 1, m.count);
            entry.clockOffsetSeconds = clockOffsetFor(job.recorder, isFirstGeneration(model));
            const std::string& folder = job.settings.names.dataFolder;
            if (const int error =
                    journalSavedFile(folder, f.path(), entry, job.link.clock.localNow()))
                failures.addJournal(journalPath(folder), f.path(), error);
        } else {
            // A body that stopped early wrote no stream error: the records
            // were out of the store's range.
            failures.add(i, f.path(), f.error() != 0 ? f.error() : ERANGE);
            f.discard();
        }
    }
    if (failures.empty()) return true;
    failures.show(job.link.host, !job.savedFiles.empty());
    job.failureShown = true;
    return false;
}

}  // namespace kv
