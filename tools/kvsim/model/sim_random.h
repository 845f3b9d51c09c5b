#pragma once

#include <cstdint>

namespace kv::sim {

// splitmix64: a small generator whose output is the same on every platform,
// unlike the standard library's distributions. Every generated value is a
// function of the seed and the item's place, so any record can be made on
// its own and a recorder of 20000 records costs no memory.
inline uint64_t mix(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

inline uint64_t hashOf(unsigned seed, long measurement, long item, int salt) {
    return mix(mix(mix(seed) ^ static_cast<uint64_t>(measurement)) ^
               (static_cast<uint64_t>(item) * 8 + static_cast<uint64_t>(salt)));
}

// A number in [0, 1) from the top 53 bits of h.
inline double unitOf(uint64_t h) {
    return static_cast<double>(h >> 11) * (1.0 / 9007199254740992.0);
}

// low to high, both included.
inline int between(uint64_t h, int low, int high) {
    return low + static_cast<int>(h % static_cast<uint64_t>(high - low + 1));
}

}  // namespace kv::sim
