#pragma once
// The odds of one offer of the year, counted from the year itself: the strategy phase is played
// many times in memory on copies of the loaded world, each run with its own seeded dice, and the
// outcome of the offer is read from what each run told and changed. So the odds follow the rules
// wherever they go. Nothing is written, and the game's own dice and shared values are not touched.

#include <string>

#include "world/game_folder.h"
#include "world/shared_values.h"
#include "world/template_composer.h"

namespace teijinki {

// Enough runs for a figure within a few points, few enough to show at once.
inline constexpr int kOddsRuns = 400;

// How the wars the entry launched ended, from the attacker's side (one war per run at most).
struct WarOdds {
    int won = 0;
    int lost = 0;
    int drawn = 0;
    int enemy_yielded = 0;   // the defender gave in to the surrender demand
    int own_yielded = 0;     // the attacker gave in instead
    int demand_refused = 0;  // the surrender demand came to nothing
};

// Counts over `runs` runs for the entry (panel, pos). Each count is a number of runs.
struct OfferOdds {
    int panel = 0;
    int pos = 0;
    int code = 0;
    int own = 0;           // the warlord asked about (0 = the plans as they stand)
    int runs = 0;          // 0 when the entry is nothing that is carried out
    int participants = 0;  // living warlords whose plan is this entry
    int executed = 0;      // a general was chosen to carry it out
    int by_own = 0;        // ... one of own's generals
    int top_executor = 0;  // the general chosen most often (0 = nobody)
    std::string top_executor_name;
    int top_executor_runs = 0;
    int top_executor_warlord = 0;  // the warlord he serves
    std::string top_executor_warlord_name;
    int success = 0;          // the strategy reached its aim (see odds_text.h for each strategy)
    int success_by_own = 0;   // ... carried out by one of own's generals
    int partial = 0;          // 異民族討伐: only a partial success
    int province_taken = 0;   // 黄巾賊退治: the rebels' province taken as well
    int leader_joined = 0;    // 黄巾賊退治, 異民族討伐: their leader came over as well
    int generals_gained = 0;  // summed over the runs: generals who came over to the executor's warlord
    WarOdds war;
};

// The plans are the year's offers and every warlord's pick in `shared` (com_codes, com_*,
// gun_mei, gun_mei2); when own ≥ 1 (a warlord listed in the panel) its pick becomes pos, as a
// player's confirmed choice would. The working set is read once from
// the folder; run i plays on its own copies with SeededRandom(seed of i). Throws DataError when a
// working file cannot be read, as the year itself would.
OfferOdds estimate_offer_odds(const GameFolder& folder, const SharedValues& shared, const TemplateTable& text,
                              int panel, int pos, int own, int runs = kOddsRuns);

}  // namespace teijinki
