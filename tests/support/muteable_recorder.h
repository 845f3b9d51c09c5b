#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "model/responder.h"

namespace kv::test {

// A recorder that can be told to stop answering one command, so that a test
// can fail one step of an operation and leave the others working.
class MuteableRecorder : public sim::Responder {
  public:
    explicit MuteableRecorder(std::unique_ptr<sim::Responder> inner) : inner_(std::move(inner)) {}
    std::vector<uint8_t> respond(const uint8_t* frame, size_t n) override {
        if (n > 2 && frame[2] == mutedCode) return {};
        return inner_->respond(frame, n);
    }
    std::vector<uint8_t> nextTelegram() override { return inner_->nextTelegram(); }

    int mutedCode = -1;  // command code that gets no answer; -1 none

  private:
    std::unique_ptr<sim::Responder> inner_;
};

}  // namespace kv::test
