#pragma once
// What the map of provinces (全国地図) shows, computed from the working files and \ini\KuniMap.ini
// each time it opens: every province's place, owner colour and troops, the regions' frames and the
// legend of the warlords. Nothing is kept between screens and nothing is written.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "screens/map_layout.h"
#include "world/game_folder.h"
#include "world/shared_values.h"

namespace teijinki::info {

// A colour as the map paints it. `system` stands for the desktop's own colour of window-title
// text, which only the screen can look up.
struct MapColour {
    std::uint8_t red = 0, green = 0, blue = 0;
    bool system = false;
    bool operator==(const MapColour&) const = default;
};

// Colour of warlord id 0..20 (0: nobody's); and the text colour on it (yellow on the dark ones).
MapColour owner_colour(int warlord_id);
MapColour owner_text_colour(int warlord_id);
inline constexpr MapColour kYellow{255, 255, 0, false};
inline constexpr MapColour kBlack{0, 0, 0, false};

// A place on the map, from \ini\KuniMap.ini: ".id", "name","region", x,y (1000 x 800 space).
struct MapPlace {
    int province_id = 0;
    std::string name;
    std::string region;
    MapPoint at;
};

// The nine regions in the order their frames are listed.
const std::array<const char*, 9>& region_names();

// Reads \ini\KuniMap.ini: one place per province 1..kuni_count. A missing file, a missing place
// or a place off the map throws DataError naming the file and the record.
std::vector<MapPlace> load_map_places(const GameFolder& folder, const SharedValues& shared);
std::vector<RegionFrame> region_frames(const std::vector<MapPlace>& places);

struct MapProvince {
    int province_id = 0;
    std::string name;  // the label's caption (the map's name of the place)
    std::string region;
    MapPoint at;
    int owner = 0;
    int troops = 0;
    MapColour background;
    MapColour text;
    std::string hover;  // "[洛陽]董卓軍：兵力30"
};

struct LegendEntry {
    int warlord_id = 0;
    std::string name;  // empty past gun_count
    MapColour colour;
};

inline constexpr int kLegendEntries = 13;

struct MapView {
    std::string caption;  // "全国地図"
    std::vector<MapProvince> provinces;
    std::vector<RegionFrame> regions;
    std::array<LegendEntry, kLegendEntries> legend{};
};

MapView load_map(const GameFolder& folder, const SharedValues& shared);

}  // namespace teijinki::info
