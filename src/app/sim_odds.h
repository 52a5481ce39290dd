#pragma once
// teijinki-sim --odds: before each player's move, the odds of every offer he may choose, as the
// strategy screen tells them.

#include <iosfwd>

#include "turn/main_state.h"

namespace teijinki {

// Prints the heading (year, player, runs) and, for each offer of the own panel of the player
// whose turn it is, its title and its odds line. Prints nothing when no player is awaited.
void print_player_odds(const MainState& m, std::ostream& out);

}  // namespace teijinki
