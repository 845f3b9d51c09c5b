// The peak-mode download: records in blocks of five, converted in place, one
// line per record in the files.
#include "datafile/data_file_lines.h"
#include "download/download_driver.h"
#include "download/download_plan.h"
#include "download/download_save.h"
#include "download/peak_conversion.h"
#include "recorder/index_commands.h"

namespace kv {
namespace {

constexpr int kPeakBlock = 5;  // the most a triaxial reply can carry

bool readPeakPass(DownloadJob& job, RecorderSession& session, const DownloadPlan& plan,
                  ProgressFeed& progress) {
    const ModelCode model = job.recorder.identity.modelCode;
    for (int i = 0; i < kMeasurementSlots; ++i) {
        const PlannedMeasurement& m = plan[i];
        if (!m.exists) continue;
        job.link.host.processEvents();
        if (!m.selected) continue;
        progress.number(i + 1, 1);
        int o = m.first;
        for (int j = 0; j < m.count / kPeakBlock; ++j) {
            if (!readPeakRecords(session, model, o, kPeakBlock, &job.data.peakRows[o]))
                return false;
            o += kPeakBlock;
            progress.number(i + 1, j * kPeakBlock * 100 / m.count);
        }
        if (int rest = m.count % kPeakBlock; rest != 0) {
            if (!readPeakRecords(session, model, o, rest, &job.data.peakRows[o])) return false;
        }
        progress.number(i + 1, 100);
    }
    return true;
}

void convertPass(DownloadJob& job, const DownloadPlan& plan, ProgressFeed& progress) {
    for (int i = 0; i < kMeasurementSlots; ++i) {
        const PlannedMeasurement& m = plan[i];
        if (!m.selected) continue;
        const DateTime start = job.recorder.index[i].startTime.toDateTime();
        progress.number(i + 1, 1);
        for (int k = 0; k < m.count; ++k) {
            progress.number(i + 1, static_cast<int>(k * 100LL / m.count));
            convertPeakRecord(job.data, m.first + k, 1, start, job.recorder);
        }
        progress.number(i + 1, 100);
    }
}

}  // namespace

bool downloadPeakMeasurements(DownloadJob& job) {
    // The record session stays open until the files are written.
    RecorderSession session(job.link, job.settings.portNumber, job.settings.baudRate);
    if (!jobSessionReady(job, session)) return false;
    const DownloadPlan plan = planDownload(job.recorder);
    ProgressFeed progress(job.link.host);
    if (!readPeakPass(job, session, plan, progress)) return false;
    convertPass(job, plan, progress);
    return savePeakFiles(job);
}

bool savePeakFiles(DownloadJob& job) {
    const ModelCode model = job.recorder.identity.modelCode;
    return saveMeasurementFiles(
        job, [&](DataFile& f, int slot, const PlannedMeasurement& m, ProgressFeed& progress) {
            for (int j = 0; j < m.count; ++j) {
                progress.number(slot + 1, static_cast<int>(j * 100LL / m.count));
                if (!writePeakLine(f, job.data, m.first + j, model)) return false;
            }
            return true;
        });
}

}  // namespace kv
