#pragma once
// The odds of an offer as the strategy screen and teijinki-sim tell them.
//
// 実行: a general was chosen to carry the offer out (for the strategies with a difficulty test,
// one who passed it). 成功, by strategy: 人材募集 the general joins; 入国 the province is taken;
// 調略 the target's cohesion is broken (with the generals who came over, on average); 黄巾賊退治
// the rebels are beaten (and the province taken); 異民族討伐 a full victory (a partial one is
// told apart); 調停 carried out; 糾弾 carried out against a warlord other than the executor's own;
// 同盟参加 the alliance joined; 脱退 the alliance left; 盟主交替 the leadership won. 戦争 and 義戦
// tell won, lost, drawn and surrenders.
// Every figure is a share of all runs.

#include <string>

#include "strategy/odds.h"

namespace teijinki {

// "見込み：実行 92％（荀彧）、成功 約63％" and its kin; empty when the offer is nothing that is
// carried out (待機) or no run was made.
std::string odds_line(const OfferOdds& odds);

// What 実行 and 成功 mean for this strategy, how often the warlord's own generals carry it out,
// and the number of runs behind the figures; lines joined by "\n". Empty with the line.
std::string odds_detail(const OfferOdds& odds);

}  // namespace teijinki
