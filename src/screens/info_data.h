#pragma once
// What the information screens show, computed from the working files each time a screen opens:
// the warlord sheet and its general table, the lists of warlords, generals and provinces, and the
// map of provinces. Nothing here is kept between screens and nothing is written.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "world/game_folder.h"
#include "world/shared_values.h"

namespace teijinki::info {

// One line per row inside a column, as the screens stack them.
inline constexpr const char* kLineBreak = "\r\n";

// An entry of a general list: shown name, and the general id as item data.
struct GeneralEntry {
    int id = 0;
    std::string name;
};

// ---- Warlord sheet (軍の内情) ----

struct WarlordSheet {
    int warlord_id = 0;
    bool found = false;
    std::string caption;  // name + "軍の内情"
    std::string name;
    int kunshu_id = 0;
    // "総兵力" … "領国数", and their values line by line ("35000", "5000", …, " 3").
    std::array<std::string, 7> figure_captions{};
    std::array<std::string, 7> figure_values{};
    int province_count = 0;
    std::string provinces;  // every name followed by "、"
    std::string txt_lab;    // the caller's line
    // "文官", "武官", "参謀（軍師）", "将軍", "君主": generals of the lord by job, file order.
    std::array<std::string, 5> job_frames{};
    std::array<std::vector<GeneralEntry>, 5> job_lists{};
    // The lord's portrait, shown from "CG\" + portrait + ".jpg"; empty when there is none.
    std::string portrait;
};

WarlordSheet load_warlord_sheet(const GameFolder& folder, const SharedValues& shared, int warlord_id,
                                const std::string& txt_lab);

// ---- General table of one lord (武将一覧) ----

struct GeneralRow {
    int id = 0;
    std::string name;
    // "政治", "武勇", "智謀", "采配", "器量", "節度", "職業"; "-" for an ability the job does not show.
    std::array<std::string, 7> values{};
};

struct GeneralTableView {
    std::string caption;                   // "武将一覧"
    std::array<std::string, 8> headings{};  // "名前" … "職業"
    std::vector<GeneralRow> rows;
};

GeneralTableView load_general_table(const GameFolder& folder, const SharedValues& shared, int lord_id);

// ---- All warlords (軍閥一覧) ----

struct WarlordRow {
    int warlord_id = 0;
    std::string name;
    // "総兵力", "精兵", "政安", "結束", "名声", "畏怖", "武将数", "領国数", "盟主".
    std::array<std::string, 9> values{};
};

struct WarlordListView {
    std::string caption;                    // "軍閥一覧"
    std::array<std::string, 10> headings{};  // "君主", "総兵力\r\n（千）", …
    std::vector<WarlordRow> rows;            // surviving warlords, file order
};

WarlordListView load_warlord_list(const GameFolder& folder, const SharedValues& shared);

// ---- Generals by warlord (各軍閥所属部将) ----

inline constexpr int kGeneralColumns = 13;

struct WarlordColumn {
    std::string heading;  // the warlord's name
    bool visible = false;
    bool destroyed = false;  // painted silver
    int kunshu_id = 0;
    std::vector<GeneralEntry> generals;
};

struct GeneralsByWarlordView {
    std::string caption;  // "各軍閥所属部将"
    std::array<WarlordColumn, kGeneralColumns> columns{};
};

GeneralsByWarlordView load_generals_by_warlord(const GameFolder& folder, const SharedValues& shared);

// ---- All provinces (国一覧) ----

struct ProvinceRow {
    int province_id = 0;
    std::string name;
    std::string army;
    std::string owner;  // owning warlord's name; empty when nobody owns it
};

struct ProvinceListView {
    std::string caption;                   // "国一覧"
    std::array<std::string, 3> headings{};  // "国名", "兵力\r\n（千）", "君主"
    std::vector<ProvinceRow> rows;
};

ProvinceListView load_province_list(const GameFolder& folder, const SharedValues& shared);

// ---- Map of provinces (全国地図) ----

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

struct MapPoint {
    double x = 0, y = 0;
};

// A place on the map, from \ini\KuniMap.ini: ".id", "name","region", x,y (1000 x 800 space).
struct MapPlace {
    int province_id = 0;
    std::string name;
    std::string region;
    MapPoint at;
};

struct RegionFrame {
    std::string name;
    std::vector<int> province_ids;
    std::vector<MapPoint> hull;  // convex hull of the provinces' places, counter-clockwise
    double left = 0, top = 0, right = 0, bottom = 0;
};

inline constexpr double kMapWidth = 1000;
inline constexpr double kMapHeight = 800;

// The nine regions in the order their frames are listed.
const std::array<const char*, 9>& region_names();

// Reads \ini\KuniMap.ini: one place per province 1..kuni_count. A missing file, a missing place
// or a place off the map throws DataError naming the file and the record.
std::vector<MapPlace> load_map_places(const GameFolder& folder, const SharedValues& shared);
std::vector<RegionFrame> region_frames(const std::vector<MapPlace>& places);

// Centres for labels of the given sizes placed at the given points, moved apart just enough that
// no two overlap (with `gap` between them) and kept inside the map.
std::vector<MapPoint> spread_labels(const std::vector<MapPoint>& at, const std::vector<MapPoint>& sizes,
                                    double gap = 2);

// Centres for the regions' captions (one per frame, sizes given): beside one of the region's
// labels, as near the top of the frame as they can be without covering a label or another caption,
// and outside the other frames (drawn frame_pad beyond their hulls) where that can be had.
std::vector<MapPoint> place_region_captions(const std::vector<RegionFrame>& frames,
                                            const std::vector<MapPoint>& caption_sizes,
                                            const std::vector<MapPoint>& label_centres,
                                            const std::vector<MapPoint>& label_sizes, double frame_pad = 30);

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
