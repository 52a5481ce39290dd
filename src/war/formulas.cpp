#include "war/formulas.h"

namespace teijinki {

namespace {
int other(int p) { return 1 - p; }
}  // namespace

const char* tactic_name(int tactic) {
    switch (tactic) {
        case kFrontalAttack: return "正攻法";
        case kSurpriseAttack: return "奇襲";
        case kGrandStrategy: return "大戦略";
        case kIntrigue: return "謀略";
        case kDuel: return "一騎打ち";
        case kLongCampaign: return "長期戦";
        default: return "";
    }
}

int battle_strength(int tian, int army, int seihei) {
    const float levied = real(tian + 50) / 150.0f * real(army);
    const long long value = CInt(static_cast<double>(Int(levied) + seihei));
    return value < 1 ? 1 : static_cast<int>(saturate16(value));
}

int add_alliance_member(int running, int unity, int army) {
    return saturate16(CInt(real(unity) / 100.0f * real(army) + real(running)));
}

int raised_alliance_strength(int ally_strength) { return saturate16(Int(real(ally_strength) * 1.2f)); }

int initial_morale(int taishou_score, int charm, int ttl_plc, bool roused) {
    long long morale = static_cast<long long>(taishou_score) * 5 + ttl_plc + 100;
    if (roused) morale += static_cast<long long>(charm) * 5;
    return saturate16(morale);
}

int cut_defender_morale(int morale) { return saturate16(CInt(real(morale) * 9.0f / 10.0f)); }

float frontal_score(const BattleSheet& s, int p) {
    const int o = other(p);
    return real(s.weight(p)) / real(static_cast<long long>(s.strength[o]) + s.ttl_fgt[o]) * 30.0f +
           real(static_cast<long long>(s.gunsi_tac[p]) + s.taishou_score[p] - s.gunsi_tac[o] - s.taishou_score[o]);
}

float frontal_score_gisen(const BattleSheet& s, int p) {
    const int o = other(p);
    const long long lead = (static_cast<long long>(s.gunsi_tac[p]) + s.taishou_score[p]) -
                           (static_cast<long long>(s.gunsi_tac[o]) + s.taishou_score[o]);
    return real(lead * s.weight(p)) / 2.0f;
}

float surprise_score(const BattleSheet& s, int p, int seihei_p) {
    const int o = other(p);
    return real((static_cast<long long>(s.shougun_tac[p]) - s.gunsi_tac[o]) * seihei_p * 8);
}

float grand_strategy_score(const BattleSheet& s, int p) {
    const int o = other(p);
    const float mine = real(static_cast<long long>(s.ttl_plc[p]) + s.ttl_shou[p]) / 10.0f;
    const float theirs = real(static_cast<long long>(s.ttl_plc[o]) + s.ttl_shou[o]) / 10.0f;
    return (mine + real(s.gunsi_tac[p]) - theirs - real(s.gunsi_tac[o])) * real(s.ally_strength[p]) / 10.0f;
}

float intrigue_score(const BattleSheet& s, int p, int kessoku_o) {
    const int o = other(p);
    const float edge = real(s.ally_strength[p]) / real(s.ally_strength[o]) + real(s.gunsi_wis[p]) -
                       real(s.gunsi_wis[o]) - real(s.ally_strength[o]) / real(s.ally_strength[p]);
    return edge * (real(kessoku_o) / 2.0f + real(s.ttl_wis[p]));
}

float duel_score(const BattleSheet& s, int p, int roll) {
    const int o = other(p);
    return real(static_cast<long long>(roll) * (static_cast<long long>(s.ikki_fgt[p]) - s.ikki_fgt[o]) * 10);
}

float long_campaign_score(const BattleSheet& s, int p) {
    const int o = other(p);
    const float edge = real(s.ally_strength[p]) / real(s.ally_strength[o]) + real(s.gunsi_tac[p]) -
                       real(s.gunsi_tac[o]) - real(s.ally_strength[o]) / real(s.ally_strength[p]);
    return edge * real(s.ttl_plc[p]) * 2.0f;
}

bool surrender_demanded(const BattleSheet& s) {
    const float odds = real(s.ally_strength[0]) / real(s.ally_strength[1]) +
                       real(static_cast<long long>(s.ttl_plc[0]) + s.ttl_plc[1]) / 10.0f;
    return odds >= 15.0f && real(s.morale[0]) / real(s.morale[1]) > 1.1f;
}

int surrender_verdict(const BattleSheet& s) {
    int verdict = kUndecided;
    const float a0 = real(s.ally_strength[0]), a1 = real(s.ally_strength[1]);
    const float s0 = real(s.strength[0]), s1 = real(s.strength[1]);
    if (a0 / a1 + s0 / s1 > 3.2f && s.morale[1] < s.morale[0]) verdict = kAttackerWins;
    if (a1 / a0 + s1 / s0 > 3.2f && s.morale[0] < s.morale[1]) verdict = kDefenderWins;
    return verdict;
}

int battle_verdict(int m0, int m1, int s0, int s1) {
    const float fm0 = real(m0), fm1 = real(m1), fs0 = real(s0), fs1 = real(s1);
    int verdict = kUndecided;
    if (fm0 > fm1 * 3.0f / 2.0f || (fm1 < fm0 && fs1 * 2.0f / 3.0f > fm1 && fm0 > fs1 * 3.0f / 4.0f))
        verdict = kAttackerWins;
    if (fm1 > fm0 * 3.0f / 2.0f || (fm0 < fm1 && fs0 * 2.0f / 3.0f > fm0 && fm1 > fs0 * 3.0f / 4.0f))
        verdict = kDefenderWins;
    return verdict;
}

float blow_loss(const BattleSheet& s, int striker, float draw, int bonus) {
    const float total = real(s.weight(0) + s.weight(1));
    return real(s.morale[striker]) / 3.0f * real(s.weight(striker)) / total + draw + real(bonus);
}

int morale_after_loss(int morale, float loss) { return saturate16(CInt(real(morale) - loss)); }

float settlement_skill(int policy, int tactics, int extra) {
    return real(static_cast<long long>(policy) + tactics + extra) / 10.0f;
}

}  // namespace teijinki
