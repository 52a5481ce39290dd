#include "screens/standings_chart.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "world/numbers.h"

namespace teijinki::info {

const std::array<StandingsMeasure, 4>& standings_measures() {
    static const std::array<StandingsMeasure, 4> all = {StandingsMeasure::Troops, StandingsMeasure::Provinces,
                                                        StandingsMeasure::Fame, StandingsMeasure::Score};
    return all;
}

const char* measure_caption(StandingsMeasure measure) {
    switch (measure) {
    case StandingsMeasure::Troops: return "総兵力";
    case StandingsMeasure::Provinces: return "領国数";
    case StandingsMeasure::Fame: return "名声";
    case StandingsMeasure::Score: return "スコア";
    }
    return "";
}

std::string measure_axis_title(StandingsMeasure measure) {
    const std::string caption = measure_caption(measure);
    return measure == StandingsMeasure::Troops ? caption + "（千）" : caption;
}

double measure_value(const StandingsRow& row, StandingsMeasure measure) {
    switch (measure) {
    case StandingsMeasure::Troops: return row.troops;
    case StandingsMeasure::Provinces: return row.provinces;
    case StandingsMeasure::Fame: return row.meisei;
    case StandingsMeasure::Score: return row.score;
    }
    return 0;
}

std::string measure_value_text(StandingsMeasure measure, double value) {
    switch (measure) {
    case StandingsMeasure::Troops: {
        const long long thousands = std::llround(value);
        return thousands == 0 ? "0" : Digits(thousands) + "000";
    }
    case StandingsMeasure::Score: return standings_score_text(static_cast<float>(value));
    case StandingsMeasure::Provinces:
    case StandingsMeasure::Fame: break;
    }
    return Digits(std::llround(value));
}

StandingsChart build_standings_chart(const std::vector<StandingsRow>& rows, StandingsMeasure measure) {
    StandingsChart chart;
    chart.measure = measure;
    std::map<int, StandingsSeries> by_id;
    for (const StandingsRow& row : rows) {
        StandingsSeries& s = by_id[row.warlord];
        if (s.warlord == 0) {
            s.warlord = row.warlord;
            s.colour = owner_colour(row.warlord);
        }
        s.name = row.name;
        s.player = s.player || row.player;
        if (chart.first_year == 0 || row.year < chart.first_year) chart.first_year = row.year;
        chart.last_year = std::max(chart.last_year, row.year);
        if (s.fallen_year != 0) continue;  // the line ended where it fell
        if (row.destroyed) {
            s.fallen_year = row.year;
            // One that had fallen before the record began has no line at all.
            if (!s.points.empty()) s.points.push_back({row.year, 0});
            continue;
        }
        const double value = measure_value(row, measure);
        s.points.push_back({row.year, value});
        chart.max_value = std::max(chart.max_value, value);
    }
    for (auto& [id, s] : by_id) {
        s.legend = s.player ? s.name + kPlayerMark : s.name;
        chart.series.push_back(std::move(s));
    }
    return chart;
}

std::string point_text(const StandingsSeries& series, StandingsMeasure measure, double year) {
    if (series.points.empty()) return {};
    const auto nearest = std::min_element(series.points.begin(), series.points.end(),
                                          [year](const StandingsPoint& a, const StandingsPoint& b) {
                                              return std::abs(a.year - year) < std::abs(b.year - year);
                                          });
    std::string text = series.legend + "　" + Digits(nearest->year) + "年　" + measure_caption(measure) + "：" +
                       measure_value_text(measure, nearest->value);
    if (series.fallen_year == nearest->year) text += "（滅亡）";
    return text;
}

std::vector<ScoreBar> score_bars(const std::vector<StandingsRow>& rows, int year) {
    std::vector<ScoreBar> bars;
    for (const StandingsRow& row : rows)
        if (row.year == year) bars.push_back({row.warlord, row.name, row.score, row.player, row.destroyed});
    std::sort(bars.begin(), bars.end(), [](const ScoreBar& a, const ScoreBar& b) { return a.warlord < b.warlord; });
    return bars;
}

}  // namespace teijinki::info
