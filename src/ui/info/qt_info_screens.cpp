#include "ui/info/qt_info_screens.h"

#include "ui/game_screens.h"

#include <QMessageBox>

#include "ui/info/all_bdata_dialog.h"
#include "ui/info/all_gdata_dialog.h"
#include "ui/info/all_kunidata_dialog.h"
#include "ui/info/bdata_dialog.h"
#include "ui/info/gdata_dialog.h"
#include "screens/info_lists.h"
#include "screens/map_data.h"
#include "ui/info/map_dialog.h"
#include "ui/info/standings_dialog.h"
#include "ui/info/status_dialog.h"
#include "turn/main_state.h"
#include "ui/qt_host.h"
#include "ui/qt_text.h"
#include "world/error.h"
#include "world/shared_values.h"

namespace teijinki::ui {

namespace {

int run(QDialog& dialog, QtHost* host) { return host ? host->run_modal(dialog) : dialog.exec(); }

// Reads the screen's data, then shows it; a bad working file is named in a message box and the
// screen stays closed.
template <class Load, class Show>
void open_screen(QWidget* parent, QtHost* host, const char* screen, Load load, Show show) {
    std::string problem;
    try {
        show(load());
        return;
    } catch (const DataError& e) {
        problem = std::string("「") + screen + "」を開けません。" + info::kLineBreak + e.what();
    }
    if (host) {
        host->message_box_over(parent, problem, Buttons::Ok);
    } else {
        QMessageBox box(QMessageBox::Warning, qs(screen), qs(problem), QMessageBox::Ok, parent);
        box.exec();
    }
}

}  // namespace

void show_warlord_sheet(QWidget* parent, const GameFolder& folder, SharedValues& shared, int warlord_id,
                        const std::string& txt_lab, QtHost* host) {
    shared.form_param = warlord_id;
    shared.msg_text = txt_lab;
    open_screen(
        parent, host, "軍の内情", [&] { return info::load_warlord_sheet(folder, shared, warlord_id, txt_lab); },
        [&](info::WarlordSheet sheet) {
            GdataDialog dialog(parent, folder, shared, std::move(sheet), host);
            run(dialog, host);
        });
}

void show_general_table(QWidget* parent, const GameFolder& folder, SharedValues& shared, int lord_id,
                        QtHost* host) {
    shared.form_param = lord_id;
    open_screen(
        parent, host, "武将一覧", [&] { return info::load_general_table(folder, shared, lord_id); },
        [&](info::GeneralTableView view) {
            BdataDialog dialog(parent, std::move(view));
            run(dialog, host);
        });
}

void show_warlord_list(QWidget* parent, const GameFolder& folder, SharedValues& shared, QtHost* host) {
    open_screen(
        parent, host, "軍閥一覧", [&] { return info::load_warlord_list(folder, shared); },
        [&](info::WarlordListView view) {
            AllGdataDialog dialog(parent, folder, shared, std::move(view), host);
            run(dialog, host);
        });
}

void show_generals_by_warlord(QWidget* parent, const GameFolder& folder, SharedValues& shared, QtHost* host) {
    open_screen(
        parent, host, "各軍閥所属部将", [&] { return info::load_generals_by_warlord(folder, shared); },
        [&](info::GeneralsByWarlordView view) {
            AllBdataDialog dialog(parent, folder, shared, std::move(view), host);
            run(dialog, host);
        });
}

void show_province_list(QWidget* parent, const GameFolder& folder, SharedValues& shared, QtHost* host) {
    open_screen(
        parent, host, "国一覧", [&] { return info::load_province_list(folder, shared); },
        [&](info::ProvinceListView view) {
            AllKuniDataDialog dialog(parent, std::move(view));
            run(dialog, host);
        });
}

void show_map(QWidget* parent, const GameFolder& folder, SharedValues& shared, QtHost* host) {
    open_screen(
        parent, host, "全国地図", [&] { return info::load_map(folder, shared); },
        [&](info::MapView view) {
            MapDialog dialog(parent, folder, shared, std::move(view), host);
            run(dialog, host);
        });
}

void show_standings(QWidget* parent, const GameFolder& folder, QtHost* host) {
    open_screen(
        parent, host, info::kStandingsCaption, [&] { return read_standings(folder); },
        [&](std::vector<StandingsRow> rows) {
            StandingsDialog dialog(parent, std::move(rows), host);
            run(dialog, host);
        });
}

void show_general_sheet(QWidget* parent, const GameFolder& folder, SharedValues& shared, int general_id,
                        QtHost* host) {
    shared.form_param = general_id;
    if (host) {
        StatusDialog sheet(parent, *host, folder, shared, true);
        host->run_modal(sheet);
        return;
    }
    // On its own the sheet still needs a host for its message boxes and its comment editor.
    GameScreenOpener opener;
    QtHost own(folder, opener);
    own.set_parent(parent);
    StatusDialog sheet(parent, own, folder, shared, true);
    own.run_modal(sheet);
}

void InfoScreenOpener::open_warlord_list(QWidget* parent, MainState& m) {
    show_warlord_list(parent, m.folder, m.shared, host_);
}

void InfoScreenOpener::open_map(QWidget* parent, MainState& m) { show_map(parent, m.folder, m.shared, host_); }

void InfoScreenOpener::open_standings(QWidget* parent, MainState& m) {
    show_standings(parent, m.folder, host_);
}

void InfoScreenOpener::open_warlord_sheet(QWidget* parent, MainState& m) {
    show_warlord_sheet(parent, m.folder, m.shared, m.shared.form_param, m.shared.msg_text, host_);
}

}  // namespace teijinki::ui
