#pragma once
// What the standings' pictures show, computed from the standings' rows: for the screen
// 勢力推移 one line per warlord over the years in one measure, in the warlord's map colour and
// ending where it fell; for the reports one bar per warlord with its score that year. The
// screens only draw these.

#include <array>
#include <string>
#include <vector>

#include "messages/standings.h"
#include "screens/map_data.h"

namespace teijinki::info {

enum class StandingsMeasure { Troops, Provinces, Fame, Score };

inline constexpr const char* kStandingsCaption = "勢力推移";
inline constexpr const char* kPlayerMark = "（プレイヤー）";
inline constexpr const char* kNoStandings = "まだ記録がありません。";

// The measures in the order the screen offers them.
const std::array<StandingsMeasure, 4>& standings_measures();
// "総兵力", "領国数", "名声", "スコア".
const char* measure_caption(StandingsMeasure measure);
// The axis title: the caption with its unit where it has one ("総兵力（千人）").
std::string measure_axis_title(StandingsMeasure measure);
double measure_value(const StandingsRow& row, StandingsMeasure measure);
// A value as the game writes it: troops in full ("45000"), scores as the report ("96.66666").
std::string measure_value_text(StandingsMeasure measure, double value);

struct StandingsPoint {
    int year = 0;
    double value = 0;
    bool operator==(const StandingsPoint&) const = default;
};

struct StandingsSeries {
    int warlord = 0;
    std::string name;    // as the last row names it
    std::string legend;  // the name, with "（プレイヤー）" for a player's warlord
    MapColour colour;    // the map's colour of the warlord
    bool player = false;  // a player led it in any year
    int fallen_year = 0;  // the first year it is recorded destroyed; 0 while it stands
    // One point per year while it stands; a fallen warlord's last point is the year it fell, at
    // 0, since it holds nothing from then on (none at all when it had fallen before the first row).
    std::vector<StandingsPoint> points;
};

struct StandingsChart {
    StandingsMeasure measure = StandingsMeasure::Troops;
    int first_year = 0;
    int last_year = 0;
    double max_value = 0;
    std::vector<StandingsSeries> series;  // by warlord id
};

StandingsChart build_standings_chart(const std::vector<StandingsRow>& rows, StandingsMeasure measure);

// The line under the pointer: "曹操（プレイヤー）　200年　総兵力：45000", for the series' point
// nearest to the given year; empty when the series has no point.
std::string point_text(const StandingsSeries& series, StandingsMeasure measure, double year);

// The report's bars: every warlord recorded in `year`, in id order, with its score.
struct ScoreBar {
    int warlord = 0;
    std::string name;
    double score = 0;
    bool player = false;
    bool destroyed = false;
};
std::vector<ScoreBar> score_bars(const std::vector<StandingsRow>& rows, int year);

}  // namespace teijinki::info
