#pragma once
// Where the General MIDI soundfont is: the file named by TEIJINKI_SOUNDFONT when that is set,
// otherwise the first of the places Debian installs soundfonts.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace teijinki {

inline constexpr const char* kSoundfontVariable = "TEIJINKI_SOUNDFONT";

// The places searched in order: files, and folders whose *.sf2 files are taken in name order.
std::vector<std::filesystem::path> default_soundfont_places();

struct SoundfontSearch {
    std::optional<std::filesystem::path> file;
    std::string error;  // why none was found
};

// override_value: the variable's value (nullptr or "" when unset). A value that names no
// readable file is an error of its own; the other places are not tried then, so a mistyped
// setting is not hidden by a soundfont found elsewhere.
SoundfontSearch find_soundfont(const char* override_value, const std::vector<std::filesystem::path>& places);
// The same with the environment and the default places.
SoundfontSearch find_soundfont();

}  // namespace teijinki
