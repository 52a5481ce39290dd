// The save/load screen in the desktop game: a save from the main screen loaded from the title
// screen, the way back without saving, a missing or cut slot, Ctrl+S, and the music switch
// retrying.

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "media/music_player.h"
#include "saveload/save_slots.h"
#include "saveload/slot_fixture.h"
#include "ui/saveload/svld_dialog.h"
#include "ui/title/title_screen.h"
#include "ui/main/main_screen.h"
#include "turn/year_cycle.h"
#include "ui/game_screens.h"
#include "ui/ui_support.h"
#include "world/random.h"

namespace teijinki::testing {
namespace {

// Types the digits of slot on SVLD, presses 決定, and 戻る when the screen is still open.
void type_slot_and_decide(QDialog& d, const std::string& slot, std::vector<std::string>* captions = nullptr) {
    auto* screen = qobject_cast<ui::SvldDialog*>(&d);
    ASSERT_NE(screen, nullptr) << d.objectName().toStdString();
    if (captions) captions->push_back(d.windowTitle().toStdString());
    for (char c : slot) click(d, ("Command1_" + std::string(1, c)).c_str());
    EXPECT_EQ(d.findChild<QLabel*>(QStringLiteral("Lab_num"))->text().toStdString(), "save" + slot);
    click(d, "Command2_1");
    if (!screen->rules().closed) click(d, "Command3");
}

class SaveLoad : public ShippedScreens<ui::GameScreenOpener, 7> {
protected:

    std::unique_ptr<ui::MainScreen> start_scenario2(SharedValues& sh) {
        ui::TitleScreen title(host, folder, sh, rng);
        title.List1_0_Click(1);
        title.findChild<QListWidget*>(QStringLiteral("List1_1"))->item(0)->setSelected(true);
        title.Command2_Click();
        auto main = std::make_unique<ui::MainScreen>(host, folder, sh, rng);
        main->open_game();
        return main;
    }

    std::string working_files() const {
        return tmp.read("ini/busv.ini") + tmp.read("ini/gunsv.ini") + tmp.read("ini/Kunisv.ini") + tmp.read("ini/Cmtsv.ini");
    }

};

TEST_F(SaveLoad, SlotSevenSavedFromTheMainScreenComesBackFromTheTitleScreen) {
    auto main = start_scenario2(shared);
    MainState& m = main->state();
    main->Command1_Click(3);  // one year handed to the computer: 196
    ASSERT_EQ(m.year, 196);
    shared.mei_kessoku[1] = 37;
    shared.mei_kessoku[2] = 58;
    shared.mei_kessoku[3] = 91;
    std::vector<std::string> captions;
    host.on_dialog = [&](QDialog& d) { type_slot_and_decide(d, "07", &captions); };
    main->cmdSave_Click();
    EXPECT_EQ(captions, std::vector<std::string>{"セーブ画面"});
    EXPECT_TRUE(host.saw_box_ending("save07でセーブしますか？"));
    EXPECT_TRUE(shared.saved_flag);
    EXPECT_TRUE(folder.exists("\\save\\save07.ini"));
    EXPECT_FALSE(folder.exists("\\save\\save7.ini")) << "07 and 7 are different slots";
    const std::string saved_files = working_files();
    const std::string player = shared.player_name[0];
    main.reset();

    // The game goes on and changes the files; then a fresh program continues slot 07.
    {
        SharedValues other;
        auto again = start_scenario2(other);
        again->Command1_Click(3);
        again->Command1_Click(3);
    }
    ASSERT_NE(working_files(), saved_files);
    SharedValues fresh;
    host.boxes.clear();
    ui::TitleScreen title(host, folder, fresh, rng);
    QSignalSpy ready(&title, &ui::TitleScreen::gameReady);
    title.Command1_Click(1);
    EXPECT_EQ(captions.back(), "ロード画面");
    ASSERT_EQ(ready.count(), 1);
    EXPECT_TRUE(host.saw_box_ending("save07シナリオ 2" + player + " 196年\r\nこれをロードしますか？"));
    EXPECT_EQ(fresh.start_mode, 2);
    EXPECT_EQ(working_files(), saved_files);

    ui::MainScreen loaded(host, folder, fresh, rng);
    loaded.open_game();
    EXPECT_EQ(loaded.state().year, 196);
    EXPECT_EQ(loaded.findChild<QLabel*>(QStringLiteral("Year_lab"))->text(), QStringLiteral("196年の戦況"));
    EXPECT_EQ(fresh.mei_kessoku[1], 37);
    EXPECT_EQ(fresh.mei_kessoku[2], 58);
    EXPECT_EQ(fresh.mei_kessoku[3], 91);
    EXPECT_EQ(host.boxes.back(), player + "の番です。");
}

TEST_F(SaveLoad, BackAndTheCloseBoxLeaveFormResultZeroAndSaveNothing) {
    auto main = start_scenario2(shared);
    for (const char* way : {"back", "escape"}) {
        shared.form_result = 1;
        host.on_dialog = [&](QDialog& d) {
            click(d, "Command1_3");
            if (std::string(way) == "back") click(d, "Command3");
            else QTest::keyClick(&d, Qt::Key_Escape);
            EXPECT_TRUE(qobject_cast<ui::SvldDialog*>(&d)->rules().closed);
        };
        main->cmdSave_Click();
        EXPECT_EQ(shared.form_result, 0) << way;
        EXPECT_FALSE(shared.saved_flag) << way;
        EXPECT_FALSE(folder.exists("\\save\\save3.ini")) << way;
    }
    EXPECT_EQ(host.dialogs, (std::vector<std::string>{"SVLD", "SVLD"}));
}

TEST_F(SaveLoad, AMissingSlotIsNamedAndTheGameStaysAsItWas) {
    auto main = start_scenario2(shared);
    MainState& m = main->state();
    const std::string files = working_files();
    const int year = m.year;
    const auto cohesion = shared.mei_kessoku;
    bool stayed_open = false;
    host.boxes.clear();
    host.on_dialog = [&](QDialog& d) {
        click(d, "Command1_4");
        click(d, "Command1_2");
        click(d, "Command2_1");
        stayed_open = !qobject_cast<ui::SvldDialog*>(&d)->rules().closed;
        click(d, "Command3");
    };
    main->cmdLoad_Click();
    // The unsaved game is asked about first, then the preview fails.
    ASSERT_GE(host.boxes.size(), 2u);
    EXPECT_EQ(host.boxes[0], kNotSavedQuestion);
    EXPECT_EQ(host.boxes[1].rfind(kFileNotFound, 0), 0u) << host.boxes[1];
    EXPECT_NE(host.boxes[1].find("save42.ini"), std::string::npos) << "names the file: " << host.boxes[1];
    EXPECT_TRUE(stayed_open);
    EXPECT_EQ(host.boxes.size(), 2u) << "no load question for a missing slot";
    EXPECT_EQ(working_files(), files);
    EXPECT_EQ(m.year, year);
    EXPECT_EQ(shared.mei_kessoku[1], cohesion[1]);
    EXPECT_EQ(shared.form_result, 0);
}

// A slot whose general file was cut after record 100: every record left is whole, but the
// load is refused before any working file is touched, and the game stays unsaved.
TEST_F(SaveLoad, ASlotCutAtARecordBoundaryIsRefusedAndTheGameStaysAsItWas) {
    auto main = start_scenario2(shared);
    MainState& m = main->state();
    host.on_dialog = [&](QDialog& d) { type_slot_and_decide(d, "5"); };
    main->cmdSave_Click();
    main->Command1_Click(3);  // a year on: the game is no longer the slot's, and unsaved
    ASSERT_FALSE(shared.saved_flag);
    const std::string generals = tmp.read("save/busv5.ini");
    tmp.write("save/busv5.ini", generals.substr(0, generals.find("\r\n.101\r\n") + 2));
    const std::string files = working_files() + tmp.read("ini/kodarn.log");
    const int year = m.year;
    host.boxes.clear();
    main->cmdLoad_Click();
    ASSERT_EQ(host.boxes.size(), 2u);
    EXPECT_EQ(host.boxes[0], kNotSavedQuestion);
    EXPECT_NE(host.boxes[1].find("save/busv5.ini: record 101"), std::string::npos) << host.boxes[1];
    EXPECT_EQ(working_files() + tmp.read("ini/kodarn.log"), files);
    EXPECT_FALSE(shared.saved_flag);
    EXPECT_EQ(m.year, year);
}

TEST_F(SaveLoad, CtrlSOpensTheSaveScreenAndCtrlLTheLoadScreen) {
    auto main = start_scenario2(shared);
    main->show();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    std::vector<std::string> captions;
    host.on_dialog = [&](QDialog& d) {
        captions.push_back(d.windowTitle().toStdString());
        d.reject();
    };
    QTest::keyClick(main.get(), Qt::Key_S, Qt::ControlModifier);
    shared.saved_flag = true;  // no question before the load screen
    QTest::keyClick(main.get(), Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(captions, (std::vector<std::string>{"セーブ画面", "ロード画面"}));
}

// A player whose first Open fails.
class FailingOnce : public MusicPlayer {
public:
    int plays = 0;
    bool open(const std::filesystem::path&) override { return ++plays > 1; }
    bool play() override { return true; }
    void close() override {}
    const std::string& error() const override { return error_; }
    std::string error_ = "the sound device is busy";
};

TEST_F(SaveLoad, SwitchingTheMusicOnAgainRetriesAfterAFailure) {
    for (const char* piece : {"china1", "french1", "Game01"}) tmp.write(std::string("midi/") + piece + ".mid", "MThd");
    auto owned = std::make_unique<FailingOnce>();
    FailingOnce& player = *owned;
    PieceMusic music(folder, std::move(owned));
    host.set_music(&music);
    auto main = start_scenario2(shared);
    MainState& m = main->state();
    ASSERT_TRUE(m.music_failed);
    EXPECT_TRUE(host.saw_box_ending(kMusicFailed));
    const int before = player.plays;
    main->cmdMusic_Click();  // off
    main->cmdMusic_Click();  // on: tried again, and this time it plays
    EXPECT_EQ(player.plays, before + 1);
    EXPECT_FALSE(m.music_failed);
    EXPECT_TRUE(m.bgm_on);
    EXPECT_EQ(main->findChild<QAction*>(QStringLiteral("cmdMusic"))->text(), QStringLiteral("BGM/OFF"));
    host.set_music(nullptr);
}

TEST(SlotListOnScreen, ListsTheSlotsAndADoubleClickOnTheLoadScreenAsksTheLoadQuestion) {
    SlotWorld w;
    w.set_players("曹操", 190, 1);
    ASSERT_TRUE(w.save("2"));
    ASSERT_TRUE(w.save("5"));
    w.dir.write("save/save5.ini", "壊れた");
    const auto now = std::filesystem::file_time_type::clock::now();
    std::filesystem::last_write_time(w.dir.root() / "save/save2.ini", now - std::chrono::hours(1));
    RecordingOpener opener;
    ScriptedQtHost host(w.folder, opener);
    w.shared.start_mode = 2;
    ui::SvldDialog screen(nullptr, host, w.folder, w.shared);
    auto* list = screen.findChild<QListWidget*>(QStringLiteral("Slot_lst"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 2);
    EXPECT_TRUE(list->item(0)->text().startsWith(QStringLiteral("save5　（壊れています）")));
    EXPECT_TRUE(list->item(1)->text().startsWith(QStringLiteral("save2　シナリオ 1曹操 190年　")));

    // The arrow keys pick, as a click does; the digits still type.
    auto* lab_num = screen.findChild<QLabel*>(QStringLiteral("Lab_num"));
    QTest::keyClick(&screen, Qt::Key_Down);
    EXPECT_EQ(lab_num->text(), QStringLiteral("save5"));
    QTest::keyClick(&screen, Qt::Key_Down);
    EXPECT_EQ(lab_num->text(), QStringLiteral("save2"));
    QTest::keyClick(&screen, Qt::Key_7);
    EXPECT_EQ(lab_num->text(), QStringLiteral("save27"));

    host.answers = {Answer::Cancel};
    screen.Slot_lst_DblClick(1);
    EXPECT_TRUE(host.saw_box_ending("save2シナリオ 1曹操 190年\r\nこれをロードしますか？"));
    EXPECT_FALSE(screen.rules().closed) << "Cancel keeps the screen open and loads nothing";
}

}  // namespace
}  // namespace teijinki::testing
