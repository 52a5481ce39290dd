// The battle's arithmetic, its role contests and force totals, checked without a whole battle.
#include <gtest/gtest.h>

#include "war/battle_roles.h"
#include "war/formulas.h"
#include "war_fixture.h"

namespace teijinki::testing {
namespace {

TEST(BattleFormulas, StrengthRoundsDownTheLevyAndIsAtLeastOne) {
    EXPECT_EQ(battle_strength(50, 300, 20), 220);
    EXPECT_EQ(battle_strength(0, 11, 0), 3);  // a levy of 3.67 is cut before the elite are added
    EXPECT_EQ(battle_strength(50, 0, 0), 1);
    // A huge army saturates instead of wrapping into a negative strength.
    EXPECT_EQ(battle_strength(100, 32000, 32000), 32767);
}

TEST(BattleFormulas, VerdictOnEitherSideAndAtEachBoundary) {
    struct Case { int m0, m1, s0, s1, verdict; };
    const Case cases[] = {
        {160, 100, 250, 250, kAttackerWins},
        {150, 100, 250, 250, kUndecided},     // exactly one and a half is not enough
        {140, 100, 250, 180, kAttackerWins},  // 100 < 120 and 140 > 135
        {140, 100, 250, 140, kUndecided},     // 100 is not below 93.3
        {120, 100, 250, 150, kUndecided},     // nor below 100
        {135, 100, 250, 180, kUndecided},     // 135 is not above three quarters of 180
        {100, 160, 250, 250, kDefenderWins},
        {100, 150, 250, 250, kUndecided},
        {100, 140, 180, 250, kDefenderWins},
        {100, 135, 180, 250, kUndecided},
        {100, 140, 140, 250, kUndecided},
        {100, 120, 150, 250, kUndecided},
        {-20, -40, 200, 200, kAttackerWins},  // morale below zero is compared as it is
    };
    for (const Case& c : cases)
        EXPECT_EQ(battle_verdict(c.m0, c.m1, c.s0, c.s1), c.verdict) << c.m0 << " : " << c.m1;
}

TEST(BattleFormulas, RighteousWarFigures) {
    EXPECT_EQ(raised_alliance_strength(9), 10);
    EXPECT_EQ(cut_defender_morale(270), 243);
    EXPECT_EQ(cut_defender_morale(101), 91);  // 90.9 rounds up
    EXPECT_EQ(cut_defender_morale(105), 94);  // 94.5 halves to even
}

TEST(BattleFormulas, MoraleFallsByTheRoundedLoss) {
    EXPECT_EQ(morale_after_loss(250, 53.5f), 196);  // 196.5 halves to even
    EXPECT_EQ(morale_after_loss(250, 52.5f), 198);  // 197.5 halves to even
    EXPECT_EQ(morale_after_loss(300, 49.756f), 250);
    EXPECT_EQ(morale_after_loss(10, 40.2f), -30);   // not clamped at zero
    EXPECT_EQ(morale_after_loss(-32000, 5000.0f), -32768);
    // An alliance member's share is rounded after each member: 3.5 → 4, then 4 + 2.5 → 6.
    EXPECT_EQ(add_alliance_member(0, 50, 7), 4);
    EXPECT_EQ(add_alliance_member(4, 50, 5), 6);
}

// Every figure differs by side, so a term from the wrong side shows; each score for both planners.
TEST(BattleFormulas, TacticScoresForEitherPlanner) {
    BattleSheet s;
    s.strength = {50, 30}, s.ttl_fgt = {11, 6}, s.taishou_score = {20, 15}, s.gunsi_tac = {12, 7};
    s.gunsi_wis = {9, 4}, s.shougun_tac = {14, 5}, s.ikki_fgt = {30, 22}, s.ally_strength = {60, 40};
    s.ttl_plc = {40, 20}, s.ttl_shou = {25, 13}, s.ttl_wis = {16, 3};
    const struct {
        const char* what;
        float mine, theirs, want_mine, want_theirs;
    } cases[] = {
        {"frontal: 61 / 36 × 30 + 10", frontal_score(s, 0), frontal_score(s, 1), 60.833f, 7.705f},
        {"righteous frontal: 10 × 61 / 2", frontal_score_gisen(s, 0), frontal_score_gisen(s, 1), 305, -180},
        {"surprise: (14 − 7) × 3 × 8", surprise_score(s, 0, 3), surprise_score(s, 1, 2), 168, -112},
        {"grand strategy: (6.5 + 12 − 3.3 − 7) × 60 / 10", grand_strategy_score(s, 0), grand_strategy_score(s, 1),
         49.2f, -32.8f},
        {"intrigue: (1.5 + 9 − 4 − 2/3) × (50 / 2 + 16)", intrigue_score(s, 0, 50), intrigue_score(s, 1, 30),
         239.167f, -105},
        {"duel: 7 × 8 × 10", duel_score(s, 0, 7), duel_score(s, 1, 5), 560, -400},
        {"long campaign: (1.5 + 12 − 7 − 2/3) × 40 × 2", long_campaign_score(s, 0), long_campaign_score(s, 1),
         466.667f, -233.333f},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(c.mine, c.want_mine, 1e-3) << c.what;
        EXPECT_NEAR(c.theirs, c.want_theirs, 1e-3) << c.what;
    }
}

TEST(BattleFormulas, SurrenderRules) {
    BattleSheet s;
    s.ally_strength = {1100, 100};
    s.strength = {900, 100};
    s.ttl_plc = {60, 1};
    s.morale = {166, 150};
    EXPECT_TRUE(surrender_demanded(s));
    s.morale = {165, 150};  // 1.1 exactly is not more than 1.1
    EXPECT_FALSE(surrender_demanded(s));
    s.ally_strength = {100, 100};
    s.ttl_plc = {150, 1};
    s.morale = {250, 151};
    EXPECT_TRUE(surrender_demanded(s));
    s.ally_strength = {1000, 100};
    s.ttl_plc = {49, 1};  // 10 + 5: enough
    EXPECT_TRUE(surrender_demanded(s));
    s.ttl_plc = {44, 1};  // 10 + 4.5: not
    EXPECT_FALSE(surrender_demanded(s));

    // Who gives in: the alliances' ratio plus the armies' ratio above 3.2, and worse heart.
    struct Case { std::array<Int16, 2> ally, strength, morale; int verdict; };
    const Case cases[] = {
        {{300, 100}, {100, 100}, {151, 150}, kAttackerWins},  // 3 + 1
        {{100, 100}, {400, 100}, {151, 150}, kAttackerWins},  // 1 + 4
        {{100, 100}, {100, 400}, {150, 151}, kDefenderWins},
        {{300, 100}, {100, 100}, {150, 150}, kUndecided},     // equal heart
        {{100, 300}, {100, 100}, {150, 151}, kDefenderWins},
        {{100, 300}, {100, 100}, {150, 150}, kUndecided},
        {{20, 10}, {12, 10}, {151, 150}, kUndecided},  // 2 + 1.2 is not above 3.2
        {{10, 20}, {10, 12}, {150, 151}, kUndecided},
        {{20, 10}, {125, 100}, {151, 150}, kAttackerWins},  // 2 + 1.25 is
        {{10, 20}, {100, 125}, {150, 151}, kDefenderWins},
        {{1100, 100}, {900, 100}, {150, 160}, kUndecided},  // overwhelming numbers, better heart
        {{100, 100}, {100, 100}, {250, 151}, kUndecided},
    };
    for (const Case& c : cases) {
        s.ally_strength = c.ally, s.strength = c.strength, s.morale = c.morale;
        EXPECT_EQ(surrender_verdict(s), c.verdict) << c.ally[0] << "/" << c.ally[1] << " " << c.strength[0] << "/"
                                                   << c.strength[1] << " " << c.morale[0] << "/" << c.morale[1];
    }
}

class RoleContest : public ::testing::Test {
protected:
    RoleContest() {
        w.add_warlord(1, "魏", 1, 300, 20, 50, 60);
        w.add_warlord(2, "呉", 2, 150, 10, 50, 50);
    }
    WarWorld w;
};

TEST_F(RoleContest, EqualScoreKeepsTheLowerIdAndDrawsOnlyForEligible) {
    w.add_general({1, "甲", 1, kJobKunshu, 10, 0, 10, 20, 10, 10});
    w.add_general({2, "乙", 1, kJobBunkan, 10, 10, 10, 90, 90, 10});  // not eligible: no draws
    w.add_general({3, "丙", 2, kJobShougun, 10, 10, 10, 90, 90, 10});  // other warlord
    w.add_general({4, "丁", 1, kJobGunshi, 10, 10, 10, 19, 11, 10});
    w.rolls({{0, 3}, {0, 3}, {2, 3}, {2, 3}});  // 甲: 2 + 30 = 32; 丁: 6 + 30 = 36
    EXPECT_EQ(Taishou_rtn(w.state(), w.gun(1)), 4);
    EXPECT_EQ(w.state().contest_score, 36);
    EXPECT_EQ(w.dice.draws(), 4u);

    w.rolls({{0, 3}, {0, 3}, {0, 3}, {0, 3}});  // both 32: the lower id keeps the role
    EXPECT_EQ(Taishou_rtn(w.state(), w.gun(1)), 1);
    EXPECT_EQ(w.dice.remaining(), 0u);

    // The duellist draws once, Int(R × 2) + 1: 甲 alone may duel (丁 is a 軍師); 2 + fight 0 is enough.
    w.rolls({{1, 2}});
    EXPECT_EQ(Ikki_rtn(w.state(), w.gun(1)), 1);
    EXPECT_EQ(w.state().contest_score, 2);
    EXPECT_EQ(w.dice.remaining(), 0u);
}

TEST_F(RoleContest, FieldGeneralPlansWithHalfHisWisdomRoundedToEven) {
    w.add_general({1, "甲", 1, kJobShougun, 10, 10, 69, 10, 10, 10});
    w.add_general({2, "乙", 2, kJobShougun, 10, 10, 71, 10, 10, 10});
    w.rolls({{0, 3}, {0, 3}});
    EXPECT_EQ(Gunsi_rtn(w.state(), w.gun(1)), 1);
    EXPECT_EQ(w.state().contest_score, 46);  // 2 + 34.5 + 10 = 46.5
    w.rolls({{0, 3}, {0, 3}});
    EXPECT_EQ(Gunsi_rtn(w.state(), w.gun(2)), 2);
    EXPECT_EQ(w.state().contest_score, 48);  // 47.5
}

TEST_F(RoleContest, ForceTotalsCountTheirJobsOnly) {
    w.add_general({1, "君", 1, kJobKunshu, 50, 50, 50, 50, 50, 10});
    w.add_general({2, "武", 1, kJobBukan, 50, 50, 50, 50, 50, 10});
    auto totals = [&] {
        std::vector<int> out;
        for (auto procedure : {Ttl_Shou_rtn, Ttl_Fgt_rtn, Ttl_Plc_rtn, Ttl_Wis_rtn}) {
            procedure(w.state(), w.gun(1));
            out.push_back(w.state().contest_score);
        }
        return out;
    };
    EXPECT_EQ(totals(), (std::vector<int>{1, 1, 1, 1}));  // rulers and soldiers count nowhere
    w.add_general({3, "文", 1, kJobBunkan, 7, 8, 9, 11, 5, 10});
    w.add_general({4, "参", 1, kJobSanbou, 13, 14, 15, 16, 5, 10});
    w.add_general({5, "師", 1, kJobGunshi, 17, 18, 19, 20, 5, 10});
    EXPECT_EQ(totals(), (std::vector<int>{1, 1, 37, 36}));
    w.add_general({6, "将", 1, kJobShougun, 21, 22, 23, 24, 5, 10});
    w.add_general({7, "敵", 2, kJobShougun, 99, 99, 99, 99, 5, 10});
    EXPECT_EQ(totals(), (std::vector<int>{24, 22, 58, 60}));
    EXPECT_EQ(w.dice.draws(), 0u);
}

}  // namespace
}  // namespace teijinki::testing
