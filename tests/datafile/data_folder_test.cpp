#include "datafile/data_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "download/download_test_support.h"

namespace kv {
namespace {

TEST(DataFolder, CreatesMissingParentsAndAcceptsExistingOrRoot) {
    test::ScratchFolder scratch;
    std::string error;
    const std::string folder = scratch.file("one/two/KV-DATAS/");
    ASSERT_TRUE(createDataFolder(folder, error)) << error;
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_TRUE(createDataFolder(folder, error));
    EXPECT_TRUE(createDataFolder("/", error));
}

TEST(DataFolder, EmptyOrRefusedFolderStopsWithAMessage) {
    std::string error;
    EXPECT_FALSE(createDataFolder("", error));
    EXPECT_EQ(error, "ディレクトリを作成することができません");

    test::ScratchFolder scratch;
    // A file stands where a folder is needed.
    const std::string blocker = scratch.file("file");
    FILE* f = std::fopen(blocker.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_FALSE(createDataFolder(blocker + "/data/", error));
    EXPECT_NE(error.find(blocker), std::string::npos) << error;
}

}  // namespace
}  // namespace kv
