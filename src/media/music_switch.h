#pragma once
// The main screen's music switch (menu item cmdMusic). Its caption names what the next click
// does: "BGM/OFF" while the music is on, "BGM/ON" while it is off.

#include "turn/main_state.h"

namespace teijinki {

inline constexpr const char* kMusicOffCaption = "BGM/OFF";
inline constexpr const char* kMusicOnCaption = "BGM/ON";

// The caption for the current state of bgm_on.
const char* music_caption(const MainState& m);

// cmdMusic_Click: on → off closes the player; off → on starts "china1" from its beginning. A
// player that failed before is tried again when the player switches the music on. Returns the
// item's new caption.
const char* cmdMusic_Click(MainState& m);

}  // namespace teijinki
