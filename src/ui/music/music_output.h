#pragma once
// Where the music goes. The desktop program plugs a backend in; without one the game is silent.

#include <filesystem>

namespace teijinki::ui {

class MusicOutput {
public:
    virtual ~MusicOutput() = default;
    // Plays a MIDI file from its start, replacing what plays; false when it cannot be played.
    virtual bool play(const std::filesystem::path& midi_file) = 0;
    // Closes the player.
    virtual void stop() = 0;
};

}  // namespace teijinki::ui
