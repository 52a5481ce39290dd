#pragma once
// The program's screen opener: the save/load screen around the main and title screens' save and
// load sequences, and the information screens (warlord list, map, warlord sheet).

#include "ui/info/qt_info_screens.h"

namespace teijinki::ui {

class GameScreenOpener : public InfoScreenOpener {
public:
    int open_load_from_title(QWidget* parent, const GameFolder& folder, SharedValues& shared) override;
    void save_game(QWidget* parent, MainState& m) override;
    void load_game(QWidget* parent, MainState& m) override;
};

}  // namespace teijinki::ui
