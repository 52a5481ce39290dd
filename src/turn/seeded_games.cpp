#include "turn/seeded_games.h"

#include <cstdio>

#include "setup/new_game.h"
#include "setup/title_rules.h"
#include "turn/year_cycle.h"
#include "world/error.h"
#include "world/random.h"
#include "world/record_file.h"

namespace fs = std::filesystem;

namespace teijinki {

void prepare_game_folder(const fs::path& data, const fs::path& dir) {
    std::error_code ec;
    fs::create_directories(dir / "save", ec);  // the copy below makes ini/ itself
    if (!ec) fs::copy(data / "ini", dir / "ini", fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
    if (ec) throw DataError(dir.string(), "cannot be filled from " + (data / "ini").string() + ": " + ec.message());
}

bool start_headless_new_game(const GameFolder& folder, SharedValues& shared, RandomSource& rng, Host& host,
                             int scenario, const std::vector<int>& players) {
    TitleRules title(folder, shared, rng, host);
    title.Form_Load();
    title.scenario_click(scenario - 1);
    if (players.empty()) {
        // Nobody plays: the computer's game is watched from the start.
        shared.start_mode = 0;
        for (int s = 0; s <= kMaxWarlords; ++s) shared.player_lord[s] = 0;
        ori_Chr_rtn(folder, shared, rng, title.warlords);
        mk_Kunisv_rtn(folder, shared.scenario_no);
        return true;
    }
    std::vector<bool> ticked(title.warlords.size(), false);
    for (int id : players)
        if (id >= 1 && id <= static_cast<int>(ticked.size())) ticked[static_cast<std::size_t>(id - 1)] = true;
    return title.new_game(ticked);
}

int play_seeded_game(const GameFolder& folder, const SeededGame& game, Host& host,
                     const std::function<void(MainState&)>& after_year) {
    SharedValues shared;
    SeededRandom rng(game.seed);
    if (!start_headless_new_game(folder, shared, rng, host, game.scenario, game.players)) return 0;
    MainState m(folder, shared, rng, host);
    open_main(m);
    int years = 0;
    while (!m.game_over) {
        const int year = m.year;
        if (!auto_move(m)) break;
        if (m.year != year || m.game_over) {
            ++years;
            if (after_year) after_year(m);
        }
    }
    return years;
}

std::vector<SeededGame> signature_games() {
    std::vector<SeededGame> games;
    for (int scenario = 1; scenario <= 6; ++scenario) {
        games.push_back({scenario, static_cast<std::uint64_t>(100 + scenario), {}});
        games.push_back({scenario, static_cast<std::uint64_t>(200 + scenario), {1, 3}});
    }
    return games;
}

namespace {

std::uint64_t fnv(std::uint64_t h, std::string_view bytes) {
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 1099511628211ULL;
    }
    return h;
}

}  // namespace

std::uint64_t folder_signature(const GameFolder& folder, std::uint64_t seed) {
    std::uint64_t h = seed;
    for (const char* literal : {files::kGenerals, files::kWarlords, files::kProvinces, files::kComments, files::kLog,
                                files::kEndLog}) {
        h = fnv(h, literal);
        if (auto bytes = read_bytes(folder.resolve(literal))) h = fnv(h, *bytes);
    }
    return h;
}

std::string hex64(std::uint64_t value) {
    char buffer[17];
    std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(value));
    return buffer;
}

}  // namespace teijinki
