#pragma once
// The chronicle of the game, \ini\kodarn.log: a heading line, one entry per strategy phase
// (each page one line), and a single "EOT=======" line after the newest entry.

#include "messages/page_store.h"
#include "world/game_folder.h"

namespace teijinki {

inline constexpr const char* kLogHeading = "鼎陣記の記録";
inline constexpr const char* kLogEnd = "EOT=======";

// Appends the pages 0 .. last to the log, keeping one terminator as its last line. The old log
// goes to the scratch copy \ini\kodarn.img first. A missing log is started afresh with its
// heading rather than failing.
void mkLog(const GameFolder& folder, const PageStore& pages);

}  // namespace teijinki
