#pragma once
// What a war's result does to the warlords: victory, defeat in battle, defeat after a surrender,
// a draw, and a surrender. b is always the winning side's strategist (possibly record 0).

#include "messages/msg_state.h"

namespace teijinki {

// The winner gains fame, unity and awe (capped at 200, 100 and 100).
void Shouri_rtn(MsgState& state, Gun& g1, Gun& g2, const Bushou& b);
// The loser of a battle: halved troops and order, less fame and unity; provinces may go over,
// one general may go to the winner and another may desert.
// The winner is the warlord b serves. A war whose winner fought without a strategist passes
// b = record 0, which serves nobody; it names the winner so that provinces and deserters reach
// him and not the empty record.
void Haiboku_rtn(MsgState& state, Gun& g, const Bushou& b, Gun* winner = nullptr);
// As Haiboku_rtn after a surrender: public order is kept and unity is halved.
void Haiboku_rtn2(MsgState& state, Gun& g, const Bushou& b, Gun* winner = nullptr);
// Both sides of a drawn war lose a quarter of elite troops and order, then may lose provinces.
void Hikiwake_rtn(MsgState& state, Gun& g1, Gun& g2);
// g2 surrenders to g1 and joins g1's alliance, unless g2 leads its own alliance.
void Kouhuku_rtn(MsgState& state, Gun& g1, Gun& g2);

}  // namespace teijinki
