#pragma once
// The player's command menu on the main screen: an offer clicked, explained on the strategy
// screen, confirmed and stored as the plan of the player's warlord; a warlord looked at.

#include <string>

#include "strategy/odds.h"
#include "turn/main_state.h"

namespace teijinki {

inline constexpr const char* kConfirmSuffix = "を行いますか？";
inline constexpr const char* kPlottingSuffix = "を画策中";
inline constexpr const char* kAlreadyFallen = "は既に滅びています。";

// The note on the ability an offer mainly depends on ("" for 0, 11, 12 and unknown codes).
const char* requirement_note(int code);

// The offer's title as the strategy screen heads it: the name, and for most commands a line
// break, the difficulty and the requirement note.
std::string offer_title(int code, int level);

// Whether panel p is the panel of the player whose turn it is: the one his warlord is listed in
// (gun_mei2), never a free alliance slot. Every other panel's offers are only read.
bool is_own_panel(const MainState& m, int panel);

// Com_Lst_Click, up to the strategy screen: start_mode (1 own panel, 0 another), msg_text (the
// offer's title), text_no, text_sub1, text_sub2 and form_param (the general of the data button,
// 0 for none) set for the offer at list position `position` of panel p; form_result = 0.
// False, with nothing set, when the position holds no offer.
bool prepare_offer(MainState& m, int panel, int position);

// The odds the strategy screen tells for the offer at `position` of panel p: on the panel of the
// player whose turn it is, with his warlord's plan set to that offer; on another panel, with
// every plan as it stands (the plans are no secret: each warlord's sheet names its own).
OfferOdds offer_odds(const MainState& m, int panel, int position, int runs = kOddsRuns);

// Com_Lst_Click after the strategy screen: when it left form_result = 1, the question ending in
// "を行いますか？"; on Yes the position becomes the plan of the player's warlord and the move
// ends (after the last player the year is carried out). form_result is 0 afterwards.
// True when the plan was stored.
bool confirm_offer(MainState& m, int panel, int position);

// Gun_lst_Click: form_param = the warlord, msg_text = its plan's name followed by "を画策中".
void prepare_warlord_sheet(MainState& m, int panel, int warlord);

// dsp_PC_Click for the player list entry at `row` (the players in slot order): the warlord's
// panel and id for its sheet, or warlord 0 and the message "…は既に滅びています。".
struct PlayerSheet {
    int panel = 0;
    int warlord = 0;
    std::string fallen_message;
};
PlayerSheet player_sheet(const MainState& m, int row);

// cmdMusic_Click: the music switched off (player closed) or on ("china1" from the start).
void cmdMusic_Click(MainState& m);
// The menu caption: the action the next click performs.
const char* music_menu_caption(const MainState& m);

}  // namespace teijinki
