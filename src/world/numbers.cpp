#include "world/numbers.h"

#include <cmath>
#include <cstdio>
#include <string_view>

namespace teijinki {

long long Int(double x) { return static_cast<long long>(std::floor(x)); }

long long CInt(double x) { return static_cast<long long>(std::nearbyint(x)); }

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
