#pragma once
// Whole seeded games without a window, the way teijinki-sim plays them: the title screen's choice,
// the new game, and every player's move handed to the computer, year after year. The soak
// program, the benchmark and the behaviour signature all play through here, so they play the
// same games.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "turn/main_state.h"
#include "world/game_folder.h"
#include "world/host.h"
#include "world/random.h"
#include "world/shared_values.h"

namespace teijinki {

struct SeededGame {
    int scenario = 1;
    std::uint64_t seed = 1;
    std::vector<int> players;  // warlord ids (list positions + 1) ticked on the title screen
};

// A game folder for one game: the data folder's ini/ copied into dir (created), and an empty
// save/. Throws DataError naming the folder when the copy fails.
void prepare_game_folder(const std::filesystem::path& data, const std::filesystem::path& dir);

// The title screen's part of a headless game: the scenario chosen, the given warlord ids (list
// positions + 1) ticked, "新規ゲーム". With no ids nobody plays and the computer's game is watched
// from the start. Ids outside the list are passed over; when none is on the list the new game is
// refused ("武将が選択されていません") and the result is false.
bool start_headless_new_game(const GameFolder& folder, SharedValues& shared, RandomSource& rng, Host& host,
                             int scenario, const std::vector<int>& players);

// Plays the game to its end (or until the program is told to end). after_year is called after
// every year start the game reaches, with the main screen's state. Returns the years played.
// Throws DataError from the files, ProgramError from the rules.
int play_seeded_game(const GameFolder& folder, const SeededGame& game, Host& host,
                     const std::function<void(MainState&)>& after_year = {});

// The fixed set of games whose final files make the behaviour signature: every scenario, with and
// without players.
std::vector<SeededGame> signature_games();

// FNV-1a over the bytes of every working file, the log and the end-of-game log of a folder, in a
// fixed order (a missing file counts as its name only). Chained through seed.
std::uint64_t folder_signature(const GameFolder& folder, std::uint64_t seed = 14695981039346656037ULL);
std::string hex64(std::uint64_t value);

// A host that answers every question Yes and shows nothing; pages are handed to on_pages.
class QuietHost : public Host {
public:
    std::function<void(const PageStore&, int)> on_pages;
    Answer message_box(const std::string&, Buttons buttons) override {
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }
    void show_pages(const PageStore& pages, int msg_mode, bool) override {
        if (on_pages) on_pages(pages, msg_mode);
    }
    void show_warlord_list() override {}
    void show_map() override {}
    bool play_music(const std::string&) override { return true; }
    void stop_music() override {}
    void end_program() override {}
};

}  // namespace teijinki
