#pragma once
// The values all screens share for the whole run. One object, passed by reference; a test makes
// a fresh one.

#include <algorithm>
#include <string>
#include <vector>

#include "world/numbers.h"
#include "world/table.h"

namespace teijinki {

inline constexpr int kMaxGenerals = 200;  // per-general tables hold ids 0..200
inline constexpr int kMaxWarlords = 20;   // per-warlord and per-slot tables hold 0..20
inline constexpr int kMaxAlliances = 3;   // alliance slots 1..3, tables 0..3
inline constexpr int kMaxProvinces = 50;  // province tables hold 0..50
inline constexpr int kGeneralsInGame = 170;
inline constexpr int kProvincesInGame = 48;  // every scenario's map

using GeneralTable = Table<Int16, kMaxGenerals + 1>;
using WarlordTable = Table<Int16, kMaxWarlords + 1>;
using AllianceTable = Table<Int16, kMaxAlliances + 1>;
// Offer parameters, indexed [panel 0..3][list position 0..3].
using OfferTable = Table<Table<Int16, 4>, 4>;

struct SharedValues {
    Int16 gun_count = 13;
    Int16 bushou_count = 155;
    Int16 kuni_count = 48;
    Int16 scenario_no = 1;

    WarlordTable player_lord;
    WarlordTable player_gun;
    WarlordTable player_mei;
    Table<std::string, kMaxWarlords + 1> player_name;

    AllianceTable mei_leader;
    AllianceTable mei_kessoku;
    AllianceTable mei_troops;
    WarlordTable gun_mei2;
    WarlordTable gun_mei;

    OfferTable com_subject;
    OfferTable com_object;
    OfferTable com_level;
    // The command numbers of each panel's offer list, in list order (the item data of the
    // main screen's command lists), read by the strategy phase and the screens.
    Table<std::vector<int>, 4> com_codes;

    Int16 form_param;
    bool saved_flag = false;
    Int16 form_result;
    Int16 text_no;
    std::string text_sub1;
    std::string text_sub2;
    std::string msg_text;
    Int16 msg_mode;
    Int16 start_mode;
    Table<Int16, 8> save_info;
};

// The last general, warlord and province id the counts name, kept within the tables (and at
// least 0), so that a count a damaged file left behind never walks a loop past them.
inline int last_general(const SharedValues& shared) { return std::clamp<int>(shared.bushou_count, 0, kMaxGenerals); }
inline int last_warlord(const SharedValues& shared) { return std::clamp<int>(shared.gun_count, 0, kMaxWarlords); }
inline int last_province(const SharedValues& shared) { return std::clamp<int>(shared.kuni_count, 0, kMaxProvinces); }

}  // namespace teijinki
