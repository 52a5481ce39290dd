#pragma once
// Destruction of warlords that lost land and men, and the new leader of a destroyed leader's
// alliance.

#include "messages/msg_state.h"

namespace teijinki {

void checkMetubou(MsgState& state);
void Metubou(MsgState& state, int g);
bool checkAllMetubou(const MsgState& state);
void looseMeishu(MsgState& state, int g);
// True when one of player_gun slots 0..15 plays warlord g.
bool isPlayer(const MsgState& state, int g);

}  // namespace teijinki
