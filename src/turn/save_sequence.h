#pragma once
// The main screen's save and load (menu "セーブ", "ロード") and the title screen's "続きから".
// Each opens the save/load screen modally through show_screen, which the caller supplies: the
// desktop program shows SVLD, the terminal program and the tests type a number into SvldRules.

#include <functional>
#include <string>
#include <string_view>

#include "saveload/svld_rules.h"
#include "turn/main_state.h"

namespace teijinki {

// Shows the save/load screen modally and returns when it has closed (form_result is its answer).
using ShowSvld = std::function<void()>;

// cmdSave_Click: save_info from the year, the three cohesions, the scenario and the music switch;
// the screen; saved_flag when a save was made. Returns true when a save was made.
bool cmdSave_Click(MainState& m, const ShowSvld& show_screen);

// cmdLoad_Click: the question when the game is not saved, the screen, and after a load the
// resumed game (start_loaded_game).
// Returns true when a slot was loaded.
bool cmdLoad_Click(MainState& m, const ShowSvld& show_screen);

// "続きから" on the title screen: the screen as the load screen. True when a slot was loaded; the
// main screen is then opened with start_mode 2 (open_main), which resumes the game.
bool title_continue(SharedValues& shared, const ShowSvld& show_screen);

// A screen that a script works: the digits of slot typed, "決定" pressed, and "戻る" pressed when
// the screen is still open after that (a refused number, a failed save or load, a Cancel).
// problem receives what the player was told when nothing was done.
ShowSvld typed_slot_screen(const GameFolder& folder, SharedValues& shared, Host& host, std::string slot,
                           std::string* problem = nullptr, FileWriter writer = write_file_replacing);

}  // namespace teijinki
