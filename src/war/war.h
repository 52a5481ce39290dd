#pragma once
// One war between two warlords and their alliances, fought out in phases and told on the pages.

#include "messages/msg_state.h"
#include "war/battle_sheet.h"

namespace teijinki {

// g1 attacks g2; both are objects of state.world.gun and are changed in place.
void War_rtn(MsgState& state, Gun& g1, Gun& g2);
// The righteous war: the same battle with the attacker's alliance at an advantage.
void Gisen_rtn(MsgState& state, Gun& g1, Gun& g2);

// The battle both of them fight, with the righteous-war rules when kind is Gisen. Reports the war
// to state.trace when one listens, and returns the same summary. When `sheet` is given it
// receives the battle sheet as it stood at the end.
WarSummary fight_battle(MsgState& state, Gun& g1, Gun& g2, WarKind kind, BattleSheet* sheet = nullptr);

// The morale line: both warlords' morale, followed by two line breaks.
std::string morale_line(const BattleSheet& sheet);

}  // namespace teijinki
