#include <gtest/gtest.h>

#include <memory>

#include "cmd_download.h"
#include "download/download_test_support.h"
#include "model/recorder_model.h"
#include "support/memory_device.h"
#include "support/recording_host.h"
#include "support/virtual_clock.h"

namespace kv::tool {
namespace {

DownloadRequest parsed(std::vector<std::string> words, bool ok = true) {
    words.insert(words.begin(), "download");
    DownloadRequest request;
    std::string error;
    EXPECT_EQ(parseDownloadRequest(words, request, error), ok) << error;
    EXPECT_EQ(error.empty(), ok);
    return request;
}

TEST(KvtoolDownloadArguments, SelectionAndFolder) {
    DownloadRequest r = parsed({"--select", "1,3,10,3", "--dir", "/tmp/kv"});
    EXPECT_EQ(r.selected, (std::array<bool, 10>{1, 0, 1, 0, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(r.folder, "/tmp/kv");
    r = parsed({"--all"});
    EXPECT_EQ(r.selected, (std::array<bool, 10>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(r.folder, "");
}

TEST(KvtoolDownloadArguments, UsageErrors) {
    for (std::vector<std::string> words : std::vector<std::vector<std::string>>{
             {},
             {"--all", "--select", "1"},
             {"--select"},
             {"--select", ""},
             {"--select", "0"},
             {"--select", "11"},
             {"--select", "1,,2"},
             {"--select", "1,"},
             {"--select", "-1"},
             {"--select", "x"},
             {"--all", "--dir"},
             {"--all", "--all"},
             {"--all", "extra"},
         }) {
        SCOPED_TRACE(::testing::PrintToString(words));
        parsed(words, false);
    }
}

class KvtoolDownload : public ::testing::Test {
  protected:
    void use(const std::string& description) {
        sim::RecorderConfig config;
        config.descriptionText = description;
        config.now = [this] { return clock.localNow(); };
        std::string error;
        recorder = sim::makeRecorderModel(config, error);
        ASSERT_TRUE(recorder) << error;
        device = std::make_unique<test::MemoryDevice>(clock, *recorder);
        link = std::make_unique<Link>(
            Link{*device, clock, host, [](int n) { return "/dev/ttyS" + std::to_string(n); }});
        settings.setDataFolder(folder.path() + "default");
        settings.setComPort(2);
        settings.setBaudRate(19200);
        for (int i = 0; i < kMeasurementSlots; ++i) settings.setAutoName(i, true);
        host.standingAnswers["測定データ読み込み"] = Host::Yes;
    }

    test::ScratchFolder folder;
    test::VirtualClock clock;
    test::RecordingHost host;
    std::unique_ptr<sim::RecorderModel> recorder;
    std::unique_ptr<test::MemoryDevice> device;
    std::unique_ptr<Link> link;
    PcSettings settings;
    std::vector<std::string> files;
    std::vector<int> missing;
};

TEST_F(KvtoolDownload, SavesIntoTheGivenFolderAndNamesMissingMeasurements) {
    use("model 6300\nmeasurement\n records 3\nmeasurement\n records 4\n");
    DownloadRequest request = parsed({"--select", "2,5", "--dir", folder.path() + "out"});
    ASSERT_TRUE(downloadCommand(*link, settings, request, files, missing));
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].rfind(folder.path() + "out/KV63P01-", 0), 0u) << files[0];
    EXPECT_EQ(missing, std::vector<int>{5});
    EXPECT_EQ(device->openedPaths().front(), "/dev/ttyS2");
    EXPECT_EQ(device->lineSettings().baud, 19200);
}

TEST_F(KvtoolDownload, FailureIsReportedThroughTheHost) {
    use("model 5100\nmeasurement\n records 70000\n");
    DownloadRequest request = parsed({"--all"});
    EXPECT_TRUE(request.all);
    EXPECT_FALSE(downloadCommand(*link, settings, request, files, missing));
    EXPECT_TRUE(files.empty());
    EXPECT_TRUE(missing.empty());
    EXPECT_EQ(host.titles().back(), "データ読み込みエラー");
}

}  // namespace
}  // namespace kv::tool
