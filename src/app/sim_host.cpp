#include "app/sim_host.h"

#include <ostream>

#include "messages/message_modes.h"
#include "messages/page_store.h"

namespace teijinki {

void SimHost::print_text(const std::string& text) {
    // The game's texts break lines with CR LF; the terminal gets plain line feeds.
    std::string plain;
    plain.reserve(text.size() + 1);
    for (char c : text)
        if (c != '\r') plain += c;
    if (plain.empty() || plain.back() != '\n') plain += '\n';
    out_ << plain;
}

Answer SimHost::message_box(const std::string& text, Buttons buttons) {
    const Answer answer = buttons == Buttons::Ok ? Answer::Ok : buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    if (quiet_) return answer;
    print_text("【" + text + "】");
    if (buttons == Buttons::YesNo) out_ << "> はい\n";
    if (buttons == Buttons::OkCancel) out_ << "> OK\n";
    return answer;
}

void SimHost::show_pages(const PageStore& pages, int msg_mode, bool caution) {
    if (quiet_ && msg_mode != kMsgReport) return;
    if (caution) print_text(std::string("！") + kCautionText);
    Pager pager(pages, msg_mode);
    for (;;) {
        if (!pager.caption().empty()) print_text("〔" + pager.caption() + "〕");
        print_text(pager.text());
        if (pager.is_last_page()) break;
        const int before = pager.page_no();
        pager.next();
        if (pager.page_no() == before) break;
        out_ << "\n";
    }
    out_ << "\n";
}

}  // namespace teijinki
