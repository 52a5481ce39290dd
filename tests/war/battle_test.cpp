// Whole battles: the order of the dice, the pages the story is told on, and what the outcome
// leaves behind.
#include <gtest/gtest.h>

#include <random>

#include "war/formulas.h"
#include "war/war.h"
#include "war_fixture.h"
#include "world/trace.h"

namespace teijinki::testing {
namespace {

constexpr const char* kCrLf2 = "\r\n\r\n";

class RecordingTrace : public TraceSink {
public:
    void offers(int, int, const std::vector<TraceOffer>&) override {}
    void pick(int, int, int, int, bool) override {}
    void entry(int, int, int, int, const std::vector<int>&, int, int, int) override {}
    void war(int year, bool righteous, int attacker, int defender, int initiative, int tactic, int verdict) override {
        wars.push_back({year, righteous ? 1 : 0, attacker, defender, initiative, tactic, verdict});
    }
    void year_end(int, const std::vector<TraceWarlord>&) override {}
    std::vector<std::vector<int>> wars;
};

// 魏 attacks 呉; 呉 is played from slot 0. Dice chosen so that 魏's strategist wins the
// initiative on a tie, plans an intrigue, and wins the battle.
class IntrigueWar : public ::testing::Test {
protected:
    IntrigueWar() {
        w.add_warlord(1, "魏", 1, 300, 20, 50, 60);
        Gun& wu = w.add_warlord(2, "呉", 2, 150, 10, 50, 50);
        wu.meisei = 7;
        w.add_general({1, "曹操", 1, kJobKunshu, 30, 20, 30, 25, 15, 20});
        w.add_general({2, "孫権", 2, kJobKunshu, 25, 15, 25, 20, 12, 20});
        w.add_general({3, "荀彧", 1, kJobGunshi, 40, 5, 40, 30, 10, 10});
        w.add_general({4, "周瑜", 2, kJobGunshi, 30, 10, 38, 32, 10, 10});
        w.add_general({5, "夏侯惇", 1, kJobShougun, 10, 35, 20, 27, 8, 10});
        w.add_general({6, "甘寧", 2, kJobBukan, 5, 33, 10, 15, 5, 5});
        w.add_province(1, "許昌", 1);
        w.add_province(2, "建業", 2);
        w.add_province(3, "会稽", 2);
        w.shared.player_gun[0] = 2;
        w.shared.form_param = 195;
    }
    WarWorld w;
};

TEST_F(IntrigueWar, DiceOrderPagesAndOutcome) {
    w.rolls({{0, 3}, {0, 3}, {0, 3}, {0, 3}, {0, 3}, {0, 3},  // 魏's commanders: 曹操 42, 荀彧 42, 夏侯惇 37
             {0, 3}, {0, 3}, {0, 3}, {0, 3},                  // 呉's commanders: 孫権 34, 周瑜 44
             {0, 3}, {0, 3}, {0, 3}, {0, 3},                  // 魏's strategists: 荀彧 72, 夏侯惇 39
             {0, 3}, {0, 3},                                  // 呉's strategist 周瑜
             {0, 3}, {0, 3},                                  // 魏's field general; 呉 has none
             {0, 2}, {0, 2}, {0, 2}, {0, 2},                  // duellists: 夏侯惇 36, 甘寧 34
             {0, 4}, {0, 6}, {3, 4}, {5, 6},                  // morale: both roused (10 ≥ 10)
             {0, 2}, {0, 2}, {0, 2}, {0, 2},                  // initiative 72 : 72, the attacker's
             {0, 6}, {0, 6},                                  // the duel candidate
             {2, 6}, {3, 6}, {1, 6}, {1, 6},                  // opening: a = 5, b = 2
             {0, 6}, {0, 6}, {0, 6}, {0, 6},                  // middle battle
             {59, 100}, {0, 16}, {0, 16}, {9, 100},           // 建業 goes over, 会稽 stays
             {9, 10}, {9, 10}, {0, 10}, {0, 10}, {9, 10}, {9, 10},  // 甘寧 goes to 魏
             {0, 10}, {0, 10}, {9, 10}, {9, 10}});                  // 周瑜 leaves service
    RecordingTrace trace;
    w.state().trace = &trace;
    BattleSheet sheet;
    const WarSummary summary = fight_battle(w.state(), w.gun(1), w.gun(2), WarKind::War, &sheet);

    EXPECT_EQ(w.dice.remaining(), 0u);
    EXPECT_EQ(w.dice.draws(), 54u);
    EXPECT_EQ(w.dice.randomize_calls(), 1);

    EXPECT_EQ(summary.initiative, 1);
    EXPECT_EQ(summary.tactic, kIntrigue);
    EXPECT_EQ(summary.verdict, kAttackerWins);
    ASSERT_EQ(trace.wars.size(), 1u);
    EXPECT_EQ(trace.wars[0], (std::vector<int>{195, 0, 1, 2, 1, kIntrigue, kAttackerWins}));

    EXPECT_EQ(sheet.morale_start[0], 250);  // 435 capped

    const PageStore& pages = w.state().pages;
    EXPECT_EQ(pages.page_text[0],
              "<16:曹操の率いる魏軍 220|周瑜の率いる呉軍 110>\r\n"
              "<34:魏の総兵力は 220|呉軍のそれは 110>\r\n<50:曹操>\r\n<50:周瑜>\r\n<49:魏>\r\n"
              "魏の士気 250 呉の士気 250" + std::string(kCrLf2) + "<17:魏の軍師荀彧|謀略>\r\n");
    // The intrigue costs 53.5: the text shows 53, morale falls by 54 (196.5 halves to 196).
    EXPECT_EQ(pages.page_text[1], "<28:荀彧|呉軍の士気が 53>\r\n魏の士気 250 呉の士気 196" + std::string(kCrLf2) +
                                      "その流れのまま中盤戦に入り、");
    EXPECT_EQ(pages.page_cg[1], "cg3");
    EXPECT_EQ(pages.page_caption[1], "荀彧");
    EXPECT_EQ(pages.page_text[2], "<19:呉| 103>\r\n<19:魏| 39>\r\n");
    EXPECT_EQ(pages.page_text[3], "魏の士気 211 呉の士気 93" + std::string(kCrLf2) + "<35:魏>\r\n");
    EXPECT_EQ(pages.page_text[4],
              "<42:荀彧| 8.5>\r\n<54:以前より民心の離れていた建業、>\r\n<13:甘寧|魏>\r\n<37:周瑜>\r\n");
    EXPECT_EQ(pages.page_no, 4);

    EXPECT_EQ(std::tie(w.gun(1).meisei, w.gun(1).kessoku, w.gun(1).ifu), std::make_tuple(Int16(60), Int16(70), Int16(15)));
    const Gun& wu = w.gun(2);
    EXPECT_EQ(std::tie(wu.seihei, wu.meisei, wu.tian, wu.kessoku),
              std::make_tuple(Int16(5), Int16(5), Int16(25), Int16(33)));
    EXPECT_EQ(std::make_tuple(w.kuni(2).gunID, w.kuni(3).gunID, w.chr(6).gunID, w.chr(4).gunID),
              std::make_tuple(Int16(1), Int16(2), Int16(1), Int16(0)));
}

// 呉 surrenders to 魏, whose alliance with 晋 outnumbers it elevenfold.
class SurrenderWar : public ::testing::Test {
protected:
    SurrenderWar() {
        Gun& wei = w.add_warlord(1, "魏", 1, 900, 0, 100, 60);
        wei.meishuID = 1;
        w.add_warlord(2, "呉", 2, 150, 0, 50, 50);
        Gun& jin = w.add_warlord(3, "晋", 9, 200, 0, 50, 50);
        jin.meishuID = 1;
        w.shared.gun_mei2[1] = 1;
        w.shared.gun_mei2[3] = 1;
        w.add_general({1, "曹操", 1, kJobKunshu, 30, 20, 30, 10, 10, 20});
        w.add_general({2, "孫権", 2, kJobKunshu, 25, 10, 25, 5, 3, 20});
        w.add_general({3, "荀彧", 1, kJobGunshi, 60, 5, 30, 20, 5, 10});
        w.add_province(2, "建業", 2);
        w.shared.player_gun[3] = 1;
    }
    WarWorld w;
};

TEST_F(SurrenderWar, DefenderGivesInAndJoinsTheAlliance) {
    w.rolls({{0, 3}, {0, 3}, {0, 3}, {0, 3}, {0, 3}, {0, 3},  // commanders: 荀彧 27, 孫権 10
             {0, 3}, {0, 3},                                  // 魏's strategist; 呉 has none
             {0, 2}, {0, 2},                                  // duellists
             {0, 4}, {0, 6}, {1, 4}, {1, 8},                  // 魏 roused (250); 呉 not: 1 + Int(0.1875 × 6) + 2 > 3
             {0, 2}, {0, 2}, {0, 2}, {0, 2},                  // initiative
             {0, 6}, {0, 6},                                  // the duel candidate
             {0, 6}, {0, 6}, {0, 6}, {0, 6},                  // the opening is drawn all the same
             {59, 100}});                                     // 建業: 60 is not above 60
    BattleSheet sheet;
    const WarSummary summary = fight_battle(w.state(), w.gun(1), w.gun(2), WarKind::War, &sheet);
    EXPECT_EQ(w.dice.remaining(), 0u);
    EXPECT_EQ(w.dice.draws(), 25u);
    EXPECT_EQ(summary.tactic, kSurrenderDemand);
    EXPECT_EQ(summary.verdict, kAttackerWins);
    EXPECT_EQ(std::make_tuple(sheet.gunsi_wis[1], sheet.gunsi_tac[1]), std::make_tuple(Int16(1), Int16(1)));

    const PageStore& pages = w.state().pages;
    // No text 17 for a surrender demand; the human attacker's pages are held after the plan.
    EXPECT_EQ(pages.page_text[0],
              "<16:荀彧の率いる魏軍 900|孫権の率いる呉軍 100>\r\n"
              "<34:魏の総兵力は 1100|呉軍のそれは 100>\r\n<50:荀彧>\r\n<51:孫権>\r\n<49:魏>\r\n"
              "魏の士気 250 呉の士気 151" + std::string(kCrLf2));
    EXPECT_EQ(pages.page_text[1], "<40:>\r\n<35:魏>\r\n");
    EXPECT_EQ(pages.page_cg[1], "cg3");
    EXPECT_EQ(pages.page_text[2], "<41:呉|曹操>\r\n<42:荀彧| 9>\r\n");
    EXPECT_EQ(pages.page_cg[2], "cg3");

    // The winner gains 10 fame, 10 unity and 5 awe.
    EXPECT_EQ(std::tie(w.gun(1).meisei, w.gun(1).kessoku, w.gun(1).ifu), std::make_tuple(Int16(60), Int16(70), Int16(15)));
    const Gun& wu = w.gun(2);
    EXPECT_EQ(wu.meishuID, 1);
    EXPECT_EQ(wu.tian, 50);     // public order is kept after a surrender
    EXPECT_EQ(wu.kessoku, 25);  // unity is halved
    EXPECT_EQ(w.kuni(2).gunID, 2);
}

TEST_F(SurrenderWar, RefusedDemandChangesNothing) {
    // Policy makes the demand, but neither side is strong enough for the other to give in:
    // 100 against 100 on both counts. This holds for any dice.
    w.gun(1).army = 100;
    w.gun(1).meishuID = 0;
    w.chr(3).policy = 150;
    w.dice.then_seeded(7);

    const WorkingSet before = w.state().world;
    BattleSheet sheet;
    const WarSummary summary = fight_battle(w.state(), w.gun(1), w.gun(2), WarKind::War, &sheet);
    EXPECT_EQ(summary.tactic, kSurrenderDemand);
    EXPECT_EQ(summary.verdict, kUndecided);
    for (int i = 1; i <= 2; ++i) {
        const Gun& a = before.gun[i];
        const Gun& b = w.gun(i);
        EXPECT_EQ(std::tie(a.meisei, a.kessoku, a.ifu, a.seihei, a.tian, a.meishuID),
                  std::tie(b.meisei, b.kessoku, b.ifu, b.seihei, b.tian, b.meishuID));
    }
    // Set-up, initiative, tactic and opening draws only: no middle battle, no outcome.
    EXPECT_EQ(w.dice.draws(), 24u);
    const PageStore& pages = w.state().pages;
    EXPECT_EQ(pages.page_text[1], "<40:>\r\n");
    EXPECT_EQ(pages.page_no, 2);
    EXPECT_EQ(pages.page_text[2], "");
}

// 蜀 fights a righteous war against 魏, whose player sits in slot 18: beyond the slots the
// righteous war looks at when the plan is told, the last it looks at after the middle battle.
struct RighteousWorld : WarWorld {
    RighteousWorld() {
        add_warlord(1, "蜀", 1, 9, 0, 100, 60);
        add_warlord(2, "魏", 2, 30, 0, 100, 90);
        add_general({1, "劉備", 1, kJobKunshu, 5, 20, 10, 17, 10, 20});
        add_general({2, "曹操", 2, kJobKunshu, 5, 12, 10, 15, 8, 20});
        add_general({3, "簡雍", 1, kJobBunkan, 5, 5, 5, 5, 5, 10});
        add_general({4, "荀攸", 2, kJobBunkan, 5, 5, 5, 5, 5, 14});
        shared.player_gun[18] = 2;
    }
};
TEST(RighteousWar, AttackerUncappedDefenderCutDuelAndDeserter) {
    RighteousWorld w;
    w.rolls({{0, 3}, {0, 3}, {0, 3}, {0, 3},  // commanders 劉備 29, 曹操 25
             {0, 2}, {0, 2},                  // duellists 劉備 21, 曹操 13
             {0, 4}, {0, 6}, {0, 4}, {0, 6},  // both roused: 300 and 270
             {0, 2}, {0, 2}, {0, 2}, {0, 2},  // initiative on a tie
             {5, 6}, {5, 6},                  // duel candidate 12 × 8 × 10
             {0, 6}, {0, 6}, {0, 6}, {0, 6},  // opening
             {2, 4}, {0, 4}, {3, 4}, {3, 4},  // the duel: 20 + 4 against 12 + 8
             {0, 6}, {0, 6}, {0, 6}, {0, 6},  // middle battle
             {9, 10}, {9, 10}, {0, 10}, {0, 10},    // nobody leaves at first
             {0, 10}, {0, 10}, {9, 10}, {9, 10}});  // 荀攸 (Setu 14) leaves on 20 ≥ 6 + 14
    BattleSheet sheet;
    const WarSummary summary = fight_battle(w.state(), w.gun(1), w.gun(2), WarKind::Gisen, &sheet);
    EXPECT_EQ(w.dice.remaining(), 0u);
    EXPECT_EQ(w.dice.draws(), 36u);
    EXPECT_EQ(summary.kind, WarKind::Gisen);
    EXPECT_EQ(summary.tactic, kDuel);
    EXPECT_EQ(summary.verdict, kAttackerWins);
    EXPECT_EQ(sheet.ally_strength[0], 10);  // Int(9 × 1.2)
    EXPECT_EQ(sheet.morale_start[0], 300);
    EXPECT_EQ(sheet.morale_start[1], 270);

    const PageStore& pages = w.state().pages;
    EXPECT_EQ(pages.page_cg[0], "cg1");  // the attacker's commander is shown with the set-up
    EXPECT_EQ(pages.page_text[0],
              "<16:劉備の率いる蜀軍 9|曹操の率いる魏軍 30>\r\n<34:蜀の総兵力は 10|魏軍のそれは 30>\r\n"
              "<50:劉備>\r\n<50:曹操>\r\n<49:蜀>\r\n蜀の士気 300 魏の士気 243" + std::string(kCrLf2) +
              "<17:蜀の軍師|一騎打ち>\r\n<29:劉備が曹操|魏>\r\n蜀の士気 300 魏の士気 178" + std::string(kCrLf2) +
              "その流れのまま中盤戦に入り、<19:魏| 54>\r\n<19:蜀| 49>\r\n");
    // The duel cost CInt(243 × 3 / 4 − 4); the middle battle rounds both falls to the nearest.
    EXPECT_EQ(pages.page_text[1], "蜀の士気 251 魏の士気 124" + std::string(kCrLf2) + "<35:蜀>\r\n");
    // No strategist: record 0 settles the war (policy 1 + tactics 0 + 15).
    EXPECT_EQ(pages.page_text[2], "<42:| 1.6>\r\n<37:荀攸>\r\n");
    EXPECT_EQ(w.chr(4).gunID, 0);
    EXPECT_EQ(w.gun(2).kessoku, 60);
}

TEST(RighteousWarCap, ADefenderCutAboveTheCapStartsAtTheCap) {
    // 曹操's tactics and 荀攸's policy give 魏's morale: 5 × (2 + 19 + 8) + 5 + 100 + 40 = 290 is cut to 261,
    // so it starts at 250; 5 × 26 + 8 + 140 = 278 is cut to 250 exactly and keeps its start.
    for (const auto& [tactics, policy, start] : {std::array{19, 5, 250}, {16, 8, 278}}) {
        RighteousWorld w;
        w.chr(2).tactics = tactics, w.chr(4).policy = policy;
        // 蜀 in slot 15, the last the righteous war asks after the plan, gets a fresh page; 魏 in 16 does not.
        w.shared.player_gun[15] = 1, w.shared.player_gun[16] = 2;
        w.rolls({{0, 3}, {0, 3}, {0, 3}, {0, 3}, {0, 2}, {0, 2}, {0, 4}, {0, 6}, {0, 4}, {0, 6}});
        w.dice.then_seeded(3);
        BattleSheet sheet;
        fight_battle(w.state(), w.gun(1), w.gun(2), WarKind::Gisen, &sheet);
        EXPECT_EQ(std::make_pair(int{sheet.morale_start[0]}, int{sheet.morale_start[1]}), std::make_pair(300, start));
        const std::string& first = w.state().pages.page_text[0];
        EXPECT_NE(first.find("蜀の士気 300 魏の士気 250\r\n"), std::string::npos);
        EXPECT_EQ(w.state().pages.page_cg[0] + w.state().pages.page_caption[0], "cg1劉備");
        EXPECT_EQ(first.substr(first.rfind('<'), 4), "<17:") << "the told plan closes the first page";
        EXPECT_NE(w.state().pages.page_text[1], "") << "the opening follows on the next";
    }
}

// Two rulers alone, alike but for their command and fight: the frontal attack scores command −
// 10, the duel 10 × (5 + 5 + 2) per point of fight (two six-sided draws of 5), the rest 0.
TEST(TacticChoice, ALaterCandidateNeedsAStrictlyHigherScore) {
    const struct {
        int command, fight, tactic;
        const char* told;
    } cases[] = {
        {10, 20, kFrontalAttack, "<17:甲の軍師|正攻法>"},   // 0 against 0
        {9, 20, kSurpriseAttack, "<17:甲の軍師|奇襲>"},     // −1: the first 0 wins
        {130, 21, kFrontalAttack, "<17:甲の軍師|正攻法>"},  // 120, the duel 120
        {129, 21, kDuel, "<17:甲の軍師|一騎打ち>"},         // 119, the duel 120
    };
    for (const auto& c : cases) {
        WarWorld w;
        w.add_warlord(1, "甲", 1, 100, 0, 100, 50);
        w.add_warlord(2, "乙", 2, 100, 0, 100, 50);
        w.add_general({1, "甲公", 1, kJobKunshu, 5, c.fight, 5, c.command, 0, 20});
        w.add_general({2, "乙公", 2, kJobKunshu, 5, 20, 5, 40, 0, 20});
        w.rolls({{0, 3}, {0, 3}, {0, 3}, {0, 3}, {0, 2}, {0, 2}, {0, 4}, {0, 6}, {0, 4}, {0, 6},
                 {0, 2}, {0, 2}, {0, 2}, {0, 2}, {5, 6}, {5, 6}});
        w.dice.then_seeded(5);
        const WarSummary summary = fight_battle(w.state(), w.gun(1), w.gun(2), WarKind::War);
        EXPECT_EQ(summary.initiative, 1) << c.command;
        EXPECT_EQ(summary.tactic, c.tactic) << c.command;
        EXPECT_NE(w.state().pages.page_text[0].find(c.told), std::string::npos) << c.command;
    }
}

// Each side is one 将軍 who is its commander, strategist (half his wisdom: 23 gives CInt(11.5) =
// 12), field general and duellist; tian 100, so the strength is army + seihei, and an allied side
// (leading an alliance of its own) counts only its army. Every set-up contest draws its lowest
// bonus. The attacker's morale roll draws 0.9 then 0.1: Int(3.6) + Int(0.6) + 2 = 5, so charm 5
// rouses and 2 does not; the defender's 0.3 then 0.1 gives 3, which 2 misses by one. The
// initiatives are ties or won by one point.
struct Fighter {
    int army, seihei, policy, fight, wisdom, tactics, charm;
    bool allied = false;
};
struct Opening {
    const char* what;
    Fighter attacker, defender;
    std::vector<std::pair<int, int>> draws;  // initiative, duel candidate, opening, middle battle
    int tactic;
    std::string told;  // pages 0 to 2 up to the verdict
    const char* shown;  // page 2's caption: who won the opening exchange
};

TEST(Openings, EachTacticsExchangeAndTheMiddleBattle) {
    const Fighter plain{30, 0, 10, 10, 20, 10, 5}, weak{30, 0, 10, 10, 23, 10, 2};
    const Fighter raider{30, 5, 10, 10, 20, 14, 2}, statesman{35, 5, 120, 10, 20, 10, 5, true};
    const Opening cases[] = {
        {"frontal, e = 0: the attacker strikes first", plain, {30, 0, 10, 10, 23, 9, 2},
         {{1, 2}, {1, 2}, {0, 2}, {0, 2}, {0, 6}, {1, 6}, {0, 6}, {0, 6}, {2, 6}, {3, 6}, {5, 6}, {4, 6}, {0, 6}, {1, 6}},
         kFrontalAttack,
         "<16:甲将の率いる甲軍 30|乙将の率いる乙軍 30>/<34:甲の総兵力は 30|乙軍のそれは 30>/<50:甲将>/<51:乙将>/<49:甲>/甲の士気 220 乙の士気 175//"
         "<17:甲の軍師甲将|正攻法>/##<19:乙| 46>/<19:甲| 36>/甲の士気 184 乙の士気 128//"
         "その流れのまま中盤戦に入り、<19:乙| 58>/<19:甲| 25>/甲の士気 159 乙の士気 70//<35:甲>/", "甲将"},
        {"frontal, e < 0: the defender strikes first", plain, weak,
         {{1, 2}, {1, 2}, {0, 2}, {0, 2}, {0, 6}, {1, 6}, {0, 6}, {1, 6}, {2, 6}, {3, 6}, {5, 6}, {4, 6}, {3, 6}, {5, 6}},
         kFrontalAttack,
         "<16:甲将の率いる甲軍 30|乙将の率いる乙軍 30>/<34:甲の総兵力は 30|乙軍のそれは 30>/<50:甲将>/<51:乙将>/<49:甲>/甲の士気 220 乙の士気 180//"
         "<17:甲の軍師甲将|正攻法>/##<19:甲| 45>/<19:乙| 40>/甲の士気 175 乙の士気 140//"
         "その流れのまま中盤戦に入り、<19:乙| 55>/<19:甲| 36>/甲の士気 139 乙の士気 84//<35:甲>/", "乙将"},
        // In the middle battle 14 + 18 + 2 + 20 ties 10 + 17 + 8 + 19: the attacker strikes first.
        {"surprise by the defender, a tie succeeds; the middle battle's tie goes to the attacker", plain, raider,
         {{1, 2}, {1, 2}, {0, 2}, {0, 2}, {0, 6}, {1, 6}, {2, 6}, {3, 6}, {0, 6}, {1, 6}, {4, 6}, {4, 6}, {0, 6}, {2, 6}},
         kSurpriseAttack,
         "<16:甲将の率いる甲軍 30|乙将の率いる乙軍 35>/<34:甲の総兵力は 30|乙軍のそれは 35>/<50:甲将>/<51:乙将>/<49:甲>/甲の士気 220 乙の士気 200//"
         "<17:乙の軍師乙将|奇襲>/##<20:乙将|乙将もここぞとばかりに暴れまわり、甲軍の士気が 30>/甲の士気 190 乙の士気 200//"
         "その流れのまま中盤戦に入り、<19:乙| 56>/<19:甲| 52>/甲の士気 138 乙の士気 143//<36:>/", "乙将"},
        {"surprise by the attacker succeeds", {30, 5, 10, 10, 20, 14, 5}, weak,
         {{0, 2}, {1, 2}, {1, 2}, {1, 2}, {0, 6}, {1, 6}, {3, 6}, {4, 6}, {0, 6}, {2, 6}, {5, 6}, {1, 6}, {2, 6}, {0, 6}},
         kSurpriseAttack,
         "<16:甲将の率いる甲軍 35|乙将の率いる乙軍 30>/<34:甲の総兵力は 35|乙軍のそれは 30>/<50:甲将>/<51:乙将>/<49:甲>/甲の士気 240 乙の士気 180//"
         "<17:甲の軍師甲将|奇襲>/##<20:甲将|甲将以下、獅子奮迅の働きを見せ、乙軍の士気が 32>/甲の士気 240 乙の士気 148//"
         "その流れのまま中盤戦に入り、<19:乙| 77>/<19:甲| 27>/甲の士気 212 乙の士気 71//<35:甲>/", "甲将"},
        {"surprise by the defender fails", plain, raider,
         {{1, 2}, {1, 2}, {0, 2}, {0, 2}, {0, 6}, {1, 6}, {3, 6}, {5, 6}, {0, 6}, {1, 6}, {2, 6}, {4, 6}, {1, 6}, {0, 6}},
         kSurpriseAttack,
         "<16:甲将の率いる甲軍 30|乙将の率いる乙軍 35>/<34:甲の総兵力は 30|乙軍のそれは 35>/<50:甲将>/<51:乙将>/<49:甲>/甲の士気 220 乙の士気 200//"
         "<17:乙の軍師乙将|奇襲>/##<25:乙将|乙軍の士気が 36>/甲の士気 220 乙の士気 163//"
         "その流れのまま中盤戦に入り、<19:乙| 62>/<19:甲| 39>/甲の士気 180 乙の士気 100//<35:甲>/", "甲将"},
        // The winner's blow (35 + 10) / 10 + draw ends in .5: a wrong divisor or term shows.
        {"grand strategy won by the attacker", statesman, {40, 0, 10, 10, 20, 10, 2},
         {{1, 2}, {0, 2}, {0, 2}, {0, 2}, {0, 6}, {1, 6}, {0, 6}, {1, 6}, {3, 6}, {5, 6}, {2, 6}, {4, 6}, {1, 6}, {0, 6}},
         kGrandStrategy,
         "<16:甲将の率いる甲軍 40|乙将の率いる乙軍 40>/<34:甲の総兵力は 35|乙軍のそれは 40>/<50:甲将>/<51:乙将>/<49:甲>/甲の士気 250 乙の士気 180//"
         "<17:甲の軍師甲将|大戦略>/##<26:甲将|乙軍の士気が 5>/甲の士気 250 乙の士気 174//"
         "その流れのまま中盤戦に入り、<19:乙| 77>/<19:甲| 34>/甲の士気 216 乙の士気 96//<35:甲>/", "甲将"},
        {"grand strategy won by the defender", {40, 0, 10, 20, 20, 10, 3}, statesman,
         {{0, 2}, {0, 2}, {1, 2}, {0, 2}, {0, 6}, {1, 6}, {4, 6}, {5, 6}, {0, 6}, {2, 6}, {2, 6}, {4, 6}, {1, 6}, {0, 6}},
         kGrandStrategy,
         "<16:甲将の率いる甲軍 40|乙将の率いる乙軍 40>/<34:甲の総兵力は 40|乙軍のそれは 35>/<51:甲将>/<50:乙将>/<49:乙>/甲の士気 185 乙の士気 250//"
         "<17:乙の軍師乙将|大戦略>/##<26:乙将|甲軍の士気が 6>/甲の士気 178 乙の士気 250//"
         "その流れのまま中盤戦に入り、<19:甲| 68>/<19:乙| 43>/甲の士気 109 乙の士気 206//<35:乙>/", "乙将"},
        {"intrigue won by the defender", plain, {30, 0, 10, 10, 23, 11, 2},
         {{1, 2}, {1, 2}, {0, 2}, {0, 2}, {0, 6}, {1, 6}, {1, 6}, {2, 6}, {2, 6}, {0, 6}, {2, 6}, {4, 6}, {1, 6}, {0, 6}},
         kIntrigue,
         "<16:甲将の率いる甲軍 30|乙将の率いる乙軍 30>/<34:甲の総兵力は 30|乙軍のそれは 30>/<50:甲将>/<51:乙将>/<49:甲>/甲の士気 220 乙の士気 185//"
         "<17:乙の軍師乙将|謀略>/##<28:乙将|甲軍の士気が 27>/甲の士気 192 乙の士気 185//"
         "その流れのまま中盤戦に入り、<19:乙| 57>/<19:甲| 40>/甲の士気 151 乙の士気 128//<36:>/", "乙将"},
        // The draws of the case above: the attacker's alliance twice the defender's (2 against 0.5) turns it.
        {"intrigue won by the attacker on the alliances' ratio", {60, 0, 10, 10, 20, 10, 5}, {30, 0, 10, 10, 23, 11, 2},
         {{1, 2}, {1, 2}, {0, 2}, {0, 2}, {0, 6}, {1, 6}, {1, 6}, {2, 6}, {2, 6}, {0, 6}, {2, 6}, {4, 6}, {1, 6}, {0, 6}},
         kIntrigue,
         "<16:甲将の率いる甲軍 60|乙将の率いる乙軍 30>/<34:甲の総兵力は 60|乙軍のそれは 30>/<50:甲将>/<51:乙将>/<49:甲>/甲の士気 220 乙の士気 185//"
         "<17:乙の軍師乙将|謀略>/##<28:甲将|乙軍の士気が 28>/甲の士気 220 乙の士気 157//"
         "その流れのまま中盤戦に入り、<19:乙| 74>/<19:甲| 26>/甲の士気 193 乙の士気 82//<35:甲>/", "甲将"},
        {"duel: a tie of fight and draw goes to the attacker", {30, 0, 10, 14, 20, 10, 5}, weak,
         {{1, 2}, {1, 2}, {0, 2}, {0, 2}, {0, 6}, {1, 6}, {1, 6}, {2, 6}, {3, 6}, {0, 6},
          {0, 4}, {1, 4}, {3, 4}, {2, 4}, {2, 6}, {4, 6}, {1, 6}, {0, 6}},
         kDuel,
         "<16:甲将の率いる甲軍 30|乙将の率いる乙軍 30>/<34:甲の総兵力は 30|乙軍のそれは 30>/<50:甲将>/<51:乙将>/<49:甲>/甲の士気 220 乙の士気 180//"
         "<17:甲の軍師甲将|一騎打ち>/##<29:甲将が乙将|乙>/甲の士気 220 乙の士気 132//"
         "その流れのまま中盤戦に入り、<19:乙| 66>/<19:甲| 24>/甲の士気 195 乙の士気 66//<35:甲>/", "甲将"},
        {"duel won by the defender, by his own draw", plain, {30, 0, 10, 14, 20, 10, 2},
         {{0, 2}, {0, 2}, {1, 2}, {0, 2}, {3, 6}, {3, 6}, {0, 6}, {1, 6}, {2, 6}, {0, 6},
          {0, 4}, {1, 4}, {3, 4}, {2, 4}, {2, 6}, {4, 6}, {1, 6}, {0, 6}},
         kDuel,
         "<16:甲将の率いる甲軍 30|乙将の率いる乙軍 30>/<34:甲の総兵力は 30|乙軍のそれは 30>/<50:甲将>/<51:乙将>/<49:甲>/甲の士気 220 乙の士気 180//"
         "<17:乙の軍師乙将|一騎打ち>/##<29:乙将が甲将|甲>/甲の士気 158 乙の士気 180//"
         "その流れのまま中盤戦に入り、<19:乙| 46>/<19:甲| 42>/甲の士気 116 乙の士気 133//<36:>/", "乙将"},
        {"long campaign won by the defender", plain, {60, 0, 40, 10, 20, 10, 2},
         {{0, 2}, {0, 2}, {0, 2}, {1, 2}, {0, 6}, {1, 6}, {0, 6}, {3, 6}, {2, 6}, {0, 6}, {2, 6}, {4, 6}, {1, 6}, {0, 6}},
         kLongCampaign,
         "<16:甲将の率いる甲軍 30|乙将の率いる乙軍 60>/<34:甲の総兵力は 30|乙軍のそれは 60>/<50:甲将>/<51:乙将>/<49:乙>/甲の士気 220 乙の士気 210//"
         "<17:乙の軍師乙将|長期戦>/##<30:甲| 62>/甲の士気 158 乙の士気 210//"
         "その流れのまま中盤戦に入り、<19:乙| 40>/<19:甲| 57>/甲の士気 100 乙の士気 169//<35:乙>/", "乙将"},
    };
    for (const Opening& c : cases) {
        WarWorld w;
        const Fighter* sides[] = {&c.attacker, &c.defender};
        for (int s = 1; s <= 2; ++s) {
            const Fighter& f = *sides[s - 1];
            Gun& g = w.add_warlord(s, s == 1 ? "甲" : "乙", s, f.army, f.seihei, 100, 50);
            g.meishuID = f.allied ? s : 0;
            w.shared.gun_mei2[s] = f.allied ? s : 0;
            w.add_general({s, s == 1 ? "甲将" : "乙将", s, kJobShougun, f.policy, f.fight, f.wisdom, f.tactics, f.charm, 10});
        }
        for (int i = 0; i < 14; ++i) w.dice.push_roll(0, 100);
        for (float r : {0.9f, 0.1f, 0.3f, 0.1f}) w.dice.push(r);
        for (const auto& [k, n] : c.draws) w.dice.push_roll(k, n);
        // Both sides are human, in slots 19 and 20: each holds the pages after the plan (slots
        // 0..20), neither in the middle battle (0..18).
        w.shared.player_gun[19] = 1;
        w.shared.player_gun[20] = 2;
        w.dice.then_seeded(1);
        const WarSummary summary = fight_battle(w.state(), w.gun(1), w.gun(2), WarKind::War);
        EXPECT_EQ(summary.tactic, c.tactic) << c.what;
        const PageStore& pages = w.state().pages;
        const std::string page = pages.page_text[0] + "#" + pages.page_text[1] + "#" + pages.page_text[2];
        std::string told = c.told;  // '/' stands for a line break, '#' for the next page
        for (std::size_t at; (at = told.find('/')) != std::string::npos;) told.replace(at, 1, "\r\n");
        EXPECT_EQ(page, told) << c.what;
        EXPECT_EQ(pages.page_caption[2], c.shown) << c.what;
        // Order 100 on both sides: a draw wears both down to three quarters, a defeat halves the loser's.
        const std::pair<int, int> order = summary.verdict == kUndecided     ? std::pair{75, 75}
                                          : summary.verdict == kAttackerWins ? std::pair{100, 50}
                                                                             : std::pair{50, 100};
        EXPECT_EQ(std::pair(int{w.gun(1).tian}, int{w.gun(2).tian}), order) << c.what;
    }
}

TEST(WarInitiative, DefenderPlanningNeverDemandsSurrender) {
    WarWorld w;
    w.add_warlord(1, "大", 1, 3000, 0, 100, 50);
    w.add_warlord(2, "小", 2, 100, 0, 100, 50);
    w.add_general({1, "大公", 1, kJobKunshu, 5, 20, 5, 30, 10, 20});
    w.add_general({2, "小公", 2, kJobKunshu, 5, 20, 5, 5, 0, 20});
    w.add_general({3, "文臣", 1, kJobBunkan, 200, 5, 5, 5, 5, 20});
    w.add_general({4, "名軍師", 2, kJobSanbou, 1, 5, 100, 100, 0, 20});  // always wins the initiative
    w.dice.then_seeded(1);
    BattleSheet sheet;
    const WarSummary summary = fight_battle(w.state(), w.gun(1), w.gun(2), WarKind::War, &sheet);
    ASSERT_EQ(summary.initiative, 2);
    BattleSheet at_start = sheet;
    at_start.morale = sheet.morale_start;
    ASSERT_TRUE(surrender_demanded(at_start)) << "the attacker would have demanded it";
    EXPECT_NE(summary.tactic, kSurrenderDemand);
}

// Many battles between random warlords: whatever the figures, the rules hold together.
TEST(RandomBattles, RulesHoldForAnyFigures) {
    std::mt19937 gen(20240601);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); };
    int righteous_attacker_plans = 0, war_attacker_odd_tactic = 0;
    for (int round = 0; round < 400; ++round) {
        WarWorld w;
        const bool extreme = round % 10 == 0;
        for (int g = 1; g <= 3; ++g) {
            Gun& x = w.add_warlord(g, g == 1 ? "甲" : g == 2 ? "乙" : "丙", g, pick(0, extreme ? 32000 : 400),
                                   pick(0, extreme ? 32000 : 60), pick(0, 100), pick(0, 100));
            x.meishuID = pick(0, 1) ? 1 : 0;
            x.meisei = pick(0, 200);
            w.shared.gun_mei2[g] = pick(0, 3);
        }
        for (int a = 0; a <= 3; ++a) w.shared.mei_kessoku[a] = pick(0, 100);
        int id = 0;
        for (int g = 1; g <= 3; ++g) {
            const int n = pick(1, 8);
            for (int k = 0; k < n; ++k) {
                ++id;
                int job = k == 0 ? kJobKunshu : pick(1, 6);
                if (k > 0 && job == kJobKunshu) job = kJobShougun;
                const int top = extreme ? 30000 : 100;
                w.add_general({id, "将", g, job, pick(1, top), pick(1, top),
                               pick(1, top), pick(1, top), pick(1, top), pick(0, 20)});
            }
            w.gun(g).kunshuID = id - n + 1;
        }
        for (int p = 1; p <= 10; ++p) w.add_province(p, "州", pick(0, 3));
        if (pick(0, 1)) w.shared.player_gun[pick(0, 20)] = pick(1, 2);
        w.dice.then_seeded(static_cast<std::uint64_t>(round) + 1);
        const WarKind kind = round % 2 ? WarKind::Gisen : WarKind::War;
        BattleSheet sheet;
        WarSummary summary;
        ASSERT_NO_THROW(summary = fight_battle(w.state(), w.gun(1), w.gun(2), kind, &sheet)) << round;
        if (kind == WarKind::Gisen) {
            EXPECT_NE(summary.tactic, kSurrenderDemand);
            if (summary.initiative == 1) {
                ++righteous_attacker_plans;
                EXPECT_NE(summary.tactic, kSurpriseAttack) << round;
                EXPECT_NE(summary.tactic, kLongCampaign) << round;
            }
        } else {
            if (summary.tactic == kSurrenderDemand) {
                EXPECT_EQ(summary.initiative, 1) << round;
            }
            if (summary.initiative == 1 && (summary.tactic == kSurpriseAttack || summary.tactic == kLongCampaign))
                ++war_attacker_odd_tactic;
            EXPECT_LE(std::max(sheet.morale_start[0], sheet.morale_start[1]), 250);
        }
        EXPECT_GE(sheet.strength[0], 1);
        EXPECT_GE(sheet.ally_strength[1], 1);
        EXPECT_LE(w.state().pages.page_no, PageStore::kLastPage);
        for (int g = 1; g <= 2; ++g) EXPECT_TRUE(w.gun(g).kessoku <= 100 && w.gun(g).seihei >= 0) << round;
    }
    // The righteous-war check above saw real cases, and a war's attacker does use those tactics.
    EXPECT_GT(righteous_attacker_plans, 20);
    EXPECT_GT(war_attacker_odd_tactic, 0);
}

}  // namespace
}  // namespace teijinki::testing
