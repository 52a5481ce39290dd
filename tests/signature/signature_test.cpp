// The behaviour signature: the fixed seeded games of teijinki-sim --bench, played here the same
// way, must leave final files whose hash is the one recorded in bench/signature.txt. A change
// that alters what the game does must re-record it on purpose (teijinki-sim --bench prints it).

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "test_support.h"
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
    if (!std::filesystem::exists(data / "ini" / "Text.ini")) GTEST_SKIP() << "the shipped data folder is not there yet";
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

}  // namespace
}  // namespace teijinki::testing
