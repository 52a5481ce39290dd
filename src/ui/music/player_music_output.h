#pragma once
// The desktop program's music: the player behind the Host's music output. Built into the desktop
// library, which links fluidsynth when it is installed.

#include <filesystem>
#include <memory>
#include <string>

#include "media/music_player.h"
#include "ui/music/music_output.h"
#include "world/game_folder.h"

namespace teijinki {

// A fluidsynth player when the program was built with it, else one that always fails.
std::unique_ptr<MusicPlayer> make_music_player();
// The game's pieces from the folder's midi\ on a new player.
std::unique_ptr<PieceMusic> make_piece_music(const GameFolder& folder);

// The Host's music output on a player: each play starts the file from its beginning. Why a file
// could not be played is written to the terminal once per distinct reason (the player sees
// only the game's own message box).
class PlayerMusicOutput : public ui::MusicOutput {
public:
    explicit PlayerMusicOutput(std::unique_ptr<MusicPlayer> player = make_music_player());
    bool play(const std::filesystem::path& midi_file) override;
    void stop() override;
    MusicPlayer& player() { return *player_; }

private:
    std::unique_ptr<MusicPlayer> player_;
    std::string last_reported_;
};

}  // namespace teijinki
