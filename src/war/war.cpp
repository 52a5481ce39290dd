// PLACEHOLDER: replaced by the real procedures; every body throws until then.
#include "war/war.h"

#include "world/error.h"

namespace teijinki {

void War_rtn(MsgState&, Gun&, Gun&) { throw ProgramError("War_rtn is not built yet"); }
void Gisen_rtn(MsgState&, Gun&, Gun&) { throw ProgramError("Gisen_rtn is not built yet"); }

}  // namespace teijinki
