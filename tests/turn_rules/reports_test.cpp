// Interim and final reports: scores, the players' detail, the copy of the log.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "rules_fixture.h"
#include "turn/reports.h"
#include "turn/standings_year.h"
#include "world/encoding.h"

namespace {

using namespace teijinki;
using namespace teijinki::testing;

constexpr const char* kNote = "＊「save」フォルダ内にログファイル「kdn_end.log」を作成しました。\r\n";

TEST(Reports, ScoresTheWarlordsDetailsThePlayersAndCopiesTheLog) {
    RulesWorld w;
    // 30 + 40 = 70; 10 + 40 = 50; an alliance of 200 at cohesion 45 gives 90: a third is 70.
    w.set_warlords({{"甲", 0, 1, 30, 0, 20, 100}, {"乙", 0, 2, 30, 0, 20, 0}, {"丙", 3, 3},
                    {"丁", 0, 4, 99, 0, 99, 99, 0, 0, true}});
    w.shared.gun_mei2[3] = 2;
    w.shared.mei_troops[2] = 200;
    w.shared.mei_kessoku[2] = 45;
    w.shared.player_gun[0] = 1;
    w.shared.player_gun[18] = 4, w.shared.player_gun[19] = 2;  // the report's last slot, and one past it
    w.dir.write("ini/kodarn.log", "鼎陣記の記録\r\nline\r\n");
    std::filesystem::remove_all(w.dir.root() / "save");
    w.m.text.text_buf[0] = "ゲーム最終結果\r\n";
    Houkoku_rtn(w.m);

    const std::string expected = std::string("ゲーム最終結果\r\n甲  70\r\n乙  50\r\n丙  90\r\n丁 滅亡\r\n\r\n") +
                                 "甲（プレイヤー）\r\n動員可能な兵力： 30000（1000で割ります）\r\n"
                                 "名声： 20（２を掛けます）\r\n盟主でない\r\n最終成績： 70\r\n"
                                 "制覇率： 0.333（自軍スコア／全軍閥のスコア）\r\n"
                                 "丁（プレイヤー）\r\n滅亡：0\r\n\r\n" + kNote;
    EXPECT_EQ(w.report(), expected);
    EXPECT_EQ(w.shared.msg_text, expected);
    ASSERT_EQ(w.host.windows.size(), 1u);
    EXPECT_EQ(std::make_pair(w.host.windows[0].msg_mode, w.host.windows[0].pages), std::make_pair(3, std::vector<std::string>{expected}));
    EXPECT_EQ(w.dir.read("save/kdn_end.log"), "鼎陣記の記録\r\nline\r\n");
}

TEST(Reports, TheTotalUsesUnroundedTermsAndThePlayerTheirIntegerParts) {
    RulesWorld w;
    // 甲 leads: 10 × 114 / 150 = 7.6, fame 2, alliance 7 / 100 × 50 = 3.5.
    // The total takes 13.1 (rounded: 13), then 乙's 3.666667 (17); the detail cuts to 7 + 2 + 3 = 12.
    w.set_warlords({{"甲", 1, 1, 10, 0, 1, 64}, {"乙", 0, 2, 11}});
    w.shared.gun_mei2[1] = 1;
    w.shared.mei_troops[1] = 7;
    w.shared.mei_kessoku[1] = 50;
    w.shared.player_gun[0] = 1;
    w.dir.write("ini/kodarn.log", "鼎陣記の記録\r\n");
    Houkoku_rtn(w.m);
    EXPECT_EQ(w.report(), std::string("甲  13.1\r\n乙  3.666667\r\n\r\n甲（プレイヤー）\r\n") +
                              "動員可能な兵力： 7000（1000で割ります）\r\n名声： 1（２を掛けます）\r\n"
                              "盟主である同盟の期待できる兵力： 3000（1000で割ります）\r\n最終成績： 12\r\n"
                              "制覇率： 0.705（自軍スコア／全軍閥のスコア）\r\n" + kNote);
}

TEST(Reports, AnAllianceOfTwoHundredAtHalfCohesionAddsAHundredAndNothingScoredSharesZero) {
    RulesWorld w;
    w.set_warlords({{"甲", 1, 1}});
    w.shared.gun_mei2[1] = 3;
    w.shared.mei_troops[3] = 200;
    w.shared.mei_kessoku[3] = 50;
    w.shared.player_gun[0] = 1;
    Houkoku_rtn(w.m);
    EXPECT_EQ(w.report().rfind("甲  100\r\n", 0), 0u) << w.report();
    EXPECT_NE(w.report().find("制覇率： 1（"), std::string::npos);
    // No log to copy: the report says so instead of claiming the copy.
    EXPECT_EQ(w.report().find(kNote), std::string::npos);
    EXPECT_NE(w.report().find("kodarn.log"), std::string::npos);

    w.shared.mei_troops[3] = 100;
    for (const int cohesion : {0, 1}) {  // nothing scored anywhere shares nothing; a lone 1 is the whole
        w.shared.mei_kessoku[3] = static_cast<std::int16_t>(cohesion);
        w.m.text.clear();
        Houkoku_rtn(w.m);
        const std::string n = std::to_string(cohesion);
        EXPECT_NE(w.report().find("最終成績： " + n + "\r\n制覇率： " + n + "（"), std::string::npos) << w.report();
    }
}

TEST(Standings, ARowPerWarlordFromTheWorkingFilesAndADamagedFileIsKeptAsideAndStartedAgain) {
    RulesWorld w;
    w.set_generals({{"a", 1, 1, 1, 5}, {"b", 1, 1, 1, 1}, {"c", 1, 1, 2, 5}, {"d", 1, 1, 0, 0}});  // d serves nobody
    // The destroyed warlord comes second, so the last one counts its province and its general;
    // its record names no lord, and d is not counted as its man.
    w.set_warlords({{"甲", 1, 1, 30, 4, 20, 100, 50, 7}, {"丙", 0, 0, 9, 9, 9, 9, 9, 9, true}, {"乙", 0, 2, 10, 2, 5}});
    w.set_provinces({1, 1, 0, 3});  // the last province is counted too
    w.shared.gun_mei2[1] = 1;
    w.shared.mei_troops[1] = 200;
    w.shared.mei_kessoku[1] = 50;
    w.shared.player_gun[kMaxWarlords] = 3;  // the last slot
    w.m.year = 200;
    // A folder as the original platform wrote it: the standings are written in Shift-JIS too.
    const auto sjis = from_utf8(w.dir.read("ini/Text.ini") + ".200\r\n鼎\r\n..\r\n", Encoding::ShiftJis);
    ASSERT_TRUE(sjis);
    w.dir.write("ini/Text.ini", *sjis);
    w.dir.write("ini/standings.csv", "壊れた\r\n");
    record_standings(w.m);
    ASSERT_EQ(w.host.boxes.size(), 1u);
    const std::string told = w.host.boxes[0].text;
    EXPECT_EQ(told.rfind(kStandingsRestarted, 0), 0u);
    EXPECT_NE(told.find("ini/standings.csv"), std::string::npos);
    EXPECT_NE(told.find("ini/standings_damaged.csv"), std::string::npos);
    EXPECT_EQ(w.dir.read("ini/standings_damaged.csv"), "壊れた\r\n");

    EXPECT_FALSE(is_valid_utf8(w.dir.read("ini/standings.csv")));
    auto rows = read_standings(w.folder);
    ASSERT_EQ(rows.size(), 3u);
    const StandingsRow& leader = rows[0];
    EXPECT_EQ(leader.name, "甲");
    EXPECT_EQ(std::vector<int>({leader.year, leader.troops, leader.seihei, leader.provinces, leader.generals, leader.meisei,
                                leader.tian, leader.kessoku, leader.ifu, leader.alliance_leader}),
              std::vector<int>({200, 34, 4, 2, 2, 20, 100, 50, 7, 1}));
    EXPECT_EQ(leader.score, 170.0f) << "30 troops at full order, fame 40, the alliance's 200 at half cohesion";
    EXPECT_FALSE(leader.player);
    EXPECT_TRUE(rows[2].player);
    EXPECT_EQ(std::make_pair(rows[2].provinces, rows[2].generals), std::make_pair(1, 1));
    EXPECT_FLOAT_EQ(rows[2].score, 10.0f * 50.0f / 150.0f + 10.0f);
    EXPECT_TRUE(rows[1].destroyed);
    EXPECT_EQ(rows[1].generals, 0);
    EXPECT_EQ(rows[1].score, 0.0f) << "a destroyed warlord scores nothing";

    // The next year is added; the same year again replaces the rows from that year on.
    w.m.year = 201;
    record_standings(w.m);
    EXPECT_EQ(read_standings(w.folder).size(), 6u);
    w.m.year = 200;
    record_standings(w.m);
    rows = read_standings(w.folder);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows.back().year, 200);
    EXPECT_EQ(w.host.boxes.size(), 1u);
}

// Each year's write hands its rows to the version it makes: what the game then knows is what a
// reading of the file gives, and a hand edit between years is read as the file stands.
TEST(Standings, TheRowsKnownBetweenYearsAreTheFilesOwn) {
    struct Case {
        const char* what;
        std::function<void(RulesWorld&)> edit;  // between the second and the third year
        std::size_t rows;                       // after the fourth year
        const char* last_of_201;                // the name in the last row of year 201
    };
    auto rewrite_in_place = [](RulesWorld& w, const std::string& from, const std::string& to) {
        const auto path = w.dir.root() / "ini/standings.csv";
        const auto stamp = std::filesystem::last_write_time(path);
        std::string text = w.dir.read("ini/standings.csv");
        text.replace(text.rfind(from), from.size(), to);
        w.dir.write("ini/standings.csv", text);
        std::filesystem::last_write_time(path, stamp);  // within the same time stamp
    };
    const std::vector<Case> cases = {
        {"no edit", [](RulesWorld&) {}, 8, "乙"},
        {"a name edited, the size kept", [&](RulesWorld& w) { rewrite_in_place(w, "\"乙\"", "\"丁\""); }, 8, "丁"},
        // The next year's rows leave the blank line between rows: the year after starts again.
        {"a blank line put at the end", [&](RulesWorld& w) { rewrite_in_place(w, "\r\n", "\r\n\r\n"); }, 2, nullptr},
        {"a blank line of LF, the size kept", [&](RulesWorld& w) { rewrite_in_place(w, "\r\n", "\n\n"); }, 2, nullptr},
        {"a blank line of CR", [&](RulesWorld& w) { rewrite_in_place(w, "\r\n", "\r\r\n"); }, 2, nullptr},
    };
    auto read = [](const GameFolder& folder) {
        try {
            return std::pair(read_standings(folder), std::string());
        } catch (const DataError& e) {
            return std::pair(std::vector<StandingsRow>(), std::string(e.what()));
        }
    };
    for (const Case& c : cases) {
        RulesWorld w;
        w.set_generals({{"a", 1, 1, 1, 5}, {"b", 1, 1, 1, 1}});
        w.set_warlords({{"甲", 1, 1, 30, 4, 20, 100, 50, 7}, {"乙", 0, 2, 10, 2, 5}});
        w.set_provinces({1, 2});
        for (int year = 200; year <= 203; ++year) {
            if (year == 202) c.edit(w);
            w.m.year = year;
            record_standings(w.m);
            EXPECT_EQ(read(w.folder), read(GameFolder(w.dir.root()))) << c.what << ", year " << year;
        }
        EXPECT_EQ(w.host.boxes.size(), c.last_of_201 ? 0u : 1u) << c.what;
        const auto rows = read_standings(w.folder);
        ASSERT_EQ(rows.size(), c.rows) << c.what;
        if (c.last_of_201) {
            EXPECT_EQ(rows[3].name, c.last_of_201) << c.what;
        }
    }
}

}  // namespace
