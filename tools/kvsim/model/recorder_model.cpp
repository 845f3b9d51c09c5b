#include "model/recorder_model.h"

namespace kv::sim {
namespace {

// Placeholder until the command set is modelled: a recorder that never answers.
class SilentRecorder : public Responder {
public:
    std::vector<uint8_t> respond(const uint8_t*, size_t) override { return {}; }
};

}  // namespace

std::unique_ptr<Responder> makeRecorderModel(const RecorderConfig&) {
    return std::make_unique<SilentRecorder>();
}

}  // namespace kv::sim
