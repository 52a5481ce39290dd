#pragma once
// The four panels of the main screen and the alliance slots.

#include "turn/main_state.h"

namespace teijinki {

// Heading, panels, alliance positions and the year's offers.
void Dsp_rtn(MainState& m);
// Living warlords into the panel of their alliance; mei_troops; player_gun/player_mei refreshed.
void Dsp_Gun_rtn(MainState& m);
// gun_mei2[w] = the panel w is listed in.
void ld_Meiichi_rtn(MainState& m);
// Alliance slots from the warlord file, cohesion from the leaders' fame.
void ini_Mei_rtn(MainState& m);
// The yearly update: cohesion kept under the same leader.
void res_Mei_rtn(MainState& m);
// Every mei_kessoku into 0..100.
void Limit_rtn(MainState& m);
// The player list: slots 0..18 with a lord, by name.
void dsp_Init_rtn(MainState& m);

}  // namespace teijinki
