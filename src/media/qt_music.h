#pragma once
// The music of the desktop program: the player each screen that plays owns. Built into the
// desktop library, which links fluidsynth when it is installed.

#include <memory>

#include "media/music_player.h"
#include "world/game_folder.h"

namespace teijinki {

// A fluidsynth player when the program was built with it, else one that always fails.
std::unique_ptr<MusicPlayer> make_music_player();
// The game's pieces from the folder's midi\ on a new player (one per screen that plays).
std::unique_ptr<PieceMusic> make_piece_music(const GameFolder& folder);

}  // namespace teijinki
