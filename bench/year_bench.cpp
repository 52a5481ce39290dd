// Seeded whole games of every scenario, timed with their file work: the median time of one year
// and of one game, and the peak memory of the process; then the same games in a copy of the data
// written in Shift-JIS, as the original platform's folders are, beside them.
//   year_bench [games per scenario, default 5]

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "setup/scenarios.h"
#include "turn/main_state.h"
#include "turn/seeded_games.h"
#include "turn/year_cycle.h"
#include "world/encoding.h"
#include "world/error.h"
#include "world/game_folder.h"
#include "world/random.h"

namespace fs = std::filesystem;
using namespace teijinki;
using namespace teijinki::bench;
using Clock = std::chrono::steady_clock;

namespace {

double ms_since(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

double peak_memory_mb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

struct Figures {
    std::vector<double> years, games, cpu;
};

// Every scenario's seeded games in a folder filled from data; prints a line per scenario.
Figures play_every_scenario(const fs::path& data, int games) {
    Figures all;
    for (int scenario = 1; scenario <= kScenarioCount; ++scenario) {
        std::vector<double> years_ms, games_ms, setup_ms, cpu_years;
        for (int n = 0; n < games; ++n) {
            const fs::path dir = fs::temp_directory_path() / ("teijinki-bench-" + std::to_string(::getpid()));
            prepare_game_folder(data, dir);
            {
                const GameFolder folder(dir);
                SharedValues shared;
                SeededRandom rng(static_cast<std::uint64_t>(scenario * 1000 + n));
                QuietHost host;
                const auto start = Clock::now();
                start_headless_new_game(folder, shared, rng, host, scenario, {1, 3});
                MainState m(folder, shared, rng, host);
                open_main(m);
                setup_ms.push_back(ms_since(start));
                auto year_start = Clock::now();
                double cpu_start = cpu_ms();
                while (!m.game_over) {
                    const int year = m.year;
                    if (!auto_move(m)) break;
                    if (m.year != year || m.game_over) {
                        years_ms.push_back(ms_since(year_start));
                        cpu_years.push_back(cpu_ms() - cpu_start);
                        year_start = Clock::now();
                        cpu_start = cpu_ms();
                    }
                }
                games_ms.push_back(ms_since(start));
            }
            fs::remove_all(dir);
        }
        std::printf("scenario %d: %d games, median %.3f ms per year, %.1f ms per game (%.1f ms of it the new game)\n",
                    scenario, games, median(years_ms), median(games_ms), median(setup_ms));
        all.years.insert(all.years.end(), years_ms.begin(), years_ms.end());
        all.games.insert(all.games.end(), games_ms.begin(), games_ms.end());
        all.cpu.insert(all.cpu.end(), cpu_years.begin(), cpu_years.end());
    }
    return all;
}

void print_figures(const char* what, const Figures& f) {
    std::printf("%s: median %.3f ms per year (90th percentile %.3f, slowest %.3f), %.1f ms per game; peak memory %.1f MB\n",
                what, median(f.years), percentile(f.years, 0.9), percentile(f.years, 1.0), median(f.games),
                peak_memory_mb());
    std::printf("processor time (user and system): median %.3f ms per year, 90th percentile %.3f\n", median(f.cpu),
                percentile(f.cpu, 0.9));
}

// A copy of the data folder with its text files written in Shift-JIS.
fs::path shift_jis_copy(const fs::path& data) {
    const fs::path copy = fs::temp_directory_path() / ("teijinki-bench-sjis-" + std::to_string(::getpid()));
    fs::remove_all(copy);
    fs::copy(data, copy, fs::copy_options::recursive);
    for (const auto& entry : fs::recursive_directory_iterator(copy)) {
        if (entry.path().extension() != ".ini") continue;
        const auto text = read_bytes(entry.path());
        const auto bytes = text ? from_utf8(*text, Encoding::ShiftJis) : std::nullopt;
        if (!bytes) throw DataError(entry.path().string(), "cannot be written in Shift-JIS");
        write_bytes_atomic(entry.path(), *bytes, entry.path().string());
    }
    return copy;
}

}  // namespace

int main(int argc, char** argv) {
    const int games = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const char* env = std::getenv("TEIJINKI_DATA");
    const fs::path data = env && *env ? fs::path(env) : fs::path(TEIJINKI_DATA_DIR);
    try {
        const Figures utf8 = play_every_scenario(data, games);
        print_figures("all", utf8);
        const fs::path sjis_data = shift_jis_copy(data);
        std::printf("the same games in a Shift-JIS folder:\n");
        const Figures sjis = play_every_scenario(sjis_data, games);
        fs::remove_all(sjis_data);
        print_figures("all in Shift-JIS", sjis);
        std::printf("Shift-JIS / UTF-8: %.2f per year (median), %.2f in processor time (goal: at most 1.20)\n",
                    median(sjis.years) / median(utf8.years), median(sjis.cpu) / median(utf8.cpu));
    } catch (const DataError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
    return 0;
}
