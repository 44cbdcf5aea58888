// A small random generator of our own, so that a seed gives the same numbers on every
// machine and with every compiler (the standard library's distributions do not promise that).
#pragma once

#include <cstddef>
#include <cstdint>

namespace testrandom {

// SplitMix64 (Steele, Lea and Flood): a 64-bit counter stepped by the golden ratio and mixed.
class Random {
public:
    explicit Random(uint64_t seed) : state(seed) {}

    uint64_t Next()
    {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 to n - 1 (0 when n is 0); the slight bias of the remainder does not matter here.
    uint32_t Below(uint32_t n) { return n ? static_cast<uint32_t>(Next() % n) : 0; }
    // low to high, both included.
    int Between(int low, int high) { return low + static_cast<int>(Below(static_cast<uint32_t>(high - low + 1))); }
    bool Percent(uint32_t percent) { return Below(100) < percent; }
    uint32_t Dword() { return static_cast<uint32_t>(Next()); }

    template <typename T, size_t N>
    const T& Pick(const T (&items)[N])
    {
        return items[Below(static_cast<uint32_t>(N))];
    }

private:
    uint64_t state;
};

}  // namespace testrandom
