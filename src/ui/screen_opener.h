#pragma once
// The screens the title and main screens open without knowing them: the save/load screen, the
// warlord sheet, the overview lists, the map and the standings' chart. The program's opener is GameScreenOpener; tests
// put in their own to see which screen was asked for.

class QWidget;

namespace teijinki {
struct MainState;
class GameFolder;
struct SharedValues;
}  // namespace teijinki

namespace teijinki::ui {

class QtHost;

class ScreenOpener {
public:
    virtual ~ScreenOpener() = default;

    // "続きから" on the title screen: the load screen (start_mode 2). Returns form_result
    // (1 when a slot was loaded).
    virtual int open_load_from_title(QWidget* parent, const GameFolder& folder, SharedValues& shared) = 0;
    // "セーブ" and "ロード" of the main screen's file menu, with what the main screen does
    // around them.
    virtual void save_game(QWidget* parent, MainState& m) = 0;
    virtual void load_game(QWidget* parent, MainState& m) = 0;
    // "軍閥一覧" and the list at the end of the game.
    virtual void open_warlord_list(QWidget* parent, MainState& m) = 0;
    // "全国地図" and the map at the end of the game.
    virtual void open_map(QWidget* parent, MainState& m) = 0;
    // "勢力推移" and the same chart at the end of the game.
    virtual void open_standings(QWidget* parent, MainState& m) = 0;
    // The warlord sheet Gdata for form_param, with msg_text telling what it plots.
    virtual void open_warlord_sheet(QWidget* parent, MainState& m) = 0;

protected:
    QtHost* host_ = nullptr;

    friend class QtHost;
};

}  // namespace teijinki::ui
