#include "media/soundfont.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace teijinki {

std::vector<std::filesystem::path> default_soundfont_places() {
    // TimGM6mb first: a whole General MIDI set in 6 MB, where FluidR3's samples for one piece
    // alone take some 25 MB of memory (and its 148 MB in all when loaded whole).
    return {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
            "/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/soundfonts"};
}

namespace {

bool readable_file(const std::filesystem::path& p) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(p, ec)) return false;  // follows symbolic links
    std::ifstream in(p, std::ios::binary);
    return static_cast<bool>(in);
}

bool has_sf2_extension(const std::filesystem::path& p) {
    std::string ext = p.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".sf2";
}

}  // namespace

SoundfontSearch find_soundfont(const char* override_value, const std::vector<std::filesystem::path>& places) {
    SoundfontSearch result;
    if (override_value && *override_value) {
        const std::filesystem::path file(override_value);
        if (readable_file(file))
            result.file = file;
        else
            result.error = std::string(kSoundfontVariable) + " names " + file.string() + ", which is not a readable file";
        return result;
    }
    for (const auto& place : places) {
        std::error_code ec;
        if (std::filesystem::is_directory(place, ec)) {
            std::vector<std::filesystem::path> found;
            for (std::filesystem::directory_iterator it(place, ec), end; !ec && it != end; it.increment(ec))
                if (has_sf2_extension(it->path()) && readable_file(it->path())) found.push_back(it->path());
            if (!found.empty()) {
                result.file = *std::min_element(found.begin(), found.end());
                return result;
            }
        } else if (readable_file(place)) {
            result.file = place;
            return result;
        }
    }
    result.error = "no General MIDI soundfont found (install timgm6mb-soundfont or fluid-soundfont-gm, or set " + std::string(kSoundfontVariable) + ")";
    return result;
}

SoundfontSearch find_soundfont() { return find_soundfont(std::getenv(kSoundfontVariable), default_soundfont_places()); }

}  // namespace teijinki
