#pragma once
// Openers of the information screens: the warlord sheet and its general table, the lists of
// warlords, generals and provinces, and the map. Each reads the working files afresh, shows its
// screen modally and writes nothing. A damaged or missing working file is reported in a message
// box naming the file; the screen then does not open and nothing changes.
//
// With a host, every screen (and every message box) runs through host->run_modal, and a general
// clicked in a list opens the Status sheet over that host; without one they run on their own.

#include <string>

#include "ui/screen_opener.h"

class QWidget;

namespace teijinki {
class GameFolder;
struct SharedValues;
}  // namespace teijinki

namespace teijinki::ui {

class QtHost;

// The warlord sheet (Gdata) of warlord_id, with the caller's line (what it plots) under the
// portrait. Sets form_param to the warlord and msg_text to the line, as the sheet reads them.
void show_warlord_sheet(QWidget* parent, const GameFolder& folder, SharedValues& shared, int warlord_id,
                        const std::string& txt_lab, QtHost* host = nullptr);
// The general table (B_data) of the generals serving lord_id (a general id).
void show_general_table(QWidget* parent, const GameFolder& folder, SharedValues& shared, int lord_id,
                        QtHost* host = nullptr);
// "軍閥一覧" (ALL_Gdata): the main screen's 情報 menu and the end of the game.
void show_warlord_list(QWidget* parent, const GameFolder& folder, SharedValues& shared, QtHost* host = nullptr);
// "各軍閥所属部将" (All_Bdata).
void show_generals_by_warlord(QWidget* parent, const GameFolder& folder, SharedValues& shared,
                              QtHost* host = nullptr);
// "国一覧" (All_KuniData).
void show_province_list(QWidget* parent, const GameFolder& folder, SharedValues& shared, QtHost* host = nullptr);
// "全国地図" (Map): the map button and the end of the game.
void show_map(QWidget* parent, const GameFolder& folder, SharedValues& shared, QtHost* host = nullptr);
// "勢力推移" (Standings): the rise and fall of every warlord, from \ini\standings.csv.
void show_standings(QWidget* parent, const GameFolder& folder, QtHost* host = nullptr);
// The general sheet (Status, modal) of a general clicked in a list; form_param := general_id.
void show_general_sheet(QWidget* parent, const GameFolder& folder, SharedValues& shared, int general_id,
                        QtHost* host = nullptr);

// The screen opener's entries for the information screens, over the host that owns the opener.
// The warlord sheet takes form_param and msg_text as the main screen prepared them.
class InfoScreenOpener : public ScreenOpener {
public:
    void open_warlord_list(QWidget* parent, MainState& m) override;
    void open_map(QWidget* parent, MainState& m) override;
    void open_standings(QWidget* parent, MainState& m) override;
    void open_warlord_sheet(QWidget* parent, MainState& m) override;
};

}  // namespace teijinki::ui
