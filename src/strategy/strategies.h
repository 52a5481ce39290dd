#pragma once
// The twelve strategies carried out in the strategy phase.
//
// Division of work with the phase frame (strategy_phase.cpp): the frame writes the player
// heading, chooses exec_id / best / fail_id and draws entry_roll, then calls execute_strategy.
// execute_strategy does everything after that:
//   - reports the "entry" event to state.trace (the frame must not report it again);
//   - puts the executing general's picture and caption on the current page when the strategy
//     goes on to tell something about him;
//   - composes the texts, changes the objects and, for 戦争 / 義戦, sets state.attacked and calls
//     War_rtn / Gisen_rtn.
// The year in the trace is shared.form_param, the year the message window was opened for.

#include <vector>

#include "messages/msg_state.h"

namespace teijinki {

// One entry of one panel's offer list as the phase carries it out.
struct StrategyEntry {
    int list = 0;        // panel 0..3
    int entry = 0;       // position 0..3 in the panel's offer list
    int code = 0;        // command number
    int exec_id = 0;     // the general who carries it out (0 = none)
    int best = 0;        // his winning value (0 = nobody chosen)
    int fail_id = 0;     // tested group: the last candidate who failed the difficulty, else 0
    int entry_roll = 0;  // the entry's 2d6 roll
};

// Carries out entry.code (1..12); any other code does nothing (it is still traced).
// The entry's parameters are shared.com_subject / com_object / com_level [list][entry]; 入国 may
// raise com_level and stores it back there.
void execute_strategy(MsgState& state, StrategyEntry& entry);

// The warlords taking part in entry (list, entry) that are not destroyed.
std::vector<int> entry_participants(const MsgState& state, int list, int entry);

// Fame +n below 200: only a warlord still below 200 gains, so the result may pass 200 a little.
void gain_fame(Gun& gun, int n);
// Awe +n below 100, likewise.
void gain_awe(Gun& gun, int n);

// Prefix of the line told when a war is aimed at a player's warlord.
inline constexpr const char* kPlayerAttackedNotice = "*** プレイヤーの国が攻撃を受けました ***";

}  // namespace teijinki
