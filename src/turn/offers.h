#pragma once
// The year's strategy offers per panel and the computer's choice for every warlord.

#include "turn/main_state.h"

namespace teijinki {

void ld_Com_rtn(MainState& m);
void Tagun_rtn(MainState& m);

}  // namespace teijinki
