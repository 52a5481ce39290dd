// The message window's paging, its credits roll on a short timer, and the strategy screen's
// buttons by start_mode.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

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
    // No picture, no empty frame.
    EXPECT_TRUE(w.findChild<QLabel*>(QStringLiteral("Picture3"))->isHidden());
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
    // Paged back by hand, the roll moves on again at the next tick.
    EXPECT_TRUE(w.findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
    w.Command1_Click(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.pager().is_last_page(); }, 5000));
    w.Command1_Click(0);
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

// A page of `lines` numbered lines.
std::string lines_page(int lines) {
    std::string text;
    for (int i = 1; i <= lines; ++i) text += "第" + std::to_string(i) + "行\r\n";
    return text;
}

TEST(MsgWindow, AWindowGrowsToItsTallestPageAsFarAsTheScreenAllows) {
    TempGameFolder tmp;
    const GameFolder folder = tmp.folder();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    PageStore pages;
    pages.page_text[0] = "短い頁";
    pages.page_text[2] = kEndOfText;
    // The second page needs about three quarters of the screen's height; a window of the short
    // page alone keeps its usual size.
    pages.page_text[1] = kEndOfText;
    ui::MsgWindow probe(nullptr, folder, pages, kMsgStrategy, false);
    probe.show();
    QApplication::processEvents();
    EXPECT_LE(probe.height(), 600);
    const int line = probe.findChild<QLabel*>(QStringLiteral("Label1"))->fontMetrics().lineSpacing();
    pages.page_text[1] = lines_page(area.height() * 3 / 4 / line);
    ui::MsgWindow w(nullptr, folder, pages, kMsgStrategy, false);
    w.show();
    QApplication::processEvents();
    EXPECT_TRUE(area.contains(w.frameGeometry()));
    EXPECT_GT(w.height(), probe.height()) << "taller than a window of short pages";
    w.Command1_Click(2);
    QApplication::processEvents();
    EXPECT_FALSE(w.rest_hidden()) << "the whole page is in view";
    EXPECT_FALSE(button(w, 2)->isEnabled());
}

TEST(MsgWindow, TheHiddenRestOfATallPageIsReadBeforeTheWindowCloses) {
    TempGameFolder tmp;
    const GameFolder folder = tmp.folder();
    PageStore pages;
    pages.page_text[0] = lines_page(200);  // taller than any screen
    pages.page_text[1] = kEndOfText;
    ui::MsgWindow w(nullptr, folder, pages, kMsgReport, false);
    w.show();
    QApplication::processEvents();
    auto* count = w.findChild<QLabel*>(QStringLiteral("PageCount"));
    ASSERT_TRUE(w.rest_hidden());
    EXPECT_TRUE(count->text().contains(QStringLiteral("続きあり"))) << count->text().toStdString();
    EXPECT_TRUE(button(w, 2)->isEnabled()) << "次ページ leads on through the page";
    QScrollBar* bar = w.findChild<QScrollBar*>(QStringLiteral("VScroll1"));
    int steps = 0;
    while (w.rest_hidden() && steps < 100) {
        const int before = bar->value();
        QTest::keyClick(&w, Qt::Key_Return);
        ASSERT_GT(bar->value(), before);
        ++steps;
    }
    EXPECT_GT(steps, 1);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_FALSE(button(w, 2)->isEnabled());
    EXPECT_FALSE(count->text().contains(QStringLiteral("続きあり")));
    EXPECT_TRUE(w.isVisible());
    QTest::keyClick(&w, Qt::Key_PageUp);  // back up the page
    EXPECT_LT(bar->value(), bar->maximum());
    QTest::keyClick(&w, Qt::Key_End);
    QTest::keyClick(&w, Qt::Key_Return);
    EXPECT_TRUE(w.isVisible()) << "Enter reads the rest first";
    for (int i = 0; i < 100 && w.rest_hidden(); ++i) QTest::keyClick(&w, Qt::Key_PageDown);
    QTest::keyClick(&w, Qt::Key_Return);
    EXPECT_FALSE(w.isVisible());
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
