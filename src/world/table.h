#pragma once
// Fixed-size tables indexed from 0, as the game's per-general, per-warlord and per-slot tables.
// An index outside the bounds is a fault of the program, so it throws instead of corrupting memory.

#include <array>
#include <cstddef>
#include <string>

#include "world/error.h"

namespace teijinki {

template <class T, std::size_t N>
class Table {
public:
    static constexpr std::size_t size() { return N; }

    T& operator[](long index) { return items_[checked(index)]; }
    const T& operator[](long index) const { return items_[checked(index)]; }

    void fill(const T& value) { items_.fill(value); }
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }
    bool operator==(const Table&) const = default;

private:
    static std::size_t checked(long index) {
        if (index < 0 || static_cast<std::size_t>(index) >= N) [[unlikely]]
            outside(index);
        return static_cast<std::size_t>(index);
    }
    // Apart from checked(), so that the check itself is small enough to be inlined everywhere.
    [[noreturn, gnu::noinline, gnu::cold]] static void outside(long index) {
        throw ProgramError("table index " + std::to_string(index) + " outside 0.." + std::to_string(N - 1));
    }
    std::array<T, N> items_{};
};

}  // namespace teijinki
