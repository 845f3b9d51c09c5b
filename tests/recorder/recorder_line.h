#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "link/link.h"
#include "model/recorder_model.h"
#include "model/scripted_responder.h"
#include "model/wire.h"
#include "support/memory_device.h"
#include "support/recording_host.h"
#include "support/virtual_clock.h"

namespace kv::test {

// A recorder on an in-memory line with a virtual clock: either the simulator's
// model (use()) or a scripted one whose replies a test writes byte by byte
// (script()).
class RecorderLine : public ::testing::Test {
  protected:
    // A model recorder; its clock runs on the virtual clock.
    sim::RecorderModel& use(sim::RecorderConfig config) {
        config.now = [this] { return clock.localNow(); };
        std::string error;
        model = sim::makeRecorderModel(config, error);
        EXPECT_TRUE(model) << error;
        attach(*model);
        return *model;
    }
    sim::RecorderModel& use(const std::string& description, int model = 5300) {
        sim::RecorderConfig config;
        config.model = model;
        config.descriptionText = description;
        return use(config);
    }
    sim::ScriptedResponder& script() {
        attach(scripted);
        return scripted;
    }

    // The payload bytes (4 to 27) of the n-th command frame sent.
    std::vector<uint8_t> payloadOf(size_t n) const {
        const auto& f = device->frames().at(n);
        return {f.begin() + 4, f.begin() + 28};
    }

    VirtualClock clock;
    RecordingHost host;
    sim::ScriptedResponder scripted;
    std::unique_ptr<sim::RecorderModel> model;
    std::unique_ptr<MemoryDevice> device;
    std::unique_ptr<Link> link;

  private:
    void attach(sim::Responder& r) {
        device = std::make_unique<MemoryDevice>(clock, r);
        link = std::make_unique<Link>(
            Link{*device, clock, host, [](int n) { return "/dev/ttyS" + std::to_string(n - 1); }});
    }
};

// A reply of the given length whose payload bytes are set at reply offsets.
inline std::vector<uint8_t> replyWith(uint8_t cmd, size_t length,
                                      std::initializer_list<std::pair<size_t, uint8_t>> bytes) {
    std::vector<uint8_t> payload(length - 8, 0);
    for (auto [at, v] : bytes) payload.at(at - 4) = v;
    return sim::makeReply(cmd, payload);
}

}  // namespace kv::test
