#include "base/message_text.h"

namespace kv {
namespace {

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::string shortenedForMessage(std::string_view text, size_t maxBytes) {
    static constexpr std::string_view kEllipsis = "…";
    if (text.size() <= maxBytes || maxBytes <= kEllipsis.size() + 2) return std::string(text);
    const size_t keep = maxBytes - kEllipsis.size();
    size_t head = keep / 2;
    size_t tail = text.size() - (keep - head);
    // A cut inside a character would leave half of it on each side.
    while (head > 0 && isContinuationByte(text[head])) --head;
    while (tail < text.size() && isContinuationByte(text[tail])) ++tail;
    std::string out;
    out.reserve(maxBytes);
    out.append(text.substr(0, head));
    out.append(kEllipsis);
    out.append(text.substr(tail));
    return out;
}

}  // namespace kv
