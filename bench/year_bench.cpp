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

#include "messages/page_store.h"
#include "setup/new_game.h"
#include "setup/scenarios.h"
#include "turn/main_state.h"
#include "turn/year_cycle.h"
#include "world/error.h"
#include "world/host.h"
#include "world/random.h"

namespace fs = std::filesystem;
using namespace teijinki;
using Clock = std::chrono::steady_clock;

namespace {

class SilentHost : public Host {
public:
    Answer message_box(const std::string&, Buttons buttons) override {
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }
    void show_pages(const PageStore&, int, bool) override {}
    void show_warlord_list() override {}
    void show_map() override {}
    bool play_music(const std::string&) override { return true; }
    void stop_music() override {}
    void end_program() override {}
};

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double percentile(std::vector<double> v, double q) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(q * static_cast<double>(v.size() - 1))];
}

// Processor time of the process (user and system), which a busy machine does not inflate.
double cpu_ms() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

double ms_since(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

fs::path fresh_folder(const fs::path& data) {
    std::string pattern = (fs::temp_directory_path() / "teijinki-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    const fs::path dir = pattern;
    fs::copy(data, dir, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    fs::create_directories(dir / "save");
    return dir;
}

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
                const fs::path dir = fresh_folder(data);
                {
                    const GameFolder folder(dir);
                    SharedValues shared;
                    SeededRandom rng(static_cast<std::uint64_t>(scenario * 1000 + n));
                    SilentHost host;
                    const auto start = Clock::now();
                    select_scenario(folder, shared, scenario);
                    const auto warlords = ld_Gnm_rtn(folder, shared);
                    std::vector<bool> ticked(warlords.size(), false);
                    ticked[0] = true;
                    ticked[2 % warlords.size()] = true;
                    start_new_game_files(folder, shared, rng, warlords, ticked);
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
