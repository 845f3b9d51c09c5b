// Every model in every mode it has, downloaded from the simulated recorder and
// read back with the data-file loader.
#include <cmath>

#include "datafile/data_file_loader.h"
#include "download_fixture.h"

namespace kv::test {
namespace {

struct ModelMode {
    int model;
    bool wave;
};

class DownloadEveryModel : public DownloadTest, public ::testing::WithParamInterface<ModelMode> {
  protected:
    DataSet loaded;
};

// Three significant digits, at most two decimals.
double shownTolerance(double v) {
    return std::max(0.0051, std::fabs(v) * 0.0051);
}

TEST_P(DownloadEveryModel, FilesReadBackAsDownloaded) {
    const ModelMode m = GetParam();
    sim::RecorderConfig config;
    config.model = m.model;
    config.waveMode = m.wave;
    config.measurements = 3;
    config.recordsPerMeasurement = 12;
    use(config);
    ASSERT_TRUE(download({1, 3}));
    ASSERT_EQ(saved.size(), 2u);

    const int axes = isTriaxial(m.model) ? 3 : 1;
    for (int file = 0; file < 2; ++file) {
        SCOPED_TRACE(saved[file]);
        const int first = file * 24;  // measurements 1 and 3 of 12 records each
        RecorderIdentity identity;
        LoadResult result = loadDataFile(saved[file], loaded, identity, host);
        ASSERT_TRUE(result.loaded());
        EXPECT_EQ(identity.modelCode, m.model);
        EXPECT_EQ(identity.waveData, m.wave ? 1 : 0);
        ASSERT_EQ(loaded.lastIndex, 11);
        for (int k = 0; k < 12; ++k) {
            for (int a = 0; a < axes; ++a) {
                if (m.wave) {
                    const WaveBlock& want = data.waveRecords[a][first + k];
                    const WaveBlock& got = loaded.waveRecords[a][k];
                    EXPECT_NEAR(got.time, want.time, 0.5 / 86400) << k;
                    EXPECT_EQ(got.width, want.width) << k;
                    EXPECT_NEAR(got.peak, want.peak, shownTolerance(want.peak)) << k;
                    EXPECT_NEAR(got.samples[300], want.samples[300],
                                shownTolerance(want.samples[300]))
                        << k;
                } else {
                    const PeakRow& want = data.peakRows[first + k];
                    const PeakRow& got = loaded.peakRows[k];
                    EXPECT_NEAR(got.time[a], want.time[a], 0.5 / 86400) << k;
                    for (int s = 2 * a; s < 2 * a + 2; ++s) {
                        EXPECT_NEAR(got.peak[s], want.peak[s], shownTolerance(want.peak[s])) << k;
                        EXPECT_EQ(got.width[s], want.width[s]) << k;
                    }
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllModels, DownloadEveryModel,
                         ::testing::Values(ModelMode{4100, false}, ModelMode{4300, false},
                                           ModelMode{5100, false}, ModelMode{5100, true},
                                           ModelMode{5300, false}, ModelMode{5300, true},
                                           ModelMode{6100, false}, ModelMode{6100, true},
                                           ModelMode{6300, false}, ModelMode{6300, true}),
                         [](const auto& info) {
                             return std::to_string(info.param.model) +
                                    (info.param.wave ? "Wave" : "Peak");
                         });

}  // namespace
}  // namespace kv::test
