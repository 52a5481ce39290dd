#pragma once
// Year end: administrators work on public order, officers on cohesion.

#include "turn/main_state.h"

namespace teijinki {

void Policy_rtn(MainState& m);
void Jinji_rtn(MainState& m);

}  // namespace teijinki
