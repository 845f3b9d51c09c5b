// A trace of a download on a faulty line, played again by the simulator's
// replay: the same frames, the same files, the same failures.
#include <filesystem>
#include <map>

#include "download_fixture.h"
#include "link/protocol_trace.h"
#include "link/tracing_device.h"
#include "model/replay_responder.h"

namespace kv::test {
namespace {

const char* const kRecorder = R"(
model 5300
measurement
  start 2014/03/15 09:00:00
  records 12
measurement
  start 2014/03/16 09:00:00
  records 8
)";

// What one download left behind.
struct Outcome {
    bool ok = false;
    std::vector<std::string> messages;  // title and text of every box
    std::vector<std::vector<uint8_t>> frames;
    std::vector<std::pair<std::string, std::string>> files;  // name, bytes
};

class DownloadReplay : public ::testing::Test {
  protected:
    // Runs the download of measurements 1 and 2 against `recorder`, with the
    // fault plan changed at the numbered returns of the transactions.
    Outcome run(sim::Responder& recorder, const std::string& dataFolder,
                const std::map<int, std::function<void(sim::FaultPlan&)>>& faults,
                const std::string& tracePath = "") {
        VirtualClock clock;
        MemoryDevice device(clock, recorder);
        ProtocolTrace trace(clock, "kvtest");
        TracingDevice traced(device, trace);
        int error = 0;
        if (!tracePath.empty()) {
            EXPECT_TRUE(trace.writeTo(tracePath, error));
        }
        RecordingHost host;
        host.standingAnswers["測定データ読み込み"] = Host::Yes;
        int transactions = 0;
        host.onProcessEvents = [&] {
            if (auto f = faults.find(++transactions); f != faults.end()) f->second(device.faults());
        };
        Link link{tracePath.empty() ? static_cast<SerialDevice&>(device) : traced, clock, host,
                  [](int) { return std::string("COM1"); }, tracePath.empty() ? nullptr : &trace};
        PcSettings settings;
        settings.setDataFolder(dataFolder);
        settings.setComPort(1);
        settings.setBaudRate(9600);
        for (int i = 0; i < kMeasurementSlots; ++i) settings.setAutoName(i, true);
        RecorderState state;
        state.downloadSelected[0] = state.downloadSelected[1] = true;
        auto data = std::make_unique<DataSet>();  // too large for the stack
        DownloadJob job(link, settings.downloadSettings(), state, *data);
        Outcome o;
        o.ok = identifyRecorder(link, 1, 9600, state.identity) == IdentityAnswer::Answered &&
               downloadLaterGeneration(job);
        for (const auto& m : host.messages) o.messages.push_back(m.title + ": " + m.text);
        o.frames = device.frames();
        for (const std::string& name : fileNames(dataFolder))
            if (name != "kvmanager-downloads.csv")
                o.files.emplace_back(name, readFile(dataFolder + name));
        return o;
    }

    ScratchFolder folder;
};

TEST_F(DownloadReplay, SameFramesFilesAndFailuresAsTheTracedDownload) {
    using Plan = sim::FaultPlan;
    const struct {
        const char* what;
        std::map<int, std::function<void(Plan&)>> faults;
        bool ok;
    } cases[] = {
        {"faults it survives",
         {{1, [](Plan& p) { p.silent = 1; }},
          {3, [](Plan& p) { p.corrupt = 1; }},
          {5, [](Plan& p) { p.extraByte = 1; }},
          {7, [](Plan& p) { p.trickle = 1; }},
          {9, [](Plan& p) { p.shorten = 1; }}},
         true},
        {"a recorder that falls silent", {{6, [](Plan& p) { p.silent = 1000; }}}, false},
        {"a line that hangs up", {{5, [](Plan& p) { p.hangUpAfter = 0; }}}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        sim::RecorderConfig config;
        config.descriptionText = kRecorder;
        const std::string trace = folder.file(c.what) + ".jsonl";
        std::filesystem::create_directory(folder.file("a"));
        std::filesystem::create_directory(folder.file("b"));
        std::string error;
        VirtualClock start;  // the recorder's clock starts where the download's does
        config.now = [&start] { return start.localNow(); };
        auto model = sim::makeRecorderModel(config, error);
        ASSERT_TRUE(model) << error;
        const Outcome traced = run(*model, folder.file("a/"), c.faults, trace);
        EXPECT_EQ(traced.ok, c.ok);

        std::vector<sim::RecordedExchange> exchanges;
        ASSERT_TRUE(sim::loadRecordedExchanges(trace, exchanges, error)) << error;
        sim::ReplayResponder replay(std::move(exchanges), 1.0);
        const Outcome replayed = run(replay, folder.file("b/"), {});
        EXPECT_EQ(replayed.ok, traced.ok);
        EXPECT_EQ(replayed.messages, traced.messages);
        EXPECT_EQ(replayed.frames, traced.frames);
        EXPECT_EQ(replayed.files, traced.files);
        EXPECT_EQ(replay.unmatched(), 0u);
        if (c.ok) {
            EXPECT_EQ(traced.files.size(), 2u);
        }
        std::filesystem::remove_all(folder.file("a"));
        std::filesystem::remove_all(folder.file("b"));
    }
}

}  // namespace
}  // namespace kv::test
