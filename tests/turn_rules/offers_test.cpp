// The year's strategy offers per panel and the computer's pick for every warlord.

#include <gtest/gtest.h>

#include <map>

#include "rules_fixture.h"
#include "strategy/strategy_table.h"
#include "turn/offers.h"
#include "turn/panels.h"

namespace {

using namespace teijinki;
using namespace teijinki::testing;

// Three alliances and two unallied warlords, free generals and unowned provinces: every search
// of the offers finds something.
void rich_world(RulesWorld& w) {
    std::vector<GeneralRow> generals;
    for (int i = 1; i <= 20; ++i) generals.push_back({"将" + std::to_string(i), 5, i % 10 + 1, i <= 8 ? i : 0, 3});
    w.set_generals(generals);
    w.set_warlords({{"甲", 1, 1, 10}, {"乙", 1, 2, 10}, {"丙", 3, 3, 10}, {"丁", 4, 4, 10}, {"戊", 3, 5, 10},
                    {"己", 0, 6, 10}, {"庚", 0, 7, 10}, {"辛", 4, 8, 10}});
    std::vector<ProvinceRow> provinces;
    for (int i = 1; i <= 12; ++i) provinces.push_back({"国" + std::to_string(i), i <= 8 ? i : 0, 5});
    w.set_provinces(provinces);
    ini_Mei_rtn(w.m);
    w.shared.mei_kessoku[1] = 45;
    w.shared.mei_kessoku[2] = 70;
    w.shared.mei_kessoku[3] = 100;
}

bool takes_d4(int code) {
    return code == kEnterProvince || code == kSubvert || code == kYellowTurbans || code == kTribes ||
           code == kMediate || code == kDenounce || code == kJoinAlliance || code == kReplaceLeader;
}

TEST(Offers, OverManyYearsTheDrawsFollowTheirTablesAndRanges) {
    RulesWorld w;
    rich_world(w);
    std::map<int, int> alliance_counts;
    std::map<int, int> unallied_counts;
    for (int year = 0; year < 1500; ++year) {
        Dsp_rtn(w.m);
        for (int p = 0; p <= 3; ++p) {
            const auto& codes = w.shared.com_codes[p];
            ASSERT_GE(codes.size(), 1u);
            ASSERT_LE(codes.size(), 4u);
            for (std::size_t e = 0; e < codes.size(); ++e) {
                const int code = codes[e];
                ASSERT_NE(code, kAssassinate);
                if (code == kWait) {
                    ASSERT_EQ(e + 1, codes.size()) << "待機 only closes a short list";
                    ASSERT_LE(codes.size(), 3u);
                    continue;
                }
                (p == 0 ? unallied_counts : alliance_counts)[code]++;
                const int level = w.shared.com_level[p][e];
                const int subject = w.shared.com_subject[p][e];
                if (p == 0) {
                    ASSERT_GE(level, 3);
                    ASSERT_LE(level, 7);
                } else if (takes_d4(code)) {
                    ASSERT_GE(level, 2) << command_name(code);
                    ASSERT_LE(level, 8) << command_name(code);
                }
                if (code == kRecruit || code == kYellowTurbans || code == kTribes) {
                    ASSERT_GE(subject, 9) << "only a free general is offered";
                    ASSERT_LE(subject, 20);
                }
                if (code == kRecruit && p != 0) {
                    ASSERT_EQ(level, subject % 10 + 1) << "recruiting costs the charm";
                }
                if (code == kYellowTurbans || code == kEnterProvince) {
                    const int province = code == kYellowTurbans ? static_cast<int>(w.shared.com_object[p][e]) : subject;
                    ASSERT_GE(province, 9) << "only an unowned province is offered";
                    ASSERT_LE(province, 12);
                }
                if (code == kTribes) {
                    ASSERT_GE(w.shared.com_object[p][e], 2);
                    ASSERT_LE(w.shared.com_object[p][e], 12);
                }
                if (code == kLeaveAlliance) {  // 4.5 rounds to 4
                    ASSERT_EQ(level, p == 1 ? 4 : p == 2 ? 7 : 10);
                }
                if (code == kWar || code == kRighteousWar) {
                    ASSERT_GE(subject, 1);
                    if (p != 0) {
                        ASSERT_NE(w.shared.gun_mei2[subject], p) << "no war on one's own alliance";
                    }
                }
                if (code == kJoinAlliance) {
                    ASSERT_GT(subject, 0);
                    ASSERT_NE(subject, w.shared.mei_leader[p]);
                }
                if ((code == kSubvert || code == kDenounce) && p != 0) {
                    ASSERT_EQ(w.shared.gun_mei2[subject], p);
                }
            }
        }
    }
    // Recruiting and war come up twice as often as mediation or leaving in the alliance panels.
    const double mediate = alliance_counts[kMediate];
    const double leave = alliance_counts[kLeaveAlliance];
    EXPECT_GT(mediate, 1000);
    EXPECT_NEAR(alliance_counts[kRecruit] / mediate, 2.0, 0.25);
    EXPECT_NEAR(alliance_counts[kWar] / mediate, 2.0, 0.25);
    EXPECT_NEAR(alliance_counts[kRecruit] / leave, 2.0, 0.25);
    EXPECT_NEAR(alliance_counts[kWar] / leave, 2.0, 0.25);
    EXPECT_NEAR(alliance_counts[kRighteousWar] / mediate, 1.0, 0.2);
    // The unallied draw 黄巾賊退治 twice as often as recruiting, and never mediate or leave.
    EXPECT_NEAR(static_cast<double>(unallied_counts[kYellowTurbans]) / unallied_counts[kRecruit], 2.0, 0.3);
    EXPECT_EQ(unallied_counts.count(kMediate), 0u);
    EXPECT_EQ(unallied_counts.count(kLeaveAlliance), 0u);
}

TEST(Offers, ParametersStayAlignedWhenADrawAddsNothing) {
    RulesWorld w(scripted());
    // No free general, no other alliance: recruiting and joining find nothing.
    w.set_generals({{"君1", 5, 5, 1, 5}, {"君2", 5, 5, 2, 5}});
    w.set_warlords({{"甲", 1, 1, 10}, {"乙", 0, 2, 10}});
    w.set_provinces({{"国1", 1, 5}, {"国2", 0, 5}});
    ini_Mei_rtn(w.m);
    w.shared.mei_kessoku[1] = 45;
    Dsp_Gun_rtn(w.m);
    ld_Meiichi_rtn(w.m);
    auto& r = w.script();
    // Panel 1: 同盟参加 (only free slots: nothing), 調停 with D4 = 3 + 3 + 2,
    // 暗殺 drawn (a war on warlord 乙), 脱退 (45 / 10).
    r.push_roll(7, 14);
    r.push_roll(0, 2);
    r.push_roll(5, 14);
    r.push_roll(3, 4);
    r.push_roll(3, 4);
    r.push_roll(12, 14);
    r.push_roll(0, 1);
    r.push_roll(8, 14);
    // Panels 2 and 3 are empty: 調略 finds no one in the panel, recruiting no free general.
    for (int p = 2; p <= 3; ++p)
        for (int j = 0; j < 4; ++j) r.push_roll(j % 2 == 0 ? 2 : 0, 14);
    // Panel 0: 入国 (the one unowned province) with difficulty 0 + 1 + 3, then three recruits that
    // find nobody.
    r.push_roll(9, 10);
    r.push_roll(0, 1);
    r.push_roll(0, 3);
    r.push_roll(1, 3);
    for (int j = 0; j < 3; ++j) r.push_roll(0, 10);

    ld_Com_rtn(w.m);
    EXPECT_EQ(r.remaining(), 0u);
    EXPECT_EQ(w.shared.com_codes[1], (std::vector<int>{kMediate, kWar, kLeaveAlliance}));
    EXPECT_EQ(w.shared.com_level[1][0], 8);
    EXPECT_EQ(w.shared.com_subject[1][1], 2);
    EXPECT_EQ(w.shared.com_level[1][2], 4);
    EXPECT_EQ(w.shared.com_codes[2], (std::vector<int>{kWait}));
    EXPECT_EQ(w.shared.com_codes[3], (std::vector<int>{kWait}));
    EXPECT_EQ(w.shared.com_codes[0], (std::vector<int>{kEnterProvince, kWait}));
    EXPECT_EQ(w.shared.com_subject[0][0], 2);
    EXPECT_EQ(w.shared.com_level[0][0], 4);
    // Every free-general search re-seeds first: two in panels 2 and 3 each, three in panel 0.
    EXPECT_EQ(r.randomize_calls(), 7);
    EXPECT_TRUE(w.host.boxes.empty()) << "no error box in ordinary play";
}

TEST(Offers, NothingIsOfferedOutsideTheStrategyMode) {
    RulesWorld w;
    rich_world(w);
    Dsp_rtn(w.m);
    w.shared.msg_mode = 2;
    Dsp_rtn(w.m);
    for (int p = 0; p <= 3; ++p) EXPECT_TRUE(w.shared.com_codes[p].empty());
}

// Panel 0 holds one weak warlord; the target of its war sits in panel 1.
RulesWorld& war_choice_world(RulesWorld& w, int ours, int theirs) {
    w.m.gun_lst[0].ids = {5};
    w.m.gun_lst[1].ids = {7};
    w.shared.gun_mei2[7] = 1;
    w.shared.mei_troops[0] = ours;
    w.shared.mei_troops[1] = theirs;
    w.shared.com_codes[0] = {kRecruit, kWar, kWait};
    w.shared.com_subject[0][1] = 7;
    w.shared.com_codes[1] = {};
    w.shared.gun_mei[7] = 3;
    return w;
}

TEST(ComputerChoice, AWeakSideRedrawsAWarOnAFarStrongerOneExactlyOnce) {
    {
        RulesWorld w(scripted());
        war_choice_world(w, 10, 31);
        w.script().push_roll(1, 3);
        w.script().push_roll(1, 3);  // the war again: kept
        Tagun_rtn(w.m);
        EXPECT_EQ(w.script().draws(), 2u);
        EXPECT_EQ(w.shared.gun_mei[5], 1);
        EXPECT_EQ(w.shared.gun_mei[7], 0) << "a panel without offers takes part in nothing";
    }
    {
        RulesWorld w(scripted());
        war_choice_world(w, 10, 31);
        w.script().push_roll(1, 3);
        w.script().push_roll(0, 3);
        Tagun_rtn(w.m);
        EXPECT_EQ(w.shared.gun_mei[5], 0);
    }
    {
        RulesWorld w(scripted());
        war_choice_world(w, 10, 30);  // exactly three times: no second thought
        w.script().push_roll(1, 3);
        Tagun_rtn(w.m);
        EXPECT_EQ(w.script().draws(), 1u);
        EXPECT_EQ(w.shared.gun_mei[5], 1);
    }
    {
        RulesWorld w(scripted());
        war_choice_world(w, 10, 1000);
        w.script().push_roll(2, 3);  // 待機 stores the first position
        Tagun_rtn(w.m);
        EXPECT_EQ(w.script().draws(), 1u);
        EXPECT_EQ(w.shared.gun_mei[5], 0);
    }
}

TEST(ComputerChoice, EveryListedWarlordPicksAnEntryOfItsPanel) {
    RulesWorld w;
    rich_world(w);
    for (int year = 0; year < 200; ++year) {
        Dsp_rtn(w.m);
        Tagun_rtn(w.m);
        for (int p = 0; p <= 3; ++p)
            for (int id : w.m.gun_lst[p].ids) {
                const int pos = w.shared.gun_mei[id];
                ASSERT_GE(pos, 0);
                ASSERT_LT(pos, static_cast<int>(w.shared.com_codes[p].size()));
            }
    }
}

}  // namespace
