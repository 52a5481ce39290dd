#pragma once
// Numbers as the game stores and shows them: 16-bit values that saturate, Int, CInt, Str, Comma3.

#include <concepts>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>

namespace teijinki {

// Clamp a wide result into the 16-bit range every stored game value has.
constexpr std::int16_t saturate16(long long value) {
    if (value > std::numeric_limits<std::int16_t>::max()) return std::numeric_limits<std::int16_t>::max();
    if (value < std::numeric_limits<std::int16_t>::min()) return std::numeric_limits<std::int16_t>::min();
    return static_cast<std::int16_t>(value);
}

// A stored game value: reads as int, and saturates instead of wrapping when a wide result is stored.
// Reals must be converted explicitly (CInt or Int) before they are stored.
class Int16 {
public:
    constexpr Int16() = default;
    template <std::integral T>
    constexpr Int16(T value) : value_(saturate16(static_cast<long long>(value))) {}  // NOLINT: implicit by design
    template <class E>
        requires std::is_enum_v<E>
    constexpr Int16(E value) : value_(saturate16(static_cast<long long>(value))) {}  // NOLINT
    template <std::floating_point T>
    Int16(T) = delete;

    constexpr operator int() const { return value_; }  // NOLINT
    constexpr Int16& operator+=(long long d) { value_ = saturate16(value_ + d); return *this; }
    constexpr Int16& operator-=(long long d) { value_ = saturate16(value_ - d); return *this; }
    constexpr Int16& operator++() { return *this += 1; }
    constexpr Int16& operator--() { return *this -= 1; }

private:
    std::int16_t value_ = 0;
};

// A whole number as the single-precision real the formulas compute in.
constexpr float real(long long value) { return static_cast<float>(value); }
// field + gain, but never above cap (a field already above it is brought down to it).
constexpr void raise_capped(Int16& field, long long gain, int cap) {
    const long long value = static_cast<long long>(field) + gain;
    field = value > cap ? cap : value;
}

// The largest integer not greater than x.
long long Int(double x);
// Nearest integer, halves to the even neighbour.
long long CInt(double x);

// A number as text: a non-negative number gets one leading blank (the sign position).
std::string Str(long long value);
inline std::string Str(int value) { return Str(static_cast<long long>(value)); }
inline std::string Str(long value) { return Str(static_cast<long long>(value)); }
// A real as text in the same form, shortest single-precision digits ("1.7", "0.333").
std::string Str(double value);
// The same without the sign blank.
std::string Digits(long long value);
inline std::string Digits(int value) { return Digits(static_cast<long long>(value)); }

// x cut (not rounded) to three decimals, multiplied in single precision as the score is kept
// (so 0.7 stays 0.7).
double Comma3(float x);

// Val: the numeric value at the start of a text (blanks skipped, digits read until the first
// other character); 0 when there is none.
long long Val(std::string_view text);

}  // namespace teijinki
