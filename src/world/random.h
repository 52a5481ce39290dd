#pragma once
// The one source of dice for every rule: Rnd() in [0, 1) and Randomize().
// Three kinds: clock-seeded for play, seeded for reproducible games, scripted for tests.

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <vector>

namespace teijinki {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniform single-precision draw in [0, 1).
    virtual float Rnd() = 0;
    // Re-seed. Never makes the following draws repeat earlier ones.
    virtual void Randomize() = 0;
};

// Int(Rnd × n): 0 .. n − 1, computed in single precision as the rules do.
int roll(RandomSource& rng, int n);
// Int(Rnd × 6) + Int(Rnd × 6) + 2, two separate draws.
int roll2d6(RandomSource& rng);

// xoshiro128-style generator with 24-bit outputs, the resolution of a single-precision draw.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed);
    float Rnd() override;
    // Derives the new state from the current one, never from the clock, so a seeded game
    // repeats byte for byte.
    void Randomize() override;

protected:
    void reseed(std::uint64_t seed);
    std::uint64_t state_[2];
};

// Seeded from the clock at start; Randomize mixes the clock into the running state, so two
// re-seeds within one clock tick still give fresh draws.
class ClockRandom : public SeededRandom {
public:
    ClockRandom();
    void Randomize() override;
};

// Hands out the given values in order; running out is a fault of the test and throws.
class ScriptedRandom : public RandomSource {
public:
    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<float> values) : values_(values) {}
    explicit ScriptedRandom(const std::vector<float>& values) : values_(values.begin(), values.end()) {}

    void push(float value) { values_.push_back(value); }
    // Queue a value that makes Int(Rnd × n) come out as k.
    void push_roll(int k, int n) { values_.push_back((static_cast<float>(k) + 0.5f) / static_cast<float>(n)); }
    float Rnd() override;
    void Randomize() override { ++randomize_calls_; }

    std::size_t remaining() const { return values_.size(); }
    std::size_t draws() const { return draws_; }
    int randomize_calls() const { return randomize_calls_; }

private:
    std::deque<float> values_;
    std::size_t draws_ = 0;
    int randomize_calls_ = 0;
};

}  // namespace teijinki
