// The wave-mode download: one block per axis and command, sorted by time,
// written in blocks of 30 (single-axis) or 10 (triaxial) records.
#include "datafile/data_file_lines.h"
#include "datafile/wave_order.h"
#include "download/download_driver.h"
#include "download/download_plan.h"
#include "download/download_save.h"
#include "recorder/wave_commands.h"

namespace kv {
namespace {

bool readWaveRecord(DownloadJob& job, RecorderSession& session, int a, DateTime start) {
    const RecorderState& r = job.recorder;
    auto& planes = job.data.waveRecords;
    const uint16_t block = static_cast<uint16_t>(a);
    if (!isTriaxial(r.identity.modelCode))
        return readWaveBlock(session, block, planes[0][a], 1, start, r.identity, r.info);
    for (uint8_t axis = 1; axis <= 3; ++axis) {
        if (!readWaveBlockAxis(session, block, planes[axis - 1][a], axis, start, r.identity,
                               r.info))
            return false;
    }
    return true;
}

}  // namespace

bool downloadWaveMeasurements(DownloadJob& job) {
    RecorderSession session(job.link, job.settings.portNumber, job.settings.baudRate);
    if (!jobSessionReady(job, session)) return false;
    const DownloadPlan plan = planDownload(job.recorder);
    ProgressFeed progress(job.link.host);
    for (int i = 0; i < kMeasurementSlots; ++i) {
        const PlannedMeasurement& m = plan[i];
        if (!m.exists) continue;
        job.link.host.processEvents();
        if (!m.selected) continue;
        const DateTime start = job.recorder.waveIndex[i].startTime.toDateTime();
        progress.number(i + 1, 1);
        for (int j = 0; j < m.count; ++j) {
            if (!readWaveRecord(job, session, m.first + j, start)) return false;
            progress.number(i + 1, (j + 1) * 100 / m.count);
        }
    }
    sortWaveRecords(job);
    return saveWaveFiles(job);
}

void sortWaveRecords(DownloadJob& job) {
    const DownloadPlan plan = planDownload(job.recorder);
    const int planes = axisCount(job.recorder.identity.modelCode);
    Host& host = job.link.host;
    for (const PlannedMeasurement& m : plan) {
        if (!m.selected || m.count == 0) continue;
        if (!sortWaveRecordsByTime(job.data, planes, m.first, m.count,
                                   [&host] { host.processEvents(); })) {
            // This measurement and the later ones stay in download order.
            host.messageBox("ソート不能", "メモリ領域が足りません。", Host::Information);
            return;
        }
    }
}

bool saveWaveFiles(DownloadJob& job) {
    const ModelCode model = job.recorder.identity.modelCode;
    return saveMeasurementFiles(job,
                                [&](DataFile& f, int, const PlannedMeasurement& m, ProgressFeed&) {
                                    return writeWaveRecords(f, job.data, m.first, m.count, model);
                                });
}

}  // namespace kv
