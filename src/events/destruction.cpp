// PLACEHOLDER: replaced by the real procedures; every body throws until then.
#include "events/destruction.h"

#include "world/error.h"

namespace teijinki {

void checkMetubou(MsgState&) { throw ProgramError("checkMetubou is not built yet"); }
void Metubou(MsgState&, int) { throw ProgramError("Metubou is not built yet"); }
bool checkAllMetubou(const MsgState&) { throw ProgramError("checkAllMetubou is not built yet"); }
void looseMeishu(MsgState&, int) { throw ProgramError("looseMeishu is not built yet"); }
bool isPlayer(const MsgState&, int) { throw ProgramError("isPlayer is not built yet"); }

}  // namespace teijinki
