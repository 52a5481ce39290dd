#pragma once
// Openers of the information screens: the warlord sheet and its general table, the lists of
// warlords, generals and provinces, and the map. Each reads the working files afresh, shows its
// screen modally and writes nothing. A damaged or missing working file is reported in a message
// box naming the file; the screen then does not open and nothing changes.

#include <functional>
#include <string>

class QWidget;

namespace teijinki {

class GameFolder;
struct SharedValues;

// The warlord sheet (Gdata) of warlord_id, with the caller's line (what it plots) under the
// portrait. Sets form_param to the warlord and msg_text to the line, as the sheet reads them.
void show_warlord_sheet(QWidget* parent, const GameFolder& folder, SharedValues& shared, int warlord_id,
                        const std::string& txt_lab);
// The general table (B_data) of the generals serving lord_id (a general id).
void show_general_table(QWidget* parent, const GameFolder& folder, SharedValues& shared, int lord_id);
// "軍閥一覧" (ALL_Gdata): the main screen's 情報 menu and the end of the game.
void show_warlord_list(QWidget* parent, const GameFolder& folder, SharedValues& shared);
// "各軍閥所属部将" (All_Bdata).
void show_generals_by_warlord(QWidget* parent, const GameFolder& folder, SharedValues& shared);
// "国一覧" (All_KuniData).
void show_province_list(QWidget* parent, const GameFolder& folder, SharedValues& shared);
// "全国地図" (Map): the map button and the end of the game.
void show_map(QWidget* parent, const GameFolder& folder, SharedValues& shared);

// The general sheet (Status) for a general clicked in a list: form_param := general_id, then the
// sheet opener shows it modally. The program registers the opener of its Status screen here.
using GeneralSheetOpener = std::function<void(QWidget* parent, const GameFolder&, SharedValues&, int general_id)>;
void set_general_sheet_opener(GeneralSheetOpener opener);
void show_general_sheet(QWidget* parent, const GameFolder& folder, SharedValues& shared, int general_id);

}  // namespace teijinki
