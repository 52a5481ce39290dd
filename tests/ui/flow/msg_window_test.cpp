// The message window's paging, its credits roll on a short timer, and the strategy screen's
// buttons by start_mode.

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "messages/credits.h"
#include "ui/messages/msg_window.h"
#include "ui/strategy/strate_dialog.h"
#include "ui/ui_support.h"

namespace teijinki::testing {
namespace {

QPushButton* button(QWidget& w, int index) {
    return w.findChild<QPushButton*>(QStringLiteral("Command1_%1").arg(index));
}

TEST(MsgWindow, PagesForwardBackAndToTheEnd) {
    TempGameFolder tmp;
    PageStore pages;
    pages.page_text[0] = "一";
    pages.page_text[1] = "二";
    pages.page_text[2] = "三";
    pages.page_cg[1] = "nobody";  // a missing picture leaves the area empty
    pages.page_caption[1] = "某";
    pages.page_text[3] = kEndOfText;
    const GameFolder folder = tmp.folder();
    ui::MsgWindow w(nullptr, folder, pages, kMsgStrategy, true);
    EXPECT_FALSE(w.findChild<QLabel*>(QStringLiteral("Lbl_Caution"))->isHidden());
    EXPECT_TRUE(button(w, 0)->isEnabled());
    auto* text = w.findChild<QLabel*>(QStringLiteral("Label1"));
    w.Command1_Click(1);
    EXPECT_EQ(w.pager().page_no(), 0);
    w.Command1_Click(2);
    EXPECT_EQ(text->text(), QStringLiteral("二"));
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("Label2"))->text(), QStringLiteral("某"));
    EXPECT_TRUE(w.findChild<QLabel*>(QStringLiteral("Picture3"))->pixmap().isNull());
    w.Command1_Click(3);
    EXPECT_EQ(text->text(), QStringLiteral("三"));
    w.Command1_Click(2);
    EXPECT_EQ(w.pager().page_no(), 2);
    w.Command1_Click(0);
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

TEST(MsgWindow, CreditsRollReachesItsLastPageByTheTimer) {
    TempGameFolder tmp;
    copy_shipped_pictures(tmp);
    PageStore pages;
    credit(pages);
    const GameFolder folder = tmp.folder();
    ui::MsgWindow w(nullptr, folder, pages, kMsgCredits, false, 15);
    w.show();
    EXPECT_FALSE(button(w, 0)->isEnabled());
    w.reject();  // Escape does not cut the roll short
    EXPECT_TRUE(w.isVisible());
    auto* scene = w.findChild<QLabel*>(QStringLiteral("Picture4"));
    EXPECT_TRUE(scene->isHidden());
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.pager().is_last_page(); }, 5000));
    EXPECT_EQ(w.pager().page_no(), pages.last_page());
    EXPECT_TRUE(button(w, 0)->isEnabled());
    EXPECT_FALSE(scene->isHidden());
    EXPECT_STREQ(w.pager().credit_picture(), "eiyu3mono");
    if (std::filesystem::exists(tmp.root() / "CG" / "eiyu3mono.jpg")) {
        EXPECT_FALSE(scene->pixmap().isNull());
    }
    w.Command1_Click(0);
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

class StrateButtons : public ::testing::Test {
protected:
    void SetUp() override {
        tmp.write("ini/Command.ini", crlf_lines({".1", "在野の", "+", "を登用する。", ".", "/", "後の頁", "..", ".100"}));
        shared.msg_text = "人材募集\r\n（要器量)";
        shared.text_no = 1;
        shared.text_sub1 = "荀彧";
    }
    TempGameFolder tmp;
    GameFolder folder{tmp.root()};
    RecordingOpener opener;
    SharedValues shared;
};

TEST_F(StrateButtons, ButtonsFollowStartModeAndTheDataButtonTheGeneral) {
    ScriptedQtHost host(folder, opener);
    struct Case {
        int start_mode, general;
        bool back, decide, data;
    };
    for (const Case c : {Case{1, 3, true, true, true}, Case{2, 0, false, true, false}, Case{0, 0, true, false, false}}) {
        shared.start_mode = c.start_mode;
        shared.form_param = c.general;
        ui::StrateDialog d(nullptr, host, folder, shared);
        EXPECT_EQ(!button(d, 0)->isHidden(), c.back) << c.start_mode;
        EXPECT_EQ(!button(d, 1)->isHidden(), c.decide) << c.start_mode;
        EXPECT_EQ(!button(d, 2)->isHidden(), c.data) << c.start_mode;
        EXPECT_EQ(button(d, 2)->text(), QStringLiteral("荀彧のデータ"));
        // A "/" line empties the explanation: only the text after it is shown.
        EXPECT_EQ(d.cmd_text(), "後の頁\r\n");
    }
}

TEST_F(StrateButtons, DecideSetsTheResultAndBackingOutAfterTheDataSheetDoesNot) {
    ScriptedQtHost host(folder, opener);
    shared.start_mode = 1;
    shared.form_param = 3;
    shared.form_result = 0;
    {
        ui::StrateDialog d(nullptr, host, folder, shared);
        // The sheet's comment editor leaves form_result = 1 and its own msg_text behind.
        host.on_dialog = [&](QDialog&) {
            shared.form_result = 1;
            shared.msg_text = "荀彧";
        };
        d.Command1_Click(2);
        EXPECT_EQ(host.dialogs.back(), "Status");
        EXPECT_EQ(shared.form_param, 3);
        d.Command1_Click(0);
        EXPECT_EQ(shared.form_result, 0);
        EXPECT_EQ(shared.msg_text, "人材募集\r\n（要器量)");
    }
    ui::StrateDialog d(nullptr, host, folder, shared);
    d.Command1_Click(1);
    EXPECT_EQ(shared.form_result, 1);
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace teijinki::testing
