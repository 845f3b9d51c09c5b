#include <gtest/gtest.h>

#include <memory>

#include "cmd_download.h"
#include "cmd_info.h"
#include "download/download_test_support.h"
#include "model/recorder_model.h"
#include "support/memory_device.h"
#include "support/recording_host.h"
#include "support/virtual_clock.h"
#include "tool_options.h"

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
    r = parsed({"--new"});
    EXPECT_TRUE(r.onlyNew);
    EXPECT_FALSE(r.all);
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
             {"--new", "--all"},
             {"--new", "--select", "1"},
             {"--new", "--new"},
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
        settings.setDataFolder(folder.file("default"));
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
    DownloadRequest request = parsed({"--select", "2,5", "--dir", folder.file("out")});
    ASSERT_TRUE(downloadCommand(*link, settings, request, files, missing));
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].rfind(folder.file("out/KV63P01-"), 0), 0u) << files[0];
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

// --new fetches what the folder does not hold yet and nothing when all is
// there; info tells the same per measurement, with the recorder's clock offset.
TEST_F(KvtoolDownload, NewMeasurementsOnlyAndWhatInfoSaysOfThem) {
    use("model 5300\nclock 2025/04/01 09:58:47\nmeasurement\n records 3\nmeasurement\n"
        " records 4\nmeasurement\n records 5\n");
    const std::string out = folder.file("out");
    ASSERT_TRUE(
        downloadCommand(*link, settings, parsed({"--select", "2", "--dir", out}), files, missing));
    ASSERT_EQ(files.size(), 1u);

    std::string json;
    ASSERT_EQ(infoCommand(*link, 2, 19200, true, json, out + "/"), kExitOk);
    const std::string name = files[0].substr(out.size() + 1);
    EXPECT_NE(json.find("\"clockOffsetSeconds\": -73,"), std::string::npos) << json;
    EXPECT_NE(json.find("\"saved\": [\n        \"" + name + "\"\n      ]"), std::string::npos)
        << json;

    auto recordOffsets = [&](size_t from) {
        std::vector<int> offsets;
        for (size_t i = from; i < device->frames().size(); ++i)
            if (device->frames()[i][2] == 0x21) offsets.push_back(device->frames()[i][5]);
        return offsets;
    };
    size_t before = device->frames().size();
    ASSERT_TRUE(downloadCommand(*link, settings, parsed({"--new", "--dir", out}), files, missing));
    ASSERT_EQ(files.size(), 2u);
    EXPECT_NE(files[0].find("2025040101-01.CSV"), std::string::npos) << files[0];
    EXPECT_NE(files[1].find("2025040103-01.CSV"), std::string::npos) << files[1];
    EXPECT_EQ(recordOffsets(before), (std::vector<int>{0, 7}));  // measurements 1 and 3
    EXPECT_TRUE(missing.empty());

    before = device->frames().size();
    host.messages.clear();
    ASSERT_TRUE(downloadCommand(*link, settings, parsed({"--new", "--dir", out}), files, missing));
    EXPECT_TRUE(files.empty());
    EXPECT_TRUE(recordOffsets(before).empty());
    ASSERT_EQ(host.titles().back(), "データ通信");
    EXPECT_EQ(host.messages.back().text, "新しい計測データはありません。");
}

}  // namespace
}  // namespace kv::tool
