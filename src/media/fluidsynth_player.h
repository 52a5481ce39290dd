#pragma once
// The music player on libfluidsynth with a General MIDI soundfont. Playback runs on fluidsynth's
// own audio driver thread, so play() returns at once. Without a driver (tests, or recording)
// the caller draws the samples with render().

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "media/music_player.h"

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_player_t;
struct _fluid_audio_driver_t;

namespace teijinki {

struct FluidsynthOptions {
    // Audio drivers tried in order when playing starts; the first that opens is used. Empty: no
    // device at all, the samples are drawn by render().
    std::vector<std::string> drivers{"pulseaudio", "alsa"};
    // The soundfont; unset: the search of soundfont.h (TEIJINKI_SOUNDFONT, then Debian's places).
    std::optional<std::filesystem::path> soundfont;
    double sample_rate = 44100.0;
    // Load a program's samples only when a piece selects it: a General MIDI soundfont holds some
    // 140 MB of samples, of which a piece uses a few programs' worth.
    bool samples_on_demand = true;
};

class FluidsynthPlayer : public MusicPlayer {
public:
    explicit FluidsynthPlayer(FluidsynthOptions options = {});
    ~FluidsynthPlayer() override;
    FluidsynthPlayer(const FluidsynthPlayer&) = delete;
    FluidsynthPlayer& operator=(const FluidsynthPlayer&) = delete;

    // Loads the soundfont the first time (kept for the player's life: it is the slow part), checks
    // the file's structure and makes a new sequence of it.
    bool open(const std::filesystem::path& file) override;
    // Starts the sequence from its beginning, once, and the audio driver.
    bool play() override;
    // Stops the driver, frees the sequence and silences every voice.
    void close() override;
    const std::string& error() const override { return error_; }

    // True while the sequence has not reached its end.
    bool playing() const;
    // The driver in use ("" when none is running).
    const std::string& driver() const { return driver_name_; }
    // Only without a driver: draws frames of interleaved 16-bit stereo samples, advancing the
    // sequence. Returns false when a driver is running or no soundfont is loaded yet.
    bool render(std::int16_t* interleaved, int frames);

private:
    bool load_soundfont();
    bool fail(std::string why);

    FluidsynthOptions options_;
    _fluid_hashtable_t* settings_ = nullptr;
    _fluid_synth_t* synth_ = nullptr;
    _fluid_player_t* sequence_ = nullptr;
    _fluid_audio_driver_t* driver_ = nullptr;
    std::string driver_name_;
    std::string error_;
};

}  // namespace teijinki
