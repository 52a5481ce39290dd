#pragma once
// The working files of a new game, made from a scenario's masters and the invented generals.

#include <string>
#include <vector>

#include "setup/random_generals.h"
#include "setup/scenarios.h"
#include "world/game_folder.h"
#include "world/random.h"
#include "world/shared_values.h"

namespace teijinki {

// A warlord as the title screen lists it: its name, with its ruler's general id as item data.
struct WarlordEntry {
    std::string name;
    int ruler_id = 0;
};

// Whole-file copies of the scenario's masters over the working files; the two below do nothing
// for a scenario outside 1..6.
void mk_Rinbusv(const GameFolder& folder, const Scenario& s);  // generals and comments
void mk_Kunisv_rtn(const GameFolder& folder, int scenario_no);
void mk_Gunsv_rtn(const GameFolder& folder, int scenario_no);

// The warlords of the scenario's warlord master, in file order, up to the record whose id reaches
// gun_count.
std::vector<WarlordEntry> ld_Gnm_rtn(const GameFolder& folder, const SharedValues& shared);

// Master generals 1..bushou_count over the roster; in scenarios 4 to 6 every non-lord is dealt to
// a listed warlord with chance 1/40 each; \ini\busv.ini written anew with 170 records.
void mk_Busv_rtn(const GameFolder& folder, const SharedValues& shared, RandomSource& rng,
                 const std::vector<WarlordEntry>& warlords, Roster& roster);
// Names, abilities, merge and write; leaves bushou_count at 170.
void ori_Chr_rtn(const GameFolder& folder, SharedValues& shared, RandomSource& rng,
                 const std::vector<WarlordEntry>& warlords);

// What the title screen does when a scenario is clicked: masters checked and copied, then
// scenario_no, gun_count, bushou_count, kuni_count set. Returns false for a scenario outside
// 1..6. A damaged general or comment master throws DataError naming it, with nothing changed.
bool select_scenario(const GameFolder& folder, SharedValues& shared, int scenario_no);

// What "新規ゲーム" does with the ticked list positions: player slots filled (unticked positions
// get player_lord 0 and no name), then the general and province working files made.
// Returns false, writing nothing, when no position is ticked ("武将が選択されていません").
bool start_new_game_files(const GameFolder& folder, SharedValues& shared, RandomSource& rng,
                          const std::vector<WarlordEntry>& warlords, const std::vector<bool>& ticked);

inline constexpr const char* kNoWarlordChosen = "武将が選択されていません";

}  // namespace teijinki
