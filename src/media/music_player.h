#pragma once
// Music: one player per screen that plays (the title screen, the main screen). A player takes a
// file and the three commands of a sequencer device, Open, Play and Close; playing runs in the
// background and play() returns at once. A piece plays once and nothing restarts it.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "world/game_folder.h"

namespace teijinki {

class MusicPlayer {
public:
    virtual ~MusicPlayer() = default;

    // Open: takes the file and makes it ready to play. False when it cannot be played; error()
    // then says why (a missing or damaged file, no soundfont, no sound device).
    virtual bool open(const std::filesystem::path& file) = 0;
    // Play: the opened file from its start, in the background. False when nothing is open or the
    // sound device cannot be started.
    virtual bool play() = 0;
    // Close: stops the music and frees what Open and Play took. Harmless when nothing is open.
    virtual void close() = 0;
    // Why the last Open or Play failed ("" when it did not).
    virtual const std::string& error() const = 0;
};

// The player of a program without a sound backend: Open always fails with the given reason.
class NullMusicPlayer : public MusicPlayer {
public:
    explicit NullMusicPlayer(std::string reason = "no music player is built into this program")
        : reason_(std::move(reason)) {}
    bool open(const std::filesystem::path&) override {
        error_ = reason_;
        return false;
    }
    bool play() override {
        error_ = reason_;
        return false;
    }
    void close() override {}
    const std::string& error() const override { return error_; }

private:
    std::string reason_;
    std::string error_;
};

// Close, Open, Play on one player: the file starts from its beginning even when it is the one
// playing. On failure the player is left closed and player.error() says why.
bool play_from_start(MusicPlayer& player, const std::filesystem::path& file);

// "\midi\" + piece + ".mid".
std::string midi_literal(std::string_view piece);

// The game's pieces ("china1", "french1", "Game01") from a game folder's midi\ on one player.
class PieceMusic {
public:
    PieceMusic(GameFolder folder, std::unique_ptr<MusicPlayer> player);

    // Close, Open "\midi\" + piece + ".mid", Play: the piece starts from its beginning even when it
    // is already playing. False when it cannot be played (error() says why); nothing plays then.
    bool play(std::string_view piece);
    // Close.
    void stop();
    const std::string& error() const { return error_; }
    MusicPlayer& player() { return *player_; }

private:
    GameFolder folder_;
    std::unique_ptr<MusicPlayer> player_;
    std::string error_;
};

// What is wrong with the bytes of a standard MIDI file, or "" when its structure is sound: the
// header chunk, the number of track chunks it announces, each chunk inside the file and each
// track ended by its end-of-track event. Players that parse a file only while they play it are
// given a checked file, so a damaged one is refused at Open rather than played as silence.
std::string midi_file_problem(std::string_view bytes);

}  // namespace teijinki
