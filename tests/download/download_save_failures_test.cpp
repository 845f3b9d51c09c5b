#include <sys/stat.h>

#include "download_fixture.h"

namespace kv::test {
namespace {

using DownloadSaveFailure = DownloadTest;

// Measurement 1 is large (about 260 KB of lines), measurement 2 small.
const char* const kLargeAndSmall = R"(
model 5300
measurement
  start 2014/03/15 09:00:00
  records 2000
measurement
  start 2014/03/16 09:00:00
  records 5
)";

TEST_F(DownloadSaveFailure, FullFolderNamesTheLostMeasurementAndKeepsTheRest) {
    SmallFileSystem fs("size=64k");
    if (!fs.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";
    settings.setDataFolder(fs.path());
    use(kLargeAndSmall);
    EXPECT_FALSE(download({1, 2}));
    ASSERT_EQ(host.messages.size(), 2u);
    const auto& box = host.messages[1];
    EXPECT_EQ(box.title, "データ保存エラー");
    EXPECT_EQ(box.flags, Host::Error);
    EXPECT_NE(box.text.find("計測番号01: 保存先の空き容量が足りません。"), std::string::npos);
    EXPECT_EQ(box.text.find("計測番号02"), std::string::npos);
    EXPECT_NE(box.text.find("そのまま残っています"), std::string::npos);
    // The incomplete file is gone; the complete one stays, is reported and is
    // in the download journal.
    EXPECT_EQ(fileNames(fs.path()),
              (std::vector<std::string>{"KV53P01-2025040102-01.CSV", "kvmanager-downloads.csv"}));
    EXPECT_EQ(savedNames().size(), 1u);
    EXPECT_EQ(saved[0], fs.file("KV53P01-2025040102-01.CSV"));
    EXPECT_EQ(linesOf(saved[0]).size(), 14u + 5u);
}

TEST_F(DownloadSaveFailure, ReadOnlyFolderSavesNothingAndSaysSo) {
    SmallFileSystem fs("size=64k");
    if (!fs.mounted() || !fs.makeReadOnly()) GTEST_SKIP() << "cannot mount a tmpfs here";
    settings.setDataFolder(fs.path());
    use(kLargeAndSmall);
    EXPECT_FALSE(download({2}));
    ASSERT_EQ(host.titles(), (std::vector<std::string>{"測定データ読み込み", "データ保存エラー"}));
    EXPECT_NE(host.messages[1].text.find("計測番号02: 保存先は読み取り専用です。"),
              std::string::npos);
    EXPECT_EQ(host.messages[1].text.find("残っています"), std::string::npos);
    EXPECT_TRUE(saved.empty());
}

TEST_F(DownloadSaveFailure, FolderThatCannotBeMadeIsReported) {
    std::ofstream(folder.file("plain")) << "";
    settings.setDataFolder(folder.file("plain/data"));
    use(kLargeAndSmall);
    EXPECT_FALSE(download({1, 2}));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_NE(host.messages[1].text.find("計測番号01: 保存先のフォルダがありません。"),
              std::string::npos);
    EXPECT_NE(host.messages[1].text.find("計測番号02"), std::string::npos);
    EXPECT_EQ(fileNames(folder.path()), std::vector<std::string>{"plain"});
}

TEST_F(DownloadSaveFailure, RemovedFolderIsMadeAgain) {
    settings.setDataFolder(folder.file("removed/data"));
    use(kLargeAndSmall);
    EXPECT_TRUE(download({2}));
    EXPECT_EQ(savedNames(), std::vector<std::string>{"removed/data/KV53P01-2025040102-01.CSV"});
}

}  // namespace
}  // namespace kv::test
