// PLACEHOLDER: replaced by the real procedures; every body throws until then.
#include "turn/offers.h"

#include "world/error.h"

namespace teijinki {

void ld_Com_rtn(MainState&) { throw ProgramError("ld_Com_rtn is not built yet"); }
void Tagun_rtn(MainState&) { throw ProgramError("Tagun_rtn is not built yet"); }

}  // namespace teijinki
