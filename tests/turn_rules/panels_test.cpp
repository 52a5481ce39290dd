// The main screen's panels and the alliance slots they are built on.

#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "rules_fixture.h"
#include "strategy/strategy_table.h"
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
    w.shared.player_lord[20] = 4;  // the last slot counts too
    w.shared.mei_leader[0] = 9;    // left from an earlier game: the unallied panel has no leader
    w.shared.gun_mei2[4] = 3;      // and this panel
    ini_Mei_rtn(w.m);
    w.m.year = 190;
    Dsp_rtn(w.m);
    Dsp_rtn(w.m);  // a second display lists and counts nobody twice

    EXPECT_EQ(w.m.year_heading, "190年の戦況");
    const std::vector<std::vector<int>> panels{w.m.gun_lst[0].ids, w.m.gun_lst[1].ids, w.m.gun_lst[2].ids, w.m.gun_lst[3].ids};
    EXPECT_EQ(panels, (std::vector<std::vector<int>>{{4}, {1, 2}, {3}, {7}}));
    EXPECT_EQ(w.m.gun_lst[1].names, (std::vector<std::string>{"甲", "乙"}));
    EXPECT_EQ(w.m.panel_caption[0] + w.m.panel_caption[2], "独立軍閥丙");
    EXPECT_EQ(w.shared.mei_leader[0], 0);
    // Cohesion of 丙's alliance, troops of panels 0 and 1, 乙's slot and panel, 丙's panel.
    EXPECT_EQ((std::vector<int>{w.shared.mei_kessoku[2], w.shared.mei_troops[0], w.shared.mei_troops[1],
                                w.shared.player_gun[0], w.shared.player_mei[0], w.shared.gun_mei2[3], w.shared.player_gun[20],
                                w.shared.gun_mei2[4]}),
              (std::vector<int>{150, 8, 18, 2, 1, 2, 4, 0}));
    EXPECT_EQ(w.shared.player_gun[5], 0) << "a destroyed warlord is not a player's any more";
    EXPECT_EQ(w.shared.player_gun[1], 0) << "a slot without a player never gets a warlord";
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

    // Lord 4 keeps his cohesion, however low, when he moves to slot 1.
    w.shared.mei_kessoku[2] = 1;
    w.set_warlords({{"甲", 0, 1}, {"乙", 0, 2}, {"丙", 4, 3}, {"丁", 4, 4, 0, 0, 150}});
    res_Mei_rtn(w.m);
    EXPECT_EQ(w.shared.mei_leader[1], 4);
    EXPECT_EQ(w.shared.mei_kessoku[1], 1);
    // So does lord 1 when lord 4's alliance ends.
    w.set_warlords({{"甲", 1, 1}, {"乙", 0, 2}, {"丙", 4, 3}, {"丁", 4, 4, 0, 0, 150}});
    res_Mei_rtn(w.m);
    w.shared.mei_kessoku[1] = 40;
    w.set_warlords({{"甲", 1, 1, 0, 0, 150}, {"乙", 0, 2}, {"丙", 0, 3}, {"丁", 0, 4}});
    res_Mei_rtn(w.m);
    EXPECT_EQ(std::make_pair(int(w.shared.mei_leader[1]), int(w.shared.mei_kessoku[1])), std::make_pair(1, 40));
    // The last lord the generals' tables hold keeps his, and so does the last slot's lord; one
    // past the tables starts again from his fame.
    w.set_warlords({{"甲", kMaxGenerals, kMaxGenerals, 0, 0, 50}, {"乙", kMaxGenerals + 1, kMaxGenerals + 1, 0, 0, 60},
                    {"丙", 3, 3, 0, 0, 70}});
    ini_Mei_rtn(w.m);
    w.shared.mei_kessoku[1] = 7, w.shared.mei_kessoku[2] = 8, w.shared.mei_kessoku[3] = 9;
    res_Mei_rtn(w.m);
    EXPECT_EQ((std::array<int, 3>{w.shared.mei_kessoku[1], w.shared.mei_kessoku[2], w.shared.mei_kessoku[3]}),
              (std::array<int, 3>{7, 60, 9}));
}

TEST(Panels, AnOfferOpensTheStrategyScreenWithItsTitleExplanationNamesAndData) {
    RulesWorld w;
    w.set_generals({{"甲公", 5, 5, 1, kJobKunshu}, {"浪人", 5, 5, 0, kJobBukan}});
    w.set_warlords({{"甲", 0, 1}});
    w.set_provinces({1, 0});
    // The offer (command, subject, object, difficulty) → title, explanation section, the names
    // for its markers, and the general of the data button.
    const struct {
        int code, subject, object, level;
        const char *title, *sub1, *sub2;
        int text_no, data;
    } offers[] = {
        {kWait, 0, 0, 0, "待機", "", "", 20, 0},
        {kRecruit, 2, 0, 7, "人材募集\r\n（要器量)", "浪人", "", 1, 2},
        {kRecruit, 0, 0, 7, "人材募集\r\n（要器量)", "", "", 1, 0},  // nobody: not the name looked up before
        {kEnterProvince, 2, 0, 5, "入国\r\n（難易度 5・要政治）", "国2", "", 2, 0},
        {kEnterProvince, 0, 0, 5, "入国\r\n（難易度 5・要政治）", "", "", 2, 0},
        {kSubvert, 1, 0, 4, "調略\r\n（難易度 4・要智謀）", "甲", "", 3, 0},
        {kSubvert, 0, 0, 4, "調略\r\n（難易度 4・要智謀）", "", "", 3, 0},
        {kYellowTurbans, 2, 1, 3, "黄巾賊退治\r\n（難易度 3・要武力、他）", "浪人", "国1の黄巾賊を討伐し、その地を占領する。", 4, 2},
        {kTribes, 2, 8, 6, "異民族討伐\r\n（難易度 6・要采配、他）", "浪人", " 8000を傘下に収める。", 5, 2},
        {kMediate, 0, 0, 2, "調停\r\n（難易度 2・要器量、他)", "", "", 6, 0},
        {kDenounce, 1, 0, 8, "糾弾\r\n（難易度 8・要政治）", "甲", "", 7, 0},
        {kJoinAlliance, 1, 0, 3, "同盟参加\r\n（難易度 3・要政治）", "甲公", "", 8, 1},
        {kLeaveAlliance, 0, 0, 4, "脱退\r\n（要智謀）", "", "", 9, 0},
        {kReplaceLeader, 0, 0, 5, "盟主交替\r\n（難易度 5・要智謀）", "", "", 10, 0},
        {kWar, 1, 0, 0, "戦争", "甲", "", 11, 0},
        {kRighteousWar, 1, 0, 0, "義戦", "甲", "", 12, 0},
    };
    for (const auto& o : offers) {
        w.shared.com_codes[0] = {o.code};
        w.shared.com_subject[0][0] = o.subject, w.shared.com_object[0][0] = o.object, w.shared.com_level[0][0] = o.level;
        w.shared.text_sub1 = w.shared.text_sub2 = "前の";  // left from an earlier offer
        w.shared.form_param = w.shared.form_result = 9;
        ASSERT_TRUE(prepare_offer(w.m, 0, 0));
        EXPECT_EQ(std::make_tuple(w.shared.msg_text, w.shared.text_sub1, w.shared.text_sub2, int(w.shared.text_no),
                                  int(w.shared.form_param), int(w.shared.form_result)),
                  std::make_tuple(std::string(o.title), std::string(o.sub1), std::string(o.sub2), o.text_no, o.data, 0));
    }
    // The last panel's fourth offer opens; past a panel's list, its fourth offer or the panels, none.
    w.shared.com_codes[kMaxAlliances] = {kWait, kWait, kWait, kWait, kWait};
    for (const auto& [panel, position, opens] : {std::tuple{kMaxAlliances, 3, true}, {kMaxAlliances, 4, false}, {kMaxAlliances + 1, 0, false},
                                                 {-1, 0, false}, {kMaxAlliances, -1, false}, {0, 1, false}})
        EXPECT_EQ(prepare_offer(w.m, panel, position), opens) << panel << " " << position;
}

TEST(Panels, APlayersRowAndAWarlordsSheetShowHisPanelAndPlan) {
    RulesWorld w;
    w.set_warlords({{"甲", 1, 1, 10}, {"乙", 0, 2, 3}, {"丙", 0, 3, 0, 0, 0, 0, 0, 0, true}});
    w.shared.player_lord[0] = 2;
    w.shared.player_lord[4] = 1;
    w.shared.player_lord[18] = 3;  // his warlord is destroyed
    w.shared.player_name[18] = "曹丕";
    w.shared.player_lord[19] = 1;  // the rows end with slot 18
    w.shared.player_name[0] = "孫策", w.shared.player_name[4] = "劉表";
    ini_Mei_rtn(w.m);
    Dsp_rtn(w.m);
    dsp_Init_rtn(w.m);
    dsp_Init_rtn(w.m);  // made afresh, not added to
    EXPECT_EQ(w.m.player_list, (std::vector<std::string>{"孫策", "劉表", "曹丕"}));
    const std::tuple<int, int, std::string> rows[] = {{0, 2, ""}, {1, 1, ""}, {0, 0, "曹丕は既に滅びています。"}, {0, 0, ""}};
    for (int row = 0; row < 4; ++row) {
        const PlayerSheet sheet = player_sheet(w.m, row);
        EXPECT_EQ(std::tie(sheet.panel, sheet.warlord, sheet.fallen_message), rows[row]) << "row " << row;
    }

    // The sheet names the plan at the warlord's position on the panel, if there is one.
    w.shared.com_codes[0] = {kWar};
    w.shared.com_codes[1] = {kWait, kWar};
    w.shared.com_codes[kMaxAlliances] = {kWar};
    const struct {
        int panel, warlord, position;
        const char* told;
    } sheets[] = {{1, 1, 1, "戦争を画策中"}, {1, 1, 0, "待機を画策中"}, {0, 2, 0, "戦争を画策中"}, {1, 1, 2, "を画策中"},
                  {1, 1, -1, "を画策中"},    {4, 1, 1, "を画策中"},     {1, 0, 1, "を画策中"},
                  {kMaxAlliances, kMaxWarlords, 0, "戦争を画策中"}};
    for (const auto& c : sheets) {
        w.shared.gun_mei[c.warlord] = c.position;
        prepare_warlord_sheet(w.m, c.panel, c.warlord);
        EXPECT_EQ(w.shared.msg_text, c.told) << c.panel << " " << c.warlord << " " << c.position;
        EXPECT_EQ(w.shared.form_param, c.warlord);
    }
}

TEST(Panels, AFreeSlotsOfferIsNeverStoredTheOwnOnlyOnYes) {
    RulesWorld w;
    w.set_warlords({{"甲", 1, 1, 10}, {"乙", 0, 2, 3}});  // 乙, the player's, is in no alliance
    w.shared.player_lord[0] = 2;
    ini_Mei_rtn(w.m);
    Dsp_rtn(w.m);
    ASSERT_EQ(w.shared.player_gun[0], 2);
    ASSERT_EQ(w.shared.mei_leader[2], 0) << "slot 2 is free, its leader 0 like the player's alliance";
    w.m.turn_slot = 0;
    for (int p = 0; p <= 3; ++p) w.shared.com_codes[p] = {0, 0};

    // The empty alliance panel's offer opens read-only, is estimated as nobody's and cannot be
    // stored as his plan.
    EXPECT_EQ(std::make_pair(offer_odds(w.m, 2, 1, 1).own, offer_odds(w.m, 0, 1, 1).own), std::make_pair(0, 2));
    w.shared.gun_mei[2] = 0;
    ASSERT_TRUE(prepare_offer(w.m, 2, 1));
    EXPECT_EQ(w.shared.start_mode, 0);
    w.shared.form_result = 1;
    EXPECT_FALSE(confirm_offer(w.m, 2, 1));
    EXPECT_TRUE(w.host.boxes.empty());
    EXPECT_EQ(w.shared.gun_mei[2], 0);
    EXPECT_EQ(w.shared.form_result, 0);
    // His own panel's offer: stored only on Yes after the screen chose it (1), not closed (0).
    ASSERT_TRUE(prepare_offer(w.m, 0, 1));
    EXPECT_EQ(w.shared.start_mode, 1);
    EXPECT_FALSE(confirm_offer(w.m, 0, 1));
    w.host.answer(Answer::No);
    for (bool stored : {false, true}) {
        w.shared.form_result = 1;
        EXPECT_EQ(confirm_offer(w.m, 0, 1), stored);
        EXPECT_EQ(w.shared.gun_mei[2], stored ? 1 : 0);
        EXPECT_EQ(w.shared.form_result, 0);
    }
}

// The ends of both tables: a player on the first warlord, in no alliance, and one on the last,
// in the last alliance slot. Only the panel his warlord is listed in is his own.
TEST(Panels, HisOwnPanelIsTheOneHisWarlordIsListedInUpToTheLastSlots) {
    RulesWorld w;
    std::vector<WarlordRow> rows;
    for (int id = 1; id <= kMaxWarlords; ++id) rows.push_back({"将" + std::to_string(id), id == 1 ? 0 : id <= 4 ? id : 4, id, 5});
    w.set_warlords(rows);
    w.shared.player_lord[0] = 1;
    w.shared.player_lord[1] = kMaxWarlords;
    ini_Mei_rtn(w.m);
    Dsp_rtn(w.m);
    ASSERT_EQ(w.shared.gun_mei2[1], 0);
    ASSERT_EQ(w.shared.gun_mei2[kMaxWarlords], kMaxAlliances);
    const struct {
        int slot, warlord, own_panel;  // 9: none
    } cases[] = {{0, 1, 0}, {1, kMaxWarlords, kMaxAlliances}, {1, kMaxWarlords + 1, 9}, {1, -1, 9}};
    for (const auto& c : cases) {
        w.m.turn_slot = c.slot;
        w.shared.player_gun[c.slot] = c.warlord;
        for (int panel = -1; panel <= kMaxAlliances + 1; ++panel)
            EXPECT_EQ(is_own_panel(w.m, panel), panel == c.own_panel) << c.warlord << " panel " << panel;
    }
    // Between players' turns no panel is anyone's.
    w.m.turn_slot = -1;
    for (int panel = 0; panel <= kMaxAlliances; ++panel) EXPECT_FALSE(is_own_panel(w.m, panel));
}

}  // namespace
