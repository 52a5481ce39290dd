#pragma once
// A new game on the shipped data as the title screen starts it: the scenario chosen, the given
// list positions ticked, and (ShippedGame) the main screen opened with a scripted host.

#include <stdexcept>
#include <vector>

#include "setup/new_game.h"
#include "test_host.h"
#include "test_support.h"
#include "turn/main_state.h"
#include "turn/year_cycle.h"

namespace teijinki::testing {

// The working files of the new game; the main screen is not opened.
inline void start_shipped_game(const TempGameFolder& dir, SharedValues& shared, RandomSource& rng, int scenario,
                               const std::vector<int>& positions) {
    dir.copy_shipped_ini();
    const GameFolder folder = dir.folder();
    if (!select_scenario(folder, shared, scenario)) throw std::runtime_error("no scenario " + std::to_string(scenario));
    const auto warlords = ld_Gnm_rtn(folder, shared);
    std::vector<bool> ticked(warlords.size(), false);
    for (int p : positions) ticked.at(static_cast<std::size_t>(p)) = true;
    if (!start_new_game_files(folder, shared, rng, warlords, ticked)) throw std::runtime_error("no warlord ticked");
}

// The main screen over an empty temporary folder, played by a scripted host.
struct MainScreen {
    explicit MainScreen(std::uint64_t seed = 1) : folder(dir.folder()), rng(seed), m(folder, shared, rng, host) {}

    TempGameFolder dir;
    GameFolder folder;
    SharedValues shared;
    SeededRandom rng;
    ScriptedHost host;
    MainState m;
};

class ShippedGame : public MainScreen {
public:
    ShippedGame(int scenario, const std::vector<int>& positions, std::uint64_t seed = 1, bool music_works = true)
        : MainScreen(seed) {
        host.music_works = music_works;
        start_shipped_game(dir, shared, rng, scenario, positions);
        shared.start_mode = 0;
        open_main(m);
    }
    // Every move handed to the computer until n years have passed or the game is over.
    void play_years(int n) {
        for (int i = 0; i < n && !m.game_over; ++i)
            for (const int year = m.year; !m.game_over && m.year == year;) ASSERT_TRUE(auto_move(m));
    }
};

}  // namespace teijinki::testing
