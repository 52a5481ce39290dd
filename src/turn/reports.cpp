// PLACEHOLDER: replaced by the real procedures; every body throws until then.
#include "turn/reports.h"

#include "world/error.h"

namespace teijinki {

void Houkoku_rtn(MainState&) { throw ProgramError("Houkoku_rtn is not built yet"); }
void mkFristLog(MainState&) { throw ProgramError("mkFristLog is not built yet"); }

}  // namespace teijinki
