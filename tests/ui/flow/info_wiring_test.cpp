// The main screen's ways into the information screens open the real screens in the program's
// opener: 軍閥一覧, the map button, a warlord in a panel, the player list, and the end of the game.

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <memory>

#include "ui/title/title_screen.h"
#include "turn/command_menu.h"
#include "ui/main/main_screen.h"
#include "ui/game_screens.h"
#include "ui/ui_support.h"
#include "world/random.h"

namespace teijinki::testing {
namespace {

class InfoWiring : public ShippedScreens<ui::GameScreenOpener, 3> {
protected:
    void SetUp() override {
        ui::TitleScreen title(host, folder, shared, rng);
        title.List1_0_Click(1);
        title.findChild<QListWidget*>(QStringLiteral("List1_1"))->item(0)->setSelected(true);
        title.Command2_Click();
        main = std::make_unique<ui::MainScreen>(host, folder, shared, rng);
        main->open_game();
        host.dialogs.clear();
    }

    std::unique_ptr<ui::MainScreen> main;
};

TEST_F(InfoWiring, MenuMapPanelAndPlayerListOpenTheirScreens) {
    std::vector<std::string> plots;
    host.on_dialog = [&](QDialog& d) {
        if (auto* txt = d.findChild<QLabel*>(QStringLiteral("Txt_lab"))) plots.push_back(txt->text().toStdString());
        d.reject();
    };
    main->cmdItiran_Click();
    main->Command1_Click(0);
    int panel = 0;
    while (panel < 4 && main->state().gun_lst[panel].ids.empty()) ++panel;
    ASSERT_LT(panel, 4);
    main->Gun_lst_Click(panel, 0);
    main->dsp_PC_Click(0);
    EXPECT_EQ(host.dialogs, (std::vector<std::string>{"ALL_Gdata", "Map", "Gdata", "Gdata"}));
    ASSERT_EQ(plots.size(), 2u);
    for (const std::string& line : plots) EXPECT_NE(line.find(kPlottingSuffix), std::string::npos) << line;
}

TEST_F(InfoWiring, TheEndOfTheGameShowsTheWarlordListTheMapAndTheCredits) {
    MainState& m = main->state();
    for (int moves = 0; moves < 200 && !m.game_over; ++moves) main->Command1_Click(3);
    ASSERT_TRUE(m.game_over);
    ASSERT_GE(host.dialogs.size(), 3u);
    const std::vector<std::string> last(host.dialogs.end() - 3, host.dialogs.end());
    EXPECT_EQ(last, (std::vector<std::string>{"ALL_Gdata", "Map", "Msg"}));
    ASSERT_FALSE(host.windows.empty());
    EXPECT_EQ(host.windows.back().msg_mode, kMsgCredits);
    EXPECT_TRUE(host.ended());
}

}  // namespace
}  // namespace teijinki::testing
