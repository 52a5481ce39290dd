#include "ui/music/player_music_output.h"

#include <cstdio>

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

PlayerMusicOutput::PlayerMusicOutput(std::unique_ptr<MusicPlayer> player)
    : player_(player ? std::move(player) : make_music_player()) {}

bool PlayerMusicOutput::play(const std::filesystem::path& midi_file) {
    if (play_from_start(*player_, midi_file)) return true;
    if (player_->error() != last_reported_) {
        last_reported_ = player_->error();
        std::fprintf(stderr, "teijinki: music cannot be played: %s\n", last_reported_.c_str());
    }
    return false;
}

void PlayerMusicOutput::stop() { player_->close(); }

}  // namespace teijinki
