#include "turn/save_sequence.h"

#include "turn/year_cycle.h"

namespace teijinki {

bool cmdSave_Click(MainState& m, const ShowSvld& show_screen) {
    SharedValues& shared = m.shared;
    shared.form_result = 0;
    shared.start_mode = 1;
    shared.save_info[0] = m.year;
    for (int s = 1; s <= 3; ++s) shared.save_info[s] = shared.mei_kessoku[s];
    shared.save_info[4] = shared.scenario_no;
    // The load plays music only for a 1 here, and nothing else sets it: the music switch is what
    // the player would expect to come back.
    shared.save_info[5] = m.bgm_on ? 1 : 0;
    show_screen();
    if (shared.form_result != 1) return false;
    shared.start_mode = 0;
    shared.saved_flag = true;
    return true;
}

bool cmdLoad_Click(MainState& m, const ShowSvld& show_screen) {
    SharedValues& shared = m.shared;
    shared.start_mode = 2;
    if (!shared.saved_flag && m.host.message_box(kNotSavedQuestion, Buttons::YesNo) != Answer::Yes) return false;
    // Only a load the screen carried out may count: an answer left from an earlier screen must
    // not resume a game that was not loaded.
    shared.form_result = 0;
    show_screen();
    if (shared.form_result != 1) return false;
    shared.form_result = 0;
    // Alliances, year (slot value minus one), music, scenario values, troops, portraits, the
    // first turn, the year start and the cohesion from the slot: the same start as after a load
    // from the title screen. The game counts as saved once it has resumed, so a start that
    // fails still asks before 最初から and 終了.
    m.game_over = false;
    start_loaded_game(m);
    shared.saved_flag = true;
    return true;
}

bool title_continue(SharedValues& shared, const ShowSvld& show_screen) {
    shared.start_mode = 2;
    shared.form_result = 0;
    show_screen();
    return shared.form_result == 1;
}

ShowSvld typed_slot_screen(const GameFolder& folder, SharedValues& shared, Host& host, std::string slot,
                           std::string* problem, FileWriter writer) {
    return [&folder, &shared, &host, slot = std::move(slot), problem, writer = std::move(writer)]() {
        SvldRules screen(folder, shared, host);
        screen.writer = writer;
        screen.init_rtn();
        screen.type_text(slot);
        screen.Command2_Click(1);
        if (!screen.closed) screen.Command3_Click();
        if (problem) *problem = screen.problem;
    };
}

}  // namespace teijinki
