#pragma once
// What the warlord sheet, its general table and the lists of warlords, generals and provinces
// show, computed from the working files each time a screen opens. Nothing here is kept between
// screens and nothing is written. The map's data is in map_data.h.

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

}  // namespace teijinki::info
