#include "messages/message_modes.h"

#include "messages/credits.h"
#include "world/host.h"
#include "world/numbers.h"

namespace teijinki {

std::string year_heading(int year) {
    return std::string("＝＝＝＝＝＝＝＝＝") + kCrLf + "＝＝ 　" + Digits(year) + "年　＝＝" + kCrLf + "＝＝＝＝＝＝＝＝＝" + kCrLf;
}

void init_msg_pages(PageStore& pages, int year) {
    pages.clear_text();
    pages.page_no = 0;
    pages.page_text[0] = year_heading(year);
}

const char* msg_window_music(int msg_mode) {
    if (msg_mode == kMsgCredits) return "china1";
    if (msg_mode == kMsgStrategy) return "Game01";
    return "";
}

void load_msg_window(PageStore& pages, int msg_mode, const std::string& msg_text) {
    if (msg_mode == kMsgCredits) {
        credit(pages);
    } else {
        pages.page_text[0] = msg_text;
        pages.page_text[1] = kEndOfText;
    }
    pages.page_no = 0;
}

Pager::Pager(const PageStore& pages, int msg_mode)
    : pages_(pages), msg_mode_(msg_mode), close_enabled_(msg_mode != kMsgCredits) {
    shown();
}

const char* Pager::credit_picture() const { return last_shown_ ? kCreditLastPicture : kCreditPicture; }

void Pager::shown() {
    if (is_last_page()) {
        if (msg_mode_ == kMsgCredits) last_shown_ = true;
        close_enabled_ = true;
    }
}

void Pager::previous() {
    if (page_no_ >= 1) --page_no_;
    shown();
}

void Pager::next() {
    if (!is_last_page() && page_no_ < PageStore::kLastPage) ++page_no_;
    shown();
}

void Pager::last() {
    page_no_ = pages_.last_page();
    shown();
}

void Pager::first() {
    page_no_ = 0;
    shown();
}

bool Pager::timer_tick() {
    if (msg_mode_ != kMsgCredits) return false;
    const int before = page_no_;
    next();
    return page_no_ != before;
}

bool Pager::press(int index) {
    switch (index) {
        case 0: return close_enabled_;
        case 1: previous(); break;
        case 2: next(); break;
        case 3: last(); break;
        default: break;
    }
    return false;
}

}  // namespace teijinki
