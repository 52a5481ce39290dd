// The twelve strategies on a small world, with a Text.ini that shows which sections were told.
#include <gtest/gtest.h>

#include "strategy/strategy_table.h"
#include "strategy_fixture.h"

namespace teijinki::testing {
namespace {

int count_sections(const std::string& text) {
    int n = 0;
    for (std::size_t at = text.find("[S"); at != std::string::npos; at = text.find("[S", at + 1)) ++n;
    return n;
}

// ---- 入国 -------------------------------------------------------------------------------------

using EnterProvince = StrategyTest;

TEST_F(EnterProvince, OwnProvinceShowsOnlySection53AndChangesNothing) {
    kuni(1).gunID = 1;
    run(kEnterProvince, 5, 10, 2, /*subject*/ 1, /*level*/ 4);
    EXPECT_EQ(page(), "[S53]将5|\r\n");
    EXPECT_EQ(kuni(1).gunID, 1);
    EXPECT_EQ(shared.com_level[1][0], 4);
    EXPECT_EQ(state->pages.page_cg[0], "pic5");
    EXPECT_EQ(state->pages.page_caption[0], "将5");
}

TEST_F(EnterProvince, OwnerlessProvinceSkipsTheRaiseAndTheGovernorSentence) {
    // fame 50 / 10 + policy 5 = 10 reaches roll 6 + level 4 exactly.
    run(kEnterProvince, 5, 10, 6, 2, 4);
    EXPECT_EQ(page(), "[S2]将5|軍1の名声により州2の住民は軍1\r\n");
    EXPECT_EQ(kuni(2).gunID, 1);
    EXPECT_EQ(shared.com_level[1][0], 4);
}

TEST_F(EnterProvince, GovernedProvinceRaisesTheDifficultyHalfToEvenAndStoresIt) {
    kuni(3).gunID = 2;
    gun(2).tian = 35;  // 3.5 + 6 - 5 = 4.5, which rounds to 4
    run(kEnterProvince, 5, 10, 7, 3, 6);
    EXPECT_EQ(shared.com_level[1][0], 4);
    // 10 < 7 + 4: refused.
    EXPECT_EQ(page(), "州3の太守は、軍2である。\r\n[S22]軍1|州3\r\n");
    EXPECT_EQ(kuni(3).gunID, 2);

    state->pages.clear_text();
    gun(2).tian = 45;  // 4.5 + 6 - 5 = 5.5, which rounds to 6
    gun(1).meisei = 80;  // 8 + 5 = 13 >= 7 + 6
    run(kEnterProvince, 5, 10, 7, 3, 6);
    EXPECT_EQ(shared.com_level[1][0], 6);
    EXPECT_EQ(kuni(3).gunID, 1);
}

TEST_F(EnterProvince, WithoutExecutorNothingIsToldOrTagged) {
    run(kEnterProvince, 0, 0, 7, 2, 4);
    EXPECT_EQ(page(), "");
    EXPECT_EQ(state->pages.page_cg[0], "");
    EXPECT_EQ(kuni(2).gunID, 0);
}

// ---- 人材募集 -----------------------------------------------------------------------------------

using Recruit = StrategyTest;

TEST_F(Recruit, FirstDrawBelowSixTenthsJoinsWithoutTheStandingTest) {
    gun(1).meisei = 0;
    gun(1).ifu = 100;  // a standing that could never pass
    rng.push(0.59f);
    run(kRecruit, 5, 9, 12, 9, 5);
    EXPECT_EQ(page(), "[S48]将9|\r\n[S1]将9|軍1が\r\n");
    EXPECT_EQ(chr(9).kunID, 1);
    EXPECT_EQ(chr(9).gunID, 1);
    EXPECT_EQ(rng.remaining(), 0u);
}

TEST_F(Recruit, HesitantRecruitJoinsOnlyWhenTheStandingReachesTheRoll) {
    rng.push(0.6f);                     // r = 1
    gun(1).meisei = 54;                 // (54 - 20) / 7 < 10 - 5
    run(kRecruit, 5, 9, 10, 9, 5);
    EXPECT_EQ(page(), "[S47]将5|将9は軍1\r\n[S21]将5|将9は軍1\r\n");
    EXPECT_EQ(chr(9).kunID, 0);

    state->pages.clear_text();
    rng.push(0.99f);
    gun(1).meisei = 55;                 // (55 - 20) / 7 = 5
    run(kRecruit, 5, 9, 10, 9, 5);
    EXPECT_EQ(page(), "[S47]将5|将9は軍1\r\n[S1]将9|軍1が\r\n");
    EXPECT_EQ(chr(9).kunID, 1);
}

TEST_F(Recruit, WithoutExecutorTheFailedCandidateIsNamedOnlyIfThereIsOne) {
    run(kRecruit, 0, 0, 7, 9, 5, 0, /*fail_id*/ 0);
    EXPECT_EQ(page(), "");
    shared.text_sub1 = "";
    run(kRecruit, 0, 0, 7, 9, 5, 0, 6);
    EXPECT_EQ(page(), "[S52]|将6\r\n");
    EXPECT_EQ(chr(9).kunID, 0);
}

TEST(RecruitSeeded, SixInTenJoinWithoutAnyTest) {
    TempGameFolder temp;
    GameFolder folder = temp.folder();
    SharedValues shared;
    shared.gun_count = 1;
    shared.bushou_count = 2;
    SeededRandom rng(20240601);
    TemplateTable text = TemplateTable::from_text(marker_text_ini());
    auto state = std::make_unique<MsgState>(folder, shared, rng, text);
    state->world.gun[1].id = 1;
    state->world.gun[1].kunshuID = 1;
    state->world.gun[1].ifu = 100;  // the standing test always fails
    state->world.chr[1].kunID = 1;
    state->world.chr[1].gunID = 1;
    shared.com_subject[0][0] = 2;
    const int attempts = 4000;
    int joined = 0;
    for (int i = 0; i < attempts; ++i) {
        state->world.chr[2].kunID = 0;
        state->world.chr[2].gunID = 0;
        state->pages.clear_text();
        StrategyEntry e{0, 0, kRecruit, 1, 9, 0, 12};
        execute_strategy(*state, e);
        if (state->world.chr[2].kunID == 1) ++joined;
    }
    EXPECT_NEAR(static_cast<double>(joined) / attempts, 0.6, 0.03);
}

// ---- 糾弾 -------------------------------------------------------------------------------------

using Denounce = StrategyTest;

TEST_F(Denounce, HighestDifficultyLeavesSixTenthsLowestNineTenths) {
    shared.gun_mei2[2] = 2;
    shared.mei_kessoku[2] = 90;
    gun(2).meisei = 100;
    gun(2).kessoku = 50;
    run(kDenounce, 5, 9, 7, 2, 8);
    EXPECT_EQ(gun(2).meisei, 60);
    EXPECT_EQ(gun(2).kessoku, 30);
    EXPECT_EQ(shared.mei_kessoku[2], 60);
    EXPECT_EQ(page(), "[S7]|軍2の名声と、その幕僚の結束が 8\r\n");

    // 0.9 × 70 is 63 in single precision (a double product would cut it to 62).
    gun(3).meisei = 70;
    gun(3).kessoku = 50;
    shared.gun_mei2[3] = 3;
    shared.mei_kessoku[3] = 50;
    run(kDenounce, 5, 9, 7, 3, 2);
    EXPECT_EQ(gun(3).meisei, 63);
    EXPECT_EQ(gun(3).kessoku, 45);
    EXPECT_EQ(shared.mei_kessoku[3], 33);
    EXPECT_EQ(gun(1).meisei, 50);  // the denouncer's own standing is untouched
}

TEST_F(Denounce, OwnWarlordOrNoExecutorChangesNothing) {
    run(kDenounce, 5, 9, 7, 1, 8);
    EXPECT_EQ(page(), "[S27]将5|\r\n");
    EXPECT_EQ(gun(1).meisei, 50);
    state->pages.clear_text();
    run(kDenounce, 0, 0, 7, 2, 8, 0, 6);
    EXPECT_TRUE(page().starts_with("[S58]糾弾|")) << page();
    EXPECT_EQ(gun(2).meisei, 50);
}

// ---- 黄巾賊退治 and 異民族討伐: fame and awe bounds, the 器量 contest --------------------------------

using Expeditions = StrategyTest;

TEST_F(Expeditions, FameStopsGainingOnlyOnceItReaches200) {
    gun(1).meisei = 199;
    gun(1).ifu = 99;
    gun(1).tian = 0;
    kuni(4).gunID = 3;
    auto script = [&] {
        rng.push_roll(0, 10);  // second roll 2: 2 + tian 0 < 50, the province stays
        rng.push_roll(0, 10);
        rng.push_roll(0, 6);  // contest 2 + 5 < 7 + 5: the leader hides
        rng.push_roll(0, 6);
    };
    script();
    run(kYellowTurbans, 5, 12, 7, 9, 4, 4);
    EXPECT_EQ(gun(1).meisei, 202);
    EXPECT_EQ(gun(1).ifu, 100);
    EXPECT_EQ(kuni(4).gunID, 3);
    EXPECT_EQ(page(), "[S4]将5|\r\n[S24]将5|州4の人民\r\n将9は身を隠したようだった。[S43]将5|州4の人民\r\n");
    EXPECT_EQ(chr(9).kunID, 0);
    script();
    run(kYellowTurbans, 5, 12, 7, 9, 4, 4);
    EXPECT_EQ(gun(1).meisei, 202);
    EXPECT_EQ(gun(1).ifu, 100);
    EXPECT_EQ(rng.remaining(), 0u);
}

TEST_F(Expeditions, YellowTurbansFailureOrContestWon) {
    // best 10 < 7 + 4 and tactics 5 is not above 11: section 43 alone, no draws.
    run(kYellowTurbans, 5, 10, 7, 9, 4, 4);
    EXPECT_EQ(page(), "[S43]将5|\r\n");
    EXPECT_EQ(gun(1).meisei, 50);
    EXPECT_EQ(rng.remaining(), 0u);

    // tactics above the bar suffices even when best falls short; the leader is won over.
    state->pages.clear_text();
    chr(5).tactics = 12;
    gun(1).tian = 0;
    rng.push_roll(0, 10);
    rng.push_roll(0, 10);
    rng.push_roll(5, 6);
    rng.push_roll(5, 6);  // 12 + 5 >= 7 + 5
    run(kYellowTurbans, 5, 10, 7, 9, 4, 4);
    EXPECT_EQ(gun(1).meisei, 53);
    EXPECT_EQ(gun(1).ifu, 21);
    EXPECT_EQ(chr(9).kunID, 1);
    EXPECT_EQ(chr(9).gunID, 1);
    EXPECT_NE(page().find("[S1]将9|軍1が"), std::string::npos);
}

TEST_F(Expeditions, TribesGainEliteTroopsAndLoseOrder) {
    gun(1).tian = 3;
    gun(1).seihei = 10;
    rng.push_roll(0, 6);
    rng.push_roll(0, 6);
    // fight 5 + 4 < 7 + 4: a partial result.
    run(kTribes, 5, 9, 7, 9, 4, /*troops*/ 10);
    EXPECT_EQ(gun(1).seihei, 16);  // Int((5 + 1) × 10 / 10)
    EXPECT_EQ(gun(1).tian, 0);
    EXPECT_EQ(gun(1).meisei, 51);
    EXPECT_EQ(gun(1).ifu, 23);
    EXPECT_TRUE(page().starts_with("[S5]|\r\n[S15]| 6000が\r\n")) << page();

    state->pages.clear_text();
    chr(5).charm = 2;
    rng.push_roll(0, 6);
    rng.push_roll(0, 6);
    run(kTribes, 5, 9, 7, 9, 2, 7);  // 9 >= 7 + 2: victory
    EXPECT_EQ(gun(1).seihei, 18);    // Int(3 × 7 / 10)
    EXPECT_EQ(gun(1).meisei, 54);
    EXPECT_EQ(gun(1).ifu, 26);
    EXPECT_NE(page().find("[S46]将5|軍1\r\n"), std::string::npos) << page();
}

TEST(FameBounds, GainsStopAtTheirBoundsButMayPassThem) {
    Gun g;
    g.meisei = 199;
    gain_fame(g, 3);
    EXPECT_EQ(g.meisei, 202);
    gain_fame(g, 3);
    EXPECT_EQ(g.meisei, 202);
    g.ifu = 98;
    gain_awe(g, 3);
    EXPECT_EQ(g.ifu, 101);
    gain_awe(g, 1);
    EXPECT_EQ(g.ifu, 101);
}

// ---- 調停 -------------------------------------------------------------------------------------

using Mediate = StrategyTest;

TEST_F(Mediate, FameAndCohesionRiseWithinTheirCaps) {
    gun(1).meisei = 198;
    shared.gun_mei2[1] = 1;
    shared.mei_kessoku[1] = 97;
    run(kMediate, 5, 9, 7, 0, 5);
    EXPECT_EQ(gun(1).meisei, 200);
    EXPECT_EQ(shared.mei_kessoku[1], 100);
    EXPECT_EQ(page(), "[S6]将5|軍1の名声が 5、同盟の結束が 5\r\n");

    state->pages.clear_text();
    run(kMediate, 0, 0, 7, 0, 5, 0, 6);
    EXPECT_EQ(page(), "[S58]調停|軍1の名声が 5、同盟の結束が 5\r\n");
    state->pages.clear_text();
    run(kMediate, 0, 0, 7, 0, 5, 0, 0);
    EXPECT_EQ(page(), "");
}

// ---- 同盟参加, 脱退, 盟主交替 ---------------------------------------------------------------------

using Alliances = StrategyTest;

TEST_F(Alliances, JoiningSetsTheLeaderAndMovesCohesionByFame) {
    gun(1).meisei = 30;  // 1.5 + 5 + 3 = 9.5
    shared.gun_mei2[1] = 0;
    shared.mei_kessoku[0] = 50;
    run(kJoinAlliance, 5, 9, 7, 3, 4);  // 9.5 < 11: refused
    EXPECT_EQ(gun(1).meishuID, 0);
    EXPECT_EQ(page(), "[S39]将5|軍1\r\n");

    state->pages.clear_text();
    run(kJoinAlliance, 5, 9, 7, 3, 2);  // 9.5 >= 9
    EXPECT_EQ(gun(1).meishuID, 3);
    EXPECT_EQ(shared.mei_kessoku[0], 48);  // CInt(50 + 2.5 - 5) = CInt(47.5)
    EXPECT_EQ(page(), "[S8]将5|軍1の名声により軍1は将3の\r\n");
}

TEST_F(Alliances, LeaderIsRefusedLeaveMemberLeaves) {
    gun(1).meishuID = 2;
    gun(2).meishuID = 2;
    run(kLeaveAlliance, 6, 12, 7, 0, 4);
    EXPECT_EQ(page(), "[S18]将6|\r\n");
    EXPECT_EQ(gun(2).meishuID, 2);

    state->pages.clear_text();
    run(kLeaveAlliance, 5, 10, 7, 0, 4);  // 10 < 11: nothing at all
    EXPECT_EQ(page(), "");
    EXPECT_EQ(state->pages.page_cg[0], "pic6");  // only the refused leader's picture so far
    EXPECT_EQ(gun(1).meishuID, 2);

    run(kLeaveAlliance, 5, 11, 7, 0, 4);
    EXPECT_EQ(page(), "[S9]将5|軍1\r\n");
    EXPECT_EQ(gun(1).meishuID, 0);
    EXPECT_EQ(gun(2).meishuID, 2);
}

TEST_F(Alliances, LeadershipChangeHandsOverAndExpelsTheOldLeader) {
    for (int g : {1, 2, 3}) gun(g).meishuID = 2;
    // ours (50 + 20) / 10 + 10 = 17 < theirs 7 + 7 + 4 = 18: failure.
    run(kReplaceLeader, 5, 10, 7, 0, 4);
    EXPECT_EQ(page(), "[S44]将5|\r\n");
    EXPECT_EQ(gun(1).meishuID, 2);

    state->pages.clear_text();
    run(kReplaceLeader, 5, 11, 7, 0, 4);  // 18 >= 18
    EXPECT_EQ(page(), "[S10]将5|軍1\r\n");
    EXPECT_EQ(gun(1).meishuID, 1);
    EXPECT_EQ(gun(3).meishuID, 1);
    EXPECT_EQ(gun(2).meishuID, 0);
    EXPECT_EQ(gun(4).meishuID, 0);

    state->pages.clear_text();
    run(kReplaceLeader, 5, 11, 7, 0, 4);  // already the leader
    run(kReplaceLeader, 8, 11, 7, 0, 4);  // warlord 4 is in no alliance
    EXPECT_EQ(page(), "[S33]将5|軍1\r\n[S33]将8|軍1\r\n");
}

// ---- 調略 -------------------------------------------------------------------------------------

using Subvert = StrategyTest;

TEST_F(Subvert, OwnWarlordOrFailedCandidate) {
    run(kSubvert, 5, 9, 7, 1, 4);
    EXPECT_EQ(page(), "[S33]将5|\r\n");
    state->pages.clear_text();
    run(kSubvert, 0, 0, 7, 3, 4, 0, 6);  // 将6 serves warlord 2, not the target
    EXPECT_EQ(page(), "[S23]将6|軍3\r\n");
    state->pages.clear_text();
    run(kSubvert, 0, 0, 7, 3, 4, 0, 7);  // 将7 serves the target itself
    EXPECT_EQ(page(), "");
}

TEST_F(Subvert, CohesionFallsAndGeneralsDefect) {
    chr(5).wisdom = 10;  // keeps 15 / 25 of the cohesion
    for (int i = 0; i < 16; ++i) rng.push(0.999f);  // every die at its highest
    const bool built = is_built([&] { run(kSubvert, 5, 9, 7, 2, 4); });
    if (!built) GTEST_SKIP() << "Rnd_Shuppon2 is not built yet";
    EXPECT_EQ(gun(2).kessoku, 30);
    EXPECT_TRUE(page().starts_with("[S3]将5|軍2陣営の結束が 30\r\n")) << page();
    // The target's ruler never defects; 将6 (Setu 5) does.
    EXPECT_EQ(chr(2).gunID, 2);
    EXPECT_EQ(chr(6).gunID, 1);
    EXPECT_EQ(chr(6).kunID, 1);
    EXPECT_NE(page().find("[S13]将6、|軍1\r\n"), std::string::npos);
}

// ---- 戦争, 義戦 --------------------------------------------------------------------------------

using War = StrategyTest;

TEST_F(War, NoWarAgainstOneselfOrNobody) {
    run(kWar, 5, 9, 7, 1);
    run(kRighteousWar, 5, 9, 7, 0);
    EXPECT_EQ(page(), "[S32]将5|\r\n[S32]将5|\r\n");
    EXPECT_FALSE(state->attacked);
    EXPECT_EQ(gun(1).meisei, 50);
}

TEST(WarDeclared, PlayerTargetIsNoticedAndTheWarIsFought) {
    for (bool righteous : {false, true}) {
        for (bool player : {false, true}) {
            TempGameFolder temp;
            GameFolder folder = temp.folder();
            SharedValues shared;
            shared.gun_count = 2;
            shared.bushou_count = 4;
            shared.kuni_count = 2;
            if (player) shared.player_gun[0] = 2;
            SeededRandom rng(righteous ? 11 : 12);
            TemplateTable text = TemplateTable::from_text(marker_text_ini());
            auto state = std::make_unique<MsgState>(folder, shared, rng, text);
            for (int g = 1; g <= 2; ++g) {
                Gun& gun = state->world.gun[g];
                gun.id = g;
                gun.name = "軍" + std::to_string(g);
                gun.kunshuID = g;
                gun.army = 30;
                gun.meisei = 50;
                gun.kessoku = 50;
                gun.tian = 50;
                state->world.kuni[g].gunID = g;
                state->world.kuni[g].army = 30;
            }
            for (int k = 1; k <= 4; ++k) {
                Bushou& b = state->world.chr[k];
                b.name = "将" + std::to_string(k);
                b.kunID = k <= 2 ? k : k - 2;
                b.gunID = b.kunID;
                b.Job = k <= 2 ? 5 : 3;
                b.policy = b.fight = b.wisdom = b.tactics = b.charm = 6;
            }
            shared.com_subject[0][0] = 2;
            StrategyEntry e{0, 0, righteous ? kRighteousWar : kWar, 3, 9, 0, 7};
            const bool built = is_built([&] { execute_strategy(*state, e); });
            if (!built) GTEST_SKIP() << "War_rtn / Gisen_rtn / isPlayer are not built yet";
            const std::string& first = state->pages.page_text[0];
            const std::string declared = righteous ? "[S12]将3|軍1は軍2\r\n" : "[S12]将3|軍1を中心とした連合軍は、軍2\r\n";
            EXPECT_TRUE(first.starts_with(declared)) << first;
            const std::string notice = std::string(kPlayerAttackedNotice) + "\r\n";
            EXPECT_EQ(first.find(notice) == declared.size(), player);
            EXPECT_EQ(state->attacked, player);
            EXPECT_GT(count_sections(first), 1) << "the war itself told nothing";
        }
    }
}

TEST_F(StrategyTest, CodesOutsideTheTwelveDoNothing) {
    for (int code : {0, 13, -1, 14}) run(code, 5, 12, 7, 2, 4);
    EXPECT_EQ(page(), "");
    EXPECT_EQ(state->pages.page_cg[0], "");
    EXPECT_EQ(rng.draws(), 0u);
}

}  // namespace
}  // namespace teijinki::testing
