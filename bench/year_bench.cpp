// Seeded whole games of every scenario, timed with their file work: the median time of one year
// and of one game, and the peak memory of the process.
//   year_bench [games per scenario, default 5]

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "setup/scenarios.h"
#include "turn/main_state.h"
#include "turn/seeded_games.h"
#include "turn/year_cycle.h"
#include "world/error.h"
#include "world/random.h"

namespace fs = std::filesystem;
using namespace teijinki;
using namespace teijinki::bench;
using Clock = std::chrono::steady_clock;

namespace {

double ms_since(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

}  // namespace

int main(int argc, char** argv) {
    const int games = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const char* env = std::getenv("TEIJINKI_DATA");
    const fs::path data = env && *env ? fs::path(env) : fs::path(TEIJINKI_DATA_DIR);
    std::vector<double> all_years, all_games, all_cpu;
    try {
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
            all_years.insert(all_years.end(), years_ms.begin(), years_ms.end());
            all_games.insert(all_games.end(), games_ms.begin(), games_ms.end());
            all_cpu.insert(all_cpu.end(), cpu_years.begin(), cpu_years.end());
        }
    } catch (const DataError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("all: median %.3f ms per year (90th percentile %.3f, slowest %.3f), %.1f ms per game; peak memory %.1f MB\n",
                median(all_years), percentile(all_years, 0.9), percentile(all_years, 1.0), median(all_games),
                static_cast<double>(usage.ru_maxrss) / 1024.0);
    std::printf("processor time (user and system): median %.3f ms per year, 90th percentile %.3f\n", median(all_cpu),
                percentile(all_cpu, 0.9));
    return 0;
}
