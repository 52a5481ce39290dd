// The list reader and the text layer on any bytes: decoding, items, numbers, lines, markers.

#include <cstdint>
#include <string>

#include "world/error.h"
#include "world/game_folder.h"
#include "world/list_io.h"
#include "world/numbers.h"

using namespace teijinki;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string text;
    try {
        text = decode_text(bytes, "fuzz.ini");
    } catch (const DataError&) {
        text = bytes;  // the reader must cope with undecoded bytes as well
    }
    ListReader in(text, "fuzz.ini");
    int steps = 0;
    while (!in.eof() && ++steps < 100000) {
        const std::size_t kind = static_cast<std::size_t>(steps) % 3;
        try {
            if (kind == 0) (void)in.item();
            else if (kind == 1) (void)in.number(1, "field");
            else (void)in.line();
        } catch (const DataError&) {
            (void)in.item();
        }
    }
    if (steps >= 100000) __builtin_trap();  // the reader stopped moving forward
    for (const auto& line : split_lines(text)) {
        for (const auto& item : split_items(line)) {
            std::int16_t n = 0;
            (void)parse_number(item, n);
            (void)marker_id(item);
            (void)Val(item);
        }
    }
    return 0;
}
