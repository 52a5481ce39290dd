// The year's strategy offers per panel and the computer's pick for every warlord.

#include <gtest/gtest.h>

#include <set>

#include "rules_fixture.h"
#include "strategy/strategy_table.h"
#include "turn/offers.h"
#include "turn/panels.h"

namespace {

using namespace teijinki;
using namespace teijinki::testing;

// Which draw gives which offer is pinned by the scripted years below; here, over many years,
// every free general, every warlord and every alliance turns up.
TEST(Offers, OverManyYearsEveryFreeGeneralWarlordAndAllianceIsOffered) {
    RulesWorld w;
    // Lords 12..19 lead warlords; generals 1..11 and 20, the first and the last, serve nobody.
    std::vector<GeneralRow> generals;
    for (int i = 1; i <= 20; ++i) generals.push_back({"将", 5, i % 10 + 1, i >= 12 && i <= 19 ? i : 0, 3});
    w.set_generals(generals);
    w.set_warlords({{"甲", 12, 12}, {"乙", 12, 13}, {"丙", 14, 14}, {"丁", 15, 15}, {"戊", 14, 16}, {"己", 0, 17},
                    {"庚", 0, 18}, {"辛", 15, 19}});
    w.set_provinces({1, 2, 3, 4, 5, 6, 7, 8, 0, 0, 0, 0});
    ini_Mei_rtn(w.m);
    std::set<int> allied_targets, unallied_targets, free_offered, leaders_offered;
    for (int year = 0; year < 1500; ++year) {
        Dsp_rtn(w.m);
        for (int p = 0; p <= 3; ++p) {
            const auto& codes = w.shared.com_codes[p];
            for (std::size_t e = 0; e < codes.size(); ++e) {
                const int code = codes[e], subject = w.shared.com_subject[p][e];
                if (code == kRecruit || code == kYellowTurbans || code == kTribes) free_offered.insert(subject);
                if (code == kWar || code == kRighteousWar) (p == 0 ? unallied_targets : allied_targets).insert(subject);
                if (code == kJoinAlliance) leaders_offered.insert(subject);
            }
        }
    }
    EXPECT_EQ(allied_targets.size() * unallied_targets.size(), 64u) << "every panel's warlords are someone's target";
    EXPECT_EQ(free_offered, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 20})) << "every free general, no lord";
    EXPECT_EQ(leaders_offered, (std::set<int>{12, 14, 15})) << "every alliance is offered to join";
}

// Years of offers from scripted dice, panel by panel: every parameter and the dice each draw takes.
TEST(Offers, EachDrawGivesItsOfferWithExactParametersAndAShortListEndsWithWait) {
    RulesWorld w(scripted());
    // Generals 2 and 5 serve nobody; so do record 0 and general 6, past the generals in play.
    w.set_generals({{"君1", 1, 1, 1}, {"浪2", 1, 7}, {"君3", 1, 1, 2}, {"君4", 1, 1, 3}, {"浪5", 1, 9}, {"浪6", 1, 3}});
    w.dir.write("ini/busv.ini", ".0\r\n\"零\"\r\n1,1,1,1\r\n1,1\r\n0,0\r\n\"z\"\r\n" + w.dir.read("ini/busv.ini"));
    w.shared.bushou_count = 5;
    w.set_provinces({1, 0, 2, 0});
    w.m.gun_lst[0].ids = {4, 5}, w.m.gun_lst[1].ids = {1, 2}, w.m.gun_lst[2].ids = {3};
    w.shared.mei_leader[1] = 11, w.shared.mei_leader[2] = 13;
    w.shared.mei_kessoku[1] = 95;  // 9.5 rounds to 10, to even
    struct Offer {
        int code, subject = 0, object = 0, level = 0;
        bool operator==(const Offer&) const = default;
    };
    const auto offers = [&](int p) {
        std::vector<Offer> out;
        for (std::size_t e = 0; e < w.shared.com_codes[p].size(); ++e)
            out.push_back({w.shared.com_codes[p][e], w.shared.com_subject[p][e], w.shared.com_object[p][e], w.shared.com_level[p][e]});
        return out;
    };
    const auto year = [&](std::initializer_list<std::pair<int, int>> rolls, int randomized) {
        w.shared.com_subject = {}, w.shared.com_object = {}, w.shared.com_level = {};
        for (auto [k, n] : rolls) w.script().push_roll(k, n);
        ld_Com_rtn(w.m);
        EXPECT_EQ(w.script().remaining(), 0u);
        EXPECT_EQ(w.script().randomize_calls(), randomized) << "every free-general search re-seeds first";
    };
    // 1: 人材募集 (14) of general 5 at his charm; 脱退 (9); 異民族討伐 (5) with general 2, 5 + 3 + 2
    // troops, 3 + 2 + 2; 同盟参加 (8) with slot 2's leader, 1 + 3 + 2. 2: 義戦 (12) on the 4th of 4, 5,
    // 1, 2; 同盟参加 with the free slot 3 (nothing); 調略 (3) of its own 3 at 3 + 3 + 2; slot 3 again.
    // 3, empty: 糾弾 (7) finds no one; 戦争 (11) on the 5th of 4, 5, 1, 2, 3 and (13) the 1st; 入国 (2)
    // to the 2nd unowned province at 0 + 1 + 2. 0: 同盟参加 (4) with slot 3 (nothing); 義戦 (6) on the
    // 4th of all at 2 + 1 + 3; 入国 (10) to the 1st unowned at 2 + 2 + 3; 同盟参加 (9) with slot 3.
    year({{13, 14}, {1, 2}, {8, 14}, {4, 14}, {0, 2}, {5, 6}, {3, 6}, {3, 4}, {2, 4}, {7, 14}, {0, 2}, {1, 4}, {3, 4},
          {11, 14}, {3, 4}, {7, 14}, {1, 2}, {2, 14}, {0, 1}, {3, 4}, {3, 4}, {7, 14}, {1, 2},
          {6, 14}, {10, 14}, {4, 5}, {12, 14}, {0, 5}, {1, 14}, {1, 2}, {0, 4}, {1, 4},
          {3, 10}, {2, 3}, {5, 10}, {3, 5}, {2, 3}, {1, 3}, {9, 10}, {0, 2}, {2, 3}, {2, 3}, {8, 10}, {2, 3}},
         2);
    EXPECT_EQ(offers(1), (std::vector<Offer>{{kRecruit, 5, 0, 9}, {kLeaveAlliance, 0, 0, 10}, {kTribes, 2, 10, 7},
                                             {kJoinAlliance, 13, 0, 6}}));
    EXPECT_EQ(offers(2), (std::vector<Offer>{{kRighteousWar, 2}, {kSubvert, 3, 0, 8}, {kWait}}));
    EXPECT_EQ(offers(3), (std::vector<Offer>{{kWar, 3}, {kWar, 4}, {kEnterProvince, 4, 0, 3}}));
    EXPECT_EQ(offers(0), (std::vector<Offer>{{kRighteousWar, 2, 0, 6}, {kEnterProvince, 2, 0, 7}, {kWait}}));

    // Every province owned, a province is drawn among all four. 1: 人材募集 (1) of general 2; 黄巾賊退治
    // (4) with general 5 in province 3 + 1 at 3 + 0 + 2; 調停 (6) at 3 + 3 + 2; 君主交代 (10) at 2 + 2 +
    // 2. 2 and 3: 糾弾 finds no one. 0: 人材募集 (1) of general 5 at 1 + 2 + 3, not his charm; 黄巾賊退治
    // (7) with general 2 in province 2 + 1 at 2 + 0 + 3; 異民族討伐 (3) with general 5, 4 + 5 + 2
    // troops, at 0 + 1 + 3; 戦争 (5) on the 2nd of 4, 5, 1, 2 (his own panel's too) at 2 + 2 + 3.
    w.set_provinces({1, 2, 3, 4});
    w.m.gun_lst[2].ids.clear();
    year({{0, 14}, {0, 2}, {3, 14}, {1, 2}, {3, 4}, {3, 4}, {0, 4}, {5, 14}, {3, 4}, {3, 4}, {9, 14}, {2, 4}, {2, 4},
          {6, 14}, {6, 14}, {6, 14}, {6, 14}, {6, 14}, {6, 14}, {6, 14}, {6, 14},
          {0, 10}, {1, 2}, {1, 3}, {2, 3}, {6, 10}, {0, 2}, {2, 4}, {2, 3}, {0, 3}, {2, 10}, {1, 2}, {4, 6}, {5, 6},
          {0, 3}, {1, 3}, {4, 10}, {1, 4}, {2, 3}, {2, 3}},
         7);
    EXPECT_EQ(offers(1), (std::vector<Offer>{{kRecruit, 2, 0, 7}, {kYellowTurbans, 5, 4, 5}, {kMediate, 0, 0, 8},
                                             {kReplaceLeader, 0, 0, 6}}));
    for (int p : {2, 3}) EXPECT_EQ(offers(p), (std::vector<Offer>{{kWait}}));
    EXPECT_EQ(offers(0), (std::vector<Offer>{{kRecruit, 5, 0, 6}, {kYellowTurbans, 2, 3, 5}, {kTribes, 5, 11, 4},
                                             {kWar, 5, 0, 7}}));

    // Nobody free, and nobody outside alliance 1 but its own: no recruit, war, 黄巾賊, 異民族 or
    // slot to join is found, and each panel offers 待機 alone.
    w.shared.bushou_count = 0;
    w.m.gun_lst[0].ids.clear();
    w.m.gun_lst[1].ids = {1, 2, 3, 4, 5};
    year({{0, 14}, {10, 14}, {11, 14}, {3, 14}, {6, 14}, {6, 14}, {6, 14}, {6, 14}, {6, 14}, {6, 14}, {6, 14},
          {6, 14}, {0, 10}, {1, 10}, {2, 10}, {3, 10}, {2, 3}},
         12);
    for (int p = 0; p <= 3; ++p) EXPECT_EQ(offers(p), (std::vector<Offer>{{kWait}}));
    EXPECT_TRUE(w.host.boxes.empty()) << "no error box in ordinary play";
}

// Warlord 5 alone in panel 0 with offers 人材募集, 戦争 on a warlord of panel 3 (7 unless said), 待機.
int choice(int ours, int theirs, std::initializer_list<int> rolls, int target = 7) {
    RulesWorld w(scripted());
    w.m.gun_lst[0].ids = {5};
    w.m.gun_lst[3].ids = {7};
    w.shared.gun_mei2[7] = w.shared.gun_mei2[target] = 3;
    w.shared.gun_mei[7] = 3;
    w.shared.mei_troops[0] = ours;
    w.shared.mei_troops[3] = theirs;
    w.shared.com_codes[0] = {kRecruit, kWar, kWait};
    w.shared.com_subject[0][1] = target;
    for (int k : rolls) w.script().push_roll(k, 3);
    Tagun_rtn(w.m);
    EXPECT_EQ(w.script().remaining(), 0u);
    EXPECT_EQ(w.shared.gun_mei[7], 0) << "a panel without offers takes part in nothing";
    return w.shared.gun_mei[5];
}

TEST(ComputerChoice, AWeakSideRedrawsAWarOnAFarStrongerOneExactlyOnce) {
    EXPECT_EQ(choice(10, 31, {1, 1}), 1);  // the second draw is kept, even the same war
    EXPECT_EQ(choice(10, 31, {1, 0}), 0);
    EXPECT_EQ(choice(10, 30, {1}), 1);     // three times as strong is not more than three times
    EXPECT_EQ(choice(10, 1000, {2}), 0);   // 待機 stores the first position
    EXPECT_EQ(choice(10, 31, {1, 0}, 1), 0);   // the first and the last warlord weigh like any other
    EXPECT_EQ(choice(10, 31, {1, 0}, 20), 0);
    EXPECT_EQ(choice(10, 31, {1}, 0), 1);      // a war offer without a target is not weighed
}

}  // namespace
