#include "world/encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

namespace teijinki {

bool is_valid_utf8(std::string_view s) {
    std::size_t i = 0;
    const std::size_t n = s.size();
    while (i < n) {
        // Runs of plain ASCII (digits, commas, line ends: most of a working file) eight at a time.
        while (i + 8 <= n) {
            std::uint64_t eight;
            std::memcpy(&eight, s.data() + i, 8);
            if (eight & 0x8080808080808080ULL) break;
            i += 8;
        }
        if (i >= n) break;
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) { ++i; continue; }
        int extra;
        unsigned int min;
        unsigned int cp;
        if ((c & 0xE0) == 0xC0) { extra = 1; min = 0x80; cp = c & 0x1F; }
        else if ((c & 0xF0) == 0xE0) { extra = 2; min = 0x800; cp = c & 0x0F; }
        else if ((c & 0xF8) == 0xF0) { extra = 3; min = 0x10000; cp = c & 0x07; }
        else return false;
        if (i + static_cast<std::size_t>(extra) >= n) return false;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

namespace {

std::optional<std::string> convert(std::string_view bytes, const char* from, const char* to) {
    // Opened for each text and closed again: a converter held open keeps some 32 KB.
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out;
    out.resize(bytes.size() * 2 + 16);
    char* in_ptr = const_cast<char*>(bytes.data());
    std::size_t in_left = bytes.size();
    std::size_t used = 0;
    bool ok = true;
    while (in_left > 0) {
        char* out_ptr = out.data() + used;
        std::size_t out_left = out.size() - used;
        const std::size_t r = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
        used = out.size() - out_left;
        if (r == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG) { out.resize(out.size() * 2); continue; }
            ok = false;
            break;
        }
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    out.resize(used);
    return out;
}
}  // namespace

std::optional<std::string> to_utf8(std::string_view bytes, Encoding from) {
    if (from == Encoding::Utf8) {
        if (!is_valid_utf8(bytes)) return std::nullopt;
        return std::string(bytes);
    }
    return convert(bytes, "CP932", "UTF-8");
}

std::optional<std::string> from_utf8(std::string_view utf8, Encoding to) {
    if (to == Encoding::Utf8) return std::string(utf8);
    return convert(utf8, "UTF-8", "CP932");
}

bool cp932_can_hold(std::string_view utf8) { return from_utf8(utf8, Encoding::ShiftJis).has_value(); }

}  // namespace teijinki
