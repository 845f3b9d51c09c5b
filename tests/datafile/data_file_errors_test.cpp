// Write failures of data files: a full device, a full or read-only file
// system. The file systems are small tmpfs mounts when this process may mount
// (root in a container); otherwise those cases are skipped.
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "datafile/data_file_naming.h"
#include "download/download_test_support.h"
#include "settings/pc_settings.h"

namespace kv {
namespace {

TEST(DataFileErrors, FullDeviceIsReportedAtFinish) {
    int fd = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    if (fd < 0) GTEST_SKIP() << "no /dev/full";
    DataFile f(fd, "/dev/full", false);
    f.write(std::string(3 << 20, 'x'));  // more than one chunk: fails while writing
    f.write("tail");
    EXPECT_FALSE(f.finish());
    EXPECT_EQ(f.error(), ENOSPC);
    f.discard();  // not created here: never removed
    EXPECT_EQ(::access("/dev/full", F_OK), 0);
}

TEST(DataFileErrors, FullFileSystemFailsTheFileAndDiscardRemovesIt) {
    test::SmallFileSystem fs("size=64k");
    if (!fs.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";
    PcSettings settings;
    settings.setDataFolder(fs.path());
    settings.setAutoName(0, false);
    settings.setFileName(0, "big");
    RecorderState r;
    DataFile f = openDataFile(0, settings.dataFileNames(), r, test::at(2020, 1, 1, 0, 0, 0));
    ASSERT_TRUE(f.isOpen());
    for (int i = 0; i < 4096; ++i) f.write(std::string(100, 'x'));
    EXPECT_FALSE(f.finish());
    EXPECT_EQ(f.error(), ENOSPC);
    EXPECT_TRUE(std::filesystem::exists(fs.file("big-01.CSV")));
    f.discard();
    EXPECT_FALSE(std::filesystem::exists(fs.file("big-01.CSV")));
}

TEST(DataFileErrors, ReadOnlyFolderCannotTakeAFile) {
    test::SmallFileSystem fs("size=64k");
    if (!fs.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";
    ASSERT_TRUE(fs.makeReadOnly());
    PcSettings settings;
    settings.setDataFolder(fs.path());
    settings.setAutoName(0, true);
    RecorderState r;
    DataFile f = openDataFile(0, settings.dataFileNames(), r, test::at(2020, 1, 1, 0, 0, 0));
    EXPECT_FALSE(f.isOpen());
    EXPECT_EQ(f.error(), EROFS);
}

}  // namespace
}  // namespace kv
