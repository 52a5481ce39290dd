// The main screen's panels and the alliance slots they are built on.

#include <gtest/gtest.h>

#include "rules_fixture.h"
#include "turn/command_menu.h"
#include "turn/panels.h"

namespace {

using namespace teijinki;
using namespace teijinki::testing;

TEST(Panels, LivingWarlordsGoToTheirAlliancePanelWithItsStrength) {
    RulesWorld w;
    w.set_warlords({
        {"甲", 1, 1, 10, 2, 80},                   // leads lord 1's alliance
        {"乙", 1, 2, 5, 1},                        // its member
        {"丙", 3, 3, 7, 0, 150},                   // leads lord 3's alliance
        {"丁", 0, 4, 4, 4},                        // unallied
        {"戊", 9, 5, 100},                         // names a leader who leads nothing
        {"己", 0, 6, 50, 50, 0, 0, 0, 0, true},   // destroyed
        {"庚", 7, 7}, {"辛", 8, 8},                // a third and a fourth leader
    });
    w.shared.player_lord[0] = 2;
    w.shared.player_lord[5] = 6;
    ini_Mei_rtn(w.m);
    w.m.year = 190;
    Dsp_rtn(w.m);

    EXPECT_EQ(w.m.year_heading, "190年の戦況");
    EXPECT_EQ(w.m.gun_lst[0].ids, (std::vector<int>{4}));
    EXPECT_EQ(w.m.gun_lst[1].ids, (std::vector<int>{1, 2}));
    EXPECT_EQ(w.m.gun_lst[2].ids, (std::vector<int>{3}));
    EXPECT_EQ(w.m.gun_lst[3].ids, (std::vector<int>{7}));
    EXPECT_EQ(w.m.gun_lst[1].names, (std::vector<std::string>{"甲", "乙"}));
    EXPECT_EQ(w.m.panel_caption[0], "独立軍閥");
    EXPECT_EQ(w.m.panel_caption[2], "丙");
    EXPECT_EQ(w.shared.mei_kessoku[2], 150);
    EXPECT_EQ(w.shared.mei_troops[0], 8);
    EXPECT_EQ(w.shared.mei_troops[1], 18);
    EXPECT_EQ(w.shared.player_gun[0], 2);
    EXPECT_EQ(w.shared.player_mei[0], 1);
    EXPECT_EQ(w.shared.player_gun[5], 0) << "a destroyed warlord is not a player's any more";
    EXPECT_EQ(w.shared.player_gun[1], 0) << "a slot without a player never gets a warlord";
    EXPECT_EQ(w.shared.gun_mei2[3], 2);
}

TEST(Panels, YearlyUpdateKeepsCohesionUnderTheSameLeaderOnly) {
    RulesWorld w;
    w.set_warlords({{"甲", 1, 1, 0, 0, 30}, {"乙", 2, 2, 0, 0, 60}, {"丙", 3, 3, 0, 0, 150}});
    ini_Mei_rtn(w.m);
    w.shared.mei_kessoku[1] = 77;
    w.shared.mei_kessoku[2] = 0;  // fallen to nothing: starts again from fame
    w.shared.mei_kessoku[3] = 90;
    // Lord 1's alliance dissolves, so lord 2 moves to slot 1; lord 3 hands over to lord 4.
    w.set_warlords({{"甲", 0, 1}, {"乙", 2, 2, 0, 0, 60}, {"丙", 4, 3}, {"丁", 4, 4, 0, 0, 150}});
    res_Mei_rtn(w.m);
    EXPECT_EQ(w.shared.mei_leader[1], 2);
    EXPECT_EQ(w.shared.mei_kessoku[1], 60);
    EXPECT_EQ(w.shared.mei_leader[2], 4);
    EXPECT_EQ(w.shared.mei_leader[3], 0);
    EXPECT_EQ(w.m.panel_caption[3], "");
    w.shared.mei_kessoku[0] = -5;
    Limit_rtn(w.m);
    EXPECT_EQ(w.shared.mei_kessoku[2], 100) << "a new alliance led by fame 150 starts at 100";
    EXPECT_EQ(w.shared.mei_kessoku[0], 0);

    // Lord 4 keeps his cohesion when he moves to slot 1.
    w.shared.mei_kessoku[2] = 44;
    w.set_warlords({{"甲", 0, 1}, {"乙", 0, 2}, {"丙", 4, 3}, {"丁", 4, 4, 0, 0, 150}});
    res_Mei_rtn(w.m);
    EXPECT_EQ(w.shared.mei_leader[1], 4);
    EXPECT_EQ(w.shared.mei_kessoku[1], 44);
}

// Only the panel that lists the player's warlord is his to choose from: an unallied player's
// alliance is 0, as is the leader of a free alliance slot, and that slot is not his.
TEST(Panels, APlayerOwnsThePanelOfHisAllianceAndNoFreeSlot) {
    RulesWorld w;
    w.set_warlords({{"甲", 0, 1}, {"乙", 2, 2}});  // 甲 stands alone, 乙 leads an alliance
    w.shared.player_lord[0] = 1;
    w.shared.player_lord[1] = 2;
    ini_Mei_rtn(w.m);
    Dsp_rtn(w.m);
    const struct {
        int slot;
        bool own[4];
    } cases[] = {{0, {true, false, false, false}}, {1, {false, true, false, false}}};
    for (const auto& c : cases) {
        w.m.turn_slot = c.slot;
        for (int p = 0; p <= 3; ++p) EXPECT_EQ(is_own_panel(w.m, p), c.own[p]) << "player " << c.slot << ", panel " << p;
    }
}

TEST(Panels, AFreeSlotsOfferOpensReadOnlyAndIsNeverStored) {
    RulesWorld w;
    w.set_warlords({{"甲", 1, 1, 10}, {"乙", 0, 2, 3}});  // 乙, the player's, is in no alliance
    w.shared.player_lord[0] = 2;
    ini_Mei_rtn(w.m);
    Dsp_rtn(w.m);
    ASSERT_EQ(w.shared.player_gun[0], 2);
    ASSERT_EQ(w.shared.mei_leader[2], 0) << "slot 2 is free, its leader 0 like the player's alliance";
    w.m.turn_slot = 0;
    for (int p = 0; p <= 3; ++p) w.shared.com_codes[p] = {0, 0};

    // The empty alliance panel's offer opens read-only and cannot be stored as his plan.
    w.shared.gun_mei[2] = 0;
    ASSERT_TRUE(prepare_offer(w.m, 2, 1));
    EXPECT_EQ(w.shared.start_mode, 0);
    w.shared.form_result = 1;
    EXPECT_FALSE(confirm_offer(w.m, 2, 1));
    EXPECT_TRUE(w.host.boxes.empty());
    EXPECT_EQ(w.shared.gun_mei[2], 0);
    EXPECT_EQ(w.shared.form_result, 0);
    // His own panel's offer is his to choose.
    ASSERT_TRUE(prepare_offer(w.m, 0, 1));
    EXPECT_EQ(w.shared.start_mode, 1);
}

}  // namespace
