// The odds of an offer, counted by playing the year's strategy phase many times in memory.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <tuple>

#include "rules_fixture.h"
#include "strategy/odds.h"
#include "strategy/odds_text.h"
#include "strategy/strategy_table.h"
#include "turn/command_menu.h"

namespace {

using namespace teijinki;
using namespace teijinki::testing;

// Warlord 1 (ruled by general 1: policy 5, charm 5; fame and awe 30) stands alone in panel 0,
// whose only offer is the one under test. Warlord 2 (ruled by general 3, order 45) owns
// province 2 and sits in panel 1, which has no offer. General 2 serves nobody.
struct OddsWorld : RulesWorld {
    OddsWorld(int code, int subject, int level) {
        set_generals({{"君", 5, 5, 1, kJobKunshu}, {"浪", 5, 5, 0, 0}, {"隣", 5, 5, 3, kJobKunshu}});
        set_warlords({{"甲", 0, 1, 10, 0, 30, 50, 50, 30}, {"乙", 0, 3, 10, 0, 30, 45, 50, 30}});
        set_provinces({1, 2});
        shared.gun_mei2[1] = 0;
        shared.gun_mei2[2] = 1;
        m.gun_lst[0] = {{1}, {"甲"}};
        m.gun_lst[1] = {{2}, {"乙"}};
        shared.com_codes[0] = {code};
        shared.com_subject[0][0] = static_cast<Int16>(subject);
        shared.com_level[0][0] = static_cast<Int16>(level);
        // Warlord 1 is the player whose turn it is, so panel 0 is his own.
        shared.player_gun[0] = 1;
        shared.player_lord[0] = 1;
    }
};

// Every file under the folder with its bytes.
std::map<std::string, std::string> folder_bytes(const TempGameFolder& dir) {
    std::map<std::string, std::string> out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir.root()))
        if (e.is_regular_file()) out[e.path().string()] = dir.read(std::filesystem::relative(e.path(), dir.root()).string());
    return out;
}

TEST(Odds, TheEstimateMatchesTheOddsWorkedOutByHand) {
    // 2d6 sums: P(r1 − r2 ≥ 2) for two rolls is 435/1296; P(roll ≤ n) is 1, 3, 6, 10, 15 /36 for n = 2..6.
    struct Case {
        const char* what;
        int code, subject, level;
        double executed, success;
    } cases[] = {
        // Charm 5 against difficulty 7 passes when r1 − r2 ≥ 2. The recruit then joins on the
        // 60 % draw, or else when (30 − 30) / 7 ≥ entry roll − 5, a roll of 5 or less.
        {"人材募集", kRecruit, 2, 7, 435.0 / 1296, 435.0 / 1296 * (0.6 + 0.4 * 10 / 36)},
        // Anyone is chosen in this group. Warlord 2's province raises the difficulty to
        // CInt(45 / 10 + 4 − 5) = 4 (Int would give 3); 30 / 10 + 5 ≥ roll + 4 wants a roll ≤ 4.
        {"入国", kEnterProvince, 2, 4, 1.0, 6.0 / 36},
    };
    constexpr int kRuns = 4000;  // one standard error is under 0.8 points
    for (const Case& c : cases) {
        OddsWorld w(c.code, c.subject, c.level);
        const OfferOdds odds = estimate_offer_odds(w.folder, w.shared, w.m.text_table, 0, 0, 1, kRuns);
        ASSERT_EQ(odds.runs, kRuns) << c.what;
        EXPECT_EQ(std::make_pair(odds.participants, odds.leader_joined), std::make_pair(1, 0)) << c.what;
        EXPECT_NEAR(static_cast<double>(odds.executed) / kRuns, c.executed, 0.03) << c.what;
        EXPECT_NEAR(static_cast<double>(odds.success) / kRuns, c.success, 0.03) << c.what;
    }
}

TEST(Odds, CertainOutcomesAreCountedInEveryRun) {
    // Difficulty −20 passes every test; the free general 浪 of charm −20 always comes over. He is
    // general 1 here, the ruler 君 general 2: the first general counts among those gained too.
    const struct {
        int code, subject, object, level, own, pos, runs;
        std::vector<int> counts;  // executed, by own, success, by own, partial, province, leader, gained
        int alliance_leader = 0, ruler_fight = 1;  // the ruler leading warlord 1's alliance; general 1's fight
    } cases[] = {
        {kEnterProvince, 1, 0, 4, 1, 0, 20, {20, 20, 0, 0, 0, 0, 0, 0}},  // his own province: nothing to take
        {kYellowTurbans, 1, 2, -20, 1, 0, 20, {20, 20, 20, 20, 0, 20, 20, 20}},
        {kTribes, 1, 5, -20, 2, 0, 20, {20, 0, 20, 0, 0, 0, 20, 20}},  // asked for warlord 2, who has no part in it
        {kYellowTurbans, 1, 2, -20, 1, 3, 1, {1, 1, 1, 1, 0, 1, 1, 1}},  // the last place, a single run
        {kTribes, 1, 5, -20, 1, 0, 20, {20, 20, 0, 0, 20, 0, 20, 20}, 0, -40},  // too weak to win outright
        {kSubvert, 2, 0, -20, 1, 0, 20, {20, 20, 20, 20, 0, 0, 0, 0}},
        {kMediate, 0, 0, -20, 1, 0, 20, {20, 20, 20, 20, 0, 0, 0, 0}},
        {kDenounce, 2, 0, -20, 1, 0, 20, {20, 20, 20, 20, 0, 0, 0, 0}},
        {kJoinAlliance, 3, 0, -20, 1, 0, 20, {20, 20, 20, 20, 0, 0, 0, 0}},
        {kLeaveAlliance, 0, 0, -20, 1, 0, 20, {20, 20, 20, 20, 0, 0, 0, 0}, 3},
        {kReplaceLeader, 0, 0, -20, 1, 0, 20, {20, 20, 20, 20, 0, 0, 0, 0}, 3},
    };
    for (const auto& c : cases) {
        OddsWorld w(c.code, c.subject, c.level);
        w.set_generals({{"浪", 5, -20, 0, 0}, {"君", 5, 5, 2, kJobKunshu, c.ruler_fight}, {"隣", 5, 5, 3, kJobKunshu}});
        w.set_warlords({{"甲", c.alliance_leader, 2, 10, 0, 30, 50, 50, 30}, {"乙", 0, 3, 10, 0, 30, 45, 50, 30}});
        w.shared.player_lord[0] = 2;
        if (c.pos > 0) {  // the places before it stay empty
            w.shared.com_codes[0] = {0, 0, 0};
            w.shared.com_codes[0].resize(static_cast<std::size_t>(c.pos) + 1, c.code);
            w.shared.com_subject[0][c.pos] = static_cast<Int16>(c.subject);
            w.shared.com_level[0][c.pos] = static_cast<Int16>(c.level);
        }
        w.shared.com_object[0][c.pos] = static_cast<Int16>(c.object);
        // Warlord 2 then takes warlord 1's province by his own panel's offer: that entry's story
        // must add nothing to these counts.
        w.shared.com_codes[1] = {kEnterProvince};
        w.shared.com_subject[1][0] = 1;
        w.shared.com_level[1][0] = -20;
        const OfferOdds o = estimate_offer_odds(w.folder, w.shared, w.m.text_table, 0, c.pos, c.own, c.runs);
        ASSERT_EQ(o.runs, c.runs) << command_name(c.code);
        EXPECT_EQ((std::vector<int>{o.executed, o.by_own, o.success, o.success_by_own, o.partial, o.province_taken,
                                    o.leader_joined, o.generals_gained}),
                  c.counts) << command_name(c.code);
        EXPECT_EQ(o.war.drawn + o.war.demand_refused, 0) << "no war was fought";
        EXPECT_EQ(std::make_tuple(o.participants, o.top_executor, o.top_executor_runs, o.top_executor_name,
                                  o.top_executor_warlord, o.top_executor_warlord_name),
                  std::make_tuple(1, 2, c.runs, std::string("君"), 1, std::string("甲")));
    }
    // Every war the entry launched ended one way or another; a hundredfold army wins most of them.
    for (const int code : {kWar, kRighteousWar}) {
        OddsWorld w(code, 2, 0);
        w.set_warlords({{"甲", 0, 1, 1000, 0, 30, 50, 50, 30}, {"乙", 0, 3, 10, 0, 30, 45, 50, 30}});
        const WarOdds war = estimate_offer_odds(w.folder, w.shared, w.m.text_table, 0, 0, 1, 20).war;
        EXPECT_EQ(war.won + war.lost + war.drawn + war.enemy_yielded + war.own_yielded + war.demand_refused, 20) << code;
        EXPECT_GT(war.won, 10) << code;
        EXPECT_EQ(war.enemy_yielded > 0, code == kWar) << "only a war demands surrender, and some are yielded to";
        // A hundredfold enemy beats most of them.
        w.set_warlords({{"甲", 0, 1, 10, 0, 30, 50, 50, 30}, {"乙", 0, 3, 1000, 0, 30, 45, 50, 30}});
        EXPECT_GT(estimate_offer_odds(w.folder, w.shared, w.m.text_table, 0, 0, 1, 20).war.lost, 10) << code;
        // A place past the panel's last offer holds nothing, whatever lies behind it in memory.
        w.shared.com_codes[1] = {code, code};
        w.shared.com_codes[1].pop_back();
        const OfferOdds past = estimate_offer_odds(w.folder, w.shared, w.m.text_table, 1, 1, kMaxWarlords, 20);
        EXPECT_EQ(std::make_tuple(past.panel, past.pos, past.own, past.code, past.runs),
                  std::make_tuple(1, 1, kMaxWarlords, 0, 0));
        w.shared.com_codes[1] = {code, code, code, code, code};  // the phase plays four places at most
        EXPECT_EQ(estimate_offer_odds(w.folder, w.shared, w.m.text_table, 1, 4, 1, 20).runs, 0);
    }
}

TEST(Odds, TheLineAndTheDetailTellEachFigureAsAShareOfTheRuns) {
    // 400 runs; own warlord 1; the general chosen most often serves warlord 2 (袁紹) unless set.
    auto odds = [](int code, int own, auto&& set) {
        OfferOdds o;
        o.code = code, o.own = own, o.runs = 400, o.participants = 2, o.executed = 300, o.by_own = 100;
        o.top_executor = 7, o.top_executor_name = "田豊", o.top_executor_warlord = 2, o.top_executor_warlord_name = "袁紹";
        set(o);
        return o;
    };
    const struct {
        OfferOdds odds;
        const char *line, *detail;
    } cases[] = {
        {odds(kEnterProvince, 1, [](OfferOdds& o) { o.runs = 0; }), "", ""},
        {odds(kEnterProvince, 1, [](OfferOdds& o) { o.participants = 0; }), "見込み：この作戦を選んだ軍閥はない", nullptr},
        {odds(kEnterProvince, 0, [](OfferOdds& o) { o.executed = 0, o.top_executor = 0; }),
         "見込み（今の計画のまま）：実行 0％", nullptr},
        {odds(kEnterProvince, 1, [](OfferOdds& o) { o.success = 150, o.success_by_own = 42; }),
         "見込み：実行 75％（袁紹軍の田豊、自軍は 25％）、成功 約38％",
         "実行：この作戦を行う武将が選ばれる/成功：その地に入国し、自国とする/自軍の武将が行う：25％、自軍による成功：約11％"
         "（ほかは同じ作戦を選んだ軍閥の武将）/この年の作戦を400回試算した結果"},
        {odds(kRecruit, 2, [](OfferOdds& o) { o.by_own = 300, o.success = 3; }), "見込み：実行 75％（田豊）、成功 約1％",
         "実行：難易度の試しに通った武将がこの作戦を行う/成功：目当ての人材が仕官する/この年の作戦を400回試算した結果"},
        {odds(kRecruit, 2, [](OfferOdds& o) { o.runs = 1, o.executed = 1, o.by_own = 1, o.success = 1; }),
         "見込み：実行 100％（田豊）、成功 約100％",
         "実行：難易度の試しに通った武将がこの作戦を行う/成功：目当ての人材が仕官する/この年の作戦を1回試算した結果"},
        {odds(kMediate, 1, [](OfferOdds& o) { o.top_executor_name = "袁紹"; }), "見込み：実行 75％（袁紹、自軍は 25％）、成功 約0％",
         nullptr},
        {odds(kWar, 0, [](OfferOdds& o) { o.war = {100, 50, 40, 0, 0, 0}; }),
         "見込み（今の計画のまま）：実行 75％（袁紹軍の田豊）、勝 25％・負 13％・引分 10％",
         "実行：この作戦を行う武将が選ばれる/勝・負・引分：戦の決着（降伏は降伏勧告による決着）/各軍閥の今の計画のままで試算/"
         "この年の作戦を400回試算した結果"},
        {odds(kRighteousWar, 1, [](OfferOdds& o) { o.war = {0, 0, 0, 10, 6, 2}; }),
         "見込み：実行 75％（袁紹軍の田豊、自軍は 25％）、勝 0％・負 0％・引分 0％・敵の降伏 3％・自軍の降伏 2％・物別れ 1％",
         "実行：この作戦を行う武将が選ばれる/勝・負・引分：戦の決着（降伏は降伏勧告による決着）/自軍の武将が行う：25％"
         "（ほかは同じ作戦を選んだ軍閥の武将）/この年の作戦を400回試算した結果"},
        {odds(kTribes, 2, [](OfferOdds& o) { o.by_own = 300, o.success = 200, o.partial = 99, o.leader_joined = 2; }),
         "見込み：実行 75％（田豊）、成功 約50％、一部成功 約25％",
         "実行：難易度の試しに通った武将がこの作戦を行う/成功：異民族に大勝する（一部成功は兵を得るのみ）/首領の帰順：約1％/"
         "この年の作戦を400回試算した結果"},
        {odds(kYellowTurbans, 2, [](OfferOdds& o) { o.by_own = 300, o.success = 200, o.province_taken = 101; }),
         "見込み：実行 75％（田豊）、成功 約50％（占領 約25％）", nullptr},
        {odds(kSubvert, 2, [](OfferOdds& o) { o.by_own = 300, o.success = 40, o.generals_gained = 52; }),
         "見込み：実行 75％（田豊）、成功 約10％（寝返り 平均1.3人）", nullptr},
        {odds(kSubvert, 2, [](OfferOdds& o) { o.by_own = 300, o.success = 40; }), "見込み：実行 75％（田豊）、成功 約10％", nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(odds_line(c.odds), c.line) << c.line;
        if (!c.detail) continue;
        std::string detail = c.detail;  // '/' stands for a line break
        for (auto& ch : detail) ch = ch == '/' ? '\n' : ch;
        EXPECT_EQ(odds_detail(c.odds), detail) << c.line;
    }
}

TEST(Odds, EstimatingChangesNoFileNoDrawAndNoSharedValueOfTheGame) {
    OddsWorld w(kEnterProvince, 2, 4);  // a run raises the offer's difficulty and rewrites texts
    const auto files = folder_bytes(w.dir);
    const SeededRandom dice_before = dynamic_cast<SeededRandom&>(w.m.rng);
    const auto levels = w.shared.com_level;
    w.shared.gun_mei[1] = 3;
    w.shared.text_no = 77;
    w.shared.text_sub1 = "前";

    const OfferOdds odds = offer_odds(w.m, 0, 0, 50);
    EXPECT_EQ(odds.own, 1);
    EXPECT_EQ(odds.executed, 50);

    EXPECT_EQ(folder_bytes(w.dir), files);
    SeededRandom expected = dice_before;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(w.m.rng.Rnd(), expected.Rnd()) << "draw " << i;
    EXPECT_EQ(w.shared.com_level, levels);
    EXPECT_EQ(w.shared.gun_mei[1], 3);
    EXPECT_EQ(w.shared.text_no, 77);
    EXPECT_EQ(w.shared.text_sub1, "前");

    // Seeded from the run, never from the clock: the same situation gives the same figures.
    EXPECT_EQ(offer_odds(w.m, 0, 0, 50).success, odds.success);
}

}  // namespace
