#pragma once
// The yearly pass over every queued offer: who takes part, which general carries each entry
// out, the entry's roll, the strategy itself, the destruction check and the write-back.

#include "messages/msg_state.h"
#include "strategy/strategies.h"
#include "strategy/strategy_table.h"
#include "world/shared_values.h"
#include "world/table.h"

namespace teijinki {

// One 2d6 roll per warlord id 1..19 (ids 0 and 20 keep 0), drawn at the start of the phase.
using GunRolls = Table<int, kMaxWarlords + 1>;
// Per general id: may carry out the current entry.
using Candidates = Table<bool, kMaxGenerals + 1>;

GunRolls draw_gun_rolls(RandomSource& rng);

// Whether warlord g picked entry (list, entry) of the year.
bool takes_part(const SharedValues& shared, int g, int list, int entry);

// "***name（プレイヤー）が関わった作戦***" for every player whose warlord takes part.
void player_headings(MsgState& state, int list, int entry);

// The generals who may carry out the entry: serving a ruler, of a living warlord that takes
// part, and not of a job the strategy excludes.
Candidates find_candidates(const MsgState& state, int list, int entry, int code);

// Chooses the executing general among the candidates by the strategy's group; fills exec_id,
// best and fail_id of the entry. Codes outside 1..12 choose nobody and draw nothing.
void choose_executor(MsgState& state, const Candidates& cand, const GunRolls& gun_roll, StrategyEntry& entry);

// The phase in memory on a loaded working set: every entry in order, checkMetubou and the end mark
// after the last page. Writes no file.
void play_strategy_phase(MsgState& state);
// The whole phase: play_strategy_phase, then the write-back to the working files.
void run_strategy_phase(MsgState& state);

}  // namespace teijinki
