// The standings: the file's form, and what the pictures are made of (one line per
// warlord in its map colour, the fallen one ending where it fell, the players marked, the report's bars).

#include <gtest/gtest.h>

#include <algorithm>

#include "messages/standings.h"
#include "screens/standings_chart.h"

namespace teijinki::info {
namespace {

StandingsRow row(int year, int warlord, const char* name, int troops, int provinces, int fame, float score,
                 bool destroyed = false, bool player = false) {
    StandingsRow r;
    r.year = year;
    r.warlord = warlord;
    r.name = name;
    r.troops = troops;
    r.seihei = troops / 4;
    r.provinces = provinces;
    r.generals = 3;
    r.meisei = fame;
    r.tian = 60;
    r.kessoku = 70;
    r.ifu = 10;
    r.destroyed = destroyed;
    r.player = player;
    r.score = score;
    return r;
}

// 甲 is played from 191 on; 乙 falls in 192; 丙 had fallen before the record began.
std::vector<StandingsRow> three_years() {
    return {row(190, 1, "甲", 40, 3, 20, 96.66666f), row(190, 2, "乙", 70, 5, 31, 120.5f),
            row(190, 3, "丙", 0, 0, 9, 0, true),
            row(191, 1, "甲", 55, 4, 24, 110.25f, false, true), row(191, 2, "乙", 30, 2, 33, 70.0f),
            row(191, 3, "丙", 0, 0, 9, 0, true),
            row(192, 1, "甲", 80, 6, 27, 150.0f, false, true), row(192, 2, "乙", 12, 0, 33, 0, true),
            row(192, 3, "丙", 0, 0, 9, 0, true)};
}

TEST(StandingsFile, WritesListOutputThatReadsBack) {
    const auto rows = three_years();
    const std::string text = format_standings(rows);
    // The name quoted, the flags (fallen, played) 1 or 0, every line ended by CR LF.
    EXPECT_EQ(text.substr(0, text.find("\r\n191,2,")),
              std::string(kStandingsHeading) + "\r\n190,1,\"甲\",40,10,3,3,20,60,70,10,0,0,0,96.66666\r\n" +
                  "190,2,\"乙\",70,17,5,3,31,60,70,10,0,0,0,120.5\r\n190,3,\"丙\",0,0,0,3,9,60,70,10,0,1,0,0\r\n" +
                  "191,1,\"甲\",55,13,4,3,24,60,70,10,0,0,1,110.25");
    EXPECT_EQ(parse_standings(text, "ini/standings.csv"), rows);
    EXPECT_TRUE(parse_standings("", "x").empty());
}

TEST(StandingsChart, OneLinePerWarlordInItsMapColourTheFallenEndingAtZeroThePlayersMarked) {
    const StandingsChart chart = build_standings_chart(three_years(), StandingsMeasure::Troops);
    EXPECT_EQ(chart.first_year, 190);
    EXPECT_EQ(chart.last_year, 192);
    EXPECT_EQ(chart.max_value, 80);
    ASSERT_EQ(chart.series.size(), 3u);
    for (int w = 0; w < 3; ++w) EXPECT_EQ(chart.series[w].colour, owner_colour(w + 1)) << w;

    EXPECT_TRUE(chart.series[0].player);
    EXPECT_EQ(chart.series[0].legend, "甲（プレイヤー）");
    EXPECT_EQ(chart.series[0].points, (std::vector<StandingsPoint>{{190, 40}, {191, 55}, {192, 80}}));
    EXPECT_FALSE(chart.series[1].player);
    EXPECT_EQ(chart.series[1].legend, "乙");
    EXPECT_EQ(chart.series[1].fallen_year, 192);
    EXPECT_EQ(chart.series[1].points, (std::vector<StandingsPoint>{{190, 70}, {191, 30}, {192, 0}}));
    EXPECT_TRUE(chart.series[2].points.empty()) << "fallen before the first row: no line";
    EXPECT_EQ(std::make_tuple(chart.series[2].fallen_year, chart.series[2].warlord), std::make_tuple(190, 3))
        << "a fall is the first year listed as fallen";

    // Each measure takes its own column; only troops are counted in thousands.
    const std::tuple<StandingsMeasure, double, const char*> firsts[] = {{StandingsMeasure::Fame, 20, "名声"},
                                                                        {StandingsMeasure::Troops, 40, "総兵力（千）"},
                                                                        {StandingsMeasure::Provinces, 3, "領国数"},
                                                                        {StandingsMeasure::Score, 96.66666f, "スコア"}};
    for (const auto& [measure, value, axis] : firsts) {
        const StandingsChart one = build_standings_chart(three_years(), measure);
        EXPECT_EQ(std::make_tuple(one.measure, one.series[0].points[0].value, measure_axis_title(measure)),
                  std::make_tuple(measure, value, std::string(axis)));
    }
}

TEST(StandingsChart, ThePointerNamesTheNearestYearAndTheReportBarsAreThatYearsScores) {
    const StandingsChart troops = build_standings_chart(three_years(), StandingsMeasure::Troops);
    EXPECT_EQ(point_text(troops.series[0], StandingsMeasure::Troops, 190.6), "甲（プレイヤー）　191年　総兵力：55000");
    EXPECT_EQ(point_text(troops.series[1], StandingsMeasure::Troops, 195), "乙　192年　総兵力：0（滅亡）");
    EXPECT_EQ(point_text(troops.series[2], StandingsMeasure::Troops, 190), "");
    EXPECT_EQ(point_text(troops.series[1], StandingsMeasure::Troops, 190.5), "乙　190年　総兵力：70000");  // a tie: the earlier
    const StandingsChart score = build_standings_chart(three_years(), StandingsMeasure::Score);
    EXPECT_EQ(point_text(score.series[0], StandingsMeasure::Score, 190.4), "甲（プレイヤー）　190年　スコア：96.66666");

    auto rows = three_years();
    std::reverse(rows.begin(), rows.end());  // the bars come in warlord order whatever the rows' order
    const auto bars = score_bars(rows, 191);
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_EQ(bars[0].name + bars[1].name, "甲乙");
    EXPECT_FLOAT_EQ(bars[0].score, 110.25);
    EXPECT_TRUE(bars[0].player);
    EXPECT_FALSE(bars[1].player);
    EXPECT_TRUE(bars[2].destroyed);
    EXPECT_TRUE(score_bars(three_years(), 193).empty());
}

}  // namespace
}  // namespace teijinki::info
