#pragma once
// The reports' picture: one bar per warlord with its score, the players' bars in the game's
// lacquer red, read from the standings' row of the report's year.

#include <vector>

#include "screens/standings_chart.h"

class QWidget;

namespace teijinki::ui {

class MsgWindow;

// The bars as a chart (object name "ScoreChart"), the first warlord at the top.
QWidget* make_score_chart(const std::vector<info::ScoreBar>& bars);

// Puts the chart of `year` beside the report's text. When the standings cannot be read, a line
// naming the file and the fault takes the chart's place; when they hold no row of that year
// nothing is added.
void add_score_chart(MsgWindow& window, const GameFolder& folder, int year);

}  // namespace teijinki::ui
