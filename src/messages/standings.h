#pragma once
// The standings: every warlord's figures at every turn of the year, \ini\standings.csv, so that
// the rise and fall of each can be drawn after the fact. One heading line, then one line per
// warlord and year in year order; the row of year Y holds what the main screen shows as
// "Y年の戦況" (the state after the year before has ended). Plain list-output text in the
// folder's own encoding, readable by any spreadsheet.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "world/game_folder.h"

namespace teijinki {

inline constexpr const char* kStandingsFile = "\\ini\\standings.csv";
// The scratch copy a rewrite goes through, as the working files' do: it keeps the old rows.
inline constexpr const char* kStandingsScratch = "\\ini\\standings.img";
// Where a working file found damaged is kept when the standings start again.
inline constexpr const char* kStandingsDamagedFile = "\\ini\\standings_damaged.csv";
inline constexpr const char* kStandingsHeading =
    "年,軍閥,名前,総兵力,精兵,領国数,武将数,名声,治安,結束力,畏怖,盟主,滅亡,プレイヤー,スコア";

struct StandingsRow {
    int year = 0;
    int warlord = 0;
    std::string name;
    int troops = 0;     // army + seihei, in thousands
    int seihei = 0;
    int provinces = 0;  // provinces held
    int generals = 0;   // generals serving, the lord included
    int meisei = 0;
    int tian = 0;
    int kessoku = 0;
    int ifu = 0;
    int alliance_leader = 0;  // meishuID: the lord who leads its alliance, 0 for none
    bool destroyed = false;
    bool player = false;      // a player's warlord that year
    float score = 0;          // as the report scores it; 0 once destroyed

    bool operator==(const StandingsRow&) const = default;
};

// The score as the report writes it, without the sign blank ("96.66666").
std::string standings_score_text(float score);

// The whole file's text (UTF-8, CR LF), heading first.
std::string format_standings(const std::vector<StandingsRow>& rows);
// Reads a file's text: an empty text holds no rows. Throws DataError naming the file (and the
// line) when the heading is not the standings' own, a line lacks or has extra items, an item
// is not a number, a warlord id is outside 1..20 or the years go backwards.
std::vector<StandingsRow> parse_standings(std::string_view text, const std::string& label);

// The working file as read: its version (null when it does not exist) and its rows, read once
// per version of the file.
struct StandingsFile {
    std::shared_ptr<const FileText> version;
    std::shared_ptr<const std::vector<StandingsRow>> rows;
};
// Throws DataError as parse_standings does.
StandingsFile read_standings_file(const GameFolder& folder);
std::vector<StandingsRow> read_standings(const GameFolder& folder);

// Writes the working file (atomically, through the scratch copy, which then holds the old rows)
// with year_rows in place of the rows of `year` and later: a game loaded back to an earlier year
// goes on from there instead of keeping a future that did not happen. The usual year, later than
// every row, only adds its lines to the text as read.
void write_standings_year(const GameFolder& folder, const StandingsFile& file, int year,
                          const std::vector<StandingsRow>& year_rows);

}  // namespace teijinki
