// The message window without its drawing: the pages each mode loads, the paging of its buttons
// and timer, the credits, and the game log the strategy phase appends to.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "messages/credits.h"
#include "messages/game_log.h"
#include "messages/message_modes.h"
#include "test_support.h"
#include "world/host.h"

namespace teijinki {
namespace {

using testing::crlf_lines;
using testing::TempGameFolder;

PageStore pages_of(std::initializer_list<std::string> texts) {
    PageStore p;
    int i = 0;
    for (const auto& t : texts) p.page_text[i++] = t;
    p.page_text[i] = kEndOfText;
    return p;
}

TEST(Pager, ButtonsMoveWithinTheTextAndNeverOntoTheEndMark) {
    PageStore one = pages_of({"only"});
    one.page_text[2] = kEndOfText;  // a stale mark further on: the first one ends the text
    Pager single(one, kMsgYearEnd);
    for (int button : {1, 2, 3}) single.press(button);
    EXPECT_EQ(single.page_no(), 0);
    EXPECT_TRUE(single.press(0));

    const PageStore p = pages_of({"a", "b", "c"});
    Pager pager(p, kMsgStrategy);
    for (int i = 0; i < 3; ++i) pager.next();
    EXPECT_EQ(pager.text(), "c");
    for (int i = 0; i < 3; ++i) pager.previous();  // back to the first page and no further
    EXPECT_EQ(pager.page_no(), 0);
    EXPECT_FALSE(pager.timer_tick());  // the timer pages only in the credits roll
    pager.press(3);
    EXPECT_EQ(pager.page_no(), 2);
    EXPECT_EQ(PageStore().last_page(), 0) << "a store without its end mark shows one page";
    Pager roll(one, kMsgCredits);  // a roll of one page may be closed at once
    EXPECT_TRUE(roll.close_enabled());
}

TEST(Pager, CreditsRollByTheTimerAndUnlockClosingOnTheLastPage) {
    PageStore p;
    p.page_cg.fill("前"), p.page_caption.fill("前");  // a window's store keeps nothing of its last text
    credit(p);
    EXPECT_EQ(p.page_text[6], kEndOfText);
    auto lines = [](int n) {
        std::string out;
        while (n-- > 0) out += "\r\n";
        return out;
    };
    for (int i = 0; i <= 5; ++i) {  // six different pages: thanks low on the page, then the maker
        const std::string head = i <= 3 ? lines(8) + " Special Thanks" + lines(2) : lines(20) + "　　　　　Produced by\r\n";
        EXPECT_EQ(p.page_text[i].rfind(head, 0), 0u) << i;
        EXPECT_GT(p.page_text[i].size(), head.size() + 10) << i;
        if (i > 0) {
            EXPECT_NE(p.page_text[i], p.page_text[i - 1]) << i;
        }
    }
    EXPECT_EQ(std::vector<std::string>(p.page_cg.begin(), p.page_cg.begin() + 6),
              (std::vector<std::string>{"kanu2", "enjutu2", "koumei1", "shougun1", "", ""}));
    EXPECT_EQ(std::vector<std::string>(p.page_caption.begin(), p.page_caption.begin() + 6), std::vector<std::string>(6));
    Pager pager(p, kMsgCredits);
    EXPECT_FALSE(pager.close_enabled());
    EXPECT_FALSE(pager.press(0));
    std::string shown;  // per page: is the credits picture visible
    do shown += pager.credit_picture_visible() ? '1' : '0';
    while (pager.timer_tick());
    EXPECT_EQ(shown, "000011");  // pages 4 and 5; 5 ticks of 3.2 s before the close button works
    EXPECT_EQ(kCreditTimerMs, 3200);
    EXPECT_EQ(pager.page_no(), 5);
    EXPECT_TRUE(pager.close_enabled());
    EXPECT_STREQ(pager.credit_picture(), kCreditLastPicture);
    pager.previous();
    EXPECT_TRUE(pager.close_enabled());
}

TEST(PageStoreLimit, TextPastPage39StaysOnPage39AndTheEndMarkSurvives) {
    std::string section = ".1\r\n";
    for (int i = 0; i < 45; ++i) section += "頁" + std::to_string(i) + "\r\n/\r\n";
    section += "..\r\n.100\r\n..\r\n";
    const TemplateTable table = TemplateTable::from_text(section);
    PageStore p;
    table.compose(1, "", "", p);
    p.mark_end();
    EXPECT_EQ(p.page_no, PageStore::kLastPage);
    EXPECT_EQ(p.page_text[40], kEndOfText);
    EXPECT_EQ(p.last_page(), 39);
    Pager pager(p, kMsgStrategy);
    pager.press(3);
    EXPECT_EQ(pager.page_no(), 39);
    const PageStore unmarked;  // no end mark at all: the last page still holds
    Pager open_ended(unmarked, kMsgStrategy);
    for (int i = 0; i < 45; ++i) open_ended.next();
    EXPECT_EQ(open_ended.page_no(), 39);
}

class MsgModesTest : public ::testing::Test {
protected:
    TempGameFolder dir;
    GameFolder folder = dir.folder();
};

TEST_F(MsgModesTest, AReportModeShowsTheCallersTextAloneWithoutTheYearHeading) {
    PageStore pages;
    pages.page_text[2] = "前の年の頁", pages.page_no = 2;  // nothing of the year before is left
    init_msg_pages(pages, 195);
    EXPECT_EQ(std::tie(pages.page_text[0], pages.page_text[2], pages.page_no),
              std::make_tuple("＝＝＝＝＝＝＝＝＝\r\n＝＝ 　195年　＝＝\r\n＝＝＝＝＝＝＝＝＝\r\n", "", 0));
    pages.page_no = 3;  // the window opens on the first page whatever page was shown last
    load_msg_window(pages, kMsgYearEnd, "年末の報告\r\n");
    EXPECT_EQ(std::tie(pages.page_text[0], pages.page_text[1], pages.page_no), std::make_tuple("年末の報告\r\n", kEndOfText, 0));
    PageStore credits;
    credit(credits);
    load_msg_window(pages, kMsgCredits, "年末の報告\r\n");
    EXPECT_EQ(pages.page_text, credits.page_text);
    EXPECT_STREQ(msg_window_music(kMsgCredits), "china1");
    EXPECT_STREQ(msg_window_music(kMsgStrategy), "Game01");
    EXPECT_STREQ(msg_window_music(kMsgReport), "");
}

TEST_F(MsgModesTest, AMissingLogStartsWithItsHeadingAndKeepsOneTerminatorAfterTheNewestEntry) {
    mkLog(folder, pages_of({"189年\r\n一頁目", "二頁目"}));
    const std::string first = crlf_lines({kLogHeading, "189年", "一頁目", "二頁目", kLogEnd});
    EXPECT_EQ(dir.read("ini/kodarn.log"), first);
    mkLog(folder, pages_of({"190年"}));
    EXPECT_EQ(dir.read("ini/kodarn.img"), first) << "the old log stays behind";
    mkLog(folder, pages_of({"191年"}));
    EXPECT_EQ(dir.read("ini/kodarn.log"),
              crlf_lines({kLogHeading, "189年", "一頁目", "二頁目", "190年", "191年", kLogEnd}));
}

// The old terminator goes only where it stands as a whole line, whatever the line ends.
TEST_F(MsgModesTest, TheOldTerminatorIsOnlyAWholeLine) {
    const std::string end = kLogEnd;
    const std::pair<std::string, std::string> old_and_kept[] = {
        {"H\nold\n" + end + "\n", "H\nold\n"}, {"H\rold\r" + end + "\r", "H\rold\r"},
        {end + "\r\nlost", ""}, {"H\r\n" + end, "H\r\n"}, {"a " + end + "\r\n", "a " + end + "\r\n"},
        {"H\r\n" + end + "=\r\n" + end + "\r\n", "H\r\n" + end + "=\r\n"},
        {"H\r\nold", "H\r\nold\r\n"},  // a last line that lost its break gets one
    };
    for (const auto& [old, kept] : old_and_kept) {
        dir.write("ini/kodarn.log", old);
        mkLog(folder, pages_of({"189年"}));
        EXPECT_EQ(dir.read("ini/kodarn.log"), kept + "189年\r\n" + end + "\r\n") << old;
    }
}

TEST_F(MsgModesTest, AFullPhaseLogsAllFortyPages) {
    PageStore p;
    for (int i = 0; i <= PageStore::kLastPage; ++i) p.page_text[i] = "p" + std::to_string(i);
    p.page_no = PageStore::kLastPage;
    p.mark_end();
    dir.write("ini/kodarn.log", crlf_lines({kLogHeading, "old", kLogEnd}));
    mkLog(folder, p);
    const std::string log = dir.read("ini/kodarn.log");
    EXPECT_NE(log.find("\r\np39\r\nEOT=======\r\n"), std::string::npos);
    EXPECT_EQ(log.find(kLogEnd), log.rfind(kLogEnd));
}

}  // namespace
}  // namespace teijinki
