#pragma once
// Whole-file reads and writes the year rules share: every warlord or general at once, so a
// procedure that looks at all of them reads each file a single time.

#include <memory>

#include "turn/main_state.h"
#include "world/working_set.h"

namespace teijinki {

// Warlords 1..gun_count as the file holds them (ids, destroyed flags included).
std::unique_ptr<WorkingSet> load_warlords(const MainState& m);
// Generals 1..bushou_count and warlords 1..gun_count.
std::unique_ptr<WorkingSet> load_generals_and_warlords(const MainState& m);
// Rewrites the warlord file once with every warlord of the set, which gives the same file as
// saving the changed warlords one after the other.
void save_warlords(const MainState& m, const WorkingSet& set);
// The warlord whose lord is the given general (the last one when several are), 0 when none.
int warlord_of_lord(const SharedValues& shared, const WorkingSet& set, int lord);

}  // namespace teijinki
