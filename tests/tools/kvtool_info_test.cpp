#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <string>

#include "cmd_info.h"
#include "link/link.h"
#include "model/recorder_model.h"
#include "model/scripted_responder.h"
#include "model/wire.h"
#include "support/memory_device.h"
#include "support/recording_host.h"
#include "support/virtual_clock.h"
#include "tool_options.h"

namespace kv::tool {
namespace {

// The JSON without its line breaks and indentation, for comparing fragments.
std::string compact(const std::string& json) {
    std::string out;
    bool inString = false;
    for (size_t i = 0; i < json.size(); ++i) {
        char c = json[i];
        if (c == '"' && (i == 0 || json[i - 1] != '\\')) inString = !inString;
        if (!inString && (c == '\n' || c == ' ')) continue;
        out += c;
    }
    return out;
}

class KvtoolInfo : public ::testing::Test {
  protected:
    void useModel(const std::string& description, int model = 5300) {
        sim::RecorderConfig config;
        config.model = model;
        config.descriptionText = description;
        config.now = [this] { return clock.localNow(); };
        std::string error;
        recorder = sim::makeRecorderModel(config, error);
        ASSERT_TRUE(recorder) << error;
        attach(*recorder);
    }
    void attach(sim::Responder& r) {
        device = std::make_unique<test::MemoryDevice>(clock, r);
        link = std::make_unique<Link>(
            Link{*device, clock, host, [](int n) { return "/dev/ttyS" + std::to_string(n); }});
    }
    int run(bool json = true) {
        out.clear();
        return infoCommand(*link, 1, 38400, json, out);
    }

    test::VirtualClock clock;
    test::RecordingHost host;
    std::unique_ptr<sim::RecorderModel> recorder;
    sim::ScriptedResponder scripted;
    std::unique_ptr<test::MemoryDevice> device;
    std::unique_ptr<Link> link;
    std::string out;
};

TEST_F(KvtoolInfo, LaterGenerationPeakModeEveryField) {
    useModel(R"(model 5300
data uniform
device 12
serial 4321
sensor X 101 12.3
battery 3.6
firmware 1.2
clock 2014/03/05 09:07:00
measurement
start 2014/03/05 09:00:00
end 2014/03/05 10:00:00
causes S M
records 20
measurement
start 2090/12/31 23:59:59
end 1991/01/01 00:00:00
causes R B
records 7
)");
    ASSERT_EQ(run(), kExitOk);
    std::string j = compact(out);
    EXPECT_EQ(j.rfind("{\"generation\":\"later\",", 0), 0u) << j;
    EXPECT_NE(j.find(R"("status":{"deviceNumber":12,"recordPeriod":1,"waveMode":0,"axisMode":0,)"
                     R"("samplePeriodMs":1,"preTrigger":0,"modelCode":5300,"sensorRange":50,)"
                     R"("sensorPlace":0,"serialNumber":4321,"sensorNumber":[101,102,103],)"
                     R"("overwriteMode":0,"triggerThreshold":[100,100,100],)"
                     R"("triggerLevel":[10,10,10],"sensitivity":[12.3,10,10],)"
                     R"("batteryVolts":3.6,"firmwareVersion":12},)"),
              std::string::npos)
        << j;
    EXPECT_NE(j.find(R"("clock":"2014/03/05 09:07:0)"), std::string::npos) << j;
    // Recorder minus PC; the virtual PC clock starts at 2025/04/01 10:00:00.
    EXPECT_NE(j.find(R"("clockOffsetSeconds":-349491180,)"), std::string::npos) << j;
    EXPECT_NE(
        j.find(R"("index":[{"startTime":"2014/03/05 09:00:00","endTime":"2014/03/05 10:00:00",)"
               R"("startCause":"S","endCause":"M","recordPeriod":1,"firstRecord":0,)"
               R"("recordCount":20,"saved":[]},{"startTime":"2090/12/31 23:59:59",)"
               R"("endTime":"1991/01/01 00:00:00","startCause":"R","endCause":"B",)"
               R"("recordPeriod":1,"firstRecord":20,"recordCount":7,"saved":[]},)"
               R"({"startTime":"2000/00/00 00:00:00","endTime":"2000/00/00 00:00:00",)"
               R"("startCause":"","endCause":"","recordPeriod":0,"firstRecord":0,)"
               R"("recordCount":0,"saved":[]},)"),
        std::string::npos)
        << j;
    EXPECT_NE(j.find(R"("measurementCounts":[20,7,-1,-1,-1,-1,-1,-1,-1,-1]})"), std::string::npos)
        << j;
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(KvtoolInfo, LaterGenerationWaveModeHasPerAxisCounts) {
    useModel(R"(model 6300
mode wave
clock 2097/06/01 12:00:00
measurement
start 2014/03/05 09:00:00
causes S 0
counts 4 4 5
measurement
causes S M
records 0
)");
    ASSERT_EQ(run(), kExitOk);
    std::string j = compact(out);
    EXPECT_NE(j.find(R"("waveMode":1,)"), std::string::npos) << j;
    EXPECT_NE(j.find(R"("clock":"2097/06/01 12:00:0)"), std::string::npos) << j;
    EXPECT_NE(j.find(R"("startCause":"S","endCause":"","firstRecord":[0,0,0],)"
                     R"("recordCount":[4,4,5],"saved":[]},)"),
              std::string::npos)
        << j;
    EXPECT_NE(j.find(R"("firstRecord":[4,4,5],"recordCount":[0,0,0],"saved":[]})"),
              std::string::npos)
        << j;
    EXPECT_NE(j.find(R"("measurementCounts":[5,0,-1,)"), std::string::npos) << j;
}

TEST_F(KvtoolInfo, FirstGenerationLegacyStatusAndTheWindowAt97) {
    useModel(R"(model 4300
range 20
place B
sensor Z 3 0.3
clock 1998/12/31 23:59:00
measurement
records 3
)",
             4300);
    ASSERT_EQ(run(), kExitOk);
    std::string j = compact(out);
    EXPECT_NE(j.find(R"({"generation":"first","status":{"deviceNumber":1,"recordPeriod":1,)"
                     R"("modelCode":4300,"sensorRange":20,"sensorPlace":1,"serialNumber":1234,)"
                     R"("sensorNumber":[101,102,3],"sensitivity":[10,10,0.3],)"
                     R"("batteryVolts":3.6},"clock":"1998/12/31 23:59:0)"),
              std::string::npos)
        << j;
    // The two-digit year 98 is 1998 for the offset too.
    EXPECT_NE(j.find(R"("clockOffsetSeconds":-828352860,)"), std::string::npos) << j;
    EXPECT_NE(j.find(R"("measurementCounts":[3,-1,)"), std::string::npos) << j;
}

TEST_F(KvtoolInfo, EverySixModelsAnswerWithTheirGeneration) {
    for (int model : {4100, 4300, 5100, 5300, 6100, 6300}) {
        useModel("", model);
        ASSERT_EQ(run(), kExitOk) << model;
        std::string j = compact(out);
        bool first = model < 5000;
        EXPECT_NE(j.find(first ? R"("generation":"first")" : R"("generation":"later")"),
                  std::string::npos)
            << model;
        EXPECT_NE(j.find("\"modelCode\":" + std::to_string(model)), std::string::npos) << model;
        EXPECT_NE(j.find(R"("measurementCounts":[20,20,20,-1,)"), std::string::npos) << model;
    }
}

TEST_F(KvtoolInfo, AnIdentityAnswerOfTheFirstGenerationHasNoStatus) {
    std::vector<uint8_t> identity(24, 0);
    const char text[] = "KV4300-050A";
    std::copy(text, text + 11, identity.begin());
    scripted.on(0xF0, sim::makeReply(0xF0, identity));
    scripted.on(0x20, sim::makeReply(0x20, 248));
    scripted.on(0x10, sim::makeReply(0x10, 32));
    attach(scripted);
    ASSERT_EQ(run(), kExitOk);
    std::string j = compact(out);
    EXPECT_NE(j.find(R"({"generation":"first","status":null,"clock":"2000/00/00 00:00:00",)"),
              std::string::npos)
        << j;
    EXPECT_EQ(scripted.countOf(0x00), 0);
}

TEST_F(KvtoolInfo, FailuresExitWithOneAndTheirMessage) {
    attach(scripted);  // never answers
    EXPECT_EQ(run(), kExitFailed);
    EXPECT_TRUE(out.empty());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "通信エラー");
    EXPECT_EQ(host.messages[0].text.rfind("本体情報の書込みに失敗しました。", 0), 0u);

    host.messages.clear();
    device->failOpenWith(ENOENT);
    const int64_t before = clock.nowMs();
    EXPECT_EQ(run(), kExitFailed);
    EXPECT_EQ(clock.nowMs(), before);  // no attempt, no wake-up wait
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text.rfind(
                  "ポートが開けません。\n" + std::to_string(ENOENT) + "\n/dev/ttyS1: ", 0),
              0u)
        << host.messages[0].text;
}

TEST_F(KvtoolInfo, TextReportNamesTheMeasurements) {
    useModel(
        "model 5100\nmeasurement\nstart 2014/03/05 09:00:00\nend 2014/03/05 10:00:00\n"
        "records 5",
        5100);
    ASSERT_EQ(run(false), kExitOk);
    EXPECT_NE(out.find("generation: later\nmodel: 5100\n"), std::string::npos) << out;
    EXPECT_NE(out.find("measurement 1: 2014/03/05 09:00:00 - 2014/03/05 10:00:00, 5 records"),
              std::string::npos)
        << out;
    EXPECT_EQ(out.find("measurement 2"), std::string::npos) << out;
}

}  // namespace
}  // namespace kv::tool
