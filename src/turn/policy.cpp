// PLACEHOLDER: replaced by the real procedures; every body throws until then.
#include "turn/policy.h"

#include "world/error.h"

namespace teijinki {

void Policy_rtn(MainState&) { throw ProgramError("Policy_rtn is not built yet"); }
void Jinji_rtn(MainState&) { throw ProgramError("Jinji_rtn is not built yet"); }

}  // namespace teijinki
