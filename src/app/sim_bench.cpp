#include "app/sim_bench.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "turn/seeded_games.h"
#include "world/error.h"

namespace fs = std::filesystem;

namespace teijinki {

namespace {

using Clock = std::chrono::steady_clock;

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double ms_since(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

std::string fixed(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

}  // namespace

int run_bench(const fs::path& data, int rounds, std::ostream& out) {
    std::string pattern = (fs::temp_directory_path() / "teijinki-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw DataError(pattern, "cannot be created for the benchmark");
    const fs::path root = pattern;
    std::vector<double> year_ms, game_ms;
    std::uint64_t signature = 14695981039346656037ULL;
    long long years = 0;
    const auto games = signature_games();
    try {
        for (int round = 0; round < std::max(1, rounds); ++round) {
            int n = 0;
            for (const SeededGame& game : games) {
                const fs::path dir = root / ("game" + std::to_string(n++));
                prepare_game_folder(data, dir);
                const GameFolder folder(dir);
                QuietHost host;
                const auto start = Clock::now();
                auto year_start = start;
                years += play_seeded_game(folder, game, host, [&](MainState&) {
                    year_ms.push_back(ms_since(year_start));
                    year_start = Clock::now();
                });
                game_ms.push_back(ms_since(start));
                if (round == 0) signature = folder_signature(folder, signature);
                fs::remove_all(dir);
            }
        }
    } catch (...) {
        std::error_code ec;
        fs::remove_all(root, ec);
        throw;
    }
    std::error_code ec;
    fs::remove_all(root, ec);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    out << "games " << game_ms.size() << ", years " << years << "\n"
        << "median per year " << fixed(median(year_ms), 3) << " ms\n"
        << "median per game " << fixed(median(game_ms), 1) << " ms\n"
        << "peak memory " << fixed(static_cast<double>(usage.ru_maxrss) / 1024.0, 1) << " MB\n"
        << "signature " << hex64(signature) << "\n";
    return 0;
}

}  // namespace teijinki
