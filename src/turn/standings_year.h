#pragma once
// The standings' row of every warlord at the turn of the year, written after the year display
// has counted the alliances, so that each row scores exactly as a report shown then would.

#include <vector>

#include "messages/standings.h"
#include "turn/main_state.h"

namespace teijinki {

inline constexpr const char* kStandingsRestarted = "勢力推移の記録が壊れていたため、今年から記録し直します。";
inline constexpr const char* kStandingsKeptAs = "壊れた記録は次のファイルに残しました：";
inline constexpr const char* kStandingsNotWritten = "勢力推移の記録を書けませんでした。ゲームはこのまま続きます。";

// Every warlord 1..gun_count as the working files hold it now, for the year m.year.
std::vector<StandingsRow> standings_rows(const MainState& m);

// The rows of m.year replace whatever the file holds for that year and later. A damaged file
// is kept under kStandingsDamagedFile and the standings start again from this year; a file that
// cannot be written is reported and the game goes on: the standings are a record of the game,
// never a reason to stop it.
void record_standings(MainState& m);
// A new game's standings: the file started afresh with the opening year's rows.
void start_standings(MainState& m);

}  // namespace teijinki
