#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <vector>

#include "model/responder.h"

namespace kv::sim {

// A recorder that answers from a table, for tests and for kvsim's simple modes.
// The command code is byte 2 of the frame. Codes without an entry are met with
// silence unless a default handler is set.
//
//   ScriptedResponder r;
//   r.on(80, makeReply(80, 40));                  // always this reply
//   r.onSequence(0, {{}, {}, makeReply(0, 32)});  // silent twice, then answers (last one repeats)
//   r.on(97, [](const uint8_t* f, size_t n) { return std::vector<uint8_t>(f, f + n); });  // echo
class ScriptedResponder : public Responder {
  public:
    using Handler = std::function<std::vector<uint8_t>(const uint8_t* frame, size_t n)>;

    void on(uint8_t cmd, std::vector<uint8_t> reply);
    void on(uint8_t cmd, Handler handler);
    // Replies given in turn, one per frame with this code; the last repeats.
    void onSequence(uint8_t cmd, std::vector<std::vector<uint8_t>> replies);
    void setDefault(Handler handler) { default_ = std::move(handler); }
    // Every frame answered with a copy of itself (what the write commands do).
    void echoEverything();

    // Live telegrams handed out by nextTelegram(), oldest first.
    void queueTelegram(std::vector<uint8_t> telegram) { telegrams_.push_back(std::move(telegram)); }

    std::vector<uint8_t> respond(const uint8_t* frame, size_t n) override;
    std::vector<uint8_t> nextTelegram() override;

    // Every frame received, in order.
    const std::vector<std::vector<uint8_t>>& received() const { return received_; }
    int countOf(uint8_t cmd) const;

  private:
    std::map<uint8_t, Handler> handlers_;
    std::map<uint8_t, std::pair<std::vector<std::vector<uint8_t>>, size_t>> sequences_;
    Handler default_;
    std::deque<std::vector<uint8_t>> telegrams_;
    std::vector<std::vector<uint8_t>> received_;
};

}  // namespace kv::sim
