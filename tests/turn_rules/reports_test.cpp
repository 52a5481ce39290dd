// Interim and final reports: scores, the players' detail, the copy of the log.

#include <gtest/gtest.h>

#include <filesystem>

#include "rules_fixture.h"
#include "turn/reports.h"

namespace {

using namespace teijinki;
using namespace teijinki::testing;

constexpr const char* kNote = "＊「save」フォルダ内にログファイル「kdn_end.log」を作成しました。\r\n";

// 甲 (the player) scores 30 + 40 = 70, 乙 10 + 40 = 50, 丙 leads an alliance of 200 troops at
// cohesion 45: 90. The total is 210, a third of it the player's.
void third_world(RulesWorld& w) {
    w.set_warlords({{"甲", 0, 1, 30, 0, 20, 100},
                    {"乙", 0, 2, 30, 0, 20, 0},
                    {"丙", 3, 3, 0, 0, 0, 0},
                    {"丁", 0, 4, 99, 0, 99, 99, 0, 0, true}});
    w.shared.gun_mei2[3] = 2;
    w.shared.mei_troops[2] = 200;
    w.shared.mei_kessoku[2] = 45;
    w.shared.player_gun[0] = 1;
    w.shared.player_gun[3] = 4;
    w.dir.write("ini/kodarn.log", "鼎陣記の記録\r\nline\r\n");
    w.m.text.text_buf[0] = "ゲーム最終結果\r\n";
}

TEST(Reports, ScoresTheWarlordsDetailsThePlayersAndCopiesTheLog) {
    RulesWorld w;
    third_world(w);
    std::filesystem::remove_all(w.dir.root() / "save");
    Houkoku_rtn(w.m);

    const std::string expected = std::string("ゲーム最終結果\r\n") +
                                 "甲  70\r\n"
                                 "乙  50\r\n"
                                 "丙  90\r\n"
                                 "丁 滅亡\r\n"
                                 "\r\n"
                                 "甲（プレイヤー）\r\n"
                                 "動員可能な兵力： 30000（1000で割ります）\r\n"
                                 "名声： 20（２を掛けます）\r\n"
                                 "盟主でない\r\n"
                                 "最終成績： 70\r\n"
                                 "制覇率： 0.333（自軍スコア／全軍閥のスコア）\r\n"
                                 "丁（プレイヤー）\r\n"
                                 "滅亡：0\r\n"
                                 "\r\n" +
                                 kNote;
    EXPECT_EQ(w.report(), expected);
    EXPECT_EQ(w.shared.msg_text, expected);
    EXPECT_EQ(w.shared.msg_mode, 3);
    ASSERT_EQ(w.host.windows.size(), 1u);
    EXPECT_EQ(w.host.windows[0].msg_mode, 3);
    EXPECT_EQ(w.host.windows[0].pages, (std::vector<std::string>{expected}));
    EXPECT_EQ(w.dir.read("save/kdn_end.log"), "鼎陣記の記録\r\nline\r\n");
}

TEST(Reports, TheTotalUsesUnroundedTermsAndThePlayerTheirIntegerParts) {
    RulesWorld w;
    // 甲 leads: 10 × 51 / 150 = 3.4, fame 2, alliance 7 / 100 × 50 = 3.5: 8.9 in the total,
    // 3 + 2 + 3 = 8 in the detail. 乙: 10 × 50 / 150 = 3.333333.
    w.set_warlords({{"甲", 1, 1, 10, 0, 1, 1}, {"乙", 0, 2, 10, 0, 0, 0}});
    w.shared.gun_mei2[1] = 1;
    w.shared.mei_troops[1] = 7;
    w.shared.mei_kessoku[1] = 50;
    w.shared.player_gun[0] = 1;
    w.dir.write("ini/kodarn.log", "鼎陣記の記録\r\n");
    Houkoku_rtn(w.m);
    const std::string r = w.report();
    EXPECT_NE(r.find("甲  8.9\r\n"), std::string::npos) << r;
    EXPECT_NE(r.find("乙  3.333333\r\n"), std::string::npos) << r;
    EXPECT_NE(r.find("盟主である\r\n同盟の期待できる兵力： 3000（1000で割ります）\r\n"), std::string::npos) << r;
    EXPECT_NE(r.find("最終成績： 8\r\n"), std::string::npos) << r;
    // The total is rounded after each addition: 9, then 12.
    EXPECT_NE(r.find("制覇率： 0.666（"), std::string::npos) << r;
}

TEST(Reports, AnAllianceOfTwoHundredAtHalfCohesionAddsAHundred) {
    RulesWorld w;
    w.set_warlords({{"甲", 1, 1, 0, 0, 0, 0}});
    w.shared.gun_mei2[1] = 3;
    w.shared.mei_troops[3] = 200;
    w.shared.mei_kessoku[3] = 50;
    w.shared.player_gun[0] = 1;
    w.dir.write("ini/kodarn.log", "鼎陣記の記録\r\n");
    Houkoku_rtn(w.m);
    const std::string r = w.report();
    EXPECT_EQ(r.rfind("甲  100\r\n", 0), 0u) << r;
    EXPECT_NE(r.find("同盟の期待できる兵力： 100000（1000で割ります）"), std::string::npos);
    EXPECT_NE(r.find("制覇率： 1（"), std::string::npos) << r;
}

TEST(Reports, NothingScoredGivesAShareOfZeroAndAMissingLogIsNamed) {
    RulesWorld w;
    w.set_warlords({{"甲", 0, 1, 0, 0, 0, 0}});
    w.shared.player_gun[0] = 1;
    Houkoku_rtn(w.m);
    const std::string r = w.report();
    EXPECT_NE(r.find("最終成績： 0\r\n制覇率： 0（"), std::string::npos) << r;
    EXPECT_EQ(r.find(kNote), std::string::npos);
    EXPECT_NE(r.find("kodarn.log"), std::string::npos) << r;
    EXPECT_FALSE(std::filesystem::exists(w.dir.root() / "save" / "kdn_end.log"));
    EXPECT_EQ(w.host.windows.size(), 1u);
}

TEST(Reports, ANewLogHoldsOnlyItsTitle) {
    RulesWorld w;
    w.dir.write("ini/kodarn.log", "old game\r\n");
    mkFristLog(w.m);
    EXPECT_EQ(w.dir.read("ini/kodarn.log"), "鼎陣記の記録\r\n");
}

}  // namespace
