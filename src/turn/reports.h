#pragma once
// Interim and final reports with each warlord's score, and the start of the game log.

#include "turn/main_state.h"

namespace teijinki {

// Appends the report to text_buf[0] (its heading already there), copies the log to
// \save\kdn_end.log and shows the report.
void Houkoku_rtn(MainState& m);
// A new game's log: "鼎陣記の記録".
void mkFristLog(MainState& m);

}  // namespace teijinki
