#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "download/download_driver.h"
#include "download_test_support.h"
#include "link/link.h"
#include "model/recorder_model.h"
#include "recorder/information_command.h"
#include "settings/pc_settings.h"
#include "support/memory_device.h"
#include "support/recording_host.h"
#include "support/virtual_clock.h"

namespace kv::test {

// A download from the simulated recorder over the in-memory line, into a
// scratch folder, as the information screen's download button runs it: the
// identity in a session of its own decides the generation.
class DownloadTest : public ::testing::Test {
  protected:
    DownloadTest() {
        settings.setDataFolder(folder.path());
        settings.setComPort(1);
        settings.setBaudRate(9600);
        for (int i = 0; i < kMeasurementSlots; ++i) settings.setAutoName(i, true);
        host.standingAnswers["測定データ読み込み"] = Host::Yes;  // "read the data?"
    }

    sim::RecorderModel& use(sim::RecorderConfig config) {
        config.now = [this] { return clock.localNow(); };
        std::string error;
        model = sim::makeRecorderModel(config, error);
        EXPECT_TRUE(model) << error;
        device = std::make_unique<MemoryDevice>(clock, *model);
        link = std::make_unique<Link>(
            Link{*device, clock, host, [](int n) { return "COM" + std::to_string(n); }});
        return *model;
    }
    sim::RecorderModel& use(const std::string& description) {
        sim::RecorderConfig config;
        config.descriptionText = description;
        return use(config);
    }

    // Ticks the measurements (numbers from 1) and runs the download.
    bool download(std::initializer_list<int> measurements) {
        state.downloadSelected.fill(false);
        for (int n : measurements) state.downloadSelected[n - 1] = true;
        DownloadJob job(*link, settings.downloadSettings(), state, data);
        const bool later =
            identifyRecorder(*link, 1, 9600, state.identity) == IdentityAnswer::Answered;
        const bool ok = later ? downloadLaterGeneration(job) : downloadFirstGeneration(job);
        saved = job.savedFiles;
        return ok;
    }

    std::vector<std::string> savedNames() const {
        std::vector<std::string> names;
        for (const auto& p : saved) names.push_back(p.substr(folder.path().size() + 1));
        return names;
    }
    // The record offsets that the command-33 frames asked for, in order.
    std::vector<int> peakOffsets() const {
        std::vector<int> offsets;
        for (const auto& f : device->frames())
            if (f[2] == 0x21) offsets.push_back(f[7] << 16 | f[4] << 8 | f[5]);
        return offsets;
    }
    int framesOf(uint8_t code) const {
        int n = 0;
        for (const auto& f : device->frames()) n += f[2] == code;
        return n;
    }
    // The lines of a saved file, in UTF-8, without their CR LF.
    static std::vector<std::string> linesOf(const std::string& path) {
        std::string text = cp932ToUtf8(readFile(path)).value_or("<not CP932>");
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
            lines.push_back(text.substr(start, end - start));
        EXPECT_EQ(start, text.size()) << path << " does not end with CR LF";
        return lines;
    }

    ScratchFolder folder;
    VirtualClock clock;
    RecordingHost host;
    std::unique_ptr<sim::RecorderModel> model;
    std::unique_ptr<MemoryDevice> device;
    std::unique_ptr<Link> link;
    PcSettings settings;
    RecorderState state;
    DataSet data;
    std::vector<std::string> saved;
};

}  // namespace kv::test
