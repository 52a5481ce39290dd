#include "world/numbers.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <string_view>

namespace teijinki {

namespace {
// A real outside the range of long long (a number field of twenty digits, an infinity) would make
// the conversion undefined; it is held at the nearest end instead, and NaN reads as 0.
long long to_integer(double whole) {
    if (std::isnan(whole)) return 0;
    if (whole >= 9.2233720368547758e18) return std::numeric_limits<long long>::max();
    if (whole <= -9.2233720368547758e18) return std::numeric_limits<long long>::min();
    return static_cast<long long>(whole);
}
}  // namespace

long long Int(double x) { return to_integer(std::floor(x)); }

long long CInt(double x) { return to_integer(std::nearbyint(x)); }

std::string Str(long long value) {
    return value >= 0 ? " " + std::to_string(value) : std::to_string(value);
}

std::string Digits(long long value) { return std::to_string(value); }

std::string Str(double value) {
    // Single precision, as the formulas compute: seven significant digits at most.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.7g", static_cast<double>(static_cast<float>(value)));
    std::string text = buffer;
    return value >= 0 ? " " + text : text;
}

double Comma3(float x) { return static_cast<double>(Int(x * 1000.0f)) / 1000.0; }

long long Val(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c == ' ') continue;  // Val ignores blanks between digits
        if (c < '0' || c > '9') break;
        if (value < 1'000'000'000'000LL) value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

}  // namespace teijinki
