#pragma once
// The main screen's year cycle: the opening of a new or a resumed game, the player turns, the
// execution of the year (told in the message window), the year end, the next year, the end of the game.
// Every procedure is one step the screen runs on an event (an offer confirmed, the Auto button,
// a menu command), so the desktop program and the terminal program drive the same code.

#include <string>
#include <string_view>

#include "turn/main_state.h"

namespace teijinki {

inline constexpr const char* kTurnSuffix = "の番です。";
inline constexpr const char* kAutoQuestion = "の行動をコンピュータに任せますか？";
inline constexpr const char* kPlayerDestroyed = "プレイヤーの軍団が滅亡しました。";
inline constexpr const char* kAllDestroyed = "プレイヤーの軍団が全て滅亡しました。";
inline constexpr const char* kGoOnQuestion = "このまま続けますか？";
inline constexpr const char* kNotSavedQuestion = "セーブをしてませんがよろしいですか？";
inline constexpr const char* kInterimHeading = "中間報告（ゲーム終了１０年前）";
inline constexpr const char* kFinalHeading = "ゲーム最終結果";
inline constexpr const char* kMusicFailed = "この環境ではＢＧＭを再生できません。必要なランタイムをインストールして下さい。";
inline constexpr const char* kGameCaption = "鼎陣記・治世巻";

// Main's stMusic: nothing while the music is switched off; a piece that cannot be played is
// reported once and the game goes on silent until the music is switched on again.
void stMusic(MainState& m, std::string_view piece);

// Form_Load: the screen's set-up, then a new game (start_mode ≠ 2) or a resumed one.
void open_main(MainState& m);
// init_rtn of the main screen: the Text.ini table (the panels get their captions when they are
// filled, before the screen shows them).
void init_main(MainState& m);
// The new game: log, warlord file, players' warlords, year and end from the scenario, alliances,
// troops, the year display with the offers and the computer's choices, then the music and the
// first player's turn over that display.
void start_new_game(MainState& m);
// A loaded game: alliances, the year from the slot minus one, scenario values, troops,
// portraits, then the year start, which brings the year back; the alliance cohesion from the slot;
// the music and the first turn last, over the loaded year's board.
void start_loaded_game(MainState& m);

// The lords' portraits by warlord id.
void setKunJpg(MainState& m);
// The portrait of the player whose turn it is ("" when no player is in play).
std::string turn_portrait(const MainState& m);

// Advances turn_slot to the next slot in play and announces it.
void tebanIncliment_rtn(MainState& m);
// True while a player slot is in play and the game goes on: the screen waits for his move.
bool awaiting_player(const MainState& m);
// The closing sequence of a move: the next player, or after the last one the whole year.
void end_move(MainState& m);
// The year after the last player: execution, year end, next year, and the first player's turn.
void carry_out_year(MainState& m);
// The Auto button: the current player's move is handed to the computer after the question.
// When no player is left in play (all destroyed and the game goes on) it carries out the next
// year without asking, so the remaining years can be watched. Returns true when something ran.
bool auto_move(MainState& m);
// Command1_Click: index 3 is the Auto button, any other index shows the map.
void Command1_Click(MainState& m, int index);

// The year's strategies in the message window, then the questions about destroyed players.
void Strate_rtn(MainState& m);
// Policy, personnel, troops and the year-end report.
void T_End_rtn(MainState& m);
// The next year: alliances, year step, cohesion limits, display, computer choices, reports.
void Res_rtn(MainState& m);
// The closing screens and the end of the program.
void End_rtn(MainState& m);

// What the message window leaves for the main screen.
struct MsgWindowResult {
    bool Metubou_Flg = false;
    bool All_Metubou_Flg = false;
    bool caution = false;
};
// Opens the message window for shared.msg_mode (form_param is the year for page 0's heading):
// its music, then its pages (for mode 1 the year carried out here, for the other modes the window's
// own), shown through the host; form_result = 1 when it closes.
MsgWindowResult show_msg_window(MainState& m);

// newGame_Click and exitGame_Click: the question unless the game was saved. newGame returns
// true when the player slots were cleared and the title screen is to be shown; exitGame returns
// true when the program ends.
bool newGame_Click(MainState& m);
bool exitGame_Click(MainState& m);

}  // namespace teijinki
