#pragma once
// The arithmetic of a battle, apart from the procedure that tells it: each piece is a pure
// function of the battle sheet or of plain numbers. Reals are single precision.

#include "war/battle_sheet.h"

namespace teijinki {

// Strength of a warlord's own army: CInt(Int((tian + 50) / 150 × army) + seihei), at least 1.
int battle_strength(int tian, int army, int seihei);

// One member's share added to an alliance's strength: CInt(unity / 100 × army + running).
int add_alliance_member(int running, int unity, int army);

// The righteous-war attacker's alliance strength raised by a fifth, rounded down.
int raised_alliance_strength(int ally_strength);

// Morale at the end of set-up, before any cap. A commander who rouses his men adds his charm.
int initial_morale(int taishou_score, int charm, int ttl_plc, bool roused);

// The righteous war's cut of the defender's morale: CInt(morale × 9 / 10).
int cut_defender_morale(int morale);

// Scores of the opening tactics for planning side p against the other side.
float frontal_score(const BattleSheet& s, int p);
float frontal_score_gisen(const BattleSheet& s, int p);
float surprise_score(const BattleSheet& s, int p, int seihei_p);
float grand_strategy_score(const BattleSheet& s, int p);
float intrigue_score(const BattleSheet& s, int p, int kessoku_o);
float duel_score(const BattleSheet& s, int p, int roll);
float long_campaign_score(const BattleSheet& s, int p);

// Whether the attacker's strategist demands surrender (examined only when he plans).
bool surrender_demanded(const BattleSheet& s);
// The decision on a surrender demand: kUndecided when neither side is overwhelming.
int surrender_verdict(const BattleSheet& s);

// The verdict after the middle battle from the final and the starting morale.
int battle_verdict(int m0, int m1, int s0, int s1);

// The loss side `hit` suffers from a blow of side `striker` with the given draw and bonus:
// morale[striker] / 3 × W(striker) / T + draw + bonus.
float blow_loss(const BattleSheet& s, int striker, float draw, int bonus);

// morale − loss, rounded to the nearest (halves to even) — what the morale becomes.
int morale_after_loss(int morale, float loss);

// The strategist's skill shown after a victory: (policy + tactics + extra) / 10 as a real.
float settlement_skill(int policy, int tactics, int extra);

}  // namespace teijinki
