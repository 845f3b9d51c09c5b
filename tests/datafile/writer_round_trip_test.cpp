// Files written by the download's own CSV writer load back with the values
// they were written from, at the precision the file carries.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>

#include "datafile/data_file_header.h"
#include "datafile/data_file_lines.h"
#include "datafile/data_file_loader.h"
#include "support/recording_host.h"
#include "support/scratch_folder.h"

namespace kv {
namespace {

// Half a unit of the last digit the file prints: three significant digits,
// two decimals below 10, one from 10 on.
float filePrecision(float value) {
    return std::fabs(value) >= 9.995f ? 0.0501f : 0.00501f;
}

class WriterRoundTrip : public ::testing::Test {
  protected:
    RecorderState recorder(ModelCode model, bool wave, int count) {
        RecorderState r;
        r.identity.modelCode = model;
        r.identity.family[0] = 'K';
        r.identity.family[1] = 'V';
        r.identity.sensorRange = 20;
        for (auto* info : {&r.legacyInfo.deviceNumber, &r.info.deviceNumber}) *info = 12;
        r.legacyInfo.modelCode = r.info.modelCode = model;
        r.legacyInfo.serialNumber = r.info.serialNumber = 4321;
        r.legacyInfo.sensorPlace = r.info.sensorPlace = 1;
        r.info.waveMode = wave ? 1 : 0;
        r.info.samplePeriodMs = 5;
        r.info.preTrigger = 64;
        r.info.triggerLevel = {10, 20, 40};
        r.info.overwriteMode = 4;
        r.info.recordPeriod = 3;
        r.legacyInfo.recordPeriod = 3;
        r.index[2].startTime = {2015, 6, 1, 8, 30, 0};
        r.index[2].endTime = {2015, 6, 2, 18, 0, 59};
        r.index[2].recordCount = count;
        r.waveIndex[2].startTime = r.index[2].startTime;
        r.waveIndex[2].endTime = r.index[2].endTime;
        r.waveIndex[2].recordCount = {count, count, count};
        return r;
    }

    // Values of every magnitude and sign the file formats distinguish.
    static float valueOf(int i) { return ((i * 7919) % 4001 - 2000) * 0.0173f; }
    static DateTime timeOf(int r, int a) {
        return *encodeDateTime({2015, 6, 1, 9, 0, 0, 0}) + (r * 97 + a) / kSecondsPerDay;
    }

    std::string write(ModelCode model, bool wave, int count) {
        RecorderState r = recorder(model, wave, count);
        const int axes = axisCount(model);
        std::string path = folder + "/" + std::to_string(model) + (wave ? "W" : "P") + ".CSV";
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        EXPECT_GE(fd, 0);
        DataFile f(fd, path, true);
        writeFileHeader(f, model, 2, r);
        if (!wave) {
            for (int i = 0; i < count; ++i) {
                PeakRow& row = source.peakRows[i];
                for (int a = 0; a < axes; ++a) {
                    row.time[a] = timeOf(i, a);
                    row.peak[2 * a] = std::fabs(valueOf(i * 6 + a));
                    row.peak[2 * a + 1] = -std::fabs(valueOf(i * 6 + a + 3));
                    row.width[2 * a] = (i * 13 + a) % 1001;
                    row.width[2 * a + 1] = (i * 17 + a) % 1001;
                }
                EXPECT_TRUE(writePeakLine(f, source, i, model));
            }
        } else {
            for (int i = 0; i < count; ++i) {
                for (int a = 0; a < axes; ++a) {
                    WaveBlock& b = source.waveRecords[a][i];
                    b.time = timeOf(i, 0);
                    b.width = static_cast<uint16_t>((i * 31 + a) % 1001);
                    b.peak = valueOf(i * 3 + a);
                    for (int s = 0; s < kWaveSamples; ++s) b.samples[s] = valueOf(i * 512 + s + a);
                }
            }
            const int block = axes == 3 ? 10 : 30;
            for (int first = 0; first < count; first += block)
                EXPECT_TRUE(
                    writeWaveBlock(f, source, first, first, std::min(block, count - first), model));
        }
        EXPECT_TRUE(f.finish());
        return path;
    }

    test::ScratchFolder scratch;
    std::string folder = scratch.path();
    DataSet source, loaded;
    RecorderIdentity identity;
    test::RecordingHost host;
};

TEST_F(WriterRoundTrip, EveryModelAndModeLoadsBackWhatWasWritten) {
    struct Case {
        ModelCode model;
        bool wave;
        int count;
    };
    const Case cases[] = {{4100, false, 150}, {4300, false, 120}, {5100, false, 40},
                          {5300, false, 40},  {6100, false, 40},  {6300, false, 40},
                          {5100, true, 61},   {5300, true, 21},   {6100, true, 31},
                          {6300, true, 10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.model) + (c.wave ? " wave" : " peak"));
        const std::string path = write(c.model, c.wave, c.count);
        ASSERT_TRUE(loadDataFile(path, loaded, identity, host));
        const int axes = axisCount(c.model);
        EXPECT_EQ(identity.modelCode, c.model);
        EXPECT_EQ(identity.sensorRange, 20);
        EXPECT_EQ(identity.waveData, c.wave ? 1 : 0);
        EXPECT_EQ(loaded.modelText, std::to_string(c.model));
        EXPECT_EQ(loaded.rangeG, 20);
        EXPECT_EQ(loaded.sensorPlaceText, "外部");
        EXPECT_EQ(loaded.deviceNumberText, "12");
        EXPECT_EQ(loaded.serialNumberText, "4321");
        EXPECT_EQ(loaded.startTime, *encodeDateTime({2015, 6, 1, 8, 30, 0, 0}));
        EXPECT_EQ(loaded.endTime, *encodeDateTime({2015, 6, 2, 18, 0, 59, 0}));
        EXPECT_EQ(loaded.lastIndex, c.count - 1);
        if (!c.wave) {
            EXPECT_EQ(loaded.recordPeriodText, "10秒");
            for (int i = 0; i < c.count; ++i) {
                const PeakRow &in = source.peakRows[i], &out = loaded.peakRows[i];
                for (int a = 0; a < axes; ++a) {
                    ASSERT_NEAR(out.time[a], in.time[a], 1e-9) << i;
                    for (int k : {2 * a, 2 * a + 1}) {
                        ASSERT_NEAR(out.peak[k], in.peak[k], filePrecision(in.peak[k])) << i;
                        ASSERT_EQ(out.width[k], in.width[k]) << i;
                    }
                }
            }
            continue;
        }
        EXPECT_EQ(loaded.samplePeriodText, "5");
        EXPECT_EQ(loaded.triggerPointText, "64");
        EXPECT_EQ(loaded.triggerLevelText, "40％");  // the Z column
        EXPECT_EQ(loaded.recordCountText, std::to_string(c.count));
        for (int i = 0; i < c.count; ++i) {
            for (int a = 0; a < axes; ++a) {
                const WaveBlock &in = source.waveRecords[a][i], &out = loaded.waveRecords[a][i];
                ASSERT_NEAR(out.time, in.time, 1e-9) << i;
                ASSERT_EQ(out.width, in.width) << i;
                ASSERT_NEAR(out.peak, in.peak, filePrecision(in.peak)) << i;
                for (int s = 0; s < kWaveSamples; ++s)
                    ASSERT_NEAR(out.samples[s], in.samples[s], filePrecision(in.samples[s])) << i;
            }
        }
    }
}

}  // namespace
}  // namespace kv
