// What wars leave behind: outcomes for the warlords, generals who leave, provinces that break
// away, and the recount of troops.
#include <gtest/gtest.h>

#include "events/defection.h"
#include "war/outcomes.h"
#include "war_fixture.h"

namespace teijinki::testing {
namespace {

class Consequences : public ::testing::Test {
protected:
    Consequences() {
        w.add_warlord(1, "魏", 1, 300, 20, 50, 60);
        w.add_warlord(2, "呉", 2, 150, 5, 80, 90);
        w.add_general({1, "曹操", 1, kJobKunshu, 30, 20, 30, 25, 15, 20});
        w.add_general({2, "孫権", 2, kJobKunshu, 25, 15, 25, 20, 12, 20});
    }
    WarWorld w;
};

TEST_F(Consequences, VictoryRaisesFameUnityAndAweUpToTheirCaps) {
    Gun& wei = w.gun(1);
    wei.meisei = 185, wei.kessoku = 85, wei.ifu = 91;
    for (const auto& want : {std::tuple<Int16, Int16, Int16>(195, 95, 96), std::tuple<Int16, Int16, Int16>(200, 100, 100)}) {
        Shouri_rtn(w.state(), wei, w.gun(2), w.chr(1));
        EXPECT_EQ(std::tie(wei.meisei, wei.kessoku, wei.ifu), want);
    }
    EXPECT_EQ(w.gun(2).meisei, 50);  // the loser is not touched
}

TEST_F(Consequences, DefeatInBattleAndAfterSurrenderRoundDown) {
    Gun& wu = w.gun(2);
    wu.seihei = 7, wu.meisei = 7, wu.tian = 7, wu.kessoku = 4;
    Haiboku_rtn(w.state(), wu, w.chr(1));
    // Int(3.5), Int(28 / 5), Int(3.5), Int(8 / 3)
    EXPECT_EQ(std::tie(wu.seihei, wu.meisei, wu.tian, wu.kessoku), std::make_tuple(Int16(3), Int16(5), Int16(3), Int16(2)));
    // Only the ruler serves and no province is held: nothing drawn, nobody leaves.
    EXPECT_EQ(w.dice.draws() + w.state().pages.page_text[0].size(), 0u);

    wu.seihei = 3, wu.meisei = 9, wu.tian = 80, wu.kessoku = 91;
    Haiboku_rtn2(w.state(), wu, w.chr(1));
    // Halved elite, four fifths of the fame; order is kept after a surrender, unity halved.
    EXPECT_EQ(std::tie(wu.seihei, wu.meisei, wu.tian, wu.kessoku), std::make_tuple(Int16(1), Int16(7), Int16(80), Int16(45)));
}

TEST_F(Consequences, WinnerWithoutStrategistStillReceivesProvincesAndDeserters) {
    // The winner fought without a strategist: record 0 (serving nobody) settles the war.
    w.add_general({3, "甲", 2, kJobBukan, 5, 5, 5, 5, 5, 0});
    w.add_general({4, "乙", 2, kJobBukan, 5, 5, 5, 5, 5, 0});
    w.add_province(1, "建業", 2);
    w.add_province(2, "会稽", 2);
    Gun& wu = w.gun(2);
    wu.tian = 0;  // breaks away above 50
    w.rolls({{99, 100}, {5, 16}, {5, 16},  // 建業 breaks away; the hold, policy 1 + 0 + 10, beats 5 + 5
             {99, 100}, {5, 16}, {6, 16},  // 会稽 too, but 11 does not beat 5 + 6: it goes free
             {0, 10}, {0, 10}, {9, 10}, {9, 10},   // 甲 leaves first, to the winner
             {0, 10}, {0, 10}, {9, 10}, {9, 10}});  // then 乙, to nobody
    Haiboku_rtn(w.state(), wu, w.chr(0), &w.gun(1));
    EXPECT_EQ(std::make_tuple(w.kuni(1).gunID, w.kuni(2).gunID, w.chr(3).gunID, w.chr(3).kunID, w.chr(4).gunID, w.chr(4).kunID),
              std::make_tuple(1, 0, 1, 1, 0, 0));
    EXPECT_EQ(w.dice.remaining(), 0u);
    EXPECT_EQ(w.state().pages.page_text[0],
              "<54:以前より民心の離れていた建業、>\r\n<55:会稽、>\r\n<13:甲|魏>\r\n<37:乙>\r\n");
}

TEST_F(Consequences, DrawWearsDownBothSidesInOrder) {
    w.add_province(1, "許昌", 1);
    w.add_province(2, "建業", 2);
    w.gun(2).tian = 2;  // Int(1.5) = 1: threshold 60.3 for 呉
    w.gun(1).tian = 100;  // 75: threshold 85 for 魏
    w.rolls({{85, 100}, {60, 100}});  // 魏: 86 > 85 breaks away; 呉: 61 > 60.3 breaks away
    Hikiwake_rtn(w.state(), w.gun(1), w.gun(2));
    EXPECT_EQ(std::tie(w.gun(1).seihei, w.gun(1).tian, w.gun(2).seihei, w.gun(2).tian),
              std::make_tuple(Int16(15), Int16(75), Int16(3), Int16(1)));
    EXPECT_EQ(w.state().pages.page_text[0],
              "<55:以前より民心の離れていた許昌、>\r\n<55:以前より民心の離れていた建業、>\r\n");
}

TEST_F(Consequences, SurrenderJoinsTheWinnersAllianceUnlessTheLoserLeadsOne) {
    Gun& wei = w.gun(1);
    Gun& wu = w.gun(2);
    // The winner's alliance, then none, then 孫権 leading his own alliance.
    for (const auto& [winners, losers, now] : {std::tuple{1, 7, 1}, {0, 1, 0}, {1, 2, 2}}) {
        wei.meishuID = winners, wu.meishuID = losers;
        w.shared.text_sub1 = w.shared.text_sub2 = "?";  // nothing left from the last surrender
        Kouhuku_rtn(w.state(), wei, wu);
        EXPECT_EQ(wu.meishuID, now) << losers;
    }
    EXPECT_EQ(w.state().pages.page_text[0], "<41:呉|曹操>\r\n<41:呉|独立軍閥>\r\n<57:呉|魏>\r\n");
}

TEST_F(Consequences, DeserterRulesOfRndShuppon) {
    // A ruler alone: nobody leaves, nothing drawn; general 1 is counted among his warlord's men.
    EXPECT_EQ(std::make_pair(Rnd_Shuppon(w.state(), w.gun(2)), Sch_chr_rtn(w.state(), 1)), std::make_pair(0, 1));
    EXPECT_EQ(w.dice.draws(), 0u);
    w.add_general({3, "甲", 2, kJobBukan, 5, 5, 5, 5, 5, 11});
    w.add_general({4, "乙", 2, kJobBukan, 5, 5, 5, 5, 5, 0});
    Gun& wu = w.gun(2);
    wu.kessoku = 100;
    // With unity 100 a general of Setu above 10 can never leave: the roll reaches 20 at most.
    w.rolls({{9, 10}, {9, 10}, {9, 10}, {9, 10}, {9, 10}, {9, 10}});
    EXPECT_EQ(Rnd_Shuppon(w.state(), wu), 4);  // the ruler and 甲 stay; 乙 on 20 ≥ 10 + 0

    // The first general who passes is the one who leaves; the examination stops there.
    wu.kessoku = 0;
    w.rolls({{0, 10}, {0, 10}, {9, 10}, {9, 10}});
    EXPECT_EQ(Rnd_Shuppon(w.state(), wu), 3);
    EXPECT_EQ(w.dice.remaining(), 0u);
}

TEST_F(Consequences, DefectionToAnotherWarlord) {
    // A losing ruler draws his dice like any general but never goes: 曹操, general 1, alone here.
    w.rolls({{7, 8}, {7, 8}, {49, 50}, {49, 50}});
    Rnd_Shuppon2(w.state(), w.gun(2), w.gun(1));
    EXPECT_EQ(std::make_tuple(w.dice.remaining(), int(w.chr(1).gunID)), std::make_tuple(0u, 1));
    w.add_general({3, "甲", 2, kJobBukan, 5, 5, 5, 5, 5, 12});
    w.add_general({4, "乙", 2, kJobBukan, 5, 5, 5, 5, 5, 13});
    w.add_general({5, "丙", 2, kJobBukan, 5, 5, 5, 5, 5, 0});
    w.add_general({6, "丁", 1, kJobBukan, 5, 5, 5, 5, 5, 0});
    Gun& wu = w.gun(2);
    wu.kessoku = 100;  // the second roll must pass 60
    // Highest dice for the ruler, 甲 and 乙: d1 = 14, d2 = 100.
    for (int k = 0; k < 3; ++k) w.rolls({{7, 8}, {7, 8}, {49, 50}, {49, 50}});
    // 丙 (Setu 0): d1 = 0 + 2 reaches 2, d2 = 49 + 10 + 2 passes 60; each draw in its place.
    for (float r : {0.01f, 0.3f, 0.99f, 0.2f}) w.dice.push(r);
    // 戊 passes d1 but not d2: 60 is not above 60.
    w.rolls({{0, 8}, {2, 8}, {29, 50}, {29, 50}});
    w.add_general({7, "戊", 2, kJobBukan, 5, 5, 5, 5, 5, 0});
    Rnd_Shuppon2(w.state(), w.gun(1), wu);
    EXPECT_EQ(w.dice.remaining(), 0u);
    EXPECT_EQ(w.dice.randomize_calls(), 2);
    // The ruler never defects; 甲 (Setu 12) does on 14 ≥ 14, 乙 (Setu 13) never; 丁 already served 魏.
    std::vector<int> served;
    for (int k = 2; k <= 7; ++k) served.push_back(w.chr(k).gunID);
    EXPECT_EQ(served, (std::vector<int>{2, 1, 2, 1, 1, 2}));
    EXPECT_EQ(w.shared.text_sub1, "甲、丙、");
}

TEST_F(Consequences, ProvincesBreakAwayAboveOrderAndGoToTheWinnerBelowHold) {
    w.add_province(1, "建業", 2);
    w.add_province(2, "会稽", 2);
    w.add_province(3, "許昌", 1);
    w.add_province(4, "呉郡", 2);
    w.gun(2).tian = 52;  // a province breaks away on a roll above 52 / 5 + 50
    // Draws of 0.57 and 0.531 give 9 and 8 on sixteen sides, 8 and 7 on fifteen, 9 and 9 on seventeen.
    w.rolls({{60, 100}});  // 61: away; hold 17 is not above 9 + 8: free
    for (float r : {0.57f, 0.531f}) w.dice.push(r);
    w.rolls({{99, 100}});  // 100: away; 17 above 8 + 8: to the winner
    for (float r : {0.531f, 0.531f}) w.dice.push(r);
    w.rolls({{59, 100}});  // 60 stays
    rnd_Dokuritu(w.state(), w.gun(1), w.gun(2), 17);
    EXPECT_EQ(w.dice.remaining(), 0u);
    EXPECT_EQ(w.dice.randomize_calls(), 1);
    EXPECT_EQ((std::vector<int>{w.kuni(1).gunID, w.kuni(2).gunID, w.kuni(3).gunID, w.kuni(4).gunID}),
              (std::vector<int>{0, 1, 1, 2}));
    EXPECT_EQ(w.state().pages.page_text[0],
              "<54:以前より民心の離れていた会稽、>\r\n<55:建業、>\r\n");
}

TEST_F(Consequences, AfterADrawAProvinceBreaksAwayOnlyAboveAThirdOfTheOrderPlus60) {
    w.add_province(1, "州", 2);
    w.gun(2).tian = 120;  // 120 / 3 + 60 = 100: not even the highest roll passes it
    w.rolls({{99, 100}});
    rnd_Dokuritu2(w.state(), w.gun(2));
    EXPECT_EQ(w.kuni(1).gunID, 2);
    EXPECT_EQ(w.state().pages.page_text[0], "");
}

TEST_F(Consequences, ArmyIsTheSumOfTheProvinces) {
    w.add_province(1, "甲", 1, 30);
    w.add_province(2, "乙", 0, 99);
    w.add_province(3, "丙", 2, 7);
    w.add_province(4, "丁", 1, 12);
    w.gun(2).army = 500;
    update_Army(w.state());
    EXPECT_EQ(w.gun(1).army, 42);
    EXPECT_EQ(w.gun(2).army, 7);
}

}  // namespace
}  // namespace teijinki::testing
