#include "model/scripted_responder.h"

#include <algorithm>

namespace kv::sim {

void ScriptedResponder::on(uint8_t cmd, std::vector<uint8_t> reply) {
    sequences_.erase(cmd);
    handlers_[cmd] = [reply = std::move(reply)](const uint8_t*, size_t) { return reply; };
}

void ScriptedResponder::on(uint8_t cmd, Handler handler) {
    sequences_.erase(cmd);
    handlers_[cmd] = std::move(handler);
}

void ScriptedResponder::onSequence(uint8_t cmd, std::vector<std::vector<uint8_t>> replies) {
    handlers_.erase(cmd);
    sequences_[cmd] = {std::move(replies), 0};
}

void ScriptedResponder::echoEverything() {
    setDefault([](const uint8_t* f, size_t n) { return std::vector<uint8_t>(f, f + n); });
}

std::vector<uint8_t> ScriptedResponder::respond(const uint8_t* frame, size_t n) {
    received_.emplace_back(frame, frame + n);
    if (n < 3) return {};
    uint8_t cmd = frame[2];
    if (auto s = sequences_.find(cmd); s != sequences_.end()) {
        auto& [replies, next] = s->second;
        if (replies.empty()) return {};
        std::vector<uint8_t> r = replies[std::min(next, replies.size() - 1)];
        ++next;
        return r;
    }
    if (auto h = handlers_.find(cmd); h != handlers_.end()) return h->second(frame, n);
    if (default_) return default_(frame, n);
    return {};
}

std::vector<uint8_t> ScriptedResponder::nextTelegram() {
    if (telegrams_.empty()) return {};
    std::vector<uint8_t> t = std::move(telegrams_.front());
    telegrams_.pop_front();
    return t;
}

int ScriptedResponder::countOf(uint8_t cmd) const {
    return static_cast<int>(std::count_if(received_.begin(), received_.end(), [cmd](const auto& f) {
        return f.size() > 2 && f[2] == cmd;
    }));
}

}  // namespace kv::sim
