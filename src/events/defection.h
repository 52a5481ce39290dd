#pragma once
// Generals who defect or desert, provinces that break away, and troop recounts.

#include "messages/msg_state.h"

namespace teijinki {

// A general of g who leaves after a defeat, or 0.
int Rnd_Shuppon(MsgState& state, const Gun& g);
// chr_list = the generals serving warlord w, in id order; returns their number.
int Sch_chr_rtn(MsgState& state, int w);
// Generals of `from` defect to `to`; their names (each + "、") are left in text_sub1.
void Rnd_Shuppon2(MsgState& state, const Gun& to, const Gun& from);
// The loser's provinces may go over to the winner or break away.
void rnd_Dokuritu(MsgState& state, const Gun& winner, const Gun& loser, int hold);
// Provinces of g with poor order may break away.
void rnd_Dokuritu2(MsgState& state, const Gun& g);
// Every warlord's army = the sum of its provinces' troops.
void update_Army(MsgState& state);

}  // namespace teijinki
