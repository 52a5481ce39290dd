#pragma once
// The twelve strategies carried out in the strategy phase.

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

// Carries out entry.code (1..12); any other code does nothing.
void execute_strategy(MsgState& state, StrategyEntry& entry);

}  // namespace teijinki
