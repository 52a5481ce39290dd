// The main screen's panels and the alliance slots they are built on.

#include <gtest/gtest.h>

#include "rules_fixture.h"
#include "turn/panels.h"

namespace {

using namespace teijinki;
using namespace teijinki::testing;

// Lords are generals 1..6; alliances are led by lords 1 and 3.
std::vector<WarlordRow> five_warlords() {
    return {
        {"甲", 1, 1, 10, 2, 80},        // leads alliance of lord 1
        {"乙", 1, 2, 5, 1, 40},         // member of lord 1's alliance
        {"丙", 3, 3, 7, 0, 150},        // leads alliance of lord 3
        {"丁", 0, 4, 4, 4, 10},         // unallied
        {"戊", 9, 5, 100, 0, 10},       // names a leader who leads nothing
    };
}

TEST(Panels, LivingWarlordsGoToTheirAlliancePanelWithItsStrength) {
    RulesWorld w;
    auto rows = five_warlords();
    rows.push_back({"己", 0, 6, 50, 50, 10, 0, 0, 0, true});  // destroyed
    w.set_warlords(rows);
    w.shared.player_lord[0] = 2;
    w.shared.player_lord[3] = 4;
    w.shared.player_lord[5] = 6;  // the destroyed warlord's player is not refreshed
    ini_Mei_rtn(w.m);
    Dsp_Gun_rtn(w.m);
    ld_Meiichi_rtn(w.m);

    EXPECT_EQ(w.m.gun_lst[0].ids, (std::vector<int>{4}));
    EXPECT_EQ(w.m.gun_lst[1].ids, (std::vector<int>{1, 2}));
    EXPECT_EQ(w.m.gun_lst[2].ids, (std::vector<int>{3}));
    EXPECT_TRUE(w.m.gun_lst[3].ids.empty());
    EXPECT_EQ(w.m.gun_lst[1].names, (std::vector<std::string>{"甲", "乙"}));
    EXPECT_EQ(w.m.panel_caption[0], "独立軍閥");
    EXPECT_EQ(w.m.panel_caption[1], "甲");
    EXPECT_EQ(w.m.panel_caption[2], "丙");
    EXPECT_EQ(w.m.panel_caption[3], "");

    // Strength: army + elite of the listed living warlords only.
    EXPECT_EQ(w.shared.mei_troops[0], 8);
    EXPECT_EQ(w.shared.mei_troops[1], 18);
    EXPECT_EQ(w.shared.mei_troops[2], 7);
    EXPECT_EQ(w.shared.mei_troops[3], 0);

    EXPECT_EQ(w.shared.player_gun[0], 2);
    EXPECT_EQ(w.shared.player_mei[0], 1);
    EXPECT_EQ(w.shared.player_gun[3], 4);
    EXPECT_EQ(w.shared.player_mei[3], 0);
    EXPECT_EQ(w.shared.player_gun[5], 0);
    EXPECT_EQ(w.shared.player_gun[1], 0);  // a slot without a player never gets a warlord

    EXPECT_EQ(w.shared.gun_mei2[1], 1);
    EXPECT_EQ(w.shared.gun_mei2[3], 2);
    EXPECT_EQ(w.shared.gun_mei2[4], 0);

    w.m.year = 190;
    Dsp_rtn(w.m);
    EXPECT_EQ(w.m.year_heading, "190年の戦況");
}

TEST(Panels, AllianceSlotsGoToLeadersInFileOrderAndAFourthFindsNone) {
    RulesWorld w;
    w.set_warlords({{"甲", 1, 1, 0, 0, 30}, {"乙", 0, 2}, {"丙", 3, 3, 0, 0, 40}, {"丁", 4, 4, 0, 0, 50},
                    {"戊", 5, 5, 0, 0, 60}});
    ini_Mei_rtn(w.m);
    EXPECT_EQ(w.shared.mei_leader[0], 0);
    EXPECT_EQ(w.shared.mei_leader[1], 1);
    EXPECT_EQ(w.shared.mei_leader[2], 3);
    EXPECT_EQ(w.shared.mei_leader[3], 4);
    EXPECT_EQ(w.shared.mei_kessoku[1], 30);
    EXPECT_EQ(w.shared.mei_kessoku[3], 50);
    EXPECT_EQ(w.m.panel_caption[3], "丁");
}

TEST(Panels, YearlyUpdateKeepsCohesionUnderTheSameLeaderOnly) {
    RulesWorld w;
    w.set_warlords({{"甲", 1, 1, 0, 0, 30}, {"乙", 2, 2, 0, 0, 60}, {"丙", 3, 3, 0, 0, 150}});
    ini_Mei_rtn(w.m);
    w.shared.mei_kessoku[1] = 77;
    w.shared.mei_kessoku[2] = 0;  // fallen to nothing: starts again from fame
    w.shared.mei_kessoku[3] = 90;

    // Lord 1's alliance dissolves, so lord 2 moves to slot 1; lord 3 hands over to lord 4.
    w.set_warlords({{"甲", 0, 1, 0, 0, 30}, {"乙", 2, 2, 0, 0, 60}, {"丙", 4, 3, 0, 0, 150}, {"丁", 4, 4, 0, 0, 150}});
    res_Mei_rtn(w.m);
    EXPECT_EQ(w.shared.mei_leader[1], 2);
    EXPECT_EQ(w.shared.mei_kessoku[1], 60);
    EXPECT_EQ(w.shared.mei_leader[2], 4);
    EXPECT_EQ(w.shared.mei_kessoku[2], 150);
    EXPECT_EQ(w.shared.mei_leader[3], 0);
    EXPECT_EQ(w.m.panel_caption[3], "");
    Limit_rtn(w.m);
    EXPECT_EQ(w.shared.mei_kessoku[2], 100);  // a new alliance led by fame 150 starts at 100

    // The same leaders next year: cohesion carries over, even after moving slots.
    w.shared.mei_kessoku[1] = 33;
    w.shared.mei_kessoku[2] = 44;
    w.set_warlords({{"甲", 0, 1}, {"乙", 0, 2, 0, 0, 60}, {"丙", 4, 3}, {"丁", 4, 4, 0, 0, 150}, {"戊", 2, 5}});
    // Lord 2 now leads nothing: his old cohesion is forgotten, lord 4 moves to slot 1.
    res_Mei_rtn(w.m);
    EXPECT_EQ(w.shared.mei_leader[1], 4);
    EXPECT_EQ(w.shared.mei_kessoku[1], 44);
    EXPECT_EQ(w.shared.mei_leader[2], 0);
}

TEST(Panels, LimitKeepsEveryCohesionWithinZeroToHundred) {
    RulesWorld w;
    w.shared.mei_kessoku[0] = -5;
    w.shared.mei_kessoku[1] = 101;
    w.shared.mei_kessoku[2] = 100;
    w.shared.mei_kessoku[3] = 0;
    Limit_rtn(w.m);
    EXPECT_EQ(w.shared.mei_kessoku[0], 0);
    EXPECT_EQ(w.shared.mei_kessoku[1], 100);
    EXPECT_EQ(w.shared.mei_kessoku[2], 100);
    EXPECT_EQ(w.shared.mei_kessoku[3], 0);
}

TEST(Panels, PlayersAreFoundByTheirLordAndListedByName) {
    RulesWorld w;
    w.set_warlords(five_warlords());
    w.shared.player_lord[0] = 3;
    w.shared.player_name[0] = "丙";
    w.shared.player_lord[2] = 5;
    w.shared.player_name[2] = "戊";
    w.shared.player_lord[19] = 1;  // beyond the listed slots
    w.shared.player_name[19] = "甲";
    ld_PCGun_rtn(w.m);
    EXPECT_EQ(w.shared.player_gun[0], 3);
    EXPECT_EQ(w.shared.player_gun[2], 5);
    EXPECT_EQ(w.shared.player_gun[1], 0);
    dsp_Init_rtn(w.m);
    EXPECT_EQ(w.m.player_list, (std::vector<std::string>{"丙", "戊"}));
}

}  // namespace
