#include "monitor/live_session_save.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <memory>

#include "base/sha256.h"
#include "datafile/data_file_loader.h"
#include "download/download_journal.h"
#include "download/download_test_support.h"
#include "support/recording_host.h"

namespace kv {
namespace {

using test::at;

class LiveSessionSave : public ::testing::Test {
  protected:
    LiveSessionSave() {
        names.dataFolder = folder.path();
        names.autoName.fill(true);
    }

    LiveRun& run(ModelCode model, int mode, int count) {
        RecorderState& r = live->recorder;
        r.identity.modelCode = model;
        r.identity.sensorRange = 50;
        r.info.modelCode = r.legacyInfo.modelCode = model;
        r.info.deviceNumber = r.legacyInfo.deviceNumber = 7;
        r.info.samplePeriodMs = 2;
        r.info.sensitivity = {24, 24, 24};
        live->monitorMode = mode;
        live->count = count;
        live->firstTime = at(2026, 12, 7, 9, 0, 5);
        live->lastTime = at(2026, 12, 7, 9, 1, 30);
        return *live;
    }

    LoadResult load(const std::string& path) { return loadDataFile(path, loaded, identity, host); }

    test::ScratchFolder folder;
    DataFileNames names;
    std::unique_ptr<LiveRun> live = std::make_unique<LiveRun>();
    DataSet loaded;
    RecorderIdentity identity;
    test::RecordingHost host;
    DateTime today = at(2026, 12, 7, 10, 0, 0);
};

TEST_F(LiveSessionSave, PeakRunLoadsBackWithItsValuesAndTimes) {
    LiveRun& r = run(5300, 2, 3);
    for (int i = 0; i < 3; ++i) {
        PeakRow& row = r.records.peakRows[i];
        for (int a = 0; a < 3; ++a) {
            row.time[a] = at(2026, 12, 7, 9, 0, 5 + i);
            row.peak[2 * a] = 1.25f + i + a;
            row.peak[2 * a + 1] = -12.5f - i;
            row.width[2 * a] = 10 + a;
            row.width[2 * a + 1] = 3;
        }
    }
    LiveSaveResult saved = saveLiveRun(r, names, today);
    ASSERT_TRUE(saved.saved) << saved.error;
    EXPECT_EQ(saved.path, folder.file("KV53P07-2026120701-01.CSV"));
    ASSERT_TRUE(load(saved.path));
    EXPECT_EQ(identity.modelCode, 5300);
    EXPECT_EQ(identity.waveData, 0);
    EXPECT_EQ(loaded.lastIndex, 2);
    EXPECT_EQ(loaded.startTime, at(2026, 12, 7, 9, 0, 5));
    EXPECT_EQ(loaded.endTime, at(2026, 12, 7, 9, 1, 30));
    for (int i = 0; i < 3; ++i) {
        for (int a = 0; a < 3; ++a) {
            const PeakRow& row = loaded.peakRows[i];
            EXPECT_EQ(row.time[a], at(2026, 12, 7, 9, 0, 5 + i));
            EXPECT_FLOAT_EQ(row.peak[2 * a], 1.25f + i + a);
            EXPECT_FLOAT_EQ(row.peak[2 * a + 1], -12.5f - i);
            EXPECT_EQ(row.width[2 * a], 10 + a);
        }
    }
    // A second save of the same day never overwrites the first.
    EXPECT_EQ(saveLiveRun(r, names, today).path, folder.file("KV53P07-2026120701-02.CSV"));
    // Both are in the download journal, as runs of no measurement of the index.
    const auto journal = readJournal(folder.path());
    ASSERT_EQ(journal.size(), 2u);
    EXPECT_EQ(journal[0].file, "KV53P07-2026120701-01.CSV");
    EXPECT_EQ(journal[0].measurement, 0);
    EXPECT_EQ(journal[0].recordCount, 3);
    EXPECT_EQ(journal[0].start, "2026-12-07T09:00:05");
    EXPECT_EQ(journal[0].sha256, sha256Hex(test::readFile(saved.path)));
}

TEST_F(LiveSessionSave, WaveRunLoadsBackRecordForRecord) {
    LiveRun& r = run(6100, 3, 31);  // more than one block of 30
    for (int i = 0; i < 31; ++i) {
        WaveBlock& b = r.records.waveRecords[0][i];
        b.time = at(2026, 12, 7, 9, 0, i);
        b.width = static_cast<uint16_t>(i);
        b.peak = 0.5f * i;
        for (int k = 0; k < kWaveSamples; ++k) b.samples[k] = (k % 7) * 0.25f;
    }
    LiveSaveResult saved = saveLiveRun(r, names, today);
    ASSERT_TRUE(saved.saved) << saved.error;
    EXPECT_EQ(saved.path, folder.file("KV61W07-2026120701-01.CSV"));
    ASSERT_TRUE(load(saved.path));
    EXPECT_EQ(identity.modelCode, 6100);
    EXPECT_EQ(identity.waveData, 1);
    ASSERT_EQ(loaded.lastIndex, 30);
    for (int i = 0; i < 31; ++i) {
        const WaveBlock& b = loaded.waveRecords[0][i];
        EXPECT_EQ(b.time, at(2026, 12, 7, 9, 0, i));
        EXPECT_EQ(b.width, i);
        EXPECT_NEAR(b.peak, 0.5f * i, 0.051);
        EXPECT_FLOAT_EQ(b.samples[6], 1.5f);
    }
}

TEST_F(LiveSessionSave, FailuresAreReportedAndLeaveNoFile) {
    LiveRun& r = run(5100, 1, 1);
    r.records.peakRows[0].time[0] = today;
    // A file stands where the data folder should be.
    names.dataFolder = folder.file("blocked/");
    std::ofstream(folder.file("blocked")) << "x";
    LiveSaveResult saved = saveLiveRun(r, names, today);
    EXPECT_FALSE(saved.saved);
    EXPECT_NE(saved.error, 0);
    reportLiveSave(host, saved);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "データ保存エラー");
    EXPECT_EQ(host.messages[0].flags, Host::Error);

    // Nothing received: nothing to save.
    EXPECT_FALSE(saveLiveRun(run(5100, 1, 0), names, today).saved);
}

}  // namespace
}  // namespace kv
