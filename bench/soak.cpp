// Soak: many seeded whole games over all six scenarios, half without players and half with one to
// three players on the Auto path, checking after every year what must always hold in the files
// and in the pages the message window was given.
//   soak [games, default 200] [first seed, default 1]
// Prints games, years and violations; exits 1 when anything was violated, 2 on a data error.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "turn/invariants.h"
#include "turn/seeded_games.h"
#include "world/error.h"

namespace fs = std::filesystem;
using namespace teijinki;

namespace {

// The game of a number: scenarios in turn, players only in odd games, drawn from the seed.
SeededGame game_of(long long n, std::uint64_t seed) {
    SeededGame g;
    g.scenario = static_cast<int>(n % 6) + 1;
    g.seed = seed;
    if (n % 2 == 1) {
        std::mt19937_64 pick(seed * 7919 + 17);
        const int count = static_cast<int>(pick() % 3) + 1;
        for (int k = 0; k < count; ++k) g.players.push_back(static_cast<int>(pick() % 12) + 1);
    }
    return g;
}

std::string describe(const SeededGame& g) {
    std::string text = "scenario " + std::to_string(g.scenario) + " seed " + std::to_string(g.seed) + " players";
    if (g.players.empty()) text += " none";
    for (int p : g.players) text += " " + std::to_string(p);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    const long long games = argc > 1 ? std::atoll(argv[1]) : 200;
    const std::uint64_t first_seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    if (games < 1) {
        std::fprintf(stderr, "soak: the number of games must be 1 or more\n");
        return 2;
    }
    const char* env = std::getenv("TEIJINKI_DATA");
    const fs::path data = env && *env ? fs::path(env) : fs::path(TEIJINKI_DATA_DIR);

    // Thousands of games replace thousands of files: memory-backed /dev/shm unless TMPDIR says otherwise.
    const char* tmpdir = std::getenv("TMPDIR");
    fs::path base = tmpdir && *tmpdir ? fs::path(tmpdir) : fs::path("/tmp");
    if (!(tmpdir && *tmpdir) && ::access("/dev/shm", W_OK) == 0) base = "/dev/shm";
    std::string pattern = (base / "teijinki-soak-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        std::perror("soak: mkdtemp");
        return 2;
    }
    const fs::path root = pattern;
    long long years = 0, violations = 0, played = 0;
    int status = 0;
    for (long long n = 0; n < games; ++n) {
        const SeededGame g = game_of(n, first_seed + static_cast<std::uint64_t>(n));
        const fs::path dir = root / "game";
        std::error_code ec;
        fs::remove_all(dir, ec);
        try {
            prepare_game_folder(data, dir);
            const GameFolder folder(dir);
            YearInvariants invariants;
            QuietHost host;
            std::vector<std::string> problems;
            host.on_pages = [&](const PageStore& pages, int mode) {
                for (auto& p : check_pages(pages, mode)) problems.push_back("pages: " + p);
            };
            years += play_seeded_game(folder, g, host, [&](MainState& m) {
                for (auto& p : invariants.check_year(folder, m.shared, m.year)) problems.push_back(std::move(p));
            });
            ++played;
            if (!problems.empty()) {
                violations += static_cast<long long>(problems.size());
                // The first few of a game are enough to find the fault; the count tells the rest.
                for (std::size_t k = 0; k < problems.size() && k < 5; ++k)
                    std::printf("VIOLATION %s: %s\n", describe(g).c_str(), problems[k].c_str());
            }
        } catch (const DataError& e) {
            std::printf("DATA ERROR %s: %s\n", describe(g).c_str(), e.what());
            status = 2;
            break;
        } catch (const std::exception& e) {
            std::printf("FAULT %s: %s\n", describe(g).c_str(), e.what());
            ++violations;
        }
        if ((n + 1) % 500 == 0) {
            std::printf("... %lld games, %lld years, %lld violations\n", n + 1, years, violations);
            std::fflush(stdout);
        }
    }
    std::error_code ec;
    fs::remove_all(root, ec);
    std::printf("games %lld, years %lld, violations %lld\n", played, years, violations);
    if (status) return status;
    return violations ? 1 : 0;
}
