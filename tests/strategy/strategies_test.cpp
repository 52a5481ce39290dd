// The strategies on a small world; the pages show which sections were told and with what.
#include <gtest/gtest.h>

#include <array>

#include "strategy_fixture.h"

namespace teijinki::testing {
namespace {

using Strategies = StrategyTest;

TEST_F(Strategies, EnterProvinceByOwnerOfTheProvince) {
    run(kEnterProvince, 5, 10, 2, /*province*/ 99, /*level*/ 4);  // no such province: section 33 alone
    EXPECT_EQ(page(), "[S33]将5|\r\n");
    state->pages.clear_text();
    // Own province: section 53 alone, with the executor's picture, and nothing changes.
    run(kEnterProvince, 5, 10, 2, /*province*/ 1, /*level*/ 4);
    EXPECT_EQ(page(), "[S53]将5|\r\n");
    EXPECT_EQ(state->pages.page_cg[0], "pic5");
    EXPECT_EQ(state->pages.page_caption[0], "将5");
    EXPECT_EQ(shared.com_level[1][0], 4);

    // Ownerless: no raise, no governor sentence; 50 / 10 + 5 reaches 6 + 4 exactly.
    state->pages.clear_text();
    run(kEnterProvince, 5, 10, 6, 5, 4);
    EXPECT_EQ(page(), "[S2]将5|軍1の名声により州5の住民は軍1\r\n");
    EXPECT_EQ(state->world.kuni[5].gunID, 1);
    EXPECT_EQ(shared.com_level[1][0], 4);

    // Governed by warlord 2: CInt(77 / 10 + 2 - 5) = CInt(4.7) = 5 is stored back; 55 / 10 + 5 < 6 + 5.
    state->pages.clear_text();
    gun(2).tian = 77, gun(1).meisei = 55;
    run(kEnterProvince, 5, 10, 6, 2, 2);
    EXPECT_EQ(shared.com_level[1][0], 5);
    EXPECT_EQ(page(), "州2の太守は、軍2である。\r\n[S22]軍1|州2\r\n");
    EXPECT_EQ(state->world.kuni[2].gunID, 2);
}

TEST_F(Strategies, RecruitJoinsAtOnceOnALowDrawElseByStanding) {
    gun(1).meisei = 55;  // (55 - 20) / 7 = 5
    rng.push(0.59f);     // r = 0: joins whatever the standing
    run(kRecruit, 5, 9, 12, 9);
    rng.push(0.6f);      // r = 1: 5 >= 10 - 5 joins, 5 < 11 - 5 does not
    run(kRecruit, 5, 9, 10, 10);
    EXPECT_EQ(page(), "[S48]将9|\r\n[S1]将9|軍1が\r\n[S47]将5|将10は軍1\r\n[S1]将10|軍1が\r\n");
    EXPECT_EQ(chr(9).kunID, 1);
    EXPECT_EQ(chr(10).gunID, 1);

    state->pages.clear_text();
    chr(10).kunID = chr(10).gunID = 0;
    gun(1).meisei = 54;  // 34 / 7 falls short of 10 - 5
    rng.push(0.6f);
    run(kRecruit, 5, 9, 10, 10);
    run(kRecruit, 0, 0, 11, 10, 0, /*fail_id*/ 1);  // nobody passed: the last who tried is named
    run(kRecruit, 0, 0, 11, 10);                    // nobody tried: nothing to tell
    EXPECT_EQ(page(), "[S47]将5|将10は軍1\r\n[S21]将5|将10は軍1\r\n[S52]将5|将1\r\n");
    EXPECT_EQ(chr(10).kunID, 0);
}

TEST_F(Strategies, DenounceKeepsSixTenthsAtLevel8AndNineTenthsAtLevel2) {
    shared.gun_mei2[2] = 2;
    shared.mei_kessoku[2] = 70;
    gun(2).meisei = 101, gun(2).kessoku = 51;  // 60.6 and 30.6 are cut, not rounded
    run(kDenounce, 5, 9, 7, 2, 8);
    EXPECT_EQ(gun(2).meisei, 60);
    EXPECT_EQ(gun(2).kessoku, 30);
    EXPECT_EQ(shared.mei_kessoku[2], 47);  // CInt(140 / 3)
    EXPECT_EQ(page(), "[S7]|軍2の名声と、その幕僚の結束が 8\r\n");
    // 0.9 × 70 is 63 when the product is rounded to single precision too; a double product of the
    // single factor would cut it to 62.
    gun(3).meisei = 70;
    run(kDenounce, 5, 9, 7, 3, 2);
    EXPECT_EQ(gun(3).meisei, 63);
    EXPECT_EQ(gun(3).kessoku, 45);
    // Naming the own warlord changes nothing.
    run(kDenounce, 5, 9, 7, 1, 8);
    EXPECT_EQ(gun(1).meisei, 50);
    run(kDenounce, 0, 0, 7, 2, 8, /*fail_id*/ 1);  // nobody passed: told without a name
    run(kDenounce, 0, 0, 7, 2, 8, 0);              // nobody tried: nothing is told
    EXPECT_TRUE(page().ends_with("[S27]将5|軍3の名声と、その幕僚の結束が 2\r\n[S58]糾弾|軍3の名声と、その幕僚の結束が 2\r\n"));
}

TEST_F(Strategies, FameAndAweGainsStopOnlyOnceTheyHaveReached200And100) {
    gun(1).tian = 0;
    shared.com_object[1][0] = 5;
    // fame and awe before → after: fame gains 3, awe 1, while below the cap
    for (const auto& [fame, awe, fame_after, awe_after] : {std::array{199, 99, 202, 100}, {200, 100, 200, 100}}) {
        gun(1).meisei = fame;
        gun(1).ifu = awe;
        gun(1).tian = 29;  // 9 + 9 + 2 + 29 = 49: the province is kept; the leader hides
        for (int i = 0; i < 4; ++i) rng.push_roll(i < 2 ? 9 : 0, i < 2 ? 10 : 6);
        run(kYellowTurbans, 5, 12, 7, 9, 5);  // best 12 >= 7 + 5
        EXPECT_EQ(std::make_pair(int(gun(1).meisei), int(gun(1).ifu)), std::make_pair(fame_after, awe_after));
    }
    EXPECT_TRUE(page().ends_with("[S24]将5|州5の人民\r\n将9は身を隠したようだった。[S43]将5|州5の人民\r\n"));
    EXPECT_EQ(state->world.kuni[5].gunID, 0);
}

TEST_F(Strategies, MediationRaisesFameAndCohesionUpToTheirCaps) {
    shared.gun_mei2[1] = 1;
    // fame, cohesion, the mediator's policy, level → fame, cohesion after
    for (const auto& [fame, cohesion, policy, level, fame_after, cohesion_after] :
         {std::array{150, 60, 7, 5, 155, 67}, {198, 96, 5, 3, 200, 100}, {199, 99, 1, 1, 200, 100}}) {
        gun(1).meisei = fame;
        shared.mei_kessoku[1] = cohesion;
        chr(5).policy = policy;
        run(kMediate, 5, 9, 7, 0, level);
        EXPECT_EQ(std::make_pair(int(gun(1).meisei), int(shared.mei_kessoku[1])), std::make_pair(fame_after, cohesion_after));
    }
    run(kMediate, 0, 0, 7, 0, 4, /*fail_id*/ 1);
    run(kMediate, 0, 0, 7, 0, 4, 0);  // nobody tried: nothing is told
    EXPECT_EQ(page(), "[S6]将5|軍1の名声が 5、同盟の結束が 7\r\n[S6]将5|軍1の名声が 3、同盟の結束が 5\r\n"
                      "[S6]将5|軍1の名声が 1、同盟の結束が 1\r\n[S58]調停|軍1の名声が 1、同盟の結束が 1\r\n");
}

TEST_F(Strategies, JoiningAnAllianceTakesFameAndPolicyAndMovesItsCohesion) {
    shared.gun_mei2[1] = 1;
    // fame, entry roll, level → joined, cohesion CInt(50 + fame / 12 − 5): 50.5 rounds to even
    for (const auto& [fame, entry_roll, level, joined, cohesion] :
         {std::array{66, 7, 4, 1, 50}, {78, 7, 5, 0, 50}, {78, 6, 5, 1, 52}, {30, 5, 4, 1, 48}, {60, 7, 4, 1, 50}}) {
        gun(1).meisei = fame;
        gun(1).meishuID = 0;
        shared.mei_kessoku[1] = 50;
        state->pages.clear_text();
        run(kJoinAlliance, 5, 9, entry_roll, /*leader*/ 3, level);  // fame / 20 + 5 + 3 against the bar
        EXPECT_EQ(gun(1).meishuID, joined ? 3 : 0) << fame << " " << entry_roll;
        EXPECT_EQ(shared.mei_kessoku[1], cohesion) << fame << " " << entry_roll;
        EXPECT_EQ(page(), joined ? "[S8]将5|軍1の名声により軍1は将3の\r\n" : "[S39]将5|軍1\r\n");
    }
}

TEST_F(Strategies, TribesGiveEliteTroopsByCharmPlusOneAndTheLeaderMayJoin) {
    shared.com_object[1][0] = 16;
    gun(1).tian = 8;
    rng.push_roll(0, 6), rng.push_roll(1, 6);  // 3 < 5: the leader hides
    run(kTribes, 5, 9, 5, 9, 4);                // fight 5 + 4 reaches 5 + 4
    EXPECT_EQ(std::make_tuple(int(gun(1).seihei), int(gun(1).tian), int(gun(1).meisei), int(gun(1).ifu)),
              std::make_tuple(9, 3, 53, 23));  // Int(6 × 16 / 10)
    EXPECT_EQ(chr(9).kunID, 0);
    rng.push_roll(1, 6), rng.push_roll(3, 6);  // 6 ≥ 6: the leader joins
    run(kTribes, 5, 9, 6, 9, 4);
    EXPECT_EQ(std::make_tuple(int(gun(1).seihei), int(gun(1).tian), int(gun(1).meisei), int(gun(1).ifu)),
              std::make_tuple(18, 0, 54, 26));
    rng.push_roll(5, 6), rng.push_roll(5, 6);
    run(kTribes, 5, 9, 6, /*no leader*/ 0, 4);  // the dice are drawn, but nobody is won over
    EXPECT_EQ(page(), "[S5]|\r\n[S46]|軍1\r\n将9は身を隠したようだった。[S43]将5|軍1\r\n"
                      "[S5]将5|軍1\r\n[S15]将5| 9000が\r\n[S1]将9|軍1が\r\n[S5]将9|軍1が\r\n[S15]将9| 9000が\r\n");
    EXPECT_EQ(chr(9).kunID, 1);
    chr(5).kunID = 99;  // a ruler no record holds lends no charm: 10 + 0 falls short of 6 + 5
    rng.push_roll(4, 6), rng.push_roll(4, 6);
    run(kTribes, 5, 9, 6, 10, 4);
    EXPECT_EQ(chr(10).kunID, 0);
}

TEST_F(Strategies, YellowTurbansNeedBestOrTacticsAboveTheBarAndTakeTheProvinceOn2d10) {
    run(kYellowTurbans, 5, 10, 7, 9, 4);  // best 10 and tactics 11 do not pass 7 + 4
    chr(5).tactics = 11;
    run(kYellowTurbans, 5, 10, 7, 9, 4);
    EXPECT_EQ(page(), "[S43]将5|\r\n[S43]将5|\r\n");
    chr(5).tactics = 12;
    gun(1).tian = 30;
    shared.com_object[1][0] = 5;
    for (int k : {9, 9}) rng.push_roll(k, 10);  // 20 + 30 reaches 50
    rng.push_roll(5, 6), rng.push_roll(4, 6);   // 11 + 5 < 7 + 10: the leader hides
    chr(9).charm = 10;
    run(kYellowTurbans, 5, 10, 7, 9, 4);
    EXPECT_EQ(state->world.kuni[5].gunID, 1);
    EXPECT_TRUE(page().ends_with("[S4]将5|\r\n[S14]将5|州5の人民が\r\n将9は身を隠したようだった。[S43]将5|州5の人民が\r\n"));
}

TEST_F(Strategies, LeavingAndTakingOverAnAlliance) {
    for (int g : {1, 2, 3, 4}) gun(g).meishuID = 2;
    run(kLeaveAlliance, 6, 12, 7, 0, 4);  // the leader's own general
    EXPECT_EQ(page(), "[S18]将6|\r\n");
    EXPECT_EQ(gun(2).meishuID, 2);

    // (75 + 20) / 10 + best against 7 + (95 + 20) / 10 + 4: 12 is one short, 13 ties.
    gun(1).meisei = 75, gun(2).meisei = 95;
    run(kReplaceLeader, 5, 12, 7, 0, 4);
    EXPECT_TRUE(page().ends_with("[S44]将5|\r\n")) << page();
    EXPECT_EQ(gun(1).meishuID, 2);
    run(kReplaceLeader, 5, 13, 7, 0, 4);  // warlord 1 leads, warlord 2 is out
    EXPECT_TRUE(page().ends_with("[S10]将5|軍1\r\n"));
    EXPECT_EQ((std::array{gun(1).meishuID, gun(2).meishuID, gun(3).meishuID, gun(4).meishuID}),
              (std::array<Int16, 4>{1, 0, 1, 1}));  // the last warlord follows too
    run(kReplaceLeader, 5, 13, 7, 0, 4);  // his own lord leads now: there is nothing to take over
    EXPECT_TRUE(page().ends_with("[S10]将5|軍1\r\n[S33]将5|軍1\r\n")) << page();
    // Warlord 4 (fame 50) takes it from warlord 1 in turn: 7 + 14 >= 7 + 9.5 + 4.
    run(kReplaceLeader, 8, 14, 7, 0, 4);
    EXPECT_EQ((std::array{gun(1).meishuID, gun(2).meishuID, gun(3).meishuID, gun(4).meishuID}),
              (std::array<Int16, 4>{0, 0, 4, 4}));

    run(kLeaveAlliance, 7, 10, 7, 0, 4);  // 10 < 11: nothing at all
    EXPECT_EQ(gun(3).meishuID, 4);
    run(kLeaveAlliance, 7, 11, 7, 0, 4);
    EXPECT_EQ(gun(3).meishuID, 0);
    run(kReplaceLeader, 7, 20, 7, 0, 4);  // in no alliance: there is no leader to replace
    EXPECT_EQ(gun(2).meishuID, 0);
    EXPECT_TRUE(page().ends_with("[S10]将8|軍4\r\n[S9]将7|軍3\r\n[S33]将7|軍3\r\n")) << page();
    // A leader no general record holds has no warlord whose standing counts: 7 + 4 ties 7 + 0 + 4.
    gun(3).meishuID = 99;
    run(kReplaceLeader, 7, 4, 7, 0, 4);
    EXPECT_EQ((std::array{gun(1).meishuID, gun(3).meishuID}), (std::array<Int16, 2>{0, 3}));
}

TEST_F(Strategies, SubversionBreaksCohesionAndDrawsDefectors) {
    chr(5).wisdom = 10, gun(2).kessoku = 51;  // keeps 15 / 25 of the cohesion: 30.6 is cut
    for (int i = 0; i < 16; ++i) rng.push(0.999f);
    run(kSubvert, 5, 9, 7, 2, 4);
    EXPECT_EQ(gun(2).kessoku, 30);
    EXPECT_TRUE(page().starts_with("[S3]将5|軍2陣営の結束が 30\r\n")) << page();
    EXPECT_EQ(chr(2).gunID, 2);  // the ruler stays
    EXPECT_EQ(chr(6).gunID, 1);
    EXPECT_EQ(chr(6).kunID, 1);
    EXPECT_TRUE(page().ends_with("[S13]将6、|軍1\r\n")) << page();
    run(kSubvert, 0, 0, 7, 2, 4, /*fail_id*/ 1);  // nobody passed: the last who tried is named
    run(kSubvert, 0, 0, 7, 3, 4, /*fail_id*/ 7);  // ... but not when he serves the target
    run(kSubvert, 0, 0, 7, 2, 4, 0);              // nobody tried: nothing is told
    EXPECT_TRUE(page().ends_with("[S23]将1|軍2\r\n")) << page();
}

TEST_F(Strategies, AnEntryNobodyPassedTellsNothingWhenItHasNoFailureText) {
    for (int code : {kEnterProvince, kYellowTurbans, kTribes, kJoinAlliance, kLeaveAlliance, kReplaceLeader, kWar,
                     kRighteousWar})
        run(code, 5, /*best*/ 0, 2, 2, 2, /*fail_id*/ 1);
    EXPECT_EQ(page(), "");
    EXPECT_EQ(rng.draws(), 0u);
}

TEST_F(Strategies, ASubjectThatDoesNotExistIsToldAlone) {
    for (int code : {kRecruit, kSubvert, kDenounce}) {
        state->pages.clear_text();
        run(code, 5, 12, 2, /*subject*/ 99, 4);
        EXPECT_EQ(page(), "[S33]将5|\r\n") << code;
    }
}

TEST(StrategyTable, NamesRunFromWaitToAssassinationAndOnlyTheTwelveStrategiesHaveARule) {
    EXPECT_EQ(std::make_tuple(command_name(0), command_name(13), command_name(14), command_name(-1)),
              std::make_tuple("待機", "暗殺", "", ""));
    EXPECT_EQ(std::make_tuple(strategy_rule(0), strategy_rule(13), strategy_rule(12) != nullptr),
              std::make_tuple(nullptr, nullptr, true));
}

TEST(StrategyPictures, EveryStrategyCarriedOutShowsItsExecutorFirst) {
    for (int code = kRecruit; code <= kReplaceLeader; ++code) {
        SeededRandom rng(static_cast<std::uint64_t>(code));
        SmallWorld w(rng);
        w.run(code, 5, 12, 2, code == kEnterProvince ? 5 : 2, 2);
        EXPECT_EQ(w.state->pages.page_cg[0] + w.state->pages.page_caption[0], "pic5将5") << code;
    }
}

TEST(WarDeclared, OnlyAPlayersWarlordRaisesTheNotice) {
    for (bool righteous : {false, true}) {
        for (int target : {1, 2}) {
            SeededRandom rng(righteous ? 11 : 12);
            SmallWorld w(rng);
            w.shared.player_gun[0] = 2;
            w.run(righteous ? kRighteousWar : kWar, 5, 9, 7, target);
            const std::string& first = w.state->pages.page_text[0];
            if (target == 1) {
                EXPECT_EQ(first + w.state->pages.page_cg[0], "[S32]将5|\r\npic5");  // no war on oneself
                continue;
            }
            const std::string declared = std::string(righteous ? "[S12]将5|軍1は軍2" : "[S12]将5|軍1を中心とした連合軍は、軍2") +
                                         "\r\n" + kPlayerAttackedNotice + "\r\n";
            EXPECT_TRUE(first.starts_with(declared)) << first;
            EXPECT_TRUE(w.state->attacked);
            EXPECT_GT(first.size() + w.state->pages.page_no, declared.size()) << "the war itself told nothing";
        }
    }
}

// Declaring a righteous war raises fame by 5, up to 200. A weak attacker's war that ends
// undecided moves no fame of its own, so the declaration's raise is what is left.
TEST(WarDeclared, ARighteousWarRaisesFameByFiveUpTo200) {
    for (const auto& [fame, after] : {std::pair{50, 55}, {198, 200}}) {
        SeededRandom rng(11);
        SmallWorld w(rng);
        w.gun(1).meisei = static_cast<Int16>(fame), w.gun(1).army = 1;
        w.run(kRighteousWar, 5, 9, 7, 2);
        EXPECT_NE(w.state->pages.page_text[0].find("[S36]"), std::string::npos) << "not undecided";
        EXPECT_EQ(w.gun(1).meisei, after);
    }
}

}  // namespace
}  // namespace teijinki::testing
