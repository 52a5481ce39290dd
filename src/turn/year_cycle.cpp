#include "turn/year_cycle.h"

#include <memory>

#include "messages/game_log.h"
#include "messages/message_modes.h"
#include "messages/msg_state.h"
#include "setup/new_game.h"
#include "setup/scenarios.h"
#include "strategy/strategy_phase.h"
#include "turn/offers.h"
#include "turn/panels.h"
#include "turn/policy.h"
#include "turn/reports.h"
#include "turn/standings_year.h"
#include "world/error.h"
#include "world/record_file.h"
#include "world/trace.h"

namespace teijinki {

namespace {
// The year's offers as drawn, and a fresh record of who chose by hand.
void trace_plans_drawn(MainState& m) {
    m.picked_by_player.fill(false);
    if (m.trace) trace_offers(*m.trace, m.year, m.shared);
}

// Every listed warlord's final pick, just before the year is carried out.
void trace_picks(const MainState& m) {
    if (!m.trace) return;
    for (int panel = 0; panel <= kMaxAlliances; ++panel)
        for (int gun : m.gun_lst[panel].ids)
            m.trace->pick(m.year, gun, panel, m.shared.gun_mei[gun], m.picked_by_player[gun]);
}
}  // namespace

void stMusic(MainState& m, std::string_view piece) {
    if (!m.bgm_on || m.music_failed) return;
    // One box is enough: the game goes on silent instead of asking again every year.
    if (!m.host.play_music(std::string(piece))) {
        m.music_failed = true;
        m.host.message_box(kMusicFailed, Buttons::Ok);
    }
}

void init_main(MainState& m) {
    m.text_table = TemplateTable::load(m.folder, files::kText);
}

void open_main(MainState& m) {
    init_main(m);
    if (m.shared.start_mode == 2)
        start_loaded_game(m);
    else
        start_new_game(m);
}

void start_new_game(MainState& m) {
    SharedValues& shared = m.shared;
    const Scenario* scenario = find_scenario(shared.scenario_no);
    if (!scenario) throw ProgramError("a new game of scenario " + std::to_string(shared.scenario_no) + ", which does not exist");
    m.bgm_on = true;
    mkFristLog(m);
    mk_Gunsv_rtn(m.folder, shared.scenario_no);
    m.year = scenario->start_year;  // the warlord count came with the scenario's selection
    m.end_year = scenario->end_year;
    ini_Mei_rtn(m);
    // An alliance starts from its leader's fame, which may pass 100; cohesion is a 0..100 figure
    // everywhere else, so the first year gets the same limit as every later one.
    Limit_rtn(m);
    m.ops.mk_HeiFile_Master();
    dsp_Init_rtn(m);
    setKunJpg(m);
    Dsp_rtn(m);
    start_standings(m);
    Tagun_rtn(m);
    trace_plans_drawn(m);
    // The music (and the box when it cannot play) and the first turn come over the drawn board.
    stMusic(m, "china1");
    m.turn_slot = 0;
    tebanIncliment_rtn(m);
}

void start_loaded_game(MainState& m) {
    SharedValues& shared = m.shared;
    ini_Mei_rtn(m);
    m.turn_slot = 0;
    m.year = shared.save_info[0] - 1;
    m.bgm_on = shared.save_info[5] == 1;
    if (!m.bgm_on) m.host.stop_music();
    const Scenario* scenario = find_scenario(shared.save_info[4]);
    if (!scenario)
        throw DataError("save slot", "names scenario " + std::to_string(shared.save_info[4]) + ", not one of 1 to 6");
    shared.scenario_no = scenario->no;
    shared.bushou_count = kGeneralsInGame;
    shared.gun_count = scenario->gun_count;
    m.end_year = scenario->end_year;
    m.ops.mk_HeiFile_Master();
    dsp_Init_rtn(m);
    setKunJpg(m);
    Res_rtn(m);
    for (int s = 1; s <= 3; ++s) shared.mei_kessoku[s] = shared.save_info[s];
    if (m.game_over) return;
    // Again with the slot's cohesion: the row the year start wrote scored the alliances before it.
    record_standings(m);
    // The music and the first turn come over the loaded year's board, not the one before it.
    if (m.bgm_on) stMusic(m, "china1");
    tebanIncliment_rtn(m);
}

void setKunJpg(MainState& m) {
    for (int w = 1; w <= m.shared.gun_count; ++w) {
        m.ops.target_id = w;
        m.ops.ld_Gun_rtn();
        m.ops.target_id = m.ops.gun.kunshuID;
        m.ops.ld_Chr_rtn();
        m.kun_jpg[w] = m.ops.chr.jpg;
    }
}

std::string turn_portrait(const MainState& m) {
    if (!awaiting_player(m)) return {};
    const int g = m.shared.player_gun[m.turn_slot];
    return g >= 1 && g <= kMaxWarlords ? m.kun_jpg[g] : std::string();
}

bool awaiting_player(const MainState& m) {
    return !m.game_over && m.turn_slot >= 0 && m.turn_slot < m.shared.gun_count && m.turn_slot <= kMaxWarlords &&
           m.shared.player_gun[m.turn_slot] != 0;
}

void tebanIncliment_rtn(MainState& m) {
    const SharedValues& shared = m.shared;
    // The slot is tested against the count first so that it never reads past the table.
    while (m.turn_slot < shared.gun_count && m.turn_slot <= kMaxWarlords && shared.player_gun[m.turn_slot] == 0)
        ++m.turn_slot;
    if (m.turn_slot >= shared.gun_count || m.turn_slot > kMaxWarlords) return;
    const std::string& name = shared.player_name[m.turn_slot];
    // The label first: the board behind the box already shows whose turn it is.
    m.turn_label = std::string("プレイヤー") + kCrLf + "（" + name + "）";
    m.host.message_box(name + kTurnSuffix, Buttons::Ok);
}

namespace {
// A year rewrites every working file and grows the log; on a disk without room for that it is
// refused before its first write, so it is never left carried out half way.
void ensure_room_for_a_year(const MainState& m) {
    unsigned long long needed = 256 * 1024;
    for (const char* literal : {files::kGenerals, files::kWarlords, files::kProvinces, files::kLog, kStandingsFile}) {
        if (const auto size = m.folder.file_size(literal)) needed += 2 * *size;
    }
    m.folder.ensure_free_space("\\ini", needed);
}
}  // namespace


void carry_out_year(MainState& m) {
    if (m.game_over) return;
    ensure_room_for_a_year(m);
    Strate_rtn(m);
    if (m.game_over) return;
    T_End_rtn(m);  // never ends the game: it only tells and records the year's end
    Res_rtn(m);
    if (m.game_over) return;
    m.shared.saved_flag = false;
    m.turn_slot = 0;
    tebanIncliment_rtn(m);
}

void end_move(MainState& m) {
    if (m.game_over) return;
    ++m.turn_slot;
    tebanIncliment_rtn(m);
    if (m.turn_slot >= m.shared.gun_count) carry_out_year(m);
}

bool auto_move(MainState& m) {
    if (m.game_over) return false;
    // Every player destroyed and the game goes on: the years are watched one at a time.
    if (!awaiting_player(m)) {
        carry_out_year(m);
        return true;
    }
    const std::string question = m.shared.player_name[m.turn_slot] + kAutoQuestion;
    if (m.host.message_box(question, Buttons::YesNo) != Answer::Yes) return false;
    end_move(m);
    return true;
}

void Command1_Click(MainState& m, int index) {
    if (index == 3)
        auto_move(m);
    else
        m.host.show_map();
}

namespace {
// The year's strategies on a fresh state: the working set loaded, the strategy phase carried out
// (it writes the files back) and its pages appended to the game log.
void carry_out_strategies(MsgState& state) {
    load_working_set(state.folder, state.shared, state.world);
    run_strategy_phase(state);
    mkLog(state.folder, state.pages);
}
}  // namespace

MsgWindowResult show_msg_window(MainState& m) {
    const int mode = m.shared.msg_mode;
    auto state = std::make_unique<MsgState>(m.folder, m.shared, m.rng, m.text_table);
    state->trace = m.trace;
    init_msg_pages(state->pages, m.shared.form_param);
    if (const char* piece = msg_window_music(mode); *piece) stMusic(m, piece);
    if (mode == kMsgStrategy)
        carry_out_strategies(*state);
    else
        load_msg_window(state->pages, mode, m.shared.msg_text);
    state->pages.page_no = 0;
    m.host.show_pages(state->pages, mode, state->attacked);
    m.shared.form_result = 1;
    return {state->Metubou_Flg, state->All_Metubou_Flg, state->attacked};
}

void Strate_rtn(MainState& m) {
    trace_picks(m);
    m.shared.form_param = m.year;
    m.shared.msg_mode = kMsgStrategy;
    const MsgWindowResult result = show_msg_window(m);
    if (result.Metubou_Flg) m.host.message_box(kPlayerDestroyed, Buttons::Ok);
    if (result.All_Metubou_Flg) {
        const std::string question = std::string(kAllDestroyed) + kCrLf + kGoOnQuestion;
        if (m.host.message_box(question, Buttons::YesNo) != Answer::Yes) {
            m.game_over = true;
            m.host.end_program();
            return;
        }
    }
    m.shared.msg_mode = kMsgCredits;
}

void T_End_rtn(MainState& m) {
    m.text.text_buf[0].clear();
    m.text.text_idx = 0;
    m.shared.msg_mode = kMsgYearEnd;
    Policy_rtn(m);
    Jinji_rtn(m);
    m.ops.mk_HeiFile_Master();
    if (m.trace) trace_year_end(*m.trace, m.year, m.folder, m.shared);
    m.shared.msg_text = m.text.text_buf[0];
    show_msg_window(m);
    stMusic(m, "china1");
    m.shared.msg_mode = kMsgStrategy;
}

void Res_rtn(MainState& m) {
    res_Mei_rtn(m);
    ++m.year;
    Limit_rtn(m);
    m.shared.msg_mode = kMsgStrategy;
    Dsp_rtn(m);
    record_standings(m);
    Tagun_rtn(m);
    trace_plans_drawn(m);
    if (m.year == m.end_year - 10) {
        m.text.text_buf[0] = std::string(kInterimHeading) + kCrLf;
        m.shared.msg_mode = kMsgReport;
        Houkoku_rtn(m);
        m.shared.msg_mode = kMsgStrategy;
    }
    if (m.year >= m.end_year) {
        m.bgm_on = true;
        stMusic(m, "french1");
        m.text.text_buf[0] = std::string(kFinalHeading) + kCrLf;
        m.shared.msg_mode = kMsgReport;
        Houkoku_rtn(m);
        End_rtn(m);
    }
}

void End_rtn(MainState& m) {
    m.host.show_standings();
    m.host.show_warlord_list();
    m.host.show_map();
    m.shared.msg_mode = kMsgCredits;
    show_msg_window(m);
    m.host.stop_music();
    m.game_over = true;
    m.host.end_program();
}

namespace {

bool unsaved_confirmed(MainState& m) {
    if (m.shared.saved_flag) return true;
    return m.host.message_box(kNotSavedQuestion, Buttons::YesNo) == Answer::Yes;
}

}  // namespace

bool newGame_Click(MainState& m) {
    if (!unsaved_confirmed(m)) return false;
    for (int s = 0; s <= 16; ++s) {
        m.shared.player_lord[s] = 0;
        m.shared.player_gun[s] = 0;
        m.shared.player_mei[s] = 0;
        m.shared.player_name[s] = "0";
    }
    return true;
}

bool exitGame_Click(MainState& m) {
    if (!unsaved_confirmed(m)) return false;
    m.host.stop_music();
    m.game_over = true;
    m.host.end_program();
    return true;
}

}  // namespace teijinki
