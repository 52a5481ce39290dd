#include "media/qt_music.h"

#ifdef TEIJINKI_HAVE_FLUIDSYNTH
#include "media/fluidsynth_player.h"
#endif

namespace teijinki {

std::unique_ptr<MusicPlayer> make_music_player() {
#ifdef TEIJINKI_HAVE_FLUIDSYNTH
    return std::make_unique<FluidsynthPlayer>();
#else
    return std::make_unique<NullMusicPlayer>("this program was built without fluidsynth");
#endif
}

std::unique_ptr<PieceMusic> make_piece_music(const GameFolder& folder) {
    return std::make_unique<PieceMusic>(folder, make_music_player());
}

}  // namespace teijinki
