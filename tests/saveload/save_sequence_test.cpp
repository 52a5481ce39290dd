// The save and load of the main screen and the title screen: what goes into the slot, the
// questions, and a whole game saved, loaded and played on to its end on the shipped data.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "messages/standings.h"
#include "setup/new_game.h"
#include "shipped_game.h"
#include "slot_fixture.h"
#include "turn/year_cycle.h"
#include "world/random.h"

namespace teijinki {
namespace {

using testing::ScriptedHost;
using testing::ShippedGame;
using testing::SlotWorld;
using testing::TempGameFolder;
namespace fs = std::filesystem;

TEST(MainScreenSave, StoresYearCohesionScenarioAndTheMusicSwitchAndMarksTheGameSaved) {
    SlotWorld w;
    w.set_players("曹操", 0, 1);
    SeededRandom rng(1);
    MainState m(w.folder, w.shared, rng, w.host);
    m.year = 197;
    m.bgm_on = false;
    w.shared.save_info[5] = 1;  // left from a load: the switch counts, not this
    for (int s = 1; const int v : {12, 34, 0}) w.shared.mei_kessoku[s++] = v;
    w.shared.scenario_no = 4;

    ASSERT_TRUE(cmdSave_Click(m, typed_slot_screen(w.folder, w.shared, w.host, "5")));
    EXPECT_EQ(w.host.boxes.front().text, "save5でセーブしますか？");
    EXPECT_TRUE(w.shared.saved_flag);
    EXPECT_EQ(w.shared.start_mode, 0);
    const SlotFile slot = read_slot(w.folder, "5").slot;
    EXPECT_EQ(std::vector<int>(slot.save_info.begin(), slot.save_info.end()), (std::vector<int>{197, 12, 34, 0, 4, 0}));

    m.bgm_on = true;
    ASSERT_TRUE(cmdSave_Click(m, typed_slot_screen(w.folder, w.shared, w.host, "5")));
    EXPECT_EQ(read_slot(w.folder, "5").slot.save_info[5], 1);
}

TEST(MainScreenSave, CancelOrBackOrAFailedSaveLeavesTheGameUnsaved) {
    SlotWorld w;
    w.set_players("曹操", 0, 1);
    SeededRandom rng(1);
    MainState m(w.folder, w.shared, rng, w.host);
    m.year = 190;

    w.host.answer(Answer::Cancel);
    EXPECT_FALSE(cmdSave_Click(m, typed_slot_screen(w.folder, w.shared, w.host, "1")));
    EXPECT_FALSE(w.shared.saved_flag);
    EXPECT_FALSE(w.exists("save/save1.ini"));
    w.shared.form_result = 1;                   // left by an earlier screen
    EXPECT_FALSE(cmdSave_Click(m, [] {}));  // a save screen closed at once

    fs::remove(w.dir.root() / "ini/gunsv.ini");
    EXPECT_FALSE(cmdSave_Click(m, typed_slot_screen(w.folder, w.shared, w.host, "1")));
    EXPECT_FALSE(w.shared.saved_flag) << "a failed save must not spare the player the unsaved-game question";
    EXPECT_EQ(w.shared.form_result, 0);
}

TEST(MainScreenLoad, AsksWhenUnsavedAndNoOrBackKeepsTheGame) {
    SlotWorld w;
    w.set_players("曹操", 190, 1);
    ASSERT_TRUE(w.save("1"));
    w.write_game("孫堅", 20);
    const std::string game = w.working_bytes();
    SeededRandom rng(1);
    MainState m(w.folder, w.shared, rng, w.host);
    m.year = 203;
    w.shared.saved_flag = false;
    w.host.boxes.clear();

    w.host.answer(Answer::No);
    bool screen_shown = false;
    EXPECT_FALSE(cmdLoad_Click(m, [&] { screen_shown = true; }));
    EXPECT_FALSE(screen_shown);
    ASSERT_EQ(w.host.boxes.size(), 1u);
    EXPECT_EQ(w.host.boxes[0].text, "セーブをしてませんがよろしいですか？");

    w.shared.saved_flag = true;
    EXPECT_FALSE(cmdLoad_Click(m, [&] {
        SvldRules screen(w.folder, w.shared, w.host);
        screen.init_rtn();
        screen.Command1_Click(1);
        w.shared.form_result = 1;  // left by an earlier screen: 戻る clears it
        screen.Command3_Click();
    }));
    EXPECT_EQ(w.host.boxes.size(), 1u) << "no question when the game was saved";
    w.shared.form_result = 1;                // left by an earlier screen
    EXPECT_FALSE(cmdLoad_Click(m, [] {}));  // a load screen closed at once
    EXPECT_EQ(w.working_bytes(), game);
    EXPECT_EQ(m.year, 203);
}

TEST(TitleContinue, OpensTheLoadScreenAndReportsWhetherASlotWasLoaded) {
    SlotWorld w;
    w.set_players("曹操", 190, 1);
    ASSERT_TRUE(w.save("3"));
    SharedValues fresh;
    EXPECT_FALSE(title_continue(fresh, typed_slot_screen(w.folder, fresh, w.host, "4")));
    EXPECT_EQ(fresh.start_mode, 2);
    fresh.form_result = 1;                          // left by an earlier screen
    EXPECT_FALSE(title_continue(fresh, [] {}));  // a load screen closed at once
    ASSERT_TRUE(title_continue(fresh, typed_slot_screen(w.folder, fresh, w.host, "3")));
    EXPECT_EQ(fresh.start_mode, 2) << "the main screen resumes the game";
    EXPECT_EQ(fresh.save_info[0], 190);
    EXPECT_EQ(fresh.player_name[2], "劉備");
}

// Whole games on the shipped data.

TEST(WholeGame, SavedAfterFiveYearsLoadedFromTheTitleItResumesAtTheSavedYearAndPlaysToTheEnd) {
    ShippedGame g(1, {0, 2}, 11);
    g.play_years(5);
    ASSERT_EQ(g.m.year, 194);
    ASSERT_TRUE(cmdSave_Click(g.m, typed_slot_screen(g.folder, g.shared, g.host, "3")));
    const auto cohesion = g.shared.mei_kessoku;

    // The program is started again: a new run, the title screen's "続きから".
    SharedValues shared;
    SeededRandom rng(99);
    ScriptedHost host;
    ASSERT_TRUE(title_continue(shared, typed_slot_screen(g.folder, shared, host, "3")));
    MainState m(g.folder, shared, rng, host);
    open_main(m);
    EXPECT_EQ(m.year, 194);
    EXPECT_EQ(m.end_year, 216);
    EXPECT_EQ(shared.gun_count, 13);
    EXPECT_EQ(shared.bushou_count, 170);
    for (int s = 1; s <= 3; ++s) EXPECT_EQ(shared.mei_kessoku[s], cohesion[s]) << s;
    EXPECT_EQ(shared.player_name[0], g.shared.player_name[0]);
    EXPECT_EQ(host.music.front(), "china1") << "the music was on when the game was saved";
    EXPECT_EQ(host.boxes.back().text, shared.player_name[0] + kTurnSuffix);

    int years = 0;
    while (!m.game_over && years < 40) {
        const int year = m.year;
        ASSERT_TRUE(auto_move(m));
        if (m.year != year) ++years;
    }
    EXPECT_TRUE(m.game_over);
    EXPECT_EQ(host.ended, 1);
    EXPECT_EQ(m.year, 216);
}

TEST(WholeGame, LoadFromTheMainScreenGoesBackToTheSavedYearAndItsCohesion) {
    ShippedGame g(2, {0, 2}, 5);
    g.play_years(5);
    g.m.bgm_on = false;
    ASSERT_TRUE(cmdSave_Click(g.m, typed_slot_screen(g.folder, g.shared, g.host, "")));
    const int saved_year = g.m.year;
    const auto cohesion = g.shared.mei_kessoku;
    const std::string generals = g.dir.read("save/busv.ini");
    const auto standings = read_standings(g.folder);
    ASSERT_EQ(standings.back().year, saved_year);
    g.play_years(3);
    ASSERT_NE(g.m.year, saved_year);
    ASSERT_FALSE(g.shared.saved_flag) << "a year played makes the game unsaved again";
    ASSERT_TRUE(auto_move(g.m));  // slot 2's turn now; the loaded year starts again at slot 0's

    g.host.boxes.clear();
    g.host.music.clear();
    g.m.game_over = true;  // a load is offered at the game's end too
    ASSERT_TRUE(cmdLoad_Click(g.m, typed_slot_screen(g.folder, g.shared, g.host, "")));
    EXPECT_EQ(g.host.boxes.front().text, "セーブをしてませんがよろしいですか？");
    EXPECT_EQ(g.host.boxes.back().text, g.shared.player_name[0] + kTurnSuffix);
    EXPECT_EQ(g.m.year, saved_year);
    for (int s = 1; s <= 3; ++s) EXPECT_EQ(g.shared.mei_kessoku[s], cohesion[s]) << s;
    EXPECT_FALSE(g.m.bgm_on);
    EXPECT_TRUE(g.host.music.empty());
    EXPECT_TRUE(g.shared.saved_flag);
    EXPECT_EQ(g.shared.form_result, 0);
    EXPECT_EQ(g.dir.read("ini/busv.ini"), generals) << "the year start does not touch the generals";
    EXPECT_EQ(read_standings(g.folder), standings) << "the years played after the save are gone, none twice";
    g.play_years(1);
    EXPECT_EQ(g.m.year, saved_year + 1);
    const auto one_more = read_standings(g.folder);
    ASSERT_EQ(one_more.size(), standings.size() + static_cast<std::size_t>(g.shared.gun_count));
    EXPECT_EQ(one_more.back().year, saved_year + 1);
}

// The terminal program's --save and --load, when it has been built beside the tests.
TEST(TerminalProgram, SavesWhenItStopsAndContinuesTheSlotAndAnUnreadableSlotChangesNothing) {
    const fs::path sim = fs::path(TEIJINKI_BINARY_DIR) / "teijinki-sim";
    if (!fs::exists(sim)) GTEST_SKIP() << "teijinki-sim is not built in " << TEIJINKI_BINARY_DIR;
    TempGameFolder dir;
    const fs::path game = dir.root() / "game";
    const std::string run = sim.string() + " --dir " + game.string() + " --quiet --seed 3 ";
    const auto status = [](const std::string& command) {
        const int raw = std::system((command + " >/dev/null 2>&1").c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    };
    ASSERT_EQ(status(run + "--players 1 --years 5 --save 3"), 0);
    const SlotFile slot = read_slot(GameFolder(game), "3").slot;
    EXPECT_EQ(slot.save_info[0], 194);
    EXPECT_EQ(read_standings(GameFolder(game)).back().year, 194) << "the terminal program keeps the standings too";

    const auto snapshot = [&] {
        std::string all;
        for (const auto& e : fs::recursive_directory_iterator(game))
            if (e.is_regular_file()) all += e.path().string() + "\n" + dir.read(fs::relative(e.path(), dir.root()).string());
        return all;
    };
    const std::string before = snapshot();
    EXPECT_EQ(status(run + "--load 4"), 2);
    EXPECT_EQ(snapshot(), before);

    ASSERT_EQ(status(run + "--load 3 --years 2 --save 5"), 0);
    EXPECT_EQ(read_slot(GameFolder(game), "5").slot.save_info[0], 196) << "two more years from the saved one";
}

}  // namespace
}  // namespace teijinki
