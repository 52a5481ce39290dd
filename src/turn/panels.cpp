// PLACEHOLDER: replaced by the real procedures; every body throws until then.
#include "turn/panels.h"

#include "world/error.h"

namespace teijinki {

void Dsp_rtn(MainState&) { throw ProgramError("Dsp_rtn is not built yet"); }
void Dsp_Gun_rtn(MainState&) { throw ProgramError("Dsp_Gun_rtn is not built yet"); }
void ld_Meiichi_rtn(MainState&) { throw ProgramError("ld_Meiichi_rtn is not built yet"); }
void ini_Mei_rtn(MainState&) { throw ProgramError("ini_Mei_rtn is not built yet"); }
void res_Mei_rtn(MainState&) { throw ProgramError("res_Mei_rtn is not built yet"); }
void Limit_rtn(MainState&) { throw ProgramError("Limit_rtn is not built yet"); }
void dsp_Init_rtn(MainState&) { throw ProgramError("dsp_Init_rtn is not built yet"); }
void ld_PCGun_rtn(MainState&) { throw ProgramError("ld_PCGun_rtn is not built yet"); }

}  // namespace teijinki
