// The behaviour signature: the fixed seeded games of teijinki-sim --bench, played here the same
// way, must leave final files whose hash is the one recorded in bench/signature.txt. A change
// that alters what the game does must re-record it on purpose (teijinki-sim --bench prints it).

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "test_support.h"
#include "turn/command_menu.h"
#include "turn/seeded_games.h"

namespace teijinki::testing {
namespace {

std::string recorded_signature() {
    std::ifstream in(std::filesystem::path(TEIJINKI_SOURCE_DIR) / "bench" / "signature.txt");
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] != '#') return line;
    }
    return {};
}

TEST(SignatureTest, SeededGamesLeaveTheRecordedFiles) {
    const std::filesystem::path data = TEIJINKI_DATA_DIR;
    const std::string recorded = recorded_signature();
    ASSERT_EQ(recorded.size(), 16u) << "bench/signature.txt holds no signature";

    std::uint64_t signature = 14695981039346656037ULL;
    int n = 0;
    for (const SeededGame& game : signature_games()) {
        TempGameFolder dir;
        prepare_game_folder(data, dir.root());
        QuietHost host;
        EXPECT_GT(play_seeded_game(dir.folder(), game, host), 0) << "game " << n;
        signature = folder_signature(dir.folder(), signature);
        ++n;
    }
    EXPECT_EQ(hex64(signature), recorded)
        << "the seeded games now end differently; if the change of behaviour is meant, record the new "
           "signature in bench/signature.txt and say why in the commit";
}

// The odds of the strategy screen are counted in memory: a game in which every offer is estimated
// at every year start, the files compared around each estimate, ends byte for byte as without;
// the estimates come once a year.
TEST(SignatureTest, EstimatingTheOddsChangesNothingInTheGame) {
    const std::filesystem::path data = TEIJINKI_DATA_DIR;
    const SeededGame game{2, 202, {1, 3}};
    auto play = [&](bool estimate) {
        TempGameFolder dir;
        prepare_game_folder(data, dir.root());
        QuietHost host;
        int estimates = 0;
        std::vector<int> years;
        const int played = play_seeded_game(dir.folder(), game, host, [&](MainState& m) {
            years.push_back(m.year);
            if (!estimate) return;
            const std::uint64_t before = folder_signature(m.folder);
            for (int panel = 0; panel <= kMaxAlliances; ++panel)
                for (int pos = 0; pos < static_cast<int>(m.shared.com_codes[panel].size()); ++pos)
                    if (offer_odds(m, panel, pos, 8).runs > 0) ++estimates;
            EXPECT_EQ(folder_signature(m.folder), before) << "year " << m.year;
        });
        if (estimate) {
            EXPECT_GT(estimates, 100);
        }
        EXPECT_EQ(played, static_cast<int>(years.size()));
        for (std::size_t i = 1; i < years.size(); ++i) EXPECT_EQ(years[i], years[i - 1] + 1) << "once a year";
        return hex64(folder_signature(dir.folder()));
    };
    EXPECT_EQ(play(true), play(false));
}

}  // namespace
}  // namespace teijinki::testing
