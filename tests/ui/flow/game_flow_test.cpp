// The desktop game driven through its screens on the shipped scenarios: the title screen, the
// main screen's offers and Auto button, the strategy screen and the message windows of a year.

#include <gtest/gtest.h>

#include <QApplication>
#include <algorithm>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <iostream>
#include <memory>

#include "strategy/strategy_table.h"
#include "ui/info/status_dialog.h"
#include "ui/title/title_screen.h"
#include "turn/command_menu.h"
#include "ui/main/main_screen.h"
#include "turn/year_cycle.h"
#include "ui/ui_support.h"
#include "world/random.h"

namespace teijinki::testing {
namespace {

class GameFlow : public ShippedScreens<RecordingOpener, 7> {
protected:
    // The title screen with scenario 2 chosen and the given list positions ticked, "新規ゲーム"
    // pressed, and the main screen opened on the first turn.
    std::unique_ptr<ui::MainScreen> start_scenario2(std::initializer_list<int> ticked) {
        ui::TitleScreen title(host, folder, shared, rng);
        title.List1_0_Click(1);
        auto* warlords = title.findChild<QListWidget*>(QStringLiteral("List1_1"));
        EXPECT_EQ(warlords->count(), 12);
        for (int row : ticked) warlords->item(row)->setSelected(true);
        QSignalSpy ready(&title, &ui::TitleScreen::gameReady);
        title.Command2_Click();
        EXPECT_EQ(ready.count(), 1);
        auto main = std::make_unique<ui::MainScreen>(host, folder, shared, rng);
        board = main.get();
        main->open_game();
        return main;
    }

    static int own_panel(const MainState& m) {
        for (int p = 0; p < 4; ++p)
            if (is_own_panel(m, p)) return p;
        return -1;
    }

    static QString year_text(ui::MainScreen& main) {
        return main.findChild<QLabel*>(QStringLiteral("Year_lab"))->text();
    }

    // The strategy screen decides when it may, else it goes back.
    void decide_on_strategy_screen() {
        host.on_dialog = [this](QDialog& d) {
            if (d.objectName() != QStringLiteral("Strate")) return d.reject();
            auto* decide = d.findChild<QPushButton*>(QStringLiteral("Command1_1"));
            decide_offered.push_back(!decide->isHidden());
            click(d, decide->isHidden() ? "Command1_0" : "Command1_1");
        };
    }

    std::vector<bool> decide_offered;
    ui::MainScreen* board = nullptr;
};

TEST_F(GameFlow, TitleListsTheScenariosAndStartsScenarioTwoIn195) {
    auto main = start_scenario2({0});
    MainState& m = main->state();
    EXPECT_EQ(m.year, 195);
    EXPECT_EQ(m.end_year, 221);
    EXPECT_EQ(year_text(*main), QStringLiteral("195年の戦況"));
    EXPECT_EQ(shared.bushou_count, 170);
    ASSERT_FALSE(host.boxes.empty());
    EXPECT_EQ(host.boxes.back(), shared.player_name[0] + "の番です。");
    // The turn label names the player, and his panel carries its offers.
    EXPECT_TRUE(main->findChild<QLabel*>(QStringLiteral("Teban_lab"))->text().contains(QString::fromStdString(shared.player_name[0])));
    const int p = own_panel(m);
    ASSERT_GE(p, 0);
    auto* offers = main->findChild<QListWidget*>(QStringLiteral("Com_Lst_%1").arg(p));
    ASSERT_EQ(offers->count(), static_cast<int>(shared.com_codes[p].size()));
    EXPECT_EQ(offers->item(0)->data(Qt::UserRole).toInt(), shared.com_codes[p][0]);
}

TEST_F(GameFlow, NewGameWithNothingTickedSaysSoInARealMessageBox) {
    // The plain Qt host, whose message boxes are real: the test finds the box and presses OK.
    ui::QtHost real(folder, opener);
    ui::TitleScreen title(real, folder, shared, rng);
    real.set_parent(&title);
    QString seen;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen = box->text();
            box->button(QMessageBox::Ok)->click();
        }
    });
    QSignalSpy ready(&title, &ui::TitleScreen::gameReady);
    title.Command2_Click();
    EXPECT_EQ(seen, QStringLiteral("武将が選択されていません"));
    EXPECT_EQ(ready.count(), 0);
    EXPECT_FALSE(folder.exists("\\ini\\Kunisv.ini"));
}

// Comment2.ini without its last closing line: choosing scenario 2 (here by the keyboard) is
// refused naming it, and scenario 1 stays chosen whole, its ticks and working files included.
TEST_F(GameFlow, ADamagedMasterRefusesTheScenarioAndKeepsThePreviousOneWhole) {
    ui::TitleScreen title(host, folder, shared, rng);
    auto* scenarios = title.findChild<QListWidget*>(QStringLiteral("List1_0"));
    auto* warlords = title.findChild<QListWidget*>(QStringLiteral("List1_1"));
    const QString description = title.findChild<QLabel*>(QStringLiteral("Lab_txt"))->text();
    warlords->item(2)->setSelected(true);
    const std::string comments = tmp.read("ini/Comment2.ini");
    tmp.write("ini/Comment2.ini", comments.substr(0, comments.rfind(".\r\n")));
    const std::string files = tmp.read("ini/busv.ini") + tmp.read("ini/Cmtsv.ini");
    host.boxes.clear();
    scenarios->setCurrentRow(1);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_NE(host.boxes[0].find("ini/Comment2.ini"), std::string::npos) << host.boxes[0];
    EXPECT_EQ(shared.scenario_no, 1);
    EXPECT_EQ(shared.gun_count, 13);
    EXPECT_EQ(shared.bushou_count, 155);
    EXPECT_EQ(scenarios->currentRow(), 0);
    EXPECT_EQ(title.findChild<QLabel*>(QStringLiteral("Lab_txt"))->text(), description);
    ASSERT_EQ(warlords->count(), 13);
    EXPECT_TRUE(warlords->item(2)->isSelected());
    EXPECT_EQ(tmp.read("ini/busv.ini") + tmp.read("ini/Cmtsv.ini"), files);
}

TEST_F(GameFlow, WarlordClickOnTheTitleOpensTheRulersSheetModeless) {
    ui::TitleScreen title(host, folder, shared, rng);
    title.show();
    title.List1_1_Click(0);
    ui::StatusDialog* sheet = title.status_sheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_FALSE(sheet->isModal());
    // Over the title, within the screen, the warlord list left in view beside it.
    const QRect screen = title.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(sheet->frameGeometry()));
    EXPECT_TRUE(screen.contains(title.frameGeometry()));
    const auto* warlords = title.findChild<QListWidget*>(QStringLiteral("List1_1"));
    EXPECT_FALSE(sheet->frameGeometry().contains(warlords->mapToGlobal(warlords->rect().center())));
    EXPECT_EQ(sheet->general_id(), title.rules().warlords[0].ruler_id);
    EXPECT_FALSE(sheet->sheet().name.empty());
    EXPECT_EQ(sheet->sheet().job, "君主");
    title.List1_1_Click(1);  // the sheet follows the ruler clicked last
    ASSERT_NE(title.status_sheet(), nullptr);
    EXPECT_EQ(title.status_sheet()->general_id(), title.rules().warlords[1].ruler_id);
}

TEST_F(GameFlow, DecliningTheConfirmationChangesNothing) {
    auto main = start_scenario2({0});
    MainState& m = main->state();
    const int p = own_panel(m);
    ASSERT_GE(p, 0);
    decide_on_strategy_screen();
    const int slot = m.turn_slot;
    const auto plans = shared.gun_mei;
    host.boxes.clear();
    host.answers = {Answer::No};
    main->Com_Lst_Click(p, static_cast<int>(shared.com_codes[p].size()) - 1);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_TRUE(host.saw_box_ending("を行いますか？"));
    EXPECT_EQ(m.turn_slot, slot);
    EXPECT_EQ(m.year, 195);
    for (int w = 0; w <= kMaxWarlords; ++w) EXPECT_EQ(shared.gun_mei[w], plans[w]) << "warlord " << w;
    EXPECT_TRUE(host.windows.empty());
    EXPECT_EQ(shared.form_result, 0);
}

TEST_F(GameFlow, AcceptedOffersAreStoredAndTheLastPlayerRunsTheYear) {
    auto main = start_scenario2({0, 3});
    MainState& m = main->state();
    decide_on_strategy_screen();

    // The first player takes the last offer of his panel; the turn passes to the second.
    int p = own_panel(m);
    ASSERT_GE(p, 0);
    const int first = shared.player_gun[m.turn_slot];
    const int position = static_cast<int>(shared.com_codes[p].size()) - 1;
    host.boxes.clear();
    host.answers = {Answer::Yes};
    main->Com_Lst_Click(p, position);
    EXPECT_EQ(shared.gun_mei[first], position);
    EXPECT_EQ(host.boxes.back(), shared.player_name[3] + "の番です。");
    EXPECT_EQ(m.year, 195);
    EXPECT_TRUE(host.windows.empty());

    // The second player's confirmation carries out the year.
    p = own_panel(m);
    ASSERT_GE(p, 0);
    host.answers = {Answer::Yes};
    main->Com_Lst_Click(p, 0);
    const Clock::time_point confirmed = host.last_yes;
    ASSERT_GE(host.windows.size(), 2u);
    EXPECT_EQ(host.windows[0].msg_mode, kMsgStrategy);
    EXPECT_NE(host.windows[0].first_page.find("195年"), std::string::npos);
    EXPECT_EQ(host.windows[1].msg_mode, kMsgYearEnd);
    EXPECT_EQ(m.year, 196);
    EXPECT_EQ(year_text(*main), QStringLiteral("196年の戦況"));
    EXPECT_EQ(host.boxes.back(), shared.player_name[0] + "の番です。");
    EXPECT_TRUE(folder.read_text("\\ini\\kodarn.log").find("EOT=======") != std::string::npos);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(host.windows[0].opened - confirmed).count();
    std::cout << "[ timing ] message window of the year opened " << ms << " ms after the confirmation ("
              << host.windows[0].pages << " pages)\n";
}

TEST_F(GameFlow, TheBoardIsRedrawnBeforeEveryBoxOrWindowOverIt) {
    // What the board showed as each box or window opened: its year, whose turn, and how many
    // offers the player's own panel listed.
    struct Seen {
        std::string opened;
        QString year, turn;
        int own_offers = -1;
    };
    std::vector<Seen> seen;
    host.on_open = [&](const std::string& opened) {
        const int p = own_panel(board->state());
        auto* offers = p < 0 ? nullptr : board->findChild<QListWidget*>(QStringLiteral("Com_Lst_%1").arg(p));
        seen.push_back({opened, year_text(*board), board->findChild<QLabel*>(QStringLiteral("Teban_lab"))->text(),
                        offers ? offers->count() : -1});
    };
    auto main = start_scenario2({0, 3});
    const QString first = QString::fromStdString(shared.player_name[0]);
    const QString second = QString::fromStdString(shared.player_name[3]);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().opened, shared.player_name[0] + "の番です。");
    EXPECT_EQ(seen.back().year, QStringLiteral("195年の戦況"));
    EXPECT_TRUE(seen.back().turn.contains(first));
    EXPECT_EQ(seen.back().own_offers, static_cast<int>(shared.com_codes[own_panel(main->state())].size()));

    host.answers = {Answer::Yes, Answer::Yes, Answer::Yes};
    main->Command1_Click(3);
    EXPECT_TRUE(seen.back().turn.contains(second)) << "the second player's turn is announced over his name";
    seen.clear();
    main->Command1_Click(3);
    // The year's windows over the 195 board, the next turn over the 196 board.
    const auto window = std::find_if(seen.begin(), seen.end(), [](const Seen& s) { return s.opened == "window"; });
    ASSERT_NE(window, seen.end());
    EXPECT_EQ(window->year, QStringLiteral("195年の戦況"));
    EXPECT_EQ(seen.back().opened, shared.player_name[0] + "の番です。");
    EXPECT_EQ(seen.back().year, QStringLiteral("196年の戦況"));
    EXPECT_TRUE(seen.back().turn.contains(first));
}

TEST_F(GameFlow, TheStrategyScreenTellsTheOddsUnderTheExplanation) {
    auto main = start_scenario2({0});
    MainState& m = main->state();
    QString line, detail;
    host.on_dialog = [&](QDialog& d) {
        const auto* odds = d.findChild<QLabel*>(QStringLiteral("Lab_odds"));
        line = odds->isHidden() ? QString() : odds->text();
        detail = odds->toolTip();
        d.reject();
    };
    // The first offer of a panel that is carried out (not 待機).
    auto first_strategy = [&](int panel) {
        const auto& codes = shared.com_codes[panel];
        for (std::size_t pos = 0; pos < codes.size(); ++pos)
            if (strategy_rule(codes[pos])) return static_cast<int>(pos);
        return -1;
    };
    const int own = own_panel(m);
    ASSERT_GE(own, 0);
    ASSERT_GE(first_strategy(own), 0);
    main->Com_Lst_Click(own, first_strategy(own));
    EXPECT_TRUE(line.startsWith(QStringLiteral("見込み：実行 "))) << line.toStdString();
    EXPECT_TRUE(detail.contains(QStringLiteral("400回試算"))) << detail.toStdString();

    // Another panel's offer: what its warlords may expect with their plans as they stand.
    int other = -1;
    for (int p = 0; p <= 3 && other < 0; ++p)
        if (p != own && first_strategy(p) >= 0) other = p;
    ASSERT_GE(other, 0);
    main->Com_Lst_Click(other, first_strategy(other));
    EXPECT_TRUE(line.startsWith(QStringLiteral("見込み（今の計画のまま）："))) << line.toStdString();
}

TEST_F(GameFlow, AutoButtonAsksAndCarriesTheYearOnYes) {
    auto main = start_scenario2({2});
    MainState& m = main->state();
    host.answers = {Answer::No};
    main->Command1_Click(3);
    EXPECT_TRUE(host.saw_box_ending("の行動をコンピュータに任せますか？"));
    EXPECT_EQ(m.year, 195);
    EXPECT_TRUE(host.windows.empty());

    host.answers = {Answer::Yes};
    main->Command1_Click(3);
    EXPECT_EQ(m.year, 196);
    EXPECT_GE(host.windows.size(), 2u);
}

TEST_F(GameFlow, WithEveryPlayerGoneTheAutoButtonWatchesTheYearsGoBy) {
    auto main = start_scenario2({0});
    MainState& m = main->state();
    // The player's warlord is gone and he chose to go on: no slot is in play any more.
    for (int s = 0; s <= kMaxWarlords; ++s) shared.player_lord[s] = shared.player_gun[s] = 0;
    m.turn_slot = shared.gun_count;
    main->refresh();
    EXPECT_EQ(main->findChild<QLabel*>(QStringLiteral("Teban_lab"))->text(), QStringLiteral("観戦中"));
    host.boxes.clear();
    main->Command1_Click(3);
    EXPECT_EQ(m.year, 196);
    EXPECT_FALSE(host.saw_box_ending("の行動をコンピュータに任せますか？"));
    main->Command1_Click(3);
    EXPECT_EQ(m.year, 197);
    EXPECT_TRUE(main->findChild<QPushButton*>(QStringLiteral("Command1_3"))->isEnabled());
}

TEST_F(GameFlow, AnOfferOfAnotherPanelCanOnlyBeRead) {
    auto main = start_scenario2({0});
    MainState& m = main->state();
    const int own = own_panel(m);
    int other = -1;
    for (int p = 0; p < 4; ++p)
        if (p != own && !shared.com_codes[p].empty()) other = p;
    ASSERT_GE(other, 0);
    decide_on_strategy_screen();
    host.boxes.clear();
    main->Com_Lst_Click(other, 0);
    ASSERT_EQ(decide_offered.size(), 1u);
    EXPECT_FALSE(decide_offered[0]);
    EXPECT_EQ(shared.start_mode, 0);
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(m.year, 195);
}

TEST_F(GameFlow, VersionAndMenuEntriesOfOtherScreens) {
    auto main = start_scenario2({0});
    host.boxes.clear();
    main->cmdVer_Click();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0], "鼎陣記1.96\r\nsince2002/08/25");
    // 軍閥一覧 and the map button open their screens through the opener.
    opener.asked.clear();
    main->cmdItiran_Click();
    main->Command1_Click(0);
    main->cmdStandings_Click();
    EXPECT_EQ(opener.asked, (std::vector<std::string>{"warlord_list", "map", "standings"}));
    // Restarting without saving asks; No keeps the game.
    host.answers = {Answer::No};
    QSignalSpy restart(main.get(), &ui::MainScreen::restartRequested);
    main->newGame_Click();
    EXPECT_TRUE(host.saw_box_ending("セーブをしてませんがよろしいですか？"));
    EXPECT_EQ(restart.count(), 0);
    EXPECT_EQ(main->state().year, 195);
    host.answers = {Answer::Yes};
    main->newGame_Click();
    EXPECT_EQ(restart.count(), 1);
}

}  // namespace
}  // namespace teijinki::testing
