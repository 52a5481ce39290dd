// Pictures of every screen for a person to look at: written only when TEIJINKI_SCREENSHOTS names
// a folder. Also prints how long the title screen takes to appear.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPlainTextEdit>
#include <iostream>

#include "messages/credits.h"
#include "messages/message_modes.h"
#include "screens/cmt_edit_dialog.h"
#include "screens/status_dialog.h"
#include "setup/title_screen.h"
#include "strategy/strate_dialog.h"
#include "turn/command_menu.h"
#include "turn/main_screen.h"
#include "ui/style.h"
#include "ui_support.h"
#include "world/random.h"

namespace teijinki::testing {
namespace {

void save(QWidget& w, const QString& dir, const char* name) {
    w.show();
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    const QString path = dir + "/" + QString::fromUtf8(name) + ".png";
    EXPECT_TRUE(w.grab().save(path)) << path.toStdString();
}

TEST(Screenshots, EveryScreen) {
    const QByteArray dir = qgetenv("TEIJINKI_SCREENSHOTS");
    if (dir.isEmpty()) GTEST_SKIP() << "set TEIJINKI_SCREENSHOTS to a folder to take the pictures";
    if (!shipped_data_present()) GTEST_SKIP() << "the shipped scenario data are not there yet";
    TempGameFolder tmp;
    tmp.copy_shipped_ini();
    copy_shipped_pictures(tmp);
    GameFolder folder(tmp.root());
    ui::ScreenOpener opener;
    ScriptedQtHost host(folder, opener);
    SharedValues shared;
    SeededRandom rng(11);
    const QString out = QString::fromUtf8(dir);
    ui::apply_game_style(*qApp);

    QElapsedTimer clock;
    clock.start();
    auto title = std::make_unique<ui::TitleScreen>(host, folder, shared, rng);
    title->show();
    QApplication::processEvents();
    std::cout << "[ timing ] title screen built and shown in " << clock.elapsed() << " ms\n";
    save(*title, out, "01_title_splash");
    for (int i = 0; i < 5; ++i) title->Timer1_Timer();
    title->findChild<QListWidget*>(QStringLiteral("List1_0"))->setCurrentRow(1);
    title->List1_0_Click(1);
    auto* warlords = title->findChild<QListWidget*>(QStringLiteral("List1_1"));
    warlords->item(0)->setSelected(true);
    warlords->item(4)->setSelected(true);
    save(*title, out, "02_title");
    title->List1_1_Click(0);
    if (title->status_sheet()) save(*title->status_sheet(), out, "03_status_from_title");
    title->Command2_Click();
    title.reset();

    ui::MainScreen main(host, folder, shared, rng);
    main.resize(1280, 800);
    main.open_game();
    save(main, out, "04_main");

    MainState& m = main.state();
    int own = 0;
    for (int p = 0; p < 4; ++p)
        if (is_own_panel(m, p)) own = p;
    prepare_offer(m, own, 0);
    {
        ui::StrateDialog strate(&main, host, folder, shared);
        save(strate, out, "05_strate");
    }
    // A recruiting offer shows the data button.
    shared.com_codes[own][0] = 1;
    shared.com_subject[own][0] = 2;
    prepare_offer(m, own, 0);
    {
        ui::StrateDialog strate(&main, host, folder, shared);
        save(strate, out, "06_strate_recruit");
    }
    shared.form_param = 2;
    {
        ui::StatusDialog sheet(&main, host, folder, shared, true);
        save(sheet, out, "07_status");
    }
    shared.msg_text = "荀彧";
    {
        ui::CmtEditDialog editor(&main, host, folder, shared);
        editor.text_box()->setPlainText(QStringLiteral("王佐の才と称された。\n.この行も書いたとおりに残る"));
        save(editor, out, "08_cmt_edit");
    }

    // The year's message window, as the rules leave it.
    auto state = std::make_unique<MsgState>(folder, shared, rng, m.text_table);
    init_msg_pages(state->pages, m.year);
    shared.msg_mode = kMsgStrategy;
    load_msg_window(*state);
    {
        ui::MsgWindow w(&main, folder, state->pages, kMsgStrategy, true);
        save(w, out, "09_msg_year_p1");
        for (int i = 0; i < 3; ++i) w.Command1_Click(2);
        save(w, out, "10_msg_year_p4");
    }
    PageStore credits;
    credit(credits);
    {
        ui::MsgWindow w(&main, folder, credits, kMsgCredits, false);
        w.Command1_Click(2);
        save(w, out, "11_credits_p2");
        w.Command1_Click(3);
        save(w, out, "12_credits_last");
    }
}

}  // namespace
}  // namespace teijinki::testing
