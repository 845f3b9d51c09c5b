// "New measurements only": which of a recorder's measurements are on the PC,
// through the journal and through the headers of files it does not know.
#include "download/saved_measurements.h"

#include <cstdio>
#include <filesystem>

#include "download_fixture.h"

namespace kv::test {
namespace {

using SavedMeasurementsTest = DownloadTest;

std::string recorderOf(const char* model, const char* mode) {
    return std::string("model ") + model + "\nmode " + mode +
           "\nserial 77\nmeasurement\n start 2014/03/15 09:00:00\n records 6\n"
           "measurement\n start 2014/03/16 09:00:00\n records 4\n"
           "measurement\n start 2014/03/17 09:00:00\n records 5\n";
}

TEST_F(SavedMeasurementsTest, JournalFilesUnknownFilesAndChangedMeasurements) {
    use(recorderOf("5300", "peak"));
    ASSERT_TRUE(download({1, 2, 3}));
    ASSERT_EQ(saved.size(), 3u);
    const auto names = savedNames();
    auto find = [&] { return findSavedMeasurements(folder.path(), state, false); };

    SavedMeasurements s = find();  // through the journal
    for (int i = 0; i < 3; ++i) EXPECT_EQ(s[i], std::vector<std::string>{names[i]});
    EXPECT_TRUE(s[3].empty());

    // A copy the journal does not know is found by its header; a file the
    // journal names but that has gone is not on the PC.
    std::filesystem::copy_file(saved[0], folder.file("copy.csv"));
    std::remove(saved[2].c_str());
    s = find();
    EXPECT_EQ(s[0], (std::vector<std::string>{names[0], "copy.csv"}));
    EXPECT_EQ(s[1], std::vector<std::string>{names[1]});
    EXPECT_TRUE(s[2].empty());
    EXPECT_EQ(newMeasurements(state, s), (std::array<bool, 10>{false, false, true, false, false,
                                                               false, false, false, false, false}));

    // Without the journal every file is read; a measurement whose count has
    // changed since (the recorder went on recording) is new again.
    std::remove(folder.file(kJournalFileName).c_str());
    state.index[1].recordCount = 9;
    state.measurementCounts[1] = 9;
    s = find();
    EXPECT_EQ(s[0], (std::vector<std::string>{names[0], "copy.csv"}));
    EXPECT_TRUE(s[1].empty());
    // Another recorder's measurements with the same times are not these.
    state.info.serialNumber = 78;
    s = find();
    for (const auto& files : s) EXPECT_TRUE(files.empty());
}

// The header of every kind of data file states its key, so a folder without a
// journal is read right for each generation and mode.
TEST_F(SavedMeasurementsTest, HeadersOfEveryKindIdentifyTheirMeasurement) {
    for (auto [model, mode] : {std::pair{"4300", "peak"},
                               {"4100", "peak"},
                               {"6300", "wave"},
                               {"5100", "wave"},
                               {"6100", "peak"}}) {
        SCOPED_TRACE(std::string(model) + " " + mode);
        ScratchFolder own;
        settings.setDataFolder(own.path());
        state = RecorderState{};
        use(recorderOf(model, mode));
        ASSERT_TRUE(download({1, 3}));
        std::remove(own.file(kJournalFileName).c_str());
        const bool first = model[0] == '4';
        const SavedMeasurements s = findSavedMeasurements(own.path(), state, first);
        ASSERT_EQ(saved.size(), 2u);
        EXPECT_EQ(s[0].size(), 1u);
        EXPECT_TRUE(s[1].empty());
        EXPECT_EQ(s[2].size(), 1u);
        MeasurementKey key;
        ASSERT_TRUE(readDataFileKey(saved[1], key));
        EXPECT_EQ(key.serialNumber, 77);
        EXPECT_EQ(key.wave, std::string(mode) == "wave");
        EXPECT_EQ(key.headerCounts, measurementKeyOf(state, first, 2).headerCounts);
    }
}

}  // namespace
}  // namespace kv::test
