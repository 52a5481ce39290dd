// The year's strategy offers per panel and the computer's pick for every warlord.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "rules_fixture.h"
#include "strategy/strategy_table.h"
#include "turn/offers.h"
#include "turn/panels.h"

namespace {

using namespace teijinki;
using namespace teijinki::testing;

TEST(Offers, OverManyYearsTheDrawsFollowTheirTablesAndRanges) {
    RulesWorld w;
    // Lords 12..19 lead warlords; generals 1..11 and 20, the first and the last, serve nobody;
    // provinces 9..12 are unowned.
    std::vector<GeneralRow> generals;
    const auto lord = [](int i) { return i >= 12 && i <= 19; };
    for (int i = 1; i <= 20; ++i) generals.push_back({"将", 5, i % 10 + 1, lord(i) ? i : 0, 3});
    w.set_generals(generals);
    w.set_warlords({{"甲", 12, 12}, {"乙", 12, 13}, {"丙", 14, 14}, {"丁", 15, 15}, {"戊", 14, 16}, {"己", 0, 17},
                    {"庚", 0, 18}, {"辛", 15, 19}});
    w.set_provinces({1, 2, 3, 4, 5, 6, 7, 8, 0, 0, 0, 0});
    ini_Mei_rtn(w.m);
    w.shared.mei_kessoku[1] = 45, w.shared.mei_kessoku[2] = 55;
    std::map<int, int> allied, unallied;
    std::set<int> allied_targets, unallied_targets, free_offered, leaders_offered, own_targets;
    for (int year = 0; year < 1500; ++year) {
        Dsp_rtn(w.m);
        for (int p = 0; p <= 3; ++p) {
            const auto& codes = w.shared.com_codes[p];
            ASSERT_TRUE(codes.size() >= 3 || (!codes.empty() && codes.back() == kWait)) << "a short list ends with 待機";
            for (std::size_t e = 0; e < codes.size(); ++e) {
                const int code = codes[e], level = w.shared.com_level[p][e], subject = w.shared.com_subject[p][e];
                ASSERT_NE(code, kAssassinate);
                if (code == kWait) {
                    ASSERT_TRUE(e + 1 == codes.size() && codes.size() <= 3) << "待機 only closes a short list";
                    continue;
                }
                (p == 0 ? unallied : allied)[code]++;
                if (p == 0) {
                    ASSERT_TRUE(level >= 3 && level <= 7) << level;
                } else if (code != kRecruit && code != kLeaveAlliance && code < kWar) {
                    ASSERT_TRUE(level >= 2 && level <= 8) << command_name(code) << level;
                }
                if (code == kRecruit || code == kYellowTurbans || code == kTribes) {
                    ASSERT_TRUE(subject >= 1 && subject <= 20 && !lord(subject)) << "a free general";
                    free_offered.insert(subject);
                }
                if (code == kRecruit && p != 0) {
                    ASSERT_EQ(level, subject % 10 + 1) << "recruiting costs the charm";
                }
                if (code == kEnterProvince) {
                    ASSERT_GE(subject, 9) << "an unowned province";
                }
                if (code == kYellowTurbans) {
                    ASSERT_GE(w.shared.com_object[p][e], 9) << "an unowned province";
                }
                if (code == kTribes) {
                    ASSERT_TRUE(w.shared.com_object[p][e] >= 2 && w.shared.com_object[p][e] <= 12);
                }
                if (code == kLeaveAlliance && p != 3) {
                    ASSERT_EQ(level, p == 1 ? 4 : 6) << "45 / 10 and 55 / 10 round to even";
                }
                if ((code == kWar || code == kRighteousWar) && p != 0) {
                    ASSERT_NE(w.shared.gun_mei2[subject], p);
                }
                if (code == kWar || code == kRighteousWar) (p == 0 ? unallied_targets : allied_targets).insert(subject);
                if ((code == kSubvert || code == kDenounce) && p != 0) {
                    ASSERT_EQ(w.shared.gun_mei2[subject], p);
                    own_targets.insert(subject);
                }
                if (code == kJoinAlliance) {
                    ASSERT_TRUE(subject > 0 && subject != w.shared.mei_leader[p]);
                    leaders_offered.insert(subject);
                }
            }
        }
    }
    // Recruiting and war come up twice as often as mediation or leaving in the alliance panels.
    const double mediate = allied[kMediate], leave = allied[kLeaveAlliance];
    EXPECT_GT(mediate, 1000);
    EXPECT_NEAR(allied[kRecruit] / mediate, 2.0, 0.25);
    EXPECT_NEAR(allied[kWar] / mediate, 2.0, 0.25);
    EXPECT_NEAR(allied[kWar] / leave, 2.0, 0.25);
    for (int code : {kRighteousWar, kReplaceLeader, kEnterProvince, kJoinAlliance, kYellowTurbans, kTribes})
        EXPECT_NEAR(allied[code] / mediate, 1.0, 0.2) << code;
    EXPECT_NEAR(static_cast<double>(unallied[kYellowTurbans]) / unallied[kRecruit], 2.0, 0.3);
    EXPECT_EQ(unallied.count(kMediate) + unallied.count(kLeaveAlliance), 0u);
    EXPECT_GT(unallied[kWar] * unallied[kRighteousWar], 0) << "a warlord in no alliance may go to war too";
    EXPECT_EQ(allied_targets.size() * unallied_targets.size(), 64u) << "every panel's warlords are someone's target";
    EXPECT_EQ(own_targets, (std::set<int>{1, 2, 3, 4, 5, 8})) << "every allied warlord, his own alliance's";
    EXPECT_EQ(free_offered.size(), 12u) << "every free general is offered";
    EXPECT_EQ(leaders_offered, (std::set<int>{12, 14, 15})) << "every alliance is offered to join";
}

TEST(Offers, ParametersStayAlignedWhenADrawAddsNothing) {
    RulesWorld w(scripted());
    // Nobody free: the file's free ones are record 0, no general, and a third beyond those in play.
    w.set_generals({{"君1", 5, 5, 1, 5}, {"君2", 5, 5, 2, 5}, {"浪", 5, 5, 0, 0}});
    w.dir.write("ini/busv.ini", ".0\r\n\"零\"\r\n1,1,1,1\r\n1,1\r\n0,0\r\n\"z\"\r\n" + w.dir.read("ini/busv.ini"));
    w.shared.bushou_count = 2;
    w.set_warlords({{"甲", 1, 1}, {"乙", 0, 2}});
    w.set_provinces({1, 0});
    ini_Mei_rtn(w.m);
    w.shared.mei_kessoku[1] = 45;
    Dsp_Gun_rtn(w.m);
    ld_Meiichi_rtn(w.m);
    auto& r = w.script();
    // Panel 1: 同盟参加 with only free slots (nothing), 調停 with D4 = 3 + 3 + 2, a drawn 暗殺
    // (a war on 乙), 脱退.
    for (auto [k, n] : {std::pair{7, 14}, {0, 2}, {5, 14}, {3, 4}, {3, 4}, {12, 14}, {0, 1}, {8, 14}}) r.push_roll(k, n);
    // Panels 2 and 3 are empty: 調略 finds no one, recruiting no free general.
    for (int j = 0; j < 8; ++j) r.push_roll(j % 2 == 0 ? 2 : 0, 14);
    // Panel 0: recruiting finds no free general and draws no difficulty; 入国 (the unowned
    // province, picked with a draw low enough that any province would be province 1) at 2 + 2 +
    // 3, then 戦争 on the second listed warlord (甲, after 乙 of panel 0) at 2 + 1 + 3, then 同盟参加
    // with the leader of slot 1, the first of the three slots, at 0 + 0 + 3.
    for (auto [k, n] : {std::pair{0, 10}, {9, 10}, {0, 3}, {2, 3}, {2, 3}, {4, 10}, {1, 2}, {2, 3}, {1, 3}, {3, 10},
                        {0, 3}, {0, 3}, {0, 3}})
        r.push_roll(k, n);

    ld_Com_rtn(w.m);
    EXPECT_EQ(r.remaining(), 0u);
    EXPECT_EQ(w.shared.com_codes[1], (std::vector<int>{kMediate, kWar, kLeaveAlliance}));
    EXPECT_EQ(w.shared.com_level[1][0], 8);
    EXPECT_EQ(w.shared.com_subject[1][1], 2);
    EXPECT_EQ(w.shared.com_level[1][2], 4);
    EXPECT_EQ(w.shared.com_codes[2], (std::vector<int>{kWait}));
    EXPECT_EQ(w.shared.com_codes[0], (std::vector<int>{kEnterProvince, kWar, kJoinAlliance}));
    EXPECT_EQ((std::vector<int>{w.shared.com_subject[0][0], w.shared.com_level[0][0], w.shared.com_subject[0][1],
                                w.shared.com_level[0][1], w.shared.com_subject[0][2], w.shared.com_level[0][2]}),
              (std::vector<int>{2, 7, 1, 6, 1, 3}));
    EXPECT_EQ(r.randomize_calls(), 5) << "every free-general search re-seeds first";
    EXPECT_TRUE(w.host.boxes.empty()) << "no error box in ordinary play";
}

// Warlord 5 alone in panel 0 with offers 人材募集, 戦争 on warlord 7 (panel 1), 待機.
int choice(int ours, int theirs, std::initializer_list<int> rolls, std::size_t* draws = nullptr) {
    RulesWorld w(scripted());
    w.m.gun_lst[0].ids = {5};
    w.m.gun_lst[1].ids = {7};
    w.shared.gun_mei2[7] = 1;
    w.shared.gun_mei[7] = 3;
    w.shared.mei_troops[0] = ours;
    w.shared.mei_troops[1] = theirs;
    w.shared.com_codes[0] = {kRecruit, kWar, kWait};
    w.shared.com_subject[0][1] = 7;
    for (int k : rolls) w.script().push_roll(k, 3);
    Tagun_rtn(w.m);
    EXPECT_EQ(w.script().remaining(), 0u);
    EXPECT_EQ(w.shared.gun_mei[7], 0) << "a panel without offers takes part in nothing";
    if (draws) *draws = w.script().draws();
    return w.shared.gun_mei[5];
}

TEST(ComputerChoice, AWeakSideRedrawsAWarOnAFarStrongerOneExactlyOnce) {
    EXPECT_EQ(choice(10, 31, {1, 1}), 1);  // the second draw is kept, even the same war
    EXPECT_EQ(choice(10, 31, {1, 0}), 0);
    EXPECT_EQ(choice(10, 30, {1}), 1);     // three times as strong is not more than three times
    EXPECT_EQ(choice(10, 1000, {2}), 0);   // 待機 stores the first position
}

}  // namespace
