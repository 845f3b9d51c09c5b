// Data files cut off in their last line, inputs that are no data file at all,
// and outputs that would replace an input or a data file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <tuple>

#include "datafile/data_file_loader.h"
#include "datafile/output_target.h"
#include "sample_data_files.h"
#include "support/recording_host.h"
#include "support/scratch_folder.h"

namespace kv {
namespace {

using test::SampleDataFile;

std::string writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path;
}

void expectSameRecords(const DataSet& a, const DataSet& b, int records, int axes, bool wave) {
    for (int i = 0; i < records; ++i) {
        for (int x = 0; x < axes; ++x) {
            if (wave) {
                const WaveBlock &p = a.waveRecords[x][i], &q = b.waveRecords[x][i];
                ASSERT_EQ(p.time, q.time) << i;
                ASSERT_EQ(p.peak, q.peak) << i;
                ASSERT_EQ(p.width, q.width) << i;
                for (int s = 0; s < kWaveSamples; ++s) ASSERT_EQ(p.samples[s], q.samples[s]) << i;
            } else {
                const PeakRow &p = a.peakRows[i], &q = b.peakRows[i];
                ASSERT_EQ(p.time[x], q.time[x]) << i;
                for (int k = 2 * x; k < 2 * x + 2; ++k) {
                    ASSERT_EQ(p.peak[k], q.peak[k]) << i;
                    ASSERT_EQ(p.width[k], q.width[k]) << i;
                }
            }
        }
    }
}

TEST(CutDataFile, ALastLineWithoutItsEndLoadsWithAWarningAndNoValueItCut) {
    struct Case {
        int model;
        bool wave;
        int firstShortCut;  // bytes cut from the end that first shorten a value
    };
    // Peak lines end "0010,\r\n", single-axis sample lines "0.32\r\n",
    // triaxial ones "0.32,\r\n".
    const Case cases[] = {{5100, false, 4}, {4300, false, 4}, {6100, true, 3}, {5300, true, 4}};
    test::ScratchFolder folder;
    test::RecordingHost host;
    auto full = std::make_unique<DataSet>();
    auto cut = std::make_unique<DataSet>();
    for (const Case& c : cases) {
        SampleDataFile sample;
        sample.model = c.model;
        sample.wave = c.wave;
        sample.records = c.wave ? 31 : 4;  // a wave file of two blocks when single-axis
        sample.sampleOf = [](int r, int a, int s) { return ((s + r + a) % 9) * 0.04; };
        const std::string bytes = sample.bytes();
        const long lines = static_cast<long>(std::count(bytes.begin(), bytes.end(), '\n'));
        RecorderIdentity identity;
        ASSERT_TRUE(loadDataFile(writeFile(folder.file("full.CSV"), bytes), *full, identity, host));
        for (size_t n = 1; n <= 8; ++n) {
            SCOPED_TRACE(std::to_string(c.model) + (c.wave ? " wave" : " peak") + ", cut " +
                         std::to_string(n));
            const std::string path =
                writeFile(folder.file("cut.CSV"), bytes.substr(0, bytes.size() - n));
            const LoadResult result = loadDataFile(path, *cut, identity, host);
            ASSERT_TRUE(result);
            EXPECT_EQ(result.cutLine, lines);
            EXPECT_EQ(result.recordsLeftOut, static_cast<int>(n) >= c.firstShortCut ? 1 : 0);
            ASSERT_EQ(cut->lastIndex, full->lastIndex - result.recordsLeftOut);
            expectSameRecords(*cut, *full, cut->lastIndex + 1, sample.axes(), c.wave);
        }
        EXPECT_EQ(
            loadDataFile(writeFile(folder.file("whole.CSV"), bytes), *cut, identity, host).cutLine,
            0);
    }
}

TEST(RefusedDataFile, PipesFoldersAndOversizedFilesAreRefusedBeforeReading) {
    test::ScratchFolder folder;
    ASSERT_EQ(::mkfifo(folder.file("pipe.CSV").c_str(), 0644), 0);
    // Sparse: as large as the limit allows and one byte more, on no disk space.
    const std::string header = SampleDataFile().bytes();
    for (const char* name : {"largest.CSV", "larger.CSV"}) {
        writeFile(folder.file(name), header);
        std::filesystem::resize_file(folder.file(name), kMaxDataFileBytes);
    }
    std::filesystem::resize_file(folder.file("larger.CSV"), kMaxDataFileBytes + 1);
    test::RecordingHost host;
    auto data = std::make_unique<DataSet>();
    RecorderIdentity identity;
    EXPECT_TRUE(loadDataFile(folder.file("largest.CSV"), *data, identity, host));
    const int loaded = data->lastIndex;
    // The reason for kvtool, and the window's message with the file's name.
    const std::tuple<std::string, const char*, const char*> cases[] = {
        {folder.file("pipe.CSV"), "not a regular file", "装置などはデータファイルではありません"},
        {folder.path(), "is a folder", "装置などはデータファイルではありません"},
        {folder.file("larger.CSV"), "larger than", "データファイルとしては大きすぎます"},
        {folder.file("none.CSV"), "No such file or directory", "読み込めませんでした"},
    };
    for (const auto& [path, reason, message] : cases) {
        const LoadResult result = loadDataFile(path, *data, identity, host);
        EXPECT_EQ(result.failure, LoadFailure::Unreadable) << path;
        EXPECT_EQ(result.reason.rfind(reason, 0), 0u) << path << ": " << result.reason;
        EXPECT_NE(result.message.find(path + "\n"), std::string::npos) << result.message;
        EXPECT_NE(result.message.find(message), std::string::npos) << result.message;
        EXPECT_EQ(data->lastIndex, loaded);
    }
}

TEST(OutputClash, AnInputUnderAnyNameAndAnyDataFileAreNeverReplaced) {
    test::ScratchFolder folder;
    const std::string input = writeFile(folder.file("in.CSV"), SampleDataFile().bytes());
    SampleDataFile english;
    english.english = true;
    writeFile(folder.file("english.pdf"), english.bytes());
    writeFile(folder.file("other.CSV"), SampleDataFile().bytes());
    writeFile(folder.file("old.pdf"), "%PDF-1.4\n");
    std::filesystem::create_symlink("in.CSV", folder.file("link.pdf"));
    std::filesystem::create_hard_link(input, folder.file("hard.pdf"));
    const std::pair<const char*, OutputClash> cases[] = {
        {"in.CSV", OutputClash::Input},         {"link.pdf", OutputClash::Input},
        {"hard.pdf", OutputClash::Input},       {"other.CSV", OutputClash::DataFile},
        {"english.pdf", OutputClash::DataFile}, {"old.pdf", OutputClash::None},
        {"new.pdf", OutputClash::None},
    };
    for (const auto& [name, clash] : cases)
        EXPECT_EQ(outputClash(folder.file(name), {input}), clash) << name;
}

}  // namespace
}  // namespace kv
