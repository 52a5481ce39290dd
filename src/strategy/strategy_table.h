#pragma once
// The strategy commands: names, and for the twelve that are carried out, the ability that chooses
// the executing general, the jobs that may not carry it out, and the way the general is chosen.

#include <string_view>

#include "world/records.h"

namespace teijinki {

enum Command : int {
    kWait = 0, kRecruit = 1, kEnterProvince = 2, kSubvert = 3, kYellowTurbans = 4, kTribes = 5,
    kMediate = 6, kDenounce = 7, kJoinAlliance = 8, kLeaveAlliance = 9, kReplaceLeader = 10,
    kWar = 11, kRighteousWar = 12, kAssassinate = 13
};

// "待機" … "暗殺" for 0..13; empty outside.
std::string_view command_name(int code);

// A: ability + the warlord's roll of the phase; B: ability + a fresh 2d6; T: a difficulty test first.
enum class ChoiceGroup { A, B, T, None };

enum class Ability { Policy, Fight, Wisdom, Tactics, Charm };

struct StrategyRule {
    Ability ability;
    ChoiceGroup group;
    bool excluded[7];  // by Job 0..6
};

// The rule of code 1..12; nullptr for any other code.
const StrategyRule* strategy_rule(int code);
int ability_of(const Bushou& general, Ability ability);

}  // namespace teijinki
