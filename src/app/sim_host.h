#pragma once
// The terminal's Host: every message box, message-window page and report is printed as the
// player would read it, every question is answered Yes, and there is no music.

#include <iosfwd>
#include <string>

#include "world/host.h"

namespace teijinki {

class SimHost : public Host {
public:
    // quiet: only the reports (the message window in report mode) are printed.
    SimHost(std::ostream& out, bool quiet) : out_(out), quiet_(quiet) {}

    Answer message_box(const std::string& text, Buttons buttons) override;
    void show_pages(const PageStore& pages, int msg_mode, bool caution) override;
    void show_warlord_list() override {}
    void show_map() override {}
    bool play_music(const std::string&) override { return true; }
    void stop_music() override {}
    void end_program() override { ended_ = true; }

    bool ended() const { return ended_; }

private:
    void print_text(const std::string& text);
    std::ostream& out_;
    bool quiet_;
    bool ended_ = false;
};

}  // namespace teijinki
