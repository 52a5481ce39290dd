#include "ui/game_screens.h"

#include "turn/save_sequence.h"
#include "ui/saveload/svld_dialog.h"
#include "ui/qt_host.h"

namespace teijinki::ui {

namespace {

ShowSvld svld_over(QWidget* parent, QtHost* host, const GameFolder& folder, SharedValues& shared) {
    return [parent, host, &folder, &shared] {
        SvldDialog screen(parent, *host, folder, shared);
        host->run_modal(screen);
    };
}

}  // namespace

int GameScreenOpener::open_load_from_title(QWidget* parent, const GameFolder& folder, SharedValues& shared) {
    if (!host_) return 0;
    return title_continue(shared, svld_over(parent, host_, folder, shared)) ? 1 : 0;
}

void GameScreenOpener::save_game(QWidget* parent, MainState& m) {
    if (host_) cmdSave_Click(m, svld_over(parent, host_, m.folder, m.shared));
}

void GameScreenOpener::load_game(QWidget* parent, MainState& m) {
    if (host_) cmdLoad_Click(m, svld_over(parent, host_, m.folder, m.shared));
}

}  // namespace teijinki::ui
