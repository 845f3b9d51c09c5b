#include "datafile/data_file_naming.h"
#include "settings/pc_settings.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "download/download_test_support.h"

namespace kv {
namespace {

using test::at;
using test::readFile;

class DataFileNaming : public ::testing::Test {
  protected:
    void SetUp() override {
        settings.setDataFolder(folder.path());
        for (int slot = 0; slot < kMeasurementSlots; ++slot) settings.setAutoName(slot, true);
        r.identity.modelCode = 5300;
        r.identity.family[0] = 'K';
        r.identity.family[1] = 'V';
        r.info.deviceNumber = 7;
        r.info.waveMode = 1;
    }
    std::string open(int slot) {
        DataFile f = openDataFile(slot, settings.dataFileNames(), r, today);
        EXPECT_TRUE(f.isOpen()) << f.path() << " error " << f.error();
        std::string path = f.path();
        f.write("new");
        EXPECT_TRUE(f.finish());
        return path.substr(folder.path().size() + 1);
    }

    test::ScratchFolder folder;
    PcSettings settings;
    RecorderState r;
    DateTime today = at(2014, 3, 15, 23, 59, 59);
};

TEST_F(DataFileNaming, AutomaticNamesCountUpAndNeverOverwrite) {
    EXPECT_EQ(open(1), "KV53W07-2014031502-01.CSV");
    EXPECT_EQ(open(1), "KV53W07-2014031502-02.CSV");
    EXPECT_EQ(readFile(folder.file("KV53W07-2014031502-01.CSV")), "new");

    // A file of the next name, even one that cannot be read, is left alone.
    std::string taken = folder.file("KV53W07-2014031502-03.CSV");
    { std::ofstream(taken) << "old"; }
    ::chmod(taken.c_str(), 0);
    ::mkdir((folder.file("KV53W07-2014031502-04.CSV")).c_str(), 0777);
    EXPECT_EQ(open(1), "KV53W07-2014031502-05.CSV");
    ::chmod(taken.c_str(), 0644);
    EXPECT_EQ(readFile(taken), "old");
}

TEST_F(DataFileNaming, CounterHasNoUpperBound) {
    for (int n = 1; n <= 99; ++n) {
        char name[64];
        std::snprintf(name, sizeof name, "KV53W07-2014031510-%02d.CSV", n);
        std::ofstream(folder.file(name)) << "";
    }
    EXPECT_EQ(open(9), "KV53W07-2014031510-100.CSV");
}

TEST_F(DataFileNaming, KindLetterAndDeviceNumberFollowTheGeneration) {
    r.info.waveMode = 0;
    EXPECT_EQ(open(0), "KV53P07-2014031501-01.CSV");
    r.identity.modelCode = 4100;
    r.info.waveMode = 1;  // the first generation knows no wave mode
    r.legacyInfo.deviceNumber = 123;
    EXPECT_EQ(open(0), "KV41P123-2014031501-01.CSV");
    // Family letters from a recorder never lead outside the folder.
    r.identity.family[0] = '/';
    r.identity.family[1] = '.';
    EXPECT_EQ(open(0), "__41P123-2014031501-01.CSV");
}

TEST_F(DataFileNaming, FixedNamesLoseTheirExtension) {
    settings.setAutoName(2, false);
    settings.setFileName(2, "test.txt");
    EXPECT_EQ(open(2), "test-01.CSV");
    settings.setFileName(2, "データ３");
    EXPECT_EQ(open(2), "データ３-01.CSV");
    settings.setFileName(2, "run.2/day");
    EXPECT_EQ(open(2), "run.2/day-01.CSV");  // a dot in a folder is no extension
}

TEST_F(DataFileNaming, MissingFolderIsCreatedAndABlockedOneReported) {
    settings.setDataFolder(folder.file("a/b"));
    EXPECT_EQ(open(0), "a/b/KV53W07-2014031501-01.CSV");

    std::ofstream(folder.file("plain")) << "";
    settings.setDataFolder(folder.file("plain/sub"));
    DataFile f = openDataFile(0, settings.dataFileNames(), r, today);
    EXPECT_FALSE(f.isOpen());
    EXPECT_EQ(f.error(), ENOTDIR);
    f.discard();  // nothing was created, so nothing is removed
    EXPECT_TRUE(std::filesystem::exists(folder.file("plain")));
}

}  // namespace
}  // namespace kv
