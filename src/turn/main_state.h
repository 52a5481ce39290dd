#pragma once
// The main screen's state: its record buffers, its text slots, the four panels and the year.
// The desktop screen draws it; the year cycle and the year rules work on it.

#include <string>
#include <vector>

#include "world/game_folder.h"
#include "world/host.h"
#include "world/random.h"
#include "world/record_ops.h"
#include "world/shared_values.h"
#include "world/template_composer.h"

namespace teijinki {

class TraceSink;

// One panel's warlord list (Gun_lst): names with the warlord id as item data, in list order.
struct PanelList {
    std::vector<int> ids;
    std::vector<std::string> names;
    void clear() {
        ids.clear();
        names.clear();
    }
};

struct MainState {
    MainState(const GameFolder& folder_, SharedValues& shared_, RandomSource& rng_, Host& host_)
        : folder(folder_), shared(shared_), rng(rng_), host(host_), ops(folder_, shared_) {}

    const GameFolder& folder;
    SharedValues& shared;
    RandomSource& rng;
    Host& host;

    RecordOps ops;             // the main screen's current-record buffers
    SlotTextStore text;        // text_buf 0..50 and text_idx
    TemplateTable text_table;  // Text.ini, read when the screen opens

    Table<PanelList, 4> gun_lst;           // warlords listed per panel 0..3
    Table<std::string, 4> panel_caption;   // "独立軍閥" and the alliance leaders' names
    std::vector<std::string> player_list;  // dsp_Init_rtn: the players' names
    std::string year_heading;              // "189年の戦況"
    Table<std::string, kMaxWarlords + 1> kun_jpg;  // the lords' portraits by warlord id (setKunJpg)

    int year = 0;
    int end_year = 0;
    int turn_slot = 0;
    std::string turn_label;  // "プレイヤー" CR LF "（name）"
    bool bgm_on = true;
    bool music_failed = false;  // the player failed once: silent until the player switches music on again
    bool game_over = false;  // the program is to end (final screens done, or the player gave up)

    TraceSink* trace = nullptr;
    // Warlords whose plan this year was chosen by a player (for the trace).
    Table<bool, kMaxWarlords + 1> picked_by_player;
};

}  // namespace teijinki
