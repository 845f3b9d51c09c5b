#include "base/kv_assert.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kv {

void assertFailed(const char* file, int line, const char* condition) {
    // The module is the source file's name without folder and extension.
    const char* base = std::strrchr(file, '/');
    base = base ? base + 1 : file;
    const char* dot = std::strrchr(base, '.');
    int len = dot ? static_cast<int>(dot - base) : static_cast<int>(std::strlen(base));
    std::fprintf(stderr, "Assertion failed: module %.*s, line %d: %s\n", len, base, line,
                 condition);
    std::fflush(stderr);
    std::abort();
}

}  // namespace kv
