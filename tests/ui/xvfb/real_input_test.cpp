// The screens under a real X server: key presses and clicks go through the server (xdotool), so
// focus decides where they land as on a desktop, and windows are placed on a real screen. Run by
// run_under_xvfb.sh; the offscreen platform cannot show either.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <memory>
#include <string>

#include "setup/title_rules.h"
#include "ui/main/main_screen.h"
#include "ui/messages/msg_window.h"
#include "ui/saveload/svld_dialog.h"
#include "ui/title/title_screen.h"
#include "ui/ui_support.h"
#include "world/random.h"

namespace teijinki::testing {
namespace {

// Gives the window the keyboard (there is no window manager to do it) and presses the keys
// (xdotool names, e.g. "Right BackSpace ctrl+s") the way a keyboard would.
void press_keys(const QWidget& window, const std::string& keys) {
    const std::string id = std::to_string(window.winId());
    ASSERT_EQ(std::system(("xdotool windowfocus --sync " + id + " key --delay 40 " + keys).c_str()), 0) << keys;
    QTest::qWait(150);
}

// Clicks `count` times quickly at the window's centre.
void click_centre(const QWidget& window, int count) {
    const QPoint centre = window.mapToGlobal(window.rect().center());
    // (mousemove --sync would wait in vain when the pointer is there already)
    const std::string command = "xdotool mousemove " + std::to_string(centre.x()) + " " + std::to_string(centre.y()) +
                                " sleep 0.1 click --repeat " + std::to_string(count) + " --delay 60 1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    QTest::qWait(200);
}

void show_and_wait(QWidget& window) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
}

bool on_screen(const QWidget& window) {
    return window.screen()->availableGeometry().contains(window.frameGeometry());
}

TEST(RealInput, PagingKeysReachTheMessageWindowThroughTheFocusedButton) {
    TempGameFolder tmp;
    const GameFolder folder = tmp.folder();
    PageStore pages;
    for (int i = 0; i < 4; ++i) pages.page_text[i] = "頁" + std::to_string(i);
    pages.page_text[4] = kEndOfText;
    ui::MsgWindow w(nullptr, folder, pages, kMsgStrategy, false);
    show_and_wait(w);
    struct Step {
        const char* key;
        int page;
    };
    for (const Step step : {Step{"Right", 1}, Step{"Next", 2}, Step{"Left", 1}, Step{"End", 3}, Step{"Prior", 2},
                            Step{"Home", 0}, Step{"Return", 1}}) {
        press_keys(w, step.key);
        EXPECT_EQ(w.pager().page_no(), step.page) << step.key;
    }
    EXPECT_TRUE(on_screen(w));
    press_keys(w, "Escape");
    EXPECT_FALSE(w.isVisible());
}

class RealInputGame : public ShippedScreens<RecordingOpener, 3> {
protected:

};

TEST_F(RealInputGame, TheTitleCountsEveryPressOfADoubleClickAndWorksFromTheKeyboard) {
    ui::TitleScreen title(host, folder, shared, rng);
    title.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();  // only the clicks count here
    show_and_wait(title);
    EXPECT_TRUE(on_screen(title));
    click_centre(title, 2);
    EXPECT_EQ(title.rules().title_count, 2) << "both presses of a quick double click count";
    EXPECT_EQ(title.findChild<QLabel*>(QStringLiteral("Label1"))->text(), QString::fromUtf8(kTitleSplashText));
    click_centre(title, 1);
    ASSERT_FALSE(title.rules().splash_visible);

    // From the scenario list: Tab to the warlords, tick the first with Space, Tab to 終了 and on
    // to 続きから, whose Enter opens the load screen rather than starting a new game.
    press_keys(title, "Tab space");
    auto* warlords = title.findChild<QListWidget*>(QStringLiteral("List1_1"));
    ASSERT_EQ(QApplication::focusWidget(), warlords);
    EXPECT_TRUE(warlords->item(0)->isSelected());
    press_keys(title, "Tab Tab");
    EXPECT_EQ(QApplication::focusWidget(), title.findChild<QPushButton*>(QStringLiteral("Command1_1")));
    press_keys(title, "Return");
    EXPECT_EQ(opener.asked, (std::vector<std::string>{"load_from_title"}));
}

TEST_F(RealInputGame, TheSavePadTakesDigitsAndBackspaceFromTheKeyboard) {
    shared.start_mode = 1;  // the save screen
    ui::QtHost real(folder, opener);
    ui::SvldDialog pad(nullptr, real, folder, shared);
    show_and_wait(pad);
    EXPECT_TRUE(on_screen(pad));
    press_keys(pad, "3 BackSpace 0 7");
    EXPECT_EQ(pad.rules().Lab_num, "save07");
    press_keys(pad, "Escape");
    EXPECT_FALSE(pad.isVisible());
    EXPECT_EQ(shared.form_result, 0);
}

TEST_F(RealInputGame, TheMainScreenOpensWithinTheScreen) {
    ui::TitleScreen title(host, folder, shared, rng);
    title.findChild<QListWidget*>(QStringLiteral("List1_1"))->item(0)->setSelected(true);
    title.Command2_Click();
    ui::MainScreen main(host, folder, shared, rng);
    show_and_wait(main);
    main.open_game();
    EXPECT_TRUE(on_screen(main)) << main.frameGeometry().width() << "x" << main.frameGeometry().height();
    // The bottom row is on the screen and in reach.
    auto* automatic = main.findChild<QPushButton*>(QStringLiteral("Command1_3"));
    const QRect button(automatic->mapToGlobal(QPoint(0, 0)), automatic->size());
    EXPECT_TRUE(main.screen()->availableGeometry().contains(button));
}

}  // namespace
}  // namespace teijinki::testing
