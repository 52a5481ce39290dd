#pragma once
// One war between two warlords and their alliances, fought out in phases and told on the pages.

#include "messages/msg_state.h"

namespace teijinki {

// g1 attacks g2; both are objects of state.world.gun and are changed in place.
void War_rtn(MsgState& state, Gun& g1, Gun& g2);
// The righteous war: the same battle with the attacker's alliance at an advantage.
void Gisen_rtn(MsgState& state, Gun& g1, Gun& g2);

}  // namespace teijinki
