#pragma once

// Guards a caller's promise, never input: a failed check names the module, the
// line and the condition, then ends the program.
#define KV_ASSERT(cond) \
    ((cond) ? static_cast<void>(0) : ::kv::assertFailed(__FILE__, __LINE__, #cond))

namespace kv {
[[noreturn]] void assertFailed(const char* file, int line, const char* condition);
}
