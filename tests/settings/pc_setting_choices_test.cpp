#include "settings/pc_setting_choices.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "settings_test_support.h"

namespace kv {
namespace {

using test::ScratchFolder;
using test::writeBytes;

TEST(FileNameFilter, RefusesSeparatorsWildcardsControlsAndWhatCp932CannotHold) {
    for (const char* c : {"\\", "<", ">", "?", "*", ",", ";", ":", "|", "/", "\t", "😀", "€"})
        EXPECT_FALSE(isFileNameCharacterAllowed(c)) << c;
    for (const char* c : {"a", "Z", "0", "_", "-", ".", " ", "デ", "１", "ｱ"})
        EXPECT_TRUE(isFileNameCharacterAllowed(c)) << c;
    EXPECT_EQ(withoutRefusedFileNameCharacters("計測,1:😀データ/a"), "計測1データa");
}

TEST(FolderChoice, NearestExistingFolder) {
    ScratchFolder tmp;
    std::filesystem::create_directories(tmp.file("a/b"));
    const std::string base = tmp.path();
    EXPECT_EQ(nearestExistingFolder(tmp.file("a/b/")), base + "/a/b");
    EXPECT_EQ(nearestExistingFolder(tmp.file("a/x/y/z/")), base + "/a");
    EXPECT_EQ(nearestExistingFolder("/no-such-folder-kv/deeper"), "/");
    EXPECT_EQ(nearestExistingFolder(""), "/");
}

TEST(FolderChoice, RootsAreHomeSlashAndMountedMedia) {
    ScratchFolder tmp;
    std::filesystem::create_directories(tmp.file("media/usb stick"));
    // Mount points under /media and /mnt count; system mounts do not.
    const std::string table = tmp.file("mounts");
    writeBytes(table,
               "proc /proc proc rw 0 0\n"
               "/dev/sdb1 /media/kv\\040stick vfat rw 0 0\n"
               "/dev/sda1 / ext4 rw 0 0\n"
               "tmpfs /run tmpfs rw 0 0\n");
    std::vector<std::string> roots = folderRoots(tmp.path(), table);
    ASSERT_GE(roots.size(), 2u);
    EXPECT_EQ(roots[0], tmp.path());
    EXPECT_EQ(roots[1], "/");
    // "/media/kv stick" does not exist here, so it is not offered.
    EXPECT_EQ(roots.size(), 2u);

    EXPECT_EQ(rootOfFolder({"/home/u", "/", "/media/kv"}, "/media/kv/data"), "/media/kv");
    EXPECT_EQ(rootOfFolder({"/home/u", "/", "/media/kv"}, "/home/u"), "/home/u");
    EXPECT_EQ(rootOfFolder({"/home/u", "/", "/media/kv"}, "/home/user2/x"), "/");
}

TEST(SerialDevices, ListsThePresentOnesInNumberOrder) {
    ScratchFolder dev;
    for (const char* name : {"ttyS10", "ttyS2", "ttyUSB0", "ttyACM1", "ttyX", "tty5", "ttySx"})
        writeBytes(dev.file(name), "");
    std::filesystem::create_directories(dev.file("serial/by-id"));
    writeBytes(dev.file("serial/by-id/usb-FTDI_cable-if00-port0"), "");
    const std::string root = dev.path();
    EXPECT_EQ(serialDeviceCandidates(root),
              (std::vector<std::string>{root + "/ttyS2", root + "/ttyS10", root + "/ttyUSB0",
                                        root + "/ttyACM1",
                                        root + "/serial/by-id/usb-FTDI_cable-if00-port0"}));
}

}  // namespace
}  // namespace kv
