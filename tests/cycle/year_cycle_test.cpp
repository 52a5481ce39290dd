// The year cycle on the shipped scenarios: turn order, the Auto move, destroyed players, the
// all-destroyed question, a resumed game, the unsaved-game question, and whole games of every
// scenario with the invariants that must hold after each year.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "messages/game_log.h"
#include "messages/standings.h"
#include "setup/new_game.h"
#include "setup/scenarios.h"
#include "test_host.h"
#include "test_support.h"
#include "turn/main_state.h"
#include "turn/year_cycle.h"
#include "world/list_io.h"
#include "world/random.h"
#include "world/record_file.h"
#include "world/working_set.h"

namespace teijinki {
namespace {

using testing::ScriptedHost;
using testing::TempGameFolder;

bool shipped_data_present() {
    const std::filesystem::path ini = std::filesystem::path(TEIJINKI_DATA_DIR) / "ini";
    for (const char* f : {"Text.ini", "Bushou1.ini", "Gunbatu1.ini", "Kuni1.ini", "Comment1.ini", "sei.ini", "mei.ini"})
        if (!std::filesystem::exists(ini / f)) return false;
    return true;
}

#define REQUIRE_SHIPPED_DATA() \
    if (!shipped_data_present()) GTEST_SKIP() << "the shipped scenario data is not in data/ini yet"

// A new game as the title screen makes it, with the given list positions ticked.
class Game {
public:
    Game(int scenario, std::vector<int> slots, std::uint64_t seed = 1)
        : folder(dir.folder()), rng(seed), m(folder, shared, rng, host) {
        dir.copy_shipped_ini();
        select_scenario(folder, shared, scenario);
        const auto warlords = ld_Gnm_rtn(folder, shared);
        std::vector<bool> ticked(warlords.size(), false);
        for (int s : slots) ticked[static_cast<std::size_t>(s)] = true;
        if (!start_new_game_files(folder, shared, rng, warlords, ticked)) throw std::runtime_error("no warlord ticked");
        shared.start_mode = 0;
        open_main(m);
    }
    // Names of the players announced with "の番です。" since the event count `from`.
    std::vector<std::string> announced(std::size_t from = 0) const {
        std::vector<std::string> out;
        for (std::size_t i = from; i < host.boxes.size(); ++i) {
            const std::string& t = host.boxes[i].text;
            const std::string suffix = kTurnSuffix;
            if (t.size() > suffix.size() && t.compare(t.size() - suffix.size(), suffix.size(), suffix) == 0)
                out.push_back(t.substr(0, t.size() - suffix.size()));
        }
        return out;
    }
    void destroy_in_files(int g) {
        WorkingSet set;
        load_working_set(folder, shared, set);
        set.gun[g].del = true;
        sv_Gun(folder, shared, set);
    }

    TempGameFolder dir;
    GameFolder folder;
    SharedValues shared;
    SeededRandom rng;
    ScriptedHost host;
    MainState m;
};

TEST(YearCycle, PlayersInSlotsZeroAndTwoMoveInThatOrderThenTheYearIsCarriedOut) {
    REQUIRE_SHIPPED_DATA();
    Game g(1, {0, 2});
    const std::string first = g.shared.player_name[0], third = g.shared.player_name[2];
    EXPECT_EQ(g.announced(), std::vector<std::string>{first});
    EXPECT_EQ(g.m.year, 189);
    EXPECT_EQ(g.m.end_year, 216);
    EXPECT_EQ(g.m.turn_label, "プレイヤー\r\n（" + first + "）");

    std::size_t mark = g.host.boxes.size();
    ASSERT_TRUE(auto_move(g.m));
    EXPECT_EQ(g.host.boxes[mark].text, first + kAutoQuestion);
    EXPECT_EQ(g.announced(mark), std::vector<std::string>{third});
    EXPECT_EQ(g.m.turn_slot, 2);
    EXPECT_EQ(g.m.year, 189);
    EXPECT_TRUE(g.host.windows.empty());

    mark = g.host.boxes.size();
    g.host.windows.clear();
    ASSERT_TRUE(auto_move(g.m));
    EXPECT_EQ(g.m.year, 190);
    ASSERT_GE(g.host.windows.size(), 2u);
    EXPECT_EQ(g.host.windows[0].msg_mode, kMsgStrategy);
    EXPECT_NE(g.host.windows[0].pages[0].find("189年"), std::string::npos);
    EXPECT_EQ(g.host.windows[1].msg_mode, kMsgYearEnd);
    EXPECT_EQ(g.m.turn_slot, 0);
    EXPECT_FALSE(g.shared.saved_flag);
    const auto next = g.announced(mark);
    ASSERT_FALSE(next.empty());
    EXPECT_EQ(next.back(), first);
}

TEST(YearCycle, AllianceCohesionStartsWithinItsRangeEvenUnderAFamousLeader) {
    REQUIRE_SHIPPED_DATA();
    for (int scenario : {1, 2, 3}) {
        Game game(scenario, {0});
        for (int s = 0; s <= 3; ++s) {
            EXPECT_GE(game.shared.mei_kessoku[s], 0) << "scenario " << scenario << " slot " << s;
            EXPECT_LE(game.shared.mei_kessoku[s], 100) << "scenario " << scenario << " slot " << s;
        }
    }
}

TEST(YearCycle, DecliningTheAutoQuestionChangesNothing) {
    REQUIRE_SHIPPED_DATA();
    Game g(2, {1});
    EXPECT_EQ(g.m.year, 195);
    EXPECT_EQ(g.shared.gun_count, 12);
    EXPECT_EQ(g.m.end_year, 221);
    const std::string gunsv = g.dir.read("ini/gunsv.ini");
    g.host.answer(Answer::No);
    EXPECT_FALSE(auto_move(g.m));
    EXPECT_EQ(g.m.turn_slot, 1);
    EXPECT_EQ(g.m.year, 195);
    EXPECT_EQ(g.dir.read("ini/gunsv.ini"), gunsv);

    // Any button but the Auto one shows the map.
    Command1_Click(g.m, 0);
    EXPECT_EQ(g.host.events.back(), "map");
}

TEST(YearCycle, ADestroyedPlayersSlotIsSkippedFromThenOn) {
    REQUIRE_SHIPPED_DATA();
    Game g(1, {0, 1});
    const std::string first = g.shared.player_name[0], second = g.shared.player_name[1];
    g.destroy_in_files(1);
    g.shared.player_gun[0] = 0;  // what the destruction does to the slot
    const std::size_t mark = g.host.boxes.size();
    ASSERT_TRUE(auto_move(g.m));  // slot 0 still had the turn when it fell
    for (int year = 0; year < 3 && !g.m.game_over; ++year) {
        ASSERT_TRUE(auto_move(g.m));
    }
    for (const auto& name : g.announced(mark)) EXPECT_NE(name, first);
    EXPECT_EQ(g.shared.player_gun[0], 0);
}

TEST(YearCycle, AnsweringNoWhenEveryPlayerIsDestroyedEndsWithoutTheFinalReport) {
    REQUIRE_SHIPPED_DATA();
    Game g(1, {0});
    g.destroy_in_files(1);
    g.host.answer(Answer::Yes);  // the Auto question
    g.host.answer(Answer::No);   // go on?
    ASSERT_TRUE(auto_move(g.m));
    EXPECT_TRUE(g.host.saw_box(std::string(kAllDestroyed) + "\r\n" + kGoOnQuestion));
    EXPECT_TRUE(g.m.game_over);
    EXPECT_EQ(g.host.ended, 1);
    EXPECT_TRUE(g.host.windows_in(kMsgYearEnd).empty());
    EXPECT_TRUE(g.host.windows_in(kMsgReport).empty());
    EXPECT_EQ(g.m.year, 189);
    EXPECT_FALSE(auto_move(g.m));
}

TEST(YearCycle, AnsweringYesWhenEveryPlayerIsDestroyedLetsTheYearsGoOn) {
    REQUIRE_SHIPPED_DATA();
    Game g(1, {0});
    g.destroy_in_files(1);
    ASSERT_TRUE(auto_move(g.m));  // Yes to both questions
    EXPECT_FALSE(g.m.game_over);
    EXPECT_EQ(g.m.year, 190);
    g.shared.player_gun[0] = 0;  // what the destruction does to the slot
    g.m.turn_slot = 0;
    tebanIncliment_rtn(g.m);
    EXPECT_FALSE(awaiting_player(g.m));
    const std::size_t boxes = g.host.boxes.size();
    ASSERT_TRUE(auto_move(g.m));  // watched without the Auto question
    EXPECT_EQ(g.m.year, 191);
    for (std::size_t i = boxes; i < g.host.boxes.size(); ++i)
        EXPECT_EQ(g.host.boxes[i].text.find(kAutoQuestion), std::string::npos);
}

TEST(YearCycle, AResumedGameReentersAtTheYearStartWithTheStoredYearAndCohesion) {
    REQUIRE_SHIPPED_DATA();
    Game g(3, {0});
    ASSERT_TRUE(auto_move(g.m));
    ASSERT_EQ(g.m.year, 201);

    SharedValues loaded;
    loaded.save_info[0] = 201;
    loaded.save_info[1] = 77;
    loaded.save_info[2] = 66;
    loaded.save_info[3] = 55;
    loaded.save_info[4] = 3;
    loaded.save_info[5] = 0;
    loaded.player_lord = g.shared.player_lord;
    loaded.player_name = g.shared.player_name;
    loaded.player_gun = g.shared.player_gun;
    loaded.start_mode = 2;
    ScriptedHost host;
    SeededRandom rng(5);
    MainState m(g.folder, loaded, rng, host);
    open_main(m);
    EXPECT_EQ(m.year, 201);
    EXPECT_EQ(m.end_year, 226);
    EXPECT_EQ(loaded.gun_count, 13);
    EXPECT_EQ(loaded.bushou_count, 170);
    EXPECT_EQ(loaded.mei_kessoku[1], 77);
    EXPECT_EQ(loaded.mei_kessoku[3], 55);
    EXPECT_FALSE(m.bgm_on);
    EXPECT_TRUE(host.music.empty());
    EXPECT_EQ(host.boxes.front().text, g.shared.player_name[0] + kTurnSuffix);
    EXPECT_FALSE(loaded.com_codes[0].empty());
}

TEST(YearCycle, RestartingOrQuittingUnsavedAsksOnceAndNoKeepsTheGame) {
    REQUIRE_SHIPPED_DATA();
    Game g(1, {0});
    g.host.answer(Answer::No);
    EXPECT_FALSE(newGame_Click(g.m));
    EXPECT_EQ(g.host.boxes.back().text, kNotSavedQuestion);
    EXPECT_NE(g.shared.player_gun[0], 0);
    g.host.answer(Answer::No);
    EXPECT_FALSE(exitGame_Click(g.m));
    EXPECT_FALSE(g.m.game_over);

    g.shared.saved_flag = true;
    const std::size_t boxes = g.host.boxes.size();
    EXPECT_TRUE(newGame_Click(g.m));
    EXPECT_EQ(g.host.boxes.size(), boxes);
    EXPECT_EQ(g.shared.player_gun[0], 0);
    EXPECT_EQ(g.shared.player_lord[0], 0);
    EXPECT_EQ(g.shared.player_name[0], "0");
}

TEST(YearCycle, MusicThatCannotBePlayedIsReportedAndTheGameGoesOn) {
    REQUIRE_SHIPPED_DATA();
    Game g(1, {0});
    g.host.music_works = false;
    ASSERT_TRUE(auto_move(g.m));
    EXPECT_TRUE(g.host.saw_box(kMusicFailed));
    EXPECT_EQ(g.m.year, 190);
    g.m.bgm_on = false;
    const std::size_t played = g.host.music.size();
    ASSERT_TRUE(auto_move(g.m));
    EXPECT_EQ(g.host.music.size(), played);
}

// Every number stored in a working file fits 16 bits.
void expect_16_bit_numbers(const TempGameFolder& dir, const std::string& file) {
    const std::string text = dir.read(file);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        start = end + 1;
        if (line.empty() || line[0] == '.' || line[0] == '"') continue;
        for (const auto& item : split_items(line)) {
            const long long v = std::stoll(item);
            EXPECT_TRUE(v >= -32768 && v <= 32767) << file << ": " << line;
        }
    }
}

int count_records(const std::string& text) {
    int n = 0;
    scan_records(text, RecordKind::General, "busv", [&](const RecordLines&) {
        ++n;
        return true;
    });
    return n;
}

void check_year_invariants(Game& g) {
    WorkingSet set;
    load_working_set(g.folder, g.shared, set);
    for (int w = 1; w <= g.shared.gun_count; ++w) EXPECT_LE(set.gun[w].tian, 100) << "warlord " << w << " in " << g.m.year;
    for (int s = 0; s <= 3; ++s) {
        EXPECT_GE(g.shared.mei_kessoku[s], 0) << g.m.year;
        EXPECT_LE(g.shared.mei_kessoku[s], 100) << g.m.year;
    }
    for (const char* f : {"ini/busv.ini", "ini/gunsv.ini", "ini/Kunisv.ini"}) expect_16_bit_numbers(g.dir, f);
    EXPECT_EQ(count_records(g.dir.read("ini/busv.ini")), 170);
    const std::string log = g.dir.read("ini/kodarn.log");
    const std::string terminator = std::string(kLogEnd) + "\r\n";
    EXPECT_EQ(log.find(terminator), log.size() - terminator.size()) << "one terminator, last";
}

// The standings of a whole game: one row per warlord and year from the first year to the final
// one, and in the years of the two reports every score written exactly as the report wrote it.
void check_standings(const Game& g, const Scenario& s, const std::vector<ScriptedHost::Window>& reports) {
    const std::vector<StandingsRow> rows = read_standings(g.folder);
    const int count = s.gun_count;
    ASSERT_EQ(rows.size(), static_cast<std::size_t>((s.end_year - s.start_year + 1) * count));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].year, s.start_year + static_cast<int>(i) / count) << i;
        ASSERT_EQ(rows[i].warlord, static_cast<int>(i) % count + 1) << i;
    }
    // The score items as written, beside each report's list of warlords.
    const std::vector<std::string> lines = split_lines(g.dir.read("ini/standings.csv"));
    for (std::size_t r = 0; r < reports.size(); ++r) {
        const int year = r == 0 ? s.end_year - 10 : s.end_year;
        const std::vector<std::string> report = split_lines(reports[r].pages[0]);
        const std::size_t first = static_cast<std::size_t>((year - s.start_year) * count);
        for (int w = 0; w < count; ++w) {
            const StandingsRow& row = rows[first + static_cast<std::size_t>(w)];
            const std::string score = split_items(lines[1 + first + static_cast<std::size_t>(w)]).back();
            const std::string shown = row.destroyed ? "滅亡" : (score[0] == '-' ? score : " " + score);
            EXPECT_EQ(report[1 + static_cast<std::size_t>(w)], row.name + " " + shown) << year << " warlord " << w + 1;
        }
    }
}

void play_whole_game(int scenario) {
    const Scenario* s = find_scenario(scenario);
    Game g(scenario, {0, 2}, 1000 + static_cast<std::uint64_t>(scenario));
    int years = 0;
    while (!g.m.game_over) {
        const int year = g.m.year;
        ASSERT_TRUE(auto_move(g.m));
        if (g.m.year != year) {
            ++years;
            if (!g.m.game_over) check_year_invariants(g);
        }
        ASSERT_LE(years, 60) << "the game does not end";
    }
    EXPECT_EQ(g.m.year, s->end_year);
    EXPECT_EQ(years, s->end_year - s->start_year);
    const auto reports = g.host.windows_in(kMsgReport);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].pages[0].rfind("中間報告（ゲーム終了１０年前）", 0), 0u);
    EXPECT_EQ(reports[1].pages[0].rfind("ゲーム最終結果", 0), 0u);
    check_standings(g, *s, reports);
    const auto chart = std::find(g.host.events.begin(), g.host.events.end(), "standings");
    ASSERT_NE(chart, g.host.events.end()) << "the standings' chart at the end of the game";
    EXPECT_EQ(*std::next(chart), "warlord_list");
    ASSERT_FALSE(g.host.windows.empty());
    EXPECT_EQ(g.host.windows.back().msg_mode, kMsgCredits);
    EXPECT_EQ(g.host.ended, 1);
    EXPECT_EQ(g.dir.read("save/kdn_end.log").empty(), false);
}

TEST(WholeGames, EveryScenarioRunsToItsFinalYearWithTheInvariantsHolding) {
    REQUIRE_SHIPPED_DATA();
    for (int scenario = 1; scenario <= 6; ++scenario) {
        SCOPED_TRACE("scenario " + std::to_string(scenario));
        play_whole_game(scenario);
    }
}

TEST(WholeGames, TheSameSeedGivesTheSameFilesAndTheSameStory) {
    REQUIRE_SHIPPED_DATA();
    Game a(4, {1}, 42), b(4, {1}, 42);
    for (int i = 0; i < 8; ++i) {
        auto_move(a.m);
        auto_move(b.m);
    }
    for (const char* f : {"ini/busv.ini", "ini/gunsv.ini", "ini/Kunisv.ini", "ini/kodarn.log"})
        EXPECT_EQ(a.dir.read(f), b.dir.read(f)) << f;
    EXPECT_EQ(a.host.events, b.host.events);
}

}  // namespace
}  // namespace teijinki
