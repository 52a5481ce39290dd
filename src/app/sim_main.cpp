// teijinki-sim: whole games without a window. The rules, the files and the texts are the desktop
// game's; every question is answered Yes and every player's move is handed to the computer.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/sim_bench.h"
#include "app/sim_host.h"
#include "app/sim_odds.h"
#include "app/version.h"
#include "turn/save_sequence.h"
#include "setup/scenarios.h"
#include "turn/main_state.h"
#include "turn/seeded_games.h"
#include "turn/year_cycle.h"
#include "world/data_location.h"
#include "world/error.h"
#include "world/random.h"
#include "world/record_file.h"
#include "world/trace.h"

namespace fs = std::filesystem;
using namespace teijinki;

namespace {

struct Options {
    fs::path dir = "game";
    int scenario = 1;
    std::optional<std::uint64_t> seed;
    std::vector<int> players;
    int years = -1;  // all
    bool quiet = false;
    std::optional<std::string> save_slot;  // saved when the run stops
    std::optional<std::string> load_slot;  // continued instead of a new game
    bool new_game_choice = false;          // --scenario or --players given
    bool bench = false;
    bool odds = false;  // the odds of each player's offers before his move
    std::string trace;  // JSON Lines trace of every year, when given
};

const char* kUsage =
    "usage: teijinki-sim [--dir DIR] [--scenario 1..6] [--seed S] [--players ID,ID,...] [--years Y] [--quiet]\n"
    "       [--save SLOT] [--load SLOT] [--trace FILE] [--odds]\n"
    "       teijinki-sim --bench\n"
    "       teijinki-sim --help | --version\n";

const char* kHelp =
    "Plays whole games without a window in the game folder DIR (default: game), which is filled\n"
    "from the installed data when it holds no game; every player's move is left to the computer.\n"
    "\n"
    "  --dir DIR            the game folder\n"
    "  --scenario N         the scenario, 1 to 6 (default 1)\n"
    "  --seed S             a fixed seed, so that the game can be played again the same way\n"
    "  --players ID,...     the warlords ticked as players (the computer makes their moves too)\n"
    "  --years Y            stop after Y years (default: play to the end)\n"
    "  --quiet              print only the reports, not every message page\n"
    "  --save SLOT          save into the slot when the run stops\n"
    "  --load SLOT          continue the game saved in the slot\n"
    "  --trace FILE         write a JSON Lines record of every year to FILE\n"
    "  --odds               before each player's move, print the odds of every offer he may choose, as\n"
    "                       the strategy screen tells them (the year played in memory many times)\n"
    "  --bench              play fixed seeded games and print times, peak memory and the behaviour signature\n"
    "  -h, --help           print this help and leave\n"
    "  --version            print the version and leave\n"
    "\n"
    "See teijinki-sim(6).\n";

bool parse_int(const std::string& text, long long low, long long high, long long& out) {
    if (text.empty()) return false;
    std::size_t used = 0;
    try {
        out = std::stoll(text, &used);
    } catch (...) {
        return false;
    }
    return used == text.size() && out >= low && out <= high;
}

// Returns an error text, or empty when the options are sound.
std::string parse_options(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= argc) return std::nullopt;
            return std::string(argv[++i]);
        };
        long long n = 0;
        if (arg == "--quiet") {
            o.quiet = true;
        } else if (arg == "--odds") {
            o.odds = true;
        } else if (arg == "--bench") {
            o.bench = true;
        } else if (arg == "--trace") {
            auto v = value();
            if (!v || v->empty()) return "--trace needs a file";
            o.trace = *v;
        } else if (arg == "--dir") {
            auto v = value();
            if (!v || v->empty()) return "--dir needs a folder";
            o.dir = *v;
        } else if (arg == "--scenario") {
            auto v = value();
            if (!v || !parse_int(*v, 1, 6, n)) return "--scenario needs a number from 1 to 6";
            o.scenario = static_cast<int>(n);
            o.new_game_choice = true;
        } else if (arg == "--seed") {
            auto v = value();
            if (!v || !parse_int(*v, 0, std::numeric_limits<long long>::max(), n)) return "--seed needs a number of 0 or more";
            o.seed = static_cast<std::uint64_t>(n);
        } else if (arg == "--years") {
            auto v = value();
            if (!v || !parse_int(*v, 0, 10000, n)) return "--years needs a number of 0 or more";
            o.years = static_cast<int>(n);
        } else if (arg == "--players") {
            auto v = value();
            if (!v) return "--players needs a list of warlord ids";
            std::size_t start = 0;
            while (start <= v->size()) {
                const std::size_t comma = v->find(',', start);
                const std::string item = v->substr(start, comma == std::string::npos ? std::string::npos : comma - start);
                if (!parse_int(item, 1, kMaxWarlords, n)) return "--players: '" + item + "' is not a warlord id from 1 to 20";
                o.players.push_back(static_cast<int>(n));
                o.new_game_choice = true;
                if (comma == std::string::npos) break;
                start = comma + 1;
            }
        } else if (arg == "--save") {
            auto v = value();
            if (!v) return "--save needs a slot number (digits; \"\" is the slot without a number)";
            if (const std::string why = slot_number_problem(*v); !why.empty()) return "--save: " + why;
            o.save_slot = *v;
        } else if (arg == "--load") {
            auto v = value();
            if (!v) return "--load needs a slot number (digits; \"\" is the slot without a number)";
            if (const std::string why = slot_number_problem(*v); !why.empty()) return "--load: " + why;
            o.load_slot = *v;
        } else if (arg == "--help" || arg == "-h") {
            return "help";
        } else if (arg == "--version") {
            return "version";
        } else {
            return "unknown option '" + arg + "'";
        }
    }
    if (o.load_slot && o.new_game_choice) return "--load continues the slot's own scenario and players; --scenario and --players do not apply";
    return {};
}

// The game's texts break lines with CR LF; the terminal gets plain line feeds.
std::string terminal_text(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != '\r') out += c;
    return out;
}

// The shipped data folder: $TEIJINKI_DATA, the installed share folder, or the source tree's.
fs::path find_data_dir() {
#ifdef TEIJINKI_DATA_DIR
    return find_shipped_data(data_search_here({TEIJINKI_DATA_DIR}));
#else
    // Built from the source tree: the data folder sits two levels above this file.
    return find_shipped_data(data_search_here({fs::path(__FILE__).parent_path().parent_path().parent_path() / "data"}));
#endif
}

int run(const Options& o) {
    // A game to continue is only read from: a folder without the game's files is not filled.
    if (!o.load_slot) fill_game_folder(o.dir, find_data_dir());
    const GameFolder folder(o.dir);
    if (o.load_slot && !folder.exists(files::kText))
        throw DataError(GameFolder::display_name(files::kText), "missing from " + o.dir.string() + ", so there is no game to continue");
    SharedValues shared;
    std::unique_ptr<RandomSource> rng;
    if (o.seed)
        rng = std::make_unique<SeededRandom>(*o.seed);
    else
        rng = std::make_unique<ClockRandom>();
    SimHost host(std::cout, o.quiet);

    if (o.load_slot) {
        // "続きから": the slot is checked whole before any working file is replaced.
        std::string problem;
        if (!title_continue(shared, typed_slot_screen(folder, shared, host, *o.load_slot, &problem))) {
            std::cout.flush();
            std::cerr << "teijinki-sim: " << terminal_text(problem) << "\n";
            return 2;
        }
    } else {
        // The title screen: scenario chosen, the players' warlords ticked, "新規ゲーム".
        const int listed = find_scenario(o.scenario)->gun_count;
        for (int id : o.players) {
            if (id > listed) {
                std::cerr << "teijinki-sim: --players: scenario " << o.scenario << " has no warlord " << id << "\n";
                return 2;
            }
        }
        if (!start_headless_new_game(folder, shared, *rng, host, o.scenario, o.players)) return 1;
    }

    MainState m(folder, shared, *rng, host);
    std::unique_ptr<JsonLinesTrace> trace;
    if (!o.trace.empty()) trace = std::make_unique<JsonLinesTrace>(o.trace);
    m.trace = trace.get();
    open_main(m);
    int years = 0;
    while (!m.game_over && (o.years < 0 || years < o.years)) {
        const int year = m.year;
        if (o.odds) print_player_odds(m, std::cout);
        if (!auto_move(m)) break;
        if (m.year != year || m.game_over) ++years;
    }
    if (o.save_slot) {
        std::cout.flush();
        if (m.game_over) {
            std::cerr << "teijinki-sim: the game has ended, so there is nothing to save\n";
            return 1;
        }
        std::string problem;
        if (!cmdSave_Click(m, typed_slot_screen(folder, shared, host, *o.save_slot, &problem))) {
            std::cerr << "teijinki-sim: " << terminal_text(problem) << "\n";
            return 2;
        }
    }
    std::cout.flush();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    Options options;
    const std::string problem = parse_options(argc, argv, options);
    if (problem == "help") {
        std::cout << kUsage << "\n" << kHelp;
        return 0;
    }
    if (problem == "version") {
        std::cout << "teijinki-sim " << kVersion << "\n";
        return 0;
    }
    if (!problem.empty()) {
        std::cerr << "teijinki-sim: " << problem << "\n" << kUsage;
        return 2;
    }
    try {
        if (options.bench) return run_bench(find_data_dir(), 1, std::cout);
        return run(options);
    } catch (const DataError& e) {
        std::cout.flush();
        std::cerr << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        std::cout.flush();
        std::cerr << "teijinki-sim: " << e.what() << "\n";
        return 3;
    }
}
