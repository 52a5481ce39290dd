#pragma once
// Interim and final reports with each warlord's score, and the start of the game log.

#include "turn/main_state.h"

namespace teijinki {

// The three terms of a living warlord's score, in single precision as the game counts them.
struct ScoreTerms {
    float troops = 0;    // army the order lets it raise
    float fame = 0;      // meisei × 2
    float alliance = 0;  // the led alliance's expected troops, 0 when it leads none
    float total() const { return troops + fame + alliance; }
};
// From the warlord's record and the alliance figures of the year display (gun_mei2, mei_troops,
// mei_kessoku).
ScoreTerms score_terms(const SharedValues& shared, const Gun& g);

// Appends the report to text_buf[0] (its heading already there), copies the log to
// \save\kdn_end.log (creating save/ when missing) and shows the report. A missing log is noted
// in the report instead of copied.
void Houkoku_rtn(MainState& m);
// A new game's log: "鼎陣記の記録".
void mkFristLog(MainState& m);
// Shows msg_text in the message window as its only page (then "EOT"), in the given mode.
void show_text_window(MainState& m, int msg_mode);

}  // namespace teijinki
