#pragma once
// The message window without its drawing: what it loads for each msg_mode, and how its four
// buttons and its timer move through the pages. The desktop window and the terminal program
// both use these.

#include <string>

#include "messages/page_store.h"

namespace teijinki {

// The caption of the window and of its caution label.
inline constexpr const char* kMsgCaption = "鼎陣記・治世巻";
inline constexpr const char* kCautionText = "プレイヤーが攻撃を受けています";
// Credits paging interval.
inline constexpr int kCreditTimerMs = 3200;

// Page 0's heading for a year: three lines framed in "＝".
std::string year_heading(int year);
// init_rtn: every page's text cleared, page_no 0, the year heading on page 0.
void init_msg_pages(PageStore& pages, int year);

// The piece the window starts when it opens in a mode ("" for none).
const char* msg_window_music(int msg_mode);

// The pages of a mode that tells no year, on pages init_msg_pages prepared: the credits roll for
// mode 0, msg_text as page 0 with "EOT" after it for any other mode. The year's own pages (mode 1)
// are written by the turn engine, which carries the year out; the window only shows them.
void load_msg_window(PageStore& pages, int msg_mode, const std::string& msg_text);

// Paging of the window (Command1 1..3 and Timer1), with what a page shows.
class Pager {
public:
    Pager(const PageStore& pages, int msg_mode);

    int page_no() const { return page_no_; }
    int msg_mode() const { return msg_mode_; }
    const std::string& text() const { return pages_.page_text[page_no_]; }
    const std::string& caption() const { return pages_.page_caption[page_no_]; }
    // The page's picture base name ("" = none); the file is "CG\" + name + ".jpg".
    const std::string& picture() const { return pages_.page_cg[page_no_]; }
    // The credits picture area: visible in the credits roll from page 4 on.
    bool credit_picture_visible() const { return msg_mode_ == 0 && page_no_ > 3; }
    // "eiyu3", or "eiyu3mono" once the last page of the roll was shown.
    const char* credit_picture() const;
    bool is_last_page() const { return pages_.page_text[page_no_ + 1] == kEndOfText; }
    // 閉: usable from the start except in the credits roll, there from the last page on.
    bool close_enabled() const { return close_enabled_; }

    // 前ページ, 次ページ, 最終ページ, and the first page (the Home key).
    void previous();
    void next();
    void last();
    void first();
    // Timer1: pages by itself only in the credits roll. True when the page changed.
    bool timer_tick();
    // Command1(index): 0 closes (returns true; a disabled 閉 does nothing), 1..3 page.
    bool press(int index);

private:
    void shown();
    const PageStore& pages_;
    int msg_mode_;
    int page_no_ = 0;
    bool close_enabled_;
    bool last_shown_ = false;
};

}  // namespace teijinki
