#pragma once
// The desktop program's Host: real modal message boxes and the message window, the screens of
// the ScreenOpener, and the game's music (the pieces of the folder's midi\ on one player). Every modal dialog of the game is run through
// run_modal, so tests can answer the dialogs the rules open in the middle of a year.

#include <functional>
#include <memory>
#include <string>

#include "media/music_player.h"
#include "ui/screen_opener.h"
#include "world/game_folder.h"
#include "world/host.h"

class QDialog;
class QWidget;

namespace teijinki {
struct MainState;
}  // namespace teijinki

namespace teijinki::ui {

class QtHost : public Host {
public:
    QtHost(const GameFolder& folder, ScreenOpener& opener);
    ~QtHost() override;

    // The window that owns the dialogs (the screen in front).
    void set_parent(QWidget* parent) { parent_ = parent; }
    QWidget* parent() const { return parent_; }
    // The game the main screen plays, for the screens opened at the end of the game.
    void set_main_state(MainState* m) { main_ = m; }
    void set_music(PieceMusic* music) { music_ = music; }
    // Called once when the rules end the program.
    void set_on_end(std::function<void()> on_end) { on_end_ = std::move(on_end); }
    // Called before any box or window the rules open, so the board behind it is up to date.
    void set_redraw_board(std::function<void()> redraw) { redraw_board_ = std::move(redraw); }

    Answer message_box(const std::string& text, Buttons buttons) override;
    void show_pages(const PageStore& pages, int msg_mode, bool caution) override;
    void show_standings() override;
    void show_warlord_list() override;
    void show_map() override;
    bool play_music(const std::string& piece) override;
    void stop_music() override;
    void end_program() override;

    // A message box over a given window.
    virtual Answer message_box_over(QWidget* parent, const std::string& text, Buttons buttons);
    // Runs a modal dialog to its end and returns its result code.
    virtual int run_modal(QDialog& dialog);

    bool ended() const { return ended_; }
    const GameFolder& folder() const { return folder_; }
    ScreenOpener& opener() { return opener_; }

    // The credits roll's paging interval; tests shorten it.
    int credit_interval_ms;

private:
    void redraw_board() {
        if (redraw_board_) redraw_board_();
    }

    const GameFolder& folder_;
    ScreenOpener& opener_;
    QWidget* parent_ = nullptr;
    MainState* main_ = nullptr;
    PieceMusic* music_ = nullptr;
    std::function<void()> on_end_;
    std::function<void()> redraw_board_;
    bool ended_ = false;
    bool told_no_music_ = false;
    std::string music_error_told_;
};

}  // namespace teijinki::ui
