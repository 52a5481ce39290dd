#include "world/random.h"

#include <chrono>
#include <stdexcept>
#include <string>

namespace teijinki {

namespace {
std::uint64_t splitmix64(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}
std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
}  // namespace

int roll(RandomSource& rng, int n) {
    const float product = rng.Rnd() * static_cast<float>(n);
    int value = static_cast<int>(product);  // draws are non-negative, so truncation is Int
    // A source that gives 1 (none should) still gives a face of the die; the rules never see n.
    if (value >= n) value = n - 1;
    return value;
}

int roll2d6(RandomSource& rng) {
    const int a = roll(rng, 6);
    const int b = roll(rng, 6);
    return a + b + 2;
}

SeededRandom::SeededRandom(std::uint64_t seed) { reseed(seed); }

void SeededRandom::reseed(std::uint64_t seed) {
    std::uint64_t x = seed;
    state_[0] = splitmix64(x);
    // Never both zero (xoroshiro's one dead state): splitmix64's mix is a bijection that maps
    // only 0 to 0, and two steps in a row cannot both start from 0.
    state_[1] = splitmix64(x);
}

float SeededRandom::Rnd() {
    // xoroshiro128+
    const std::uint64_t s0 = state_[0];
    std::uint64_t s1 = state_[1];
    const std::uint64_t result = s0 + s1;
    s1 ^= s0;
    state_[0] = rotl(s0, 24) ^ s1 ^ (s1 << 16);
    state_[1] = rotl(s1, 37);
    return static_cast<float>(result >> 40) * (1.0f / 16777216.0f);
}

void SeededRandom::Randomize() {
    std::uint64_t x = state_[0] ^ rotl(state_[1], 17) ^ 0xA5A5A5A5DEADBEEFULL;
    reseed(splitmix64(x));
}

ClockRandom::ClockRandom()
    : SeededRandom(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                   static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count())) {}

void ClockRandom::Randomize() {
    const auto clock = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    std::uint64_t x = state_[0] ^ rotl(state_[1], 29) ^ clock;
    reseed(splitmix64(x));
}

float ScriptedRandom::Rnd() {
    if (values_.empty())
        throw std::logic_error("scripted random source ran out after " + std::to_string(draws_) + " draws");
    const float value = values_.front();
    values_.pop_front();
    ++draws_;
    return value;
}

}  // namespace teijinki
