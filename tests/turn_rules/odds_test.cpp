// The odds of an offer, counted by playing the year's strategy phase many times in memory.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "rules_fixture.h"
#include "strategy/odds.h"
#include "strategy/strategy_table.h"
#include "turn/command_menu.h"

namespace {

using namespace teijinki;
using namespace teijinki::testing;

// Warlord 1 (ruled by general 1: policy 5, charm 5; fame and awe 30) stands alone in panel 0,
// whose only offer is the one under test. Warlord 2 (ruled by general 3, order 45) owns
// province 2 and sits in panel 1, which has no offer. General 2 serves nobody.
struct OddsWorld : RulesWorld {
    OddsWorld(int code, int subject, int level) {
        set_generals({{"君", 5, 5, 1, kJobKunshu}, {"浪", 5, 5, 0, 0}, {"隣", 5, 5, 3, kJobKunshu}});
        set_warlords({{"甲", 0, 1, 10, 0, 30, 50, 50, 30}, {"乙", 0, 3, 10, 0, 30, 45, 50, 30}});
        set_provinces({1, 2});
        shared.gun_mei2[1] = 0;
        shared.gun_mei2[2] = 1;
        m.gun_lst[0] = {{1}, {"甲"}};
        m.gun_lst[1] = {{2}, {"乙"}};
        shared.com_codes[0] = {code};
        shared.com_subject[0][0] = static_cast<Int16>(subject);
        shared.com_level[0][0] = static_cast<Int16>(level);
        // Warlord 1 is the player whose turn it is, so panel 0 is his own.
        shared.player_gun[0] = 1;
        shared.player_lord[0] = 1;
    }
};

// Every file under the folder with its bytes.
std::map<std::string, std::string> folder_bytes(const TempGameFolder& dir) {
    std::map<std::string, std::string> out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir.root()))
        if (e.is_regular_file()) out[e.path().string()] = dir.read(std::filesystem::relative(e.path(), dir.root()).string());
    return out;
}

TEST(Odds, TheEstimateMatchesTheOddsWorkedOutByHand) {
    // 2d6 sums: P(r1 − r2 ≥ 2) for two rolls is 435/1296; P(roll ≤ n) is 1, 3, 6, 10, 15 /36 for n = 2..6.
    struct Case {
        const char* what;
        int code, subject, level;
        double executed, success;
    } cases[] = {
        // Charm 5 against difficulty 7 passes when r1 − r2 ≥ 2. The recruit then joins on the
        // 60 % draw, or else when (30 − 30) / 7 ≥ entry roll − 5, a roll of 5 or less.
        {"人材募集", kRecruit, 2, 7, 435.0 / 1296, 435.0 / 1296 * (0.6 + 0.4 * 10 / 36)},
        // Anyone is chosen in this group. Warlord 2's province raises the difficulty to
        // CInt(45 / 10 + 4 − 5) = 4 (Int would give 3); 30 / 10 + 5 ≥ roll + 4 wants a roll ≤ 4.
        {"入国", kEnterProvince, 2, 4, 1.0, 6.0 / 36},
    };
    constexpr int kRuns = 4000;  // one standard error is under 0.8 points
    for (const Case& c : cases) {
        OddsWorld w(c.code, c.subject, c.level);
        const OfferOdds odds = estimate_offer_odds(w.folder, w.shared, w.m.text_table, 0, 0, 1, kRuns);
        ASSERT_EQ(odds.runs, kRuns) << c.what;
        EXPECT_EQ(odds.participants, 1) << c.what;
        EXPECT_NEAR(static_cast<double>(odds.executed) / kRuns, c.executed, 0.03) << c.what;
        EXPECT_NEAR(static_cast<double>(odds.success) / kRuns, c.success, 0.03) << c.what;
        EXPECT_EQ(odds.top_executor, 1) << c.what;
        EXPECT_EQ(odds.top_executor_runs, odds.executed) << c.what;
        EXPECT_EQ(odds.by_own, odds.executed) << c.what;
        EXPECT_EQ(odds.success_by_own, odds.success) << c.what;
        EXPECT_EQ(odds.generals_gained, c.code == kRecruit ? odds.success : 0) << c.what;
    }
}

TEST(Odds, EstimatingChangesNoFileNoDrawAndNoSharedValueOfTheGame) {
    OddsWorld w(kEnterProvince, 2, 4);  // a run raises the offer's difficulty and rewrites texts
    const auto files = folder_bytes(w.dir);
    const SeededRandom dice_before = dynamic_cast<SeededRandom&>(w.m.rng);
    const auto levels = w.shared.com_level;
    w.shared.gun_mei[1] = 3;
    w.shared.text_no = 77;
    w.shared.text_sub1 = "前";

    const OfferOdds odds = offer_odds(w.m, 0, 0, 50);
    EXPECT_EQ(odds.own, 1);
    EXPECT_EQ(odds.executed, 50);

    EXPECT_EQ(folder_bytes(w.dir), files);
    SeededRandom expected = dice_before;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(w.m.rng.Rnd(), expected.Rnd()) << "draw " << i;
    EXPECT_EQ(w.shared.com_level, levels);
    EXPECT_EQ(w.shared.gun_mei[1], 3);
    EXPECT_EQ(w.shared.text_no, 77);
    EXPECT_EQ(w.shared.text_sub1, "前");

    // Seeded from the run, never from the clock: the same situation gives the same figures.
    EXPECT_EQ(offer_odds(w.m, 0, 0, 50).success, odds.success);
}

}  // namespace
