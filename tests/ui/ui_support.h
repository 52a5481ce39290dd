#pragma once
// A Qt host for tests: message boxes are answered from a script and recorded, and every modal
// dialog is driven by hand instead of running its own event loop.

#include <gtest/gtest.h>

#include <QDialog>
#include <QPushButton>
#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/messages/msg_window.h"
#include "test_support.h"
#include "ui/qt_host.h"
#include "ui/screen_opener.h"
#include "world/random.h"
#include "world/shared_values.h"

namespace teijinki::testing {

using Clock = std::chrono::steady_clock;

struct SeenWindow {
    int msg_mode = -1;
    int pages = 0;  // pages the test leafed through, the first included
    std::string first_page;
    std::string last_page;
    Clock::time_point opened;
};

// An opener that only records which screen the game asked for.
class RecordingOpener : public ui::ScreenOpener {
public:
    std::vector<std::string> asked;
    int open_load_from_title(QWidget*, const GameFolder&, SharedValues&) override {
        asked.push_back("load_from_title");
        return 0;
    }
    void save_game(QWidget*, MainState&) override { asked.push_back("save"); }
    void load_game(QWidget*, MainState&) override { asked.push_back("load"); }
    void open_warlord_list(QWidget*, MainState&) override { asked.push_back("warlord_list"); }
    void open_map(QWidget*, MainState&) override { asked.push_back("map"); }
    void open_standings(QWidget*, MainState&) override { asked.push_back("standings"); }
    void open_warlord_sheet(QWidget*, MainState&) override { asked.push_back("warlord_sheet"); }
};

class ScriptedQtHost : public ui::QtHost {
public:
    ScriptedQtHost(const GameFolder& folder, ui::ScreenOpener& opener) : QtHost(folder, opener) {}

    std::vector<std::string> boxes;   // every message box text, in order
    std::deque<Answer> answers;       // answers to questions; Yes / Ok when the script is empty
    std::vector<std::string> dialogs; // object names of the modal dialogs run
    std::vector<SeenWindow> windows;  // message windows paged through
    // Handles a dialog other than the message window; the default closes it with reject().
    std::function<void(QDialog&)> on_dialog;
    // Told of every box (its text) and message window ("window") as it opens.
    std::function<void(const std::string&)> on_open;
    Clock::time_point last_yes;

    Answer message_box_over(QWidget*, const std::string& text, Buttons buttons) override {
        if (on_open) on_open(text);
        boxes.push_back(text);
        if (buttons == Buttons::Ok) return Answer::Ok;
        Answer a = buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
        if (!answers.empty()) {
            a = answers.front();
            answers.pop_front();
        }
        if (a == Answer::Yes) last_yes = Clock::now();
        return a;
    }

    int run_modal(QDialog& dialog) override {
        dialogs.push_back(dialog.objectName().toStdString());
        if (auto* msg = qobject_cast<ui::MsgWindow*>(&dialog)) {
            if (on_open) on_open("window");
            SeenWindow seen;
            seen.opened = Clock::now();
            seen.msg_mode = msg->pager().msg_mode();
            seen.first_page = msg->pager().text();
            seen.pages = 1;
            while (!msg->pager().is_last_page()) {
                const int before = msg->pager().page_no();
                msg->Command1_Click(2);
                if (msg->pager().page_no() == before) break;
                ++seen.pages;
            }
            seen.last_page = msg->pager().text();
            msg->Command1_Click(0);
            windows.push_back(seen);
            return dialog.result();
        }
        if (on_dialog) on_dialog(dialog);
        else dialog.reject();
        return dialog.result();
    }

    bool saw_box_ending(const std::string& suffix) const {
        for (const auto& b : boxes)
            if (b.size() >= suffix.size() && b.compare(b.size() - suffix.size(), suffix.size(), suffix) == 0) return true;
        return false;
    }
};

// Clicks a named button of a dialog.
inline void click(QDialog& dialog, const char* name) {
    if (auto* b = dialog.findChild<QPushButton*>(QString::fromUtf8(name))) b->click();
}

// The shipped tables in a temporary game folder, with a scripted host over it.
template <class Opener, std::uint64_t Seed>
class ShippedScreens : public ::testing::Test {
protected:
    ShippedScreens() : host(folder, opener) { tmp.copy_shipped_ini(); }

    TempGameFolder tmp;
    GameFolder folder{tmp.root()};
    Opener opener;
    ScriptedQtHost host;
    SharedValues shared;
    SeededRandom rng{Seed};
};

inline void copy_shipped_pictures(const TempGameFolder& tmp) {
    std::filesystem::copy(std::filesystem::path(TEIJINKI_DATA_DIR) / "CG", tmp.root() / "CG",
                          std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive);
}

}  // namespace teijinki::testing
