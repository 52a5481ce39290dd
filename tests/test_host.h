#pragma once
// A Host for tests: answers questions from a script (Yes / Ok when the script is empty) and
// records everything the rules showed, so a test can check what the player would have seen.

#include <deque>
#include <string>
#include <vector>

#include "messages/page_store.h"
#include "world/host.h"

namespace teijinki::testing {

class ScriptedHost : public Host {
public:
    struct Box {
        std::string text;
        Buttons buttons;
    };
    struct Window {
        int msg_mode = 0;
        bool caution = false;
        std::vector<std::string> pages;     // page 0 .. the last page before "EOT"
        std::vector<std::string> pictures;  // page_cg of those pages
    };

    // The answer to the next question that has more than one button.
    void answer(Answer a) { answers_.push_back(a); }
    // Whether music can be played (false simulates a machine without a sound device).
    bool music_works = true;

    Answer message_box(const std::string& text, Buttons buttons) override {
        boxes.push_back({text, buttons});
        events.push_back("box:" + text);
        if (buttons == Buttons::Ok) return Answer::Ok;
        if (answers_.empty()) return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
        const Answer a = answers_.front();
        answers_.pop_front();
        return a;
    }
    void show_pages(const PageStore& store, int msg_mode, bool caution) override {
        Window w;
        w.msg_mode = msg_mode;
        w.caution = caution;
        for (int i = 0; i <= PageStore::kLastPage; ++i) {
            w.pages.push_back(store.page_text[i]);
            w.pictures.push_back(store.page_cg[i]);
            if (store.page_text[i + 1] == kEndOfText) break;
        }
        windows.push_back(std::move(w));
        events.push_back("window:" + std::to_string(msg_mode));
    }
    void show_standings() override { events.push_back("standings"); }
    void show_warlord_list() override { events.push_back("warlord_list"); }
    void show_map() override { events.push_back("map"); }
    bool play_music(const std::string& piece) override {
        music.push_back(piece);
        events.push_back("music:" + piece);
        return music_works;
    }
    void stop_music() override { events.push_back("stop_music"); }
    void end_program() override {
        ++ended;
        events.push_back("end");
    }

    // Windows shown in one mode.
    std::vector<Window> windows_in(int msg_mode) const {
        std::vector<Window> out;
        for (const auto& w : windows)
            if (w.msg_mode == msg_mode) out.push_back(w);
        return out;
    }
    bool saw_box(const std::string& text) const {
        for (const auto& b : boxes)
            if (b.text == text) return true;
        return false;
    }

    std::vector<Box> boxes;
    std::vector<Window> windows;
    std::vector<std::string> music;
    std::vector<std::string> events;
    int ended = 0;

private:
    std::deque<Answer> answers_;
};

}  // namespace teijinki::testing
