// What a load tells its caller: why it failed, what to tell the user, and a
// data set whose wave records are in time order without any further call.
#include <gtest/gtest.h>

#include <fstream>

#include "datafile/data_file_loader.h"
#include "sample_data_files.h"
#include "support/recording_host.h"
#include "support/scratch_folder.h"

namespace kv {
namespace {

using test::RecordingHost;
using test::SampleDataFile;

class LoadResultTest : public ::testing::Test {
  protected:
    std::string write(const std::string& bytes) {
        const std::string path = scratch.file("KV" + std::to_string(++files) + ".CSV");
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    test::ScratchFolder scratch;
    RecordingHost host;
    DataSet data;
    RecorderIdentity identity;
    int files = 0;
};

TEST_F(LoadResultTest, EveryFailureSaysWhyAndWhetherTheCallerShouldTell) {
    SampleDataFile peak;
    SampleDataFile wave;
    wave.model = 6300;
    wave.wave = true;
    auto with = [](SampleDataFile f, auto change) {
        change(f);
        return f.bytes();
    };
    struct Case {
        const char* what;
        std::string bytes;  // empty: no file at all
        LoadFailure failure;
        bool report;
    };
    const Case cases[] = {
        {"missing", "", LoadFailure::Unreadable, true},
        {"empty", " ", LoadFailure::NotADataFile, true},
        {"other model", with(peak, [](auto& f) { f.modelField = "KV-7100"; }),
         LoadFailure::NotADataFile, true},
        {"no range", with(peak, [](auto& f) { f.rangeField = "Ｇ"; }), LoadFailure::NotADataFile,
         true},
        {"count text", with(peak, [](auto& f) { f.countText = "many"; }), LoadFailure::Malformed,
         true},
        {"peak count 0", with(peak, [](auto& f) { f.records = 0; }), LoadFailure::Malformed, true},
        {"rows missing", with(peak, [](auto& f) { f.written = 1; }), LoadFailure::Malformed, true},
        {"peak rows",
         with(peak,
              [](auto& f) {
                  f.records = kPeakCapacity + 1;
                  f.written = 0;
              }),
         LoadFailure::TooManyRecords, true},
        {"wave records",
         with(wave,
              [](auto& f) {
                  f.records = kWaveCapacity + 1;
                  f.written = 0;
              }),
         LoadFailure::TooManyRecords, true},
        {"wave count 0", with(wave, [](auto& f) { f.records = 0; }), LoadFailure::NoTriggered,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.messages.clear();
        const std::string path = c.bytes.empty() ? scratch.file("none.CSV") : write(c.bytes);
        const LoadResult result = loadDataFile(path, data, identity, host);
        EXPECT_FALSE(result);
        EXPECT_EQ(result.failure, c.failure);
        EXPECT_EQ(result.worthReporting(), c.report);
        if (c.report) {
            EXPECT_EQ(result.message, "データファイルを読み込めませんでした。\n" + path +
                                          "\n\nＫＶマネージャーで開けるのは、記録計から読み込"
                                          "んで保存した測定データのファイル（CSV）です。");
            EXPECT_TRUE(host.messages.empty());
        } else {
            // The loader's own notice, shown once, whoever loads.
            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_EQ(host.messages[0].text, result.message);
        }
    }

    host.messages.clear();
    host.cancelRequested = true;
    const LoadResult cancelled = loadDataFile(write(peak.bytes()), data, identity, host);
    EXPECT_EQ(cancelled.failure, LoadFailure::Cancelled);
    EXPECT_FALSE(cancelled.worthReporting());
    EXPECT_TRUE(cancelled.message.empty());
    host.cancelRequested = false;

    const LoadResult loaded = loadDataFile(write(peak.bytes()), data, identity, host);
    EXPECT_EQ(loaded.failure, LoadFailure::None);
    EXPECT_FALSE(loaded.worthReporting());
    EXPECT_TRUE(loaded.message.empty());
}

TEST_F(LoadResultTest, ThirdGenerationWavesArriveInTimeOrderAndTheCallersSpareIsReused) {
    // Records written newest first; a 5300 keeps the file's order.
    for (int model : {6300, 6100, 5300}) {
        SCOPED_TRACE(model);
        SampleDataFile file;
        file.model = model;
        file.wave = true;
        file.records = 4;
        file.timeOf = [&file](int r) { return file.start + (10 - r) / 86400.0; };
        DataSet spare;
        ASSERT_TRUE(loadDataFile(write(file.bytes()), data, identity, host, &spare));
        const bool sorted = model / 1000 == 6;
        for (int p = 0; p < file.axes(); ++p)
            for (int i = 0; i < 4; ++i)
                EXPECT_FLOAT_EQ(data.waveRecords[p][i].peak, file.peakOf(sorted ? 3 - i : i, p))
                    << "plane " << p << " record " << i;
        // The spare now holds what was in view before: the next load parses into it.
        const std::string previous = data.filePath;
        ASSERT_TRUE(loadDataFile(write(file.bytes()), data, identity, host, &spare));
        EXPECT_EQ(spare.filePath, previous);
    }
}

}  // namespace
}  // namespace kv
