#pragma once
// Game folders come in UTF-8 (what this project ships) or Shift-JIS (CP932, what the original
// platform wrote). Inside the program every text is UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace teijinki {

enum class Encoding { Utf8, ShiftJis };

bool is_valid_utf8(std::string_view bytes);
// Decodes bytes of the given encoding to UTF-8; nullopt when they are not valid in it.
std::optional<std::string> to_utf8(std::string_view bytes, Encoding from);
// Encodes UTF-8 text; nullopt when a character has no place in the target code page.
std::optional<std::string> from_utf8(std::string_view utf8, Encoding to);
bool cp932_can_hold(std::string_view utf8);

}  // namespace teijinki
