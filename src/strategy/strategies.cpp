// PLACEHOLDER: replaced by the real procedures; every body throws until then.
#include "strategy/strategies.h"

#include "world/error.h"

namespace teijinki {

void execute_strategy(MsgState&, StrategyEntry&) { throw ProgramError("execute_strategy is not built yet"); }

}  // namespace teijinki
