#pragma once
// The record one war is fought on: every field holds the attacker at index 0 and the defender at
// index 1. It lives for one call of the battle and is thrown away afterwards.

#include <array>
#include <string>

#include "world/numbers.h"

namespace teijinki {

inline constexpr int kAttacker = 0;
inline constexpr int kDefender = 1;

// Opening tactics. kSurrenderDemand has no name and only the attacker's strategist may choose it.
enum Tactic : int {
    kFrontalAttack = 1,
    kSurpriseAttack = 2,
    kGrandStrategy = 3,
    kIntrigue = 4,
    kDuel = 5,
    kLongCampaign = 6,
    kSurrenderDemand = 7,
};

// The tactic's name as the planning text shows it; empty for the surrender demand.
const char* tactic_name(int tactic);

enum Verdict : int { kUndecided = 0, kAttackerWins = 1, kDefenderWins = 2 };

enum class WarKind { War, Gisen };

struct BattleSheet {
    using Pair = std::array<Int16, 2>;
    using Names = std::array<std::string, 2>;

    Names gun_name;
    Pair gun_id;
    Pair strength;

    Pair taishou;  // general ids; 0 = the placeholder record
    Names taishou_name;
    Pair taishou_charm;
    Pair taishou_score;

    Pair gunsi;
    Names gunsi_name;
    Pair gunsi_wis;
    Pair gunsi_tac;

    Pair shougun;
    Names shougun_name;
    Pair shougun_tac;

    Pair ikki;
    Names ikki_name;
    Pair ikki_fgt;

    Pair ally_strength;

    Pair ttl_shou;
    Pair ttl_fgt;
    Pair ttl_plc;
    Pair ttl_wis;

    Pair morale;
    Pair morale_start;

    int initiative = 1;  // 1 = the attacker's strategist plans the opening, 2 = the defender's
    int tactic = kFrontalAttack;
    int verdict = kUndecided;

    // W(s): fighting power of side s in the exchanges of blows.
    long long weight(int s) const { return static_cast<long long>(ttl_fgt[s]) + strength[s]; }
};

// What an analysis trace records of one war.
struct WarSummary {
    WarKind kind = WarKind::War;
    int attacker = 0;
    int defender = 0;
    int initiative = 0;
    int tactic = 0;
    int verdict = 0;
};

}  // namespace teijinki
