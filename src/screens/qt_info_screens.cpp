#include "screens/qt_info_screens.h"

#include <QMessageBox>
#include <exception>

#include "screens/all_bdata_dialog.h"
#include "screens/all_gdata_dialog.h"
#include "screens/all_kunidata_dialog.h"
#include "screens/bdata_dialog.h"
#include "screens/gdata_dialog.h"
#include "screens/info_data.h"
#include "screens/map_dialog.h"
#include "ui/qt_text.h"
#include "world/error.h"
#include "world/shared_values.h"

namespace teijinki {

namespace {

GeneralSheetOpener& sheet_opener() {
    static GeneralSheetOpener opener;
    return opener;
}

// Reads the screen's data, then shows it; a bad working file is named in a message box and the
// screen stays closed.
template <class Load, class Show>
void open_screen(QWidget* parent, const char* screen, Load load, Show show) {
    try {
        auto data = load();
        show(std::move(data));
    } catch (const DataError& e) {
        QMessageBox::warning(parent, ui::qs(screen), ui::qs(std::string("データを読めません：") + e.what()));
    }
}

}  // namespace

void show_warlord_sheet(QWidget* parent, const GameFolder& folder, SharedValues& shared, int warlord_id,
                        const std::string& txt_lab) {
    shared.form_param = warlord_id;
    shared.msg_text = txt_lab;
    open_screen(
        parent, "軍の内情", [&] { return info::load_warlord_sheet(folder, shared, warlord_id, txt_lab); },
        [&](info::WarlordSheet sheet) {
            GdataDialog dialog(parent, folder, shared, std::move(sheet));
            dialog.exec();
        });
}

void show_general_table(QWidget* parent, const GameFolder& folder, SharedValues& shared, int lord_id) {
    shared.form_param = lord_id;
    open_screen(
        parent, "武将一覧", [&] { return info::load_general_table(folder, shared, lord_id); },
        [&](info::GeneralTableView view) {
            BdataDialog dialog(parent, std::move(view));
            dialog.exec();
        });
}

void show_warlord_list(QWidget* parent, const GameFolder& folder, SharedValues& shared) {
    open_screen(
        parent, "軍閥一覧", [&] { return info::load_warlord_list(folder, shared); },
        [&](info::WarlordListView view) {
            AllGdataDialog dialog(parent, folder, shared, std::move(view));
            dialog.exec();
        });
}

void show_generals_by_warlord(QWidget* parent, const GameFolder& folder, SharedValues& shared) {
    open_screen(
        parent, "各軍閥所属部将", [&] { return info::load_generals_by_warlord(folder, shared); },
        [&](info::GeneralsByWarlordView view) {
            AllBdataDialog dialog(parent, folder, shared, std::move(view));
            dialog.exec();
        });
}

void show_province_list(QWidget* parent, const GameFolder& folder, SharedValues& shared) {
    open_screen(
        parent, "国一覧", [&] { return info::load_province_list(folder, shared); },
        [&](info::ProvinceListView view) {
            AllKuniDataDialog dialog(parent, std::move(view));
            dialog.exec();
        });
}

void show_map(QWidget* parent, const GameFolder& folder, SharedValues& shared) {
    open_screen(
        parent, "全国地図", [&] { return info::load_map(folder, shared); },
        [&](info::MapView view) {
            MapDialog dialog(parent, folder, shared, std::move(view));
            dialog.exec();
        });
}

void set_general_sheet_opener(GeneralSheetOpener opener) { sheet_opener() = std::move(opener); }

void show_general_sheet(QWidget* parent, const GameFolder& folder, SharedValues& shared, int general_id) {
    shared.form_param = general_id;
    if (sheet_opener()) {
        sheet_opener()(parent, folder, shared, general_id);
        return;
    }
    QMessageBox::information(parent, QStringLiteral("武将の説明"),
                             QStringLiteral("武将の説明の画面はこの版にはありません。"));
}

}  // namespace teijinki
