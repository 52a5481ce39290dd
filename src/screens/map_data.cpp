#include "screens/map_data.h"

#include <algorithm>
#include <iterator>
#include <map>

#include "screens/info_records.h"
#include "world/error.h"
#include "world/list_io.h"
#include "world/numbers.h"
#include "world/record_file.h"

namespace teijinki::info {

MapColour owner_colour(int warlord_id) {
    // at(): a reading past the table is a fault, not a colour.
    static constexpr auto table = std::to_array<MapColour>({
        {0, 0, 0, true},       // nobody's: the system's title-bar text colour
        {0, 0, 255, false},    // blue
        {0, 255, 0, false},    // green
        {255, 0, 0, false},    // red
        {255, 255, 0, false},  // yellow
        {255, 0, 255, false},  // magenta
        {0, 0, 0, false},      // black
        {128, 128, 0, false},  // olive
        {0, 255, 255, false},  // cyan
        {255, 128, 0, false},  // orange
        {0, 0, 128, false},    // navy
        {192, 192, 192, false},  // silver
        {128, 0, 0, false},    // maroon
        {255, 128, 128, false},  // light red
    });
    if (warlord_id < 0 || warlord_id > kMaxWarlords)
        throw ProgramError("map colour of warlord " + std::to_string(warlord_id) + " outside 0.." +
                           std::to_string(kMaxWarlords));
    if (warlord_id < std::ssize(table)) return table.at(warlord_id);
    return kBlack;
}

MapColour owner_text_colour(int warlord_id) {
    const bool dark = warlord_id == 1 || warlord_id == 6 || warlord_id == 10 || warlord_id == 12 || warlord_id >= 14;
    return dark ? kYellow : kBlack;
}

const std::array<const char*, 9>& region_names() {
    static const std::array<const char*, 9> names = {"荊州", "益州", "揚州", "豫州", "徐州",
                                                      "冀州", "幽州", "雍州", "涼州"};
    return names;
}

std::vector<MapPlace> load_map_places(const GameFolder& folder, const SharedValues& shared) {
    const char* literal = "\\ini\\KuniMap.ini";
    const std::string label = GameFolder::display_name(literal);
    ListReader in(folder.read_text(literal), label);
    const int count = shared.kuni_count;
    std::map<int, MapPlace> places;
    while (!in.eof()) {
        const std::string item = in.item();
        const int id = marker_id(item);
        if (id <= 0) continue;
        MapPlace place;
        place.province_id = id;
        place.name = in.item();
        place.region = in.item();
        place.at.x = in.number(id, "x");
        place.at.y = in.number(id, "y");
        const auto& regions = region_names();
        if (std::find(regions.begin(), regions.end(), place.region) == regions.end())
            throw DataError(label, "region \"" + place.region + "\" is not one of the nine", id);
        if (place.at.x < 0 || place.at.x > kMapWidth || place.at.y < 0 || place.at.y > kMapHeight)
            throw DataError(label, "place outside the 1000 x 800 map", id);
        if (id <= count) places.emplace(id, std::move(place));
    }
    std::vector<MapPlace> out;
    for (int id = 1; id <= count; ++id) {
        const auto it = places.find(id);
        if (it == places.end()) throw DataError(label, "no place on the map for this province", id);
        out.push_back(it->second);
    }
    return out;
}

std::vector<RegionFrame> region_frames(const std::vector<MapPlace>& places) {
    std::vector<RegionFrame> frames;
    for (const char* region : region_names()) {
        RegionFrame frame;
        frame.name = region;
        std::vector<MapPoint> points;
        for (const auto& place : places) {
            if (place.region != region) continue;
            frame.province_ids.push_back(place.province_id);
            points.push_back(place.at);
        }
        if (points.empty()) continue;
        frame.left = frame.right = points.front().x;
        frame.top = frame.bottom = points.front().y;
        for (const auto& p : points) {
            frame.left = std::min(frame.left, p.x);
            frame.right = std::max(frame.right, p.x);
            frame.top = std::min(frame.top, p.y);
            frame.bottom = std::max(frame.bottom, p.y);
        }
        frame.hull = convex_hull(points);
        frames.push_back(std::move(frame));
    }
    return frames;
}

MapView load_map(const GameFolder& folder, const SharedValues& shared) {
    MapView view;
    view.caption = "全国地図";
    const auto places = load_map_places(folder, shared);
    view.regions = region_frames(places);

    std::map<int, Kuni> provinces;
    each_province(folder, shared, [&](int id, const Kuni& k) {
        if (k.gunID < 0 || k.gunID > kMaxWarlords)
            throw DataError(GameFolder::display_name(files::kProvinces),
                            "owner " + std::to_string(k.gunID) + " is not a warlord id (0.." +
                                std::to_string(kMaxWarlords) + ")",
                            id);
        provinces[id] = k;
    });
    std::map<int, std::string> names = warlord_names(folder, shared);
    names[0] = "無所属";

    for (const auto& place : places) {
        MapProvince p;
        p.province_id = place.province_id;
        p.name = place.name;
        p.region = place.region;
        p.at = place.at;
        const auto it = provinces.find(place.province_id);
        if (it != provinces.end()) {
            p.owner = it->second.gunID;
            p.troops = it->second.army;
        }
        p.background = owner_colour(p.owner);
        p.text = owner_text_colour(p.owner);
        p.hover = "[" + p.name + "]" + name_or_empty(names, p.owner) + "軍：兵力" + Digits(p.troops);
        view.provinces.push_back(std::move(p));
    }
    for (int w = 1; w <= kLegendEntries; ++w) {
        LegendEntry& entry = view.legend[w - 1];
        entry.warlord_id = w;
        entry.name = w <= shared.gun_count ? name_or_empty(names, w) : std::string();
        entry.colour = owner_colour(w);
    }
    return view;
}

}  // namespace teijinki::info
