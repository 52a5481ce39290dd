// The year cycle on the shipped scenarios: turn order, the Auto move, destroyed players, the
// all-destroyed question, a resumed game, the unsaved-game question, and whole games of every
// scenario with the invariants that must hold after each year.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "messages/game_log.h"
#include "messages/standings.h"
#include "setup/new_game.h"
#include "setup/scenarios.h"
#include "shipped_game.h"
#include "turn/invariants.h"
#include "turn/main_state.h"
#include "turn/seeded_games.h"
#include "turn/year_cycle.h"
#include "world/list_io.h"
#include "world/random.h"
#include "world/record_file.h"
#include "world/trace.h"
#include "world/working_set.h"

namespace teijinki {
namespace {

using testing::ScriptedHost;
using testing::ShippedGame;

// Names of the players announced with "の番です。" since the box count `from`.
std::vector<std::string> announced(const ShippedGame& g, std::size_t from = 0) {
    std::vector<std::string> out;
    const std::string suffix = kTurnSuffix;
    for (std::size_t i = from; i < g.host.boxes.size(); ++i) {
        const std::string& t = g.host.boxes[i].text;
        if (t.ends_with(suffix)) out.push_back(t.substr(0, t.size() - suffix.size()));
    }
    return out;
}
void destroy_in_files(ShippedGame& g, int warlord) {
    WorkingSet set;
    load_working_set(g.folder, g.shared, set);
    set.gun[warlord].del = true;
    sv_Gun(g.folder, g.shared, set);
}

TEST(YearCycle, PlayersInSlotsZeroAndTwoMoveInThatOrderThenTheYearIsCarriedOut) {
    ShippedGame g(1, {0, 2});
    const std::string first = g.shared.player_name[0], third = g.shared.player_name[2];
    EXPECT_EQ(announced(g), std::vector<std::string>{first});
    EXPECT_EQ(g.m.year, 189);
    EXPECT_EQ(g.m.end_year, 216);
    EXPECT_EQ(g.dir.read("ini/kodarn.log"), "鼎陣記の記録\r\n") << "a new log holds only its title";
    EXPECT_EQ(g.m.player_list, (std::vector<std::string>{first, third}));
    EXPECT_EQ(g.m.turn_label, "プレイヤー\r\n（" + first + "）");
    EXPECT_FALSE(g.m.kun_jpg[g.shared.gun_count].empty()) << "the last ruler's portrait too";
    EXPECT_TRUE(std::any_of(g.shared.gun_mei.begin(), g.shared.gun_mei.end(), [](int v) { return v != 0; })) << "first plans";

    std::size_t mark = g.host.boxes.size();
    ASSERT_TRUE(auto_move(g.m));
    EXPECT_EQ(g.host.boxes[mark].text, first + kAutoQuestion);
    EXPECT_EQ(announced(g, mark), std::vector<std::string>{third});
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
    EXPECT_TRUE(!g.m.text.text_buf[0].empty() && g.host.windows[1].pages[0] == g.m.text.text_buf[0]) << "the year end's report";
    EXPECT_EQ(g.m.turn_slot, 0);
    EXPECT_FALSE(g.shared.saved_flag);
    EXPECT_EQ(announced(g, mark), std::vector<std::string>{first}) << "no turn past the last slot";
    g.shared.player_gun[0] = kMaxWarlords, g.m.kun_jpg[kMaxWarlords] = "kun20.jpg";  // the table's last warlord
    EXPECT_EQ(turn_portrait(g.m), "kun20.jpg");
}

TEST(YearCycle, AYearTracedTellsEveryWarlordsPickAndTheStandingsAtItsEnd) {
    ShippedGame g(1, {0});
    std::ostringstream out;
    JsonLinesTrace trace(out);
    g.m.trace = &trace;
    g.m.turn_slot = 1;  // opened again, as the program traces it: the first year's offers, slot 0's turn
    open_main(g.m);
    ASSERT_EQ(g.m.turn_slot, 0);
    const auto listed = static_cast<std::size_t>(g.shared.gun_count);  // all thirteen live in the first year
    // Warlord 1 moved to the third panel, empty at this start: every panel's picks are traced, and
    // a pick by hand counts for its own year only.
    for (auto& panel : g.m.gun_lst) std::erase(panel.ids, 1);
    g.m.gun_lst[3].ids.push_back(1);
    g.m.picked_by_player[1] = true;
    g.play_years(2);
    std::map<std::string, std::size_t> events;
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) {  // each year's four panels of offers too
        const auto j = nlohmann::json::parse(line);
        ++events[j.at("type").get<std::string>() + (j.value("by", "") == "player" ? " by hand" : "") + (j.at("year") == 189 ? " 189" : "")];
    }
    EXPECT_EQ(std::make_tuple(events["pick 189"], events["pick by hand 189"], events["pick by hand"], events["offers 189"],
                              events["offers"], events["year_end 189"], events["year_end"]),
              std::make_tuple(listed - 1, std::size_t{1}, std::size_t{0}, std::size_t{4}, std::size_t{8}, std::size_t{1}, std::size_t{1}));
}

TEST(YearCycle, DecliningTheAutoQuestionChangesNothing) {
    ShippedGame g(2, {1});
    const std::string gunsv = g.dir.read("ini/gunsv.ini");
    g.host.answer(Answer::No);
    Command1_Click(g.m, 3);  // the Auto button
    EXPECT_EQ(g.host.boxes.back().text, g.shared.player_name[1] + kAutoQuestion);
    g.host.answer(Answer::No);
    EXPECT_FALSE(auto_move(g.m));
    EXPECT_EQ(g.m.turn_slot, 1);
    EXPECT_EQ(g.m.year, 195);
    EXPECT_EQ(g.dir.read("ini/gunsv.ini"), gunsv);
    Command1_Click(g.m, 0);  // any button but the Auto one shows the map
    EXPECT_EQ(g.host.events.back(), "map");
}

// The turn passes to the next slot that holds a player, within the warlord count and the table
// (a count past the table too); only then is a player awaited, told and his portrait shown.
TEST(YearCycle, TheTurnGoesToTheNextPlayerWithinTheCountAndTheTable) {
    // Warlord count, the slots with a player (slot s plays warlord s + 1) → where the turn stops,
    // whether a player is awaited, his portrait.
    const std::tuple<int, std::vector<int>, int, bool, const char*> cases[] = {
        {13, {0}, 0, true, "kun1"}, {13, {12}, 12, true, "kun13"}, {13, {13}, 13, false, ""}, {21, {20}, 20, true, ""}, {21, {}, 21, false, ""}};
    for (const auto& [count, players, slot, awaited, portrait] : cases) {
        testing::MainScreen s;
        s.shared.gun_count = static_cast<std::int16_t>(count);
        for (int p : players) s.shared.player_gun[p] = static_cast<std::int16_t>(p + 1), s.shared.player_name[p] = "甲";
        for (int w = 0; w <= kMaxWarlords; ++w) s.m.kun_jpg[w] = "kun" + std::to_string(w);
        tebanIncliment_rtn(s.m);
        EXPECT_EQ(std::make_tuple(s.m.turn_slot, awaiting_player(s.m), s.host.boxes.size(), turn_portrait(s.m)),
                  std::make_tuple(slot, awaited, awaited ? 1u : 0u, std::string(portrait))) << count << " " << slot;
    }
}

TEST(YearCycle, EveryPlayerDestroyedNoEndsWithoutTheFinalReportAndYesLetsTheYearsGoOnWatched) {
    for (const Answer go_on : {Answer::No, Answer::Yes}) {
        ShippedGame g(1, {0});
        destroy_in_files(g, 1);
        g.host.answer(Answer::Yes);  // the Auto question
        g.host.answer(go_on);
        ASSERT_TRUE(auto_move(g.m));
        EXPECT_TRUE(g.host.saw_box(std::string(kAllDestroyed) + "\r\n" + kGoOnQuestion));
        const bool ended = go_on == Answer::No;
        EXPECT_EQ(std::make_tuple(g.m.game_over, g.host.ended, g.m.year), std::make_tuple(ended, ended ? 1 : 0, ended ? 189 : 190));
        EXPECT_EQ(g.host.windows_in(kMsgYearEnd).empty() && g.host.windows_in(kMsgReport).empty(), ended);
        if (ended) {
            EXPECT_FALSE(auto_move(g.m));
            continue;
        }
        g.shared.player_gun[0] = 0;  // what the destruction does to the slot
        g.m.turn_slot = 0;
        tebanIncliment_rtn(g.m);
        const std::size_t boxes = g.host.boxes.size();
        ASSERT_TRUE(auto_move(g.m));  // watched without the Auto question
        EXPECT_EQ(g.m.year, 191);
        for (std::size_t i = boxes; i < g.host.boxes.size(); ++i) EXPECT_EQ(g.host.boxes[i].text.find(kAutoQuestion), std::string::npos);
    }
}

TEST(YearCycle, AResumedGameReentersAtTheYearStartWithTheStoredYearAndCohesion) {
    ShippedGame g(3, {0});
    ASSERT_TRUE(auto_move(g.m));
    ASSERT_EQ(g.m.year, 201);

    SharedValues loaded;
    for (int i = 0; const int v : {201, 77, 66, 55, 3, 0}) loaded.save_info[i++] = v;
    loaded.player_lord = g.shared.player_lord;
    loaded.player_name = g.shared.player_name;
    loaded.player_gun = g.shared.player_gun;
    loaded.start_mode = 2;
    WorkingSet damaged;  // a slot whose troops disagree with its provinces' is counted again
    load_working_set(g.folder, g.shared, damaged);
    damaged.gun[1].army = 1;
    sv_Gun(g.folder, g.shared, damaged);
    ScriptedHost host;
    SeededRandom rng(5);
    MainState m(g.folder, loaded, rng, host);
    open_main(m);
    EXPECT_EQ((std::vector<int>{m.year, m.end_year, loaded.gun_count, loaded.bushou_count, loaded.mei_kessoku[1],
                                loaded.mei_kessoku[2], loaded.mei_kessoku[3]}),
              (std::vector<int>{201, 226, 13, 170, 77, 66, 55}));
    EXPECT_FALSE(m.bgm_on);
    EXPECT_TRUE(host.music.empty());
    EXPECT_EQ(host.boxes.front().text, g.shared.player_name[0] + kTurnSuffix);
    EXPECT_TRUE(!turn_portrait(m).empty() && turn_portrait(m) == turn_portrait(g.m)) << "his ruler's portrait";
    EXPECT_FALSE(loaded.com_codes[0].empty());
    WorkingSet resumed;
    load_working_set(g.folder, loaded, resumed);
    int troops = 0;
    for (int p = 1; p <= loaded.kuni_count; ++p)
        if (resumed.kuni[p].gunID == 1) troops += resumed.kuni[p].army;
    EXPECT_EQ(resumed.gun[1].army, troops);
    EXPECT_GT(troops, 1);
    loaded.scenario_no = 7;  // no such scenario: a fault of the caller, refused before anything
    EXPECT_THROW(start_new_game(m), ProgramError);
}

TEST(YearCycle, RestartingOrQuittingUnsavedAsksOnceNoKeepsTheGameAndQuittingEndsIt) {
    ShippedGame g(1, {0});
    g.host.answer(Answer::No);
    EXPECT_FALSE(newGame_Click(g.m));
    EXPECT_EQ(g.host.boxes.back().text, kNotSavedQuestion);
    EXPECT_NE(g.shared.player_gun[0], 0);
    g.host.answer(Answer::No);
    EXPECT_FALSE(exitGame_Click(g.m));
    EXPECT_FALSE(g.m.game_over);

    g.shared.saved_flag = true;
    const std::size_t boxes = g.host.boxes.size();
    for (int k = 0; k <= kMaxWarlords; ++k)
        g.shared.player_lord[k] = g.shared.player_gun[k] = g.shared.player_mei[k] = 5, g.shared.player_name[k] = "甲";
    EXPECT_TRUE(newGame_Click(g.m));
    EXPECT_EQ(g.host.boxes.size(), boxes);
    for (int k = 0; k <= kMaxWarlords; ++k) {  // slots 0 to 16 are emptied, the rest kept
        const bool emptied = k <= 16;
        EXPECT_EQ(std::make_tuple(int(g.shared.player_lord[k]), int(g.shared.player_gun[k]), int(g.shared.player_mei[k]), g.shared.player_name[k]),
                  emptied ? std::make_tuple(0, 0, 0, std::string("0")) : std::make_tuple(5, 5, 5, std::string("甲"))) << k;
    }
    EXPECT_TRUE(exitGame_Click(g.m));  // saved: no question; the music stops, then the program ends
    EXPECT_TRUE(g.m.game_over && g.host.ended == 1 && g.host.boxes.size() == boxes);
    EXPECT_EQ(std::vector<std::string>(g.host.events.end() - 2, g.host.events.end()), (std::vector<std::string>{"stop_music", "end"}));
}

TEST(YearCycle, AHeadlessNewGameWithoutPlayersKeepsNoPlayerOfAnEarlierGame) {
    testing::TempGameFolder dir;
    dir.copy_shipped_ini();
    SharedValues shared;
    shared.player_lord[0] = 5, shared.player_lord[kMaxWarlords] = 6, shared.start_mode = 1;  // left from an earlier game
    SeededRandom rng(1);
    ScriptedHost host;
    ASSERT_TRUE(start_headless_new_game(dir.folder(), shared, rng, host, 2, {}));
    EXPECT_EQ(std::make_tuple(int(shared.scenario_no), int(shared.start_mode), shared.player_lord),
              std::make_tuple(2, 0, SharedValues{}.player_lord));
    // A folder that cannot be filled says so, naming where it should have been filled from.
    try {
        prepare_game_folder(dir.root() / "no-data", dir.root() / "game");
        ADD_FAILURE() << "filled from nothing";
    } catch (const DataError& e) {
        EXPECT_NE(std::string(e.what()).find("cannot be filled from"), std::string::npos) << e.what();
    }
}

// The standings of a whole game: one row per warlord and year from the first year to the final
// one, and in the years of the two reports every score written exactly as the report wrote it.
void check_standings(const ShippedGame& g, const Scenario& s, const std::vector<ScriptedHost::Window>& reports) {
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
    ShippedGame g(scenario, {0, 2}, 1000 + static_cast<std::uint64_t>(scenario));
    YearInvariants invariants;
    for (int s = 0; s <= kMaxAlliances; ++s)  // within its range from the start, even under a famous leader
        EXPECT_TRUE(g.shared.mei_kessoku[s] >= 0 && g.shared.mei_kessoku[s] <= 100) << "cohesion of slot " << s;
    int years = 0;
    while (!g.m.game_over) {
        const int year = g.m.year;
        ASSERT_TRUE(auto_move(g.m));
        if (g.m.year != year) {
            ++years;
            if (g.m.game_over) continue;
            EXPECT_EQ(invariants.check_year(g.folder, g.shared, g.m.year), std::vector<std::string>{});
            for (int p = 0; p <= kMaxAlliances; ++p)  // each listed warlord's plan is one his panel offers
                for (int id : g.m.gun_lst[p].ids) EXPECT_LT(g.shared.gun_mei[id], std::max<int>(1, g.shared.com_codes[p].size()));
        }
        ASSERT_LE(years, 60) << "the game does not end";
    }
    EXPECT_EQ(g.m.year, s->end_year);
    EXPECT_EQ(years, s->end_year - s->start_year);
    // China1 starts the game and follows every year-end report, Game01 plays while each year is
    // carried out; french1 brings the final report and china1 again the credits.
    std::vector<std::string> music{"china1"};
    for (int y = 0; y < years; ++y) music.insert(music.end(), {"Game01", "china1"});
    music.insert(music.end(), {"french1", "china1"});
    EXPECT_EQ(g.host.music, music);
    // The interim report opens the year end_year − 10, after that many years were carried out.
    const auto& events = g.host.events;
    const auto interim = std::find(events.begin(), events.end(), "window:" + std::to_string(kMsgReport));
    EXPECT_EQ(std::count(events.begin(), interim, "window:" + std::to_string(kMsgStrategy)),
              s->end_year - 10 - s->start_year);
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

// Each rule the year's check holds the files to, broken in a sound year: every problem the break
// causes, in order (each told text starts with the one listed), and nothing at the limits allowed.
TEST(WholeGames, TheYearlyCheckNamesEachBrokenRule) {
    ShippedGame g(1, {0});
    g.play_years(1);
    YearInvariants check;
    ASSERT_EQ(check.check_year(g.folder, g.shared, 190), std::vector<std::string>{});
    WorkingSet sound;
    load_working_set(g.folder, g.shared, sound);
    const SharedValues shared = g.shared;
    const int last = shared.gun_count;
    ASSERT_FALSE(sound.gun[1].del || sound.gun[2].del || sound.gun[last].del);
    std::map<std::string, std::string> files;
    for (const char* f : {"ini/busv.ini", "ini/gunsv.ini", "ini/Kunisv.ini", "ini/kodarn.log"}) files[f] = g.dir.read(f);
    const auto who = [&](int id, const std::string& name) { return "ini/gunsv.ini record " + std::to_string(id) + " (" + name + ")"; };
    const std::string first = who(1, sound.gun[1].name);
    const auto renamed = [&](int id, const std::string& name) {
        return who(id, name) + " changed its name or lord (was " + sound.gun[id].name + ", lord " + std::to_string(sound.gun[id].kunshuID) + ")";
    };
    const auto edit = [&](const std::string& file, const std::string& from, const std::string& to) {  // the first `from`
        std::string text = g.dir.read(file);
        g.dir.write(file, text.replace(text.find(from), from.size(), to));
    };
    const auto lose_all_but_province_1 = [](WorkingSet& w) {
        w.gun[1].del = true, w.gun[1].army = 0;
        for (auto& k : w.kuni) if (k.gunID == 1) k.gunID = 2;
    };
    std::vector<std::string> uncounted{"ini/gunsv.ini holds 13 records, not 12"};  // the last warlord out of the count
    for (int p = 1; p <= shared.kuni_count; ++p)
        if (sound.kuni[p].gunID == last) uncounted.push_back("ini/Kunisv.ini record " + std::to_string(p) + " is owned by 13");
    const std::string kept_log = files["ini/kodarn.log"];
    const struct {
        std::function<void(WorkingSet&)> world;
        std::function<void()> text;  // after the set is written
        std::vector<std::string> told;
    } breaks[] = {
        {[&](WorkingSet& w) {
             w.gun[1].tian = 100, w.gun[1].kessoku = 100, w.kuni[1].gunID = 0, w.kuni[2].gunID = static_cast<std::int16_t>(last);
             g.shared.mei_kessoku[0] = 0, g.shared.mei_kessoku[kMaxAlliances] = 100;
         }, nullptr, {}},
        {[](WorkingSet& w) { w.gun[1].tian = 101, w.gun[1].kessoku = 101; }, nullptr, {first + ": tian 101", first + ": kessoku 101"}},
        {[&](WorkingSet& w) { w.gun[1].kunshuID = sound.gun[2].kunshuID; }, nullptr,
         {renamed(1, sound.gun[1].name), who(2, sound.gun[2].name) + " shares its lord " + std::to_string(sound.gun[2].kunshuID)}},
        {[&](WorkingSet& w) { w.gun[last].name = "新", w.gun[last].kunshuID = 0; }, nullptr, {renamed(last, "新")}},
        {[&](WorkingSet& w) { w.kuni[1].gunID = static_cast<std::int16_t>(last + 1), w.kuni[2].gunID = -1; }, nullptr,
         {"ini/Kunisv.ini record 1 is owned by 14, not a warlord", "ini/Kunisv.ini record 2 is owned by -1, not a warlord"}},
        {[&](WorkingSet& w) { lose_all_but_province_1(w), w.kuni[1].gunID = 1; }, nullptr, {first + " is destroyed but owns 1 provinces"}},
        {lose_all_but_province_1, nullptr, {}},
        {[&](WorkingSet& w) { lose_all_but_province_1(w), w.gun[1].army = 7; }, nullptr, {first + " is destroyed but has army 7"}},
        {nullptr, [&] { g.shared.gun_count = static_cast<std::int16_t>(last - 1); }, uncounted},
        {[&](WorkingSet& w) { w.gun[1].army = 12345, w.gun[2].army = 23456, w.kuni[1].army = 3456; },
         [&] { edit("ini/gunsv.ini", "12345", "40000"), edit("ini/gunsv.ini", "23456", "40000"), edit("ini/Kunisv.ini", "3456", "40000"); },
         {"ini/gunsv.ini record 1: \"40000\" is not a 16-bit number", "ini/Kunisv.ini record 1: \"40000\" is not a 16-bit number"}},
        {nullptr, [&] { edit("ini/busv.ini", "\r\n\"", "\r\n\"x\"\r\n1\r\n2\r\n3,40000\r\n\""); },  // a first general of more lines
         {"ini/busv.ini record 1: \"40000\" is not a 16-bit number"}},
        {nullptr, [&] { g.dir.write("ini/Kunisv.ini", files["ini/Kunisv.ini"].substr(0, files["ini/Kunisv.ini"].find("\r\n.48\r\n") + 2)); },
         {"ini/Kunisv.ini holds 47 records, not 48"}},
        {nullptr, [&] { edit("ini/Kunisv.ini", ".1\r\n", ".0\r\n"), edit("ini/Kunisv.ini", ".48\r\n", ".49\r\n"); },
         {"ini/Kunisv.ini: record 1 carries id 0"}},
        {[&](WorkingSet&) { g.shared.mei_kessoku[0] = -1, g.shared.mei_kessoku[kMaxAlliances] = 101; },
         [&] { g.dir.write("ini/kodarn.log", kept_log + kLogEnd + "\r\n"); },
         {"the log holds 2 terminator lines", "mei_kessoku[0] = -1", "mei_kessoku[3] = 101"}},
        {nullptr, [&] { g.dir.write("ini/kodarn.log", kept_log + "x\r\n"); }, {"the log does not end with its terminator"}},
        {nullptr, [&] { edit("ini/kodarn.log", kLogEnd, "x"); }, {"the log holds 0 terminator lines", "the log does not end"}},
        {[&](WorkingSet&) { g.shared.mei_kessoku[1] = 101; },
         [&] { for (const char* f : {"ini/busv.ini", "ini/Kunisv.ini", "ini/kodarn.log"}) std::filesystem::remove(g.dir.root() / f); },
         {"unreadable: ini/busv.ini: file not found", "unreadable: ini/Kunisv.ini: file not found",
          "log unreadable: ini/kodarn.log: file not found", "mei_kessoku[1] = 101"}},
        {[](WorkingSet& w) { w.gun[1].army = 5678; }, [&] { edit("ini/gunsv.ini", ",5678,", ","); }, {"unparsable: ini/gunsv.ini"}},
    };
    for (const auto& b : breaks) {
        WorkingSet set = sound;
        if (b.world) b.world(set);
        sv_Gun(g.folder, g.shared, set);
        sv_Kuni(g.folder, g.shared, set);
        if (b.text) b.text();
        const auto problems = YearInvariants(check).check_year(g.folder, g.shared, 190);  // each break alone
        EXPECT_EQ(problems.size(), b.told.size()) << ::testing::PrintToString(problems);
        for (std::size_t i = 0; i < std::min(problems.size(), b.told.size()); ++i)
            EXPECT_EQ(problems[i].rfind("year 190: " + b.told[i], 0), 0u) << problems[i];
        g.shared = shared;
        for (const auto& [f, text] : files) g.dir.write(f, text);
    }
    // A warlord seen destroyed stays so.
    WorkingSet gone = sound;
    lose_all_but_province_1(gone);
    sv_Gun(g.folder, g.shared, gone);
    sv_Kuni(g.folder, g.shared, gone);
    ASSERT_EQ(check.check_year(g.folder, g.shared, 190), std::vector<std::string>{});
    for (const auto& [f, text] : files) g.dir.write(f, text);
    EXPECT_EQ(check.check_year(g.folder, g.shared, 191), std::vector<std::string>{"year 191: " + first + " was destroyed and lives again"});
}

TEST(WholeGames, TheNumberCheckTakesSignedSixteenBitItemsWithBlanksAround) {
    const std::pair<const char*, bool> items[] = {
        {"", true},       {" \t ", true},   {"0", true},      {" 12\t", true},  {"+32767", true}, {"-32768", true},
        {"32768", false}, {"-32769", false}, {"-", false},     {" + ", false},    {"1 2", false},   {"12a", false},
        {"--1", false},   {"18446744073709551621", false},   {"\t-7 ", true},  // 2^64 + 5 would wrap to 5
    };
    for (const auto& [item, fits] : items) EXPECT_EQ(fits_16_bits(item), fits) << '"' << item << '"';
}

TEST(WholeGames, ThePagesCheckNamesAPageOutOfRangeTextPastTheLastPageAndTheEndMarks) {
    PageStore pages;
    pages.page_text[1] = kEndOfText;
    pages.page_text[0] = kEndOfText;  // the mark follows a page: slot 0 is not looked at
    EXPECT_EQ(check_pages(pages, kMsgStrategy), std::vector<std::string>{});
    pages.page_no = 40;
    pages.page_text[40] = "x";
    pages.page_text[5] = kEndOfText;
    EXPECT_EQ(check_pages(pages, kMsgStrategy),
              (std::vector<std::string>{"page_no 40 outside 0..39", "text written into slot 40", "2 \"EOT\" entries in the pages"}));
    EXPECT_EQ(check_pages(pages, kMsgYearEnd).size(), 2u) << "the end marks are counted for the strategy phase only";
}

// The headless games of the soak program: a watched game is called back after every year start up
// to the last; ids off the warlord list start none. The folder signature is 64-bit FNV-1a over each
// file's name and bytes in a fixed order (the figures worked out apart).
TEST(WholeGames, SeededGamesPlayEveryYearAndTheFolderSignatureIsFnv1a) {
    testing::TempGameFolder dir;
    prepare_game_folder(TEIJINKI_DATA_DIR, dir.root());
    QuietHost host;
    std::vector<int> years;
    EXPECT_EQ(play_seeded_game(dir.folder(), {2, 5, {}}, host, [&](MainState& m) { years.push_back(m.year); }), 26);  // 196 to 221
    EXPECT_EQ(years.size() == 26 ? years.back() - years.front() : 0, 25);
    EXPECT_EQ(play_seeded_game(dir.folder(), {2, 5, {99}}, host), 0);
    testing::TempGameFolder empty;
    EXPECT_EQ(hex64(folder_signature(empty.folder())) + hex64(folder_signature(empty.folder(), 7)), "712076da5f0abc30cd19b83494bdd55e");
    empty.write("ini/kodarn.log", "ab");
    EXPECT_EQ(hex64(folder_signature(empty.folder())), "53d43cc56e5f37a1");
}

TEST(WholeGames, EveryScenarioRunsToItsFinalYearWithTheInvariantsHolding) {
    for (int scenario = 1; scenario <= 6; ++scenario) {
        SCOPED_TRACE("scenario " + std::to_string(scenario));
        play_whole_game(scenario);
    }
}

}  // namespace
}  // namespace teijinki
