// Which warlords are destroyed at the end of a phase, who leads a destroyed leader's alliance,
// and what the main screen learns about its players.

#include "events/destruction.h"
#include "msg_fixture.h"

namespace teijinki {
namespace {

using testing::MsgFixture;

class DestructionTest : public MsgFixture {
protected:
    // Every warlord but `weak` owns a province, so only `weak` can fall.
    void others_hold_land(int weak) {
        int p = 1;
        for (int g = 1; g <= 4 && p <= 3; ++g)
            if (g != weak) world().kuni[p++].gunID = g;
    }
    // One survival draw per living warlord, in id order; the weak one gets r.
    void draws(int weak, int r) {
        for (int g = 1; g <= 4; ++g)
            if (!world().gun[g].del) rng.push_roll(g == weak ? r - 1 : 0, 50);
    }
};

TEST_F(DestructionTest, LandlessRulerAloneSurvivesOnlyWhenFameMinusAweBeatsTheDraw) {
    // meisei − ifu = 30: survives draws 1..29, falls at 30 and above, so (30 − 1)/50.
    for (const auto& [r, survives] : {std::pair{29, true}, std::pair{30, false}, std::pair{50, false}, std::pair{1, true}}) {
        SCOPED_TRACE("draw " + std::to_string(r));
        reset();
        others_hold_land(2);
        world().gun[2].meisei = 40;
        world().gun[2].ifu = 10;
        draws(2, r);
        checkMetubou(*state);
        EXPECT_EQ(world().gun[2].del, !survives);
        EXPECT_EQ(rng.remaining(), 0u);
    }
}

TEST_F(DestructionTest, AweAtOrAboveFameAlwaysDestroysAndIsTold) {
    others_hold_land(3);
    world().gun[3].meisei = 20;
    world().gun[3].ifu = 20;
    world().gun[3].meishuID = world().gun[2].meishuID = 3;  // it leads 2's alliance, which passes on
    draws(3, 1);
    checkMetubou(*state);
    EXPECT_TRUE(world().gun[3].del);
    EXPECT_EQ(world().gun[2].meishuID, 2);
    EXPECT_EQ(state->pages.page_text[0], "軍3は滅び去った。\r\n君2が新たな盟主となった。\r\n");
}

TEST_F(DestructionTest, OneServingGeneralWhoIsNotTheRulerKeepsALandlessWarlordAlive) {
    for (const int k : {1, 8}) {  // the first general and the last
        reset();
        others_hold_land(4);
        serve(k, 4);
        draws(4, 50);  // the draw is still made, and would have destroyed it
        checkMetubou(*state);
        EXPECT_EQ(std::make_tuple(bool(world().gun[4].del), rng.remaining(), state->pages.page_text[0]),
                  std::make_tuple(false, std::size_t{0}, std::string())) << k;
    }
}

TEST_F(DestructionTest, DestroyedLeadersAllianceGoesToTheMemberWithTheHigherId) {
    // Warlord 1 leads warlords 2, 3 and 4, the last.
    for (int g = 1; g <= 4; ++g) world().gun[g].meishuID = 1;
    world().gun[1].del = true;
    looseMeishu(*state, 1);
    // 4 now leads (kunshuID = meishuID), the others follow it.
    EXPECT_EQ(std::make_tuple(int(world().gun[1].meishuID), int(world().gun[2].meishuID), int(world().gun[3].meishuID),
                              int(world().gun[4].meishuID)), std::make_tuple(0, 4, 4, 4));
    // Should 4 fall with 1 as its only member, general 1 (the lowest id) takes over.
    world().gun[1].del = false;
    world().gun[1].meishuID = 4;
    world().gun[2].meishuID = world().gun[3].meishuID = 0;
    world().gun[4].del = true;
    looseMeishu(*state, 4);
    EXPECT_EQ(world().gun[1].meishuID, 1);
    EXPECT_EQ(state->pages.page_text[0], "君4が新たな盟主となった。\r\n君1が新たな盟主となった。\r\n");
}

TEST_F(DestructionTest, WithoutMembersAnUnalliedWarlordIsPreferredAsNewLeader) {
    // Warlord 2 leads alone; warlord 3 leads its own alliance with 1 in it; warlord 4 is free.
    world().gun[2].meishuID = 2;
    world().gun[3].meishuID = 3;
    world().gun[1].meishuID = 3;
    world().gun[2].del = true;
    looseMeishu(*state, 2);
    EXPECT_EQ(world().gun[4].meishuID, 4);
    EXPECT_EQ(world().gun[1].meishuID, 3);
    EXPECT_EQ(world().gun[2].meishuID, 0);
    EXPECT_EQ(state->pages.page_text[0], "軍4が新たな盟主となった。\r\n");

    // With nobody free, the first survivor that leads nothing is raised.
    world().gun[1].meishuID = 4;  // 4 leads, 1 follows it
    world().gun[3].del = true;
    state->pages.page_text[0].clear();
    looseMeishu(*state, 3);
    EXPECT_EQ(std::make_tuple(int(world().gun[1].meishuID), int(world().gun[4].meishuID), int(world().gun[3].meishuID)),
              std::make_tuple(1, 4, 0));
    EXPECT_EQ(state->pages.page_text[0], "軍1が新たな盟主となった。\r\n");
    world().gun[1].meishuID = world().gun[4].meishuID = 0, world().gun[3].meishuID = 3;  // two free: the first rises
    looseMeishu(*state, 3);
    EXPECT_EQ(std::make_pair(int(world().gun[1].meishuID), int(world().gun[4].meishuID)), std::make_pair(1, 0));
}

TEST_F(DestructionTest, APlayersDestructionFreesHisSlotAndRaisesTheFlags) {
    shared.player_gun[0] = 1;
    shared.player_gun[15] = 3;  // the last slot isPlayer asks
    shared.player_gun[16] = shared.player_gun[20] = 4;  // slots isPlayer does not ask, the last of all
    for (int p = 1; p <= 3; ++p) world().kuni[p].gunID = static_cast<std::int16_t>(p + 1);  // province p held by p + 1
    draws(1, 50);
    checkMetubou(*state);
    EXPECT_TRUE(world().gun[1].del);
    EXPECT_EQ(std::make_pair(int(shared.player_gun[0]), int(shared.player_gun[15])), std::make_pair(0, 3));
    EXPECT_EQ(std::make_pair(state->Metubou_Flg, state->All_Metubou_Flg), std::make_pair(true, false));
    EXPECT_EQ(std::make_tuple(isPlayer(*state, 1), isPlayer(*state, 3), isPlayer(*state, 4)), std::make_tuple(false, true, false));

    // The next years the other players fall too, the one of slot 20 last.
    world().kuni[2].gunID = 0;
    draws(3, 50);
    checkMetubou(*state);
    EXPECT_EQ(std::make_pair(state->Metubou_Flg, state->All_Metubou_Flg), std::make_pair(true, false));
    world().kuni[3].gunID = 0;
    draws(4, 50);
    checkMetubou(*state);
    EXPECT_TRUE(state->All_Metubou_Flg);
    EXPECT_EQ(std::make_tuple(int(shared.player_gun[15]), int(shared.player_gun[16]), int(shared.player_gun[20])), std::make_tuple(0, 0, 0));

    // A year without a fall clears the first flag; nobody is left, so the second stays.
    draws(0, 1);
    checkMetubou(*state);
    EXPECT_FALSE(state->Metubou_Flg);
    EXPECT_TRUE(state->All_Metubou_Flg);
    world().gun[1].del = false;  // slot 0 playing warlord 1, alive, is still a player in the game
    shared.player_gun[0] = 1;
    EXPECT_FALSE(checkAllMetubou(*state));
}

}  // namespace
}  // namespace teijinki
