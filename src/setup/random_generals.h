#pragma once
// The roster of 170 generals a new game is built from, and the invented generals that fill it.

#include <string>

#include "world/game_folder.h"
#include "world/random.h"
#include "world/records.h"
#include "world/table.h"

namespace teijinki {

inline constexpr int kRosterSize = 170;

struct Roster {
    // Indexed by general id 1..170 (room for 0..200); only name, abilities, kunID, Job and jpg
    // are used.
    Table<Bushou, 201> generals;
};

// Names: surname + given name drawn from \ini\sei.ini (surnames 1..166 only) and \ini\mei.ini.
// Throws DataError naming the list when it is missing or holds fewer names than the draws need.
void mk_Name_rtn(const GameFolder& folder, RandomSource& rng, Roster& roster);
// Jobs and the six abilities by the job's dice; every invented general serves nobody.
void mk_Abl_rtn(RandomSource& rng, Roster& roster);

}  // namespace teijinki
