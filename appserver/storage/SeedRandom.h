#pragma once

#include <cstdint>

namespace pedserver {

// A small generator with a fixed algorithm (splitmix64), so a seed gives the same data on
// every platform and library, unlike the standard distributions.
class SeedRandom {
public:
    explicit SeedRandom(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    // A number in [0, bound).
    int Below(int bound) { return static_cast<int>(Next() % static_cast<std::uint64_t>(bound)); }
    // A number in [low, high].
    int Between(int low, int high) { return low + Below(high - low + 1); }

private:
    std::uint64_t m_state;
};

} // namespace pedserver
