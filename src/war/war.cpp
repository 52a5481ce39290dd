#include "war/war.h"

#include <algorithm>
#include <array>
#include <string>

#include "war/battle_roles.h"
#include "war/formulas.h"
#include "war/outcomes.h"
#include "world/numbers.h"
#include "world/trace.h"

namespace teijinki {

namespace {

// Which player slots count when the pages are held for a human side.
constexpr int kPlanSlots = 20;      // after the plan of a war is told
constexpr int kMiddleSlots = 18;    // around the middle battle
constexpr int kRighteousSlots = 15;  // those isPlayer looks at, which the righteous war asks

constexpr int kMoraleCap = 250;

bool played_in_slots(const SharedValues& shared, int id, int last_slot) {
    if (id < 1) return false;
    for (int k = 0; k <= last_slot; ++k)
        if (shared.player_gun[k] == id) return true;
    return false;
}

class Battle {
public:
    Battle(MsgState& state, Gun& g1, Gun& g2, WarKind kind) : st_(state), side_{&g1, &g2}, kind_(kind) {}

    WarSummary fight() {
        set_strength();
        choose_commanders();
        choose_strategists();
        choose_field_generals();
        choose_duellists();
        add_alliances();
        add_force_totals();
        rouse_morale();
        win_initiative();
        choose_tactic();
        open_battle();
        if (s_.tactic == kSurrenderDemand) {
            decide_surrender();
        } else {
            fight_middle_battle();
            give_verdict();
            apply_outcome();
        }
        return WarSummary{kind_, s_.gun_id[0], s_.gun_id[1], s_.initiative, s_.tactic, s_.verdict};
    }

    const BattleSheet& sheet() const { return s_; }

private:
    bool righteous() const { return kind_ == WarKind::Gisen; }
    Gun& gun(int s) { return *side_[s]; }
    Bushou& chr(int id) { return st_.world.chr[id]; }
    std::string& sub1() { return st_.shared.text_sub1; }
    std::string& sub2() { return st_.shared.text_sub2; }

    void tag(int general) {
        const Bushou& g = chr(general);
        st_.pages.tag(g.jpg, g.name);
    }

    // A human side's reader gets a fresh page.
    void hold_pages_for_humans(int last_slot) {
        for (const int id : s_.gun_id)
            if (played_in_slots(st_.shared, id, last_slot)) st_.pages.advance();
    }

    // Side x's morale drops by the loss; the text shows the loss rounded down.
    void lose(int x, float loss) {
        s_.morale[x] = morale_after_loss(s_.morale[x], loss);
        sub1() = s_.gun_name[x];
        sub2() = Str(Int(loss));
        st_.show_text(19);
    }

    // Step 1.
    void set_strength() {
        for (int s = 0; s < 2; ++s) {
            s_.gun_name[s] = gun(s).name;
            s_.gun_id[s] = static_cast<int>(gun(s).id);
            s_.strength[s] = battle_strength(gun(s).tian, gun(s).army, gun(s).seihei);
        }
    }

    // Step 2.
    void choose_commanders() {
        for (int s = 0; s < 2; ++s) {
            const int id = Taishou_rtn(st_, gun(s));
            s_.taishou[s] = id;
            s_.taishou_name[s] = chr(id).name;
            s_.taishou_charm[s] = static_cast<int>(chr(id).charm);
            s_.taishou_score[s] = static_cast<int>(st_.contest_score);
        }
        for (int s = 0; s < 2; ++s) {
            std::string& sub = s == 0 ? sub1() : sub2();
            sub = s_.taishou_name[s] + "の率いる" + s_.gun_name[s] + "軍" + Str(static_cast<long long>(s_.strength[s]));
        }
        st_.show_text(16);
        if (righteous()) tag(s_.taishou[0]);
    }

    // Step 3.
    void choose_strategists() {
        for (int s = 0; s < 2; ++s) {
            const int id = Gunsi_rtn(st_, gun(s));
            if (id < 1) {
                // No strategist: the side still plans, with the least skill.
                s_.gunsi[s] = 0;
                s_.gunsi_wis[s] = 1;
                s_.gunsi_tac[s] = 1;
                continue;
            }
            const Bushou& g = chr(id);
            s_.gunsi[s] = id;
            s_.gunsi_wis[s] = g.Job == kJobShougun ? CInt(real(g.wisdom) / 2.0f) : static_cast<long long>(g.wisdom);
            s_.gunsi_tac[s] = static_cast<int>(g.tactics);
            s_.gunsi_name[s] = g.name;
        }
    }

    // Step 4.
    void choose_field_generals() {
        for (int s = 0; s < 2; ++s) {
            const int id = Shougun_rtn(st_, gun(s));
            s_.shougun[s] = id;
            s_.shougun_tac[s] = static_cast<int>(chr(id).tactics);
            s_.shougun_name[s] = chr(id).name;
        }
    }

    // Step 5.
    void choose_duellists() {
        for (int s = 0; s < 2; ++s) {
            const int id = Ikki_rtn(st_, gun(s));
            s_.ikki[s] = id;
            s_.ikki_fgt[s] = static_cast<int>(chr(id).fight);
            s_.ikki_name[s] = chr(id).name;
        }
    }

    // Step 6: each member's army counts weighted by its alliance's unity.
    void add_alliances() {
        const int warlords = last_warlord(st_.shared);
        for (int s = 0; s < 2; ++s) {
            const int leader = st_.world.gun[s_.gun_id[s]].meishuID;
            int total = 0;
            for (int j = 1; j <= warlords; ++j) {
                const Gun& member = st_.world.gun[j];
                if (member.meishuID != leader) continue;
                total = add_alliance_member(total, st_.shared.mei_kessoku[st_.shared.gun_mei2[j]], member.army);
            }
            if (leader == 0) total = s_.strength[s];
            if (total < 1) total = 1;
            s_.ally_strength[s] = total;
        }
        if (righteous()) s_.ally_strength[0] = raised_alliance_strength(s_.ally_strength[0]);
        sub1() = s_.gun_name[0] + "の総兵力は" + Str(static_cast<long long>(s_.ally_strength[0]));
        sub2() = s_.gun_name[1] + "軍のそれは" + Str(static_cast<long long>(s_.ally_strength[1]));
        st_.show_text(34);
    }

    // Step 7.
    void add_force_totals() {
        for (int s = 0; s < 2; ++s) {
            Gun& g = st_.world.gun[s_.gun_id[s]];
            Ttl_Shou_rtn(st_, g);
            s_.ttl_shou[s] = static_cast<int>(st_.contest_score);
            Ttl_Fgt_rtn(st_, g);
            s_.ttl_fgt[s] = static_cast<int>(st_.contest_score);
            Ttl_Plc_rtn(st_, g);
            s_.ttl_plc[s] = static_cast<int>(st_.contest_score);
            Ttl_Wis_rtn(st_, g);
            s_.ttl_wis[s] = static_cast<int>(st_.contest_score);
        }
    }

    // Step 8.
    void rouse_morale() {
        for (int s = 0; s < 2; ++s) {
            const int u1 = roll(st_.rng, 4);
            const int u2 = roll(st_.rng, 6);
            const int r = u1 + u2 + 2;
            const bool roused = s_.taishou_charm[s] >= r;
            s_.morale[s] = initial_morale(s_.taishou_score[s], s_.taishou_charm[s], s_.ttl_plc[s], roused);
            sub1() = s_.taishou_name[s];
            st_.show_text(roused ? 50 : 51);
            if (!righteous() && s_.morale[s] > kMoraleCap) s_.morale[s] = kMoraleCap;
            s_.morale_start[s] = static_cast<int>(s_.morale[s]);
        }
        if (righteous()) {
            // The defender of a righteous cause fights with a tenth less heart.
            s_.morale[1] = cut_defender_morale(s_.morale[1]);
            if (s_.morale[1] > kMoraleCap) {
                s_.morale[1] = kMoraleCap;
                s_.morale_start[1] = kMoraleCap;
            }
        }
        sub1() = s_.ttl_plc[0] < s_.ttl_plc[1] ? s_.gun_name[1] : s_.gun_name[0];
        st_.show_text(49);
        st_.append(morale_line(s_));
    }

    // Step 9: ties go to the attacker.
    void win_initiative() {
        std::array<int, 2> draw{};
        for (int s = 0; s < 2; ++s) {
            const int x = roll(st_.rng, 2);
            const int y = roll(st_.rng, 2);
            draw[s] = x + y + 2;
        }
        const long long attack = static_cast<long long>(s_.gunsi_wis[0]) + s_.gunsi_tac[0] + draw[0];
        const long long defend = static_cast<long long>(s_.gunsi_wis[1]) + s_.gunsi_tac[1] + draw[1];
        s_.initiative = attack >= defend ? 1 : 2;
        const int p = s_.initiative - 1;
        sub1() = s_.gun_name[p] + "の軍師" + s_.gunsi_name[p];
    }

    // Step 10: a later candidate replaces the choice only with a strictly greater score.
    void choose_tactic() {
        const int p = s_.initiative == 1 ? 0 : 1;
        const int o = 1 - p;
        s_.tactic = kFrontalAttack;
        float best = righteous() ? frontal_score_gisen(s_, p) : frontal_score(s_, p);
        sub2() = tactic_name(kFrontalAttack);

        auto consider = [&](int tactic, float score) {
            if (score > best) {
                best = score;
                s_.tactic = tactic;
                sub2() = tactic_name(tactic);
            }
        };
        // The righteous attacker may not try surprise or a long campaign.
        const bool full_choice = !righteous() || p == 1;
        if (full_choice) consider(kSurpriseAttack, surprise_score(s_, p, gun(p).seihei));
        consider(kGrandStrategy, grand_strategy_score(s_, p));
        consider(kIntrigue, intrigue_score(s_, p, gun(o).kessoku));
        const int d1 = roll(st_.rng, 6);
        const int d2 = roll(st_.rng, 6);
        consider(kDuel, duel_score(s_, p, d1 + d2 + 2));
        if (full_choice) consider(kLongCampaign, long_campaign_score(s_, p));
        if (!righteous() && s_.initiative == 1 && surrender_demanded(s_)) s_.tactic = kSurrenderDemand;

        if (s_.tactic != kSurrenderDemand) st_.show_text(17);
        hold_pages_for_humans(righteous() ? kRighteousSlots : kPlanSlots);
    }

    // Step 11: the opening exchange.
    void open_battle() {
        const int a = two_dice(6, 0);
        const int b = two_dice(6, 0);
        switch (s_.tactic) {
            case kFrontalAttack: frontal_opening(a, b); break;
            case kSurpriseAttack: surprise_opening(a, b); break;
            case kGrandStrategy: grand_strategy_opening(a, b); break;
            case kIntrigue: intrigue_opening(a, b); break;
            case kDuel: duel_opening(); break;
            case kLongCampaign: long_campaign_opening(a, b); break;
            case kSurrenderDemand: st_.show_text(40); break;
            default: break;
        }
    }

    // Int(Rnd × n) + Int(Rnd × n) + base, the first die drawn first.
    int two_dice(int n, int base) {
        const int first = roll(st_.rng, n);
        const int second = roll(st_.rng, n);
        return first + second + base;
    }

    void frontal_opening(int a, int b) {
        const long long edge = (static_cast<long long>(s_.gunsi_tac[0]) + s_.taishou_score[0] + a) -
                               (static_cast<long long>(s_.gunsi_tac[1]) + s_.taishou_score[1] + b);
        if (edge >= 0) {
            lose(1, blow_loss(s_, 0, real(a), 10));
            lose(0, blow_loss(s_, 1, real(b), 10));
            tag(s_.taishou[0]);
        } else {
            lose(0, blow_loss(s_, 1, real(b), 10));
            lose(1, blow_loss(s_, 0, real(a), 10));
            tag(s_.taishou[1]);
        }
    }

    void surprise_opening(int a, int b) {
        const int p = s_.initiative == 1 ? 0 : 1;
        const int o = 1 - p;
        const int draw_p = p == 0 ? a : b;
        const int draw_o = p == 0 ? b : a;
        if (static_cast<long long>(s_.shougun_tac[p]) + draw_p >= static_cast<long long>(s_.gunsi_tac[o]) + draw_o) {
            const long long d = static_cast<long long>(gun(p).seihei) * 3 + s_.ikki_fgt[p] + a;
            s_.morale[o] = saturate16(CInt(static_cast<double>(static_cast<long long>(s_.morale[o]) - d)));
            sub1() = s_.shougun_name[p];
            sub2() = s_.ikki_name[p] + (p == 0 ? "以下、獅子奮迅の働きを見せ、" : "もここぞとばかりに暴れまわり、") +
                     s_.gun_name[o] + "軍の士気が" + Str(d);
            st_.show_text(20);
            tag(s_.shougun[p]);
        } else {
            const float d = real(s_.strength[o]) / real(static_cast<long long>(s_.strength[0]) + s_.strength[1]) * 80.0f;
            s_.morale[p] = morale_after_loss(s_.morale[p], d);
            sub1() = s_.shougun_name[p];
            sub2() = s_.gun_name[p] + "軍の士気が" + Str(Int(d));
            st_.show_text(25);
            tag(s_.gunsi[o]);
        }
    }

    // A strategists' contest won by side w against side l: l's morale drops by the loss.
    void strategist_blow(int w, float loss, int text) {
        const int l = 1 - w;
        s_.morale[l] = morale_after_loss(s_.morale[l], loss);
        sub1() = s_.gunsi_name[w];
        sub2() = s_.gun_name[l] + "軍の士気が" + Str(Int(loss));
        st_.show_text(text);
        tag(s_.gunsi[w]);
    }

    void grand_strategy_opening(int a, int b) {
        auto v = [&](int s) {
            return real(s_.ttl_shou[s]) / 10.0f + real(s_.gunsi_tac[s]) + real(s_.ttl_plc[s]) / 10.0f;
        };
        if (v(1) + real(b) <= v(0) + real(a))
            strategist_blow(0, real(static_cast<long long>(s_.ttl_shou[0]) + s_.ally_strength[0]) / 10.0f + real(a), 26);
        else
            strategist_blow(1, real(static_cast<long long>(s_.ally_strength[1]) + s_.ttl_shou[1]) / 10.0f + real(b), 26);
    }

    float alliance_ratio(int s) const { return real(s_.ally_strength[s]) / real(s_.ally_strength[1 - s]); }

    void intrigue_opening(int a, int b) {
        auto v = [&](int s) { return alliance_ratio(s) + real(s_.gunsi_wis[s]); };
        if (v(1) + real(b) <= v(0) + real(a))
            strategist_blow(0, real(s_.ttl_wis[0]) / 2.0f + 20.0f + real(a), 28);
        else
            strategist_blow(1, real(s_.ttl_wis[1]) / 2.0f + 20.0f + real(b), 28);
    }

    void duel_opening() {
        const int a = two_dice(4, 2);
        const int b = two_dice(4, 2);
        const int w = s_.ikki_fgt[1] + b <= s_.ikki_fgt[0] + a ? 0 : 1;
        const int l = 1 - w;
        const int draw = w == 0 ? a : b;
        s_.morale[l] = saturate16(CInt(real(s_.morale[l]) * 3.0f / 4.0f - real(draw)));
        sub1() = s_.ikki_name[w] + "が" + s_.ikki_name[l];
        sub2() = s_.gun_name[l];
        st_.show_text(29);
        tag(s_.ikki[w]);
    }

    void long_campaign_opening(int a, int b) {
        auto v = [&](int s) { return alliance_ratio(s) + real(s_.gunsi_tac[s]); };
        const int w = v(1) + real(b) <= v(0) + real(a) ? 0 : 1;
        const int l = 1 - w;
        const long long d = static_cast<long long>(s_.ttl_plc[w]) + (w == 0 ? a : b) + 20;
        s_.morale[l] = saturate16(CInt(static_cast<double>(static_cast<long long>(s_.morale[l]) - d)));
        sub1() = s_.gun_name[l];
        sub2() = Str(d);
        st_.show_text(30);
        tag(s_.gunsi[w]);
    }

    // Step 12: the answer to a surrender demand; a refusal ends the war with no effect.
    void decide_surrender() {
        s_.verdict = surrender_verdict(s_);
        tag(s_.gunsi[0]);
        if (s_.verdict != kUndecided) {
            sub1() = s_.gun_name[s_.verdict - 1];
            st_.show_text(35);
        }
        st_.pages.advance();
        if (s_.verdict == kUndecided) return;
        const int w = s_.verdict - 1;
        const int l = 1 - w;
        Kouhuku_rtn(st_, gun(w), gun(l));
        tell_settlement(w, 10);
        tag(s_.gunsi[w]);
        const Bushou& strategist = chr(s_.gunsi[w]);
        Shouri_rtn(st_, gun(w), gun(l), strategist);
        Haiboku_rtn2(st_, gun(l), strategist, &gun(w));
    }

    void tell_settlement(int w, int extra) {
        const Bushou& strategist = chr(s_.gunsi[w]);
        sub1() = s_.gunsi_name[w];
        sub2() = Str(static_cast<double>(settlement_skill(strategist.policy, strategist.tactics, extra)));
        st_.show_text(42);
    }

    // Step 13.
    void fight_middle_battle() {
        st_.append(morale_line(s_));
        st_.append("その流れのまま中盤戦に入り、");
        hold_pages_for_humans(righteous() ? kRighteousSlots : kMiddleSlots);
        const int a1 = roll(st_.rng, 6);
        const int a2 = roll(st_.rng, 6);
        const float a = real(a1 + a2) + real(s_.morale[0]) / 10.0f;
        const int b1 = roll(st_.rng, 6);
        const int b2 = roll(st_.rng, 6);
        const float b = real(b1 + b2) + real(s_.morale[1]) / 10.0f;
        const int seihei0 = gun(0).seihei;
        const int seihei1 = gun(1).seihei;
        if (real(static_cast<long long>(s_.gunsi_tac[1]) + s_.taishou_score[1]) + b <=
            real(static_cast<long long>(s_.gunsi_tac[0]) + s_.taishou_score[0]) + a) {
            lose(1, blow_loss(s_, 0, a, seihei0));
            lose(0, blow_loss(s_, 1, b, seihei1));
        } else {
            lose(0, blow_loss(s_, 1, b, seihei1));
            lose(1, blow_loss(s_, 0, a, seihei0));
        }
        hold_pages_for_humans(kMiddleSlots);
    }

    // Step 14.
    void give_verdict() {
        s_.verdict = battle_verdict(s_.morale[0], s_.morale[1], s_.morale_start[0], s_.morale_start[1]);
        st_.append(morale_line(s_));
        if (s_.verdict != kUndecided) {
            sub1() = s_.gun_name[s_.verdict - 1];
            st_.show_text(35);
        } else {
            st_.show_text(36);
        }
        st_.pages.advance();
    }

    // Step 15.
    void apply_outcome() {
        if (s_.verdict == kUndecided) {
            Hikiwake_rtn(st_, gun(0), gun(1));
            return;
        }
        const int w = s_.verdict - 1;
        const int l = 1 - w;
        tell_settlement(w, 15);
        const Bushou& strategist = chr(s_.gunsi[w]);
        Shouri_rtn(st_, gun(w), gun(l), strategist);
        Haiboku_rtn(st_, gun(l), strategist, &gun(w));
    }

    MsgState& st_;
    std::array<Gun*, 2> side_;
    WarKind kind_;
    BattleSheet s_;
};

}  // namespace

std::string morale_line(const BattleSheet& s) {
    return s.gun_name[0] + "の士気" + Str(static_cast<long long>(s.morale[0])) + " " + s.gun_name[1] + "の士気" +
           Str(static_cast<long long>(s.morale[1])) + kCrLf + kCrLf;
}

WarSummary fight_battle(MsgState& state, Gun& g1, Gun& g2, WarKind kind, BattleSheet* sheet) {
    Battle battle(state, g1, g2, kind);
    const WarSummary summary = battle.fight();
    if (sheet) *sheet = battle.sheet();
    if (state.trace)
        state.trace->war(state.shared.form_param, kind == WarKind::Gisen, summary.attacker, summary.defender,
                         summary.initiative, summary.tactic, summary.verdict);
    return summary;
}

void War_rtn(MsgState& state, Gun& g1, Gun& g2) { fight_battle(state, g1, g2, WarKind::War); }

void Gisen_rtn(MsgState& state, Gun& g1, Gun& g2) { fight_battle(state, g1, g2, WarKind::Gisen); }

}  // namespace teijinki
