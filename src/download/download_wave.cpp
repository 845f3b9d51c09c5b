// The wave-mode download: one block per axis and command, sorted by time,
// written in blocks of 30 (single-axis) or 10 (triaxial) records.
#include <algorithm>
#include <new>
#include <numeric>
#include <vector>

#include "base/sort_keys.h"
#include "datafile/data_file_lines.h"
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

// Moves records first .. first + n - 1 of the planes into the order of
// `order` (store indexes). False when the copies cannot be had.
bool reorder(DataSet& data, int planes, int first, const std::vector<int32_t>& order) {
    std::vector<WaveBlock> copy;
    try {
        copy.resize(order.size());
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (int p = 0; p < planes; ++p) {
        auto& plane = data.waveRecords[p];
        for (size_t j = 0; j < order.size(); ++j) copy[j] = plane[order[j]];
        std::copy(copy.begin(), copy.end(), plane.begin() + first);
    }
    return true;
}

}  // namespace

bool downloadWaveMeasurements(DownloadJob& job) {
    RecorderSession session(job.link, job.settings.portNumber, job.settings.baudRate);
    if (!sessionReady(session)) {
        job.failureShown = true;
        return false;
    }
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
    const int planes = isTriaxial(job.recorder.identity.modelCode) ? 3 : 1;
    Host& host = job.link.host;
    for (const PlannedMeasurement& m : plan) {
        if (!m.selected || m.count == 0) continue;
        bool sorted = false;
        std::vector<double> keys;
        std::vector<int32_t> order;
        try {
            keys.resize(static_cast<size_t>(m.count));
            order.resize(static_cast<size_t>(m.count));
            for (int j = 0; j < m.count; ++j) keys[j] = job.data.waveRecords[0][m.first + j].time;
            std::iota(order.begin(), order.end(), m.first);
            sorted = sortAscendingByKey(keys.data(), m.count, order.data(),
                                        [&host] { host.processEvents(); }) &&
                     reorder(job.data, planes, m.first, order);
        } catch (const std::bad_alloc&) {
            sorted = false;
        }
        if (!sorted) {
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
