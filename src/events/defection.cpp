// PLACEHOLDER: replaced by the real procedures; every body throws until then.
#include "events/defection.h"

#include "world/error.h"

namespace teijinki {

int Rnd_Shuppon(MsgState&, const Gun&) { throw ProgramError("Rnd_Shuppon is not built yet"); }
int Sch_chr_rtn(MsgState&, int) { throw ProgramError("Sch_chr_rtn is not built yet"); }
void Rnd_Shuppon2(MsgState&, const Gun&, const Gun&) { throw ProgramError("Rnd_Shuppon2 is not built yet"); }
void rnd_Dokuritu(MsgState&, const Gun&, const Gun&, int) { throw ProgramError("rnd_Dokuritu is not built yet"); }
void rnd_Dokuritu2(MsgState&, const Gun&) { throw ProgramError("rnd_Dokuritu2 is not built yet"); }
void update_Army(MsgState&) { throw ProgramError("update_Army is not built yet"); }

}  // namespace teijinki
