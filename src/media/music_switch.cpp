#include "media/music_switch.h"

#include "turn/year_cycle.h"

namespace teijinki {

const char* music_caption(const MainState& m) { return m.bgm_on ? kMusicOffCaption : kMusicOnCaption; }

const char* cmdMusic_Click(MainState& m) {
    if (m.bgm_on) {
        m.bgm_on = false;
        m.host.stop_music();
    } else {
        m.bgm_on = true;
        m.music_failed = false;
        stMusic(m, "china1");
    }
    return music_caption(m);
}

}  // namespace teijinki
