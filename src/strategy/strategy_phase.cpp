#include "strategy/strategy_phase.h"

#include "events/destruction.h"

namespace teijinki {

namespace {

constexpr int kRolledWarlords = 19;  // warlord ids that get a roll of the phase

bool in_table(int id, int last) { return id >= 0 && id <= last; }

}  // namespace

GunRolls draw_gun_rolls(RandomSource& rng) {
    GunRolls rolls;
    for (int g = 1; g <= kRolledWarlords; ++g) rolls[g] = roll2d6(rng);
    return rolls;
}

bool takes_part(const SharedValues& shared, int g, int list, int entry) {
    if (!in_table(g, kMaxWarlords)) return false;
    return shared.gun_mei2[g] == list && shared.gun_mei[g] == entry;
}

void player_headings(MsgState& state, int list, int entry) {
    const SharedValues& shared = state.shared;
    for (int s = 0; s <= kMaxWarlords; ++s) {
        const int g = shared.player_gun[s];
        if (g >= 1 && takes_part(shared, g, list, entry))
            state.append("***" + state.world.gun[g].name + "（プレイヤー）が関わった作戦***" + kCrLf);
    }
}

Candidates find_candidates(const MsgState& state, int list, int entry, int code) {
    const SharedValues& shared = state.shared;
    const WorkingSet& world = state.world;
    const StrategyRule* rule = strategy_rule(code);
    Candidates cand;
    for (int k = 1; k <= last_general(shared); ++k) {
        const Bushou& b = world.chr[k];
        // A general whose ruler has no warlord (gunID 0) acts for nobody.
        if (b.kunID < 1 || b.gunID < 1 || b.gunID > shared.gun_count || b.gunID > kMaxWarlords) continue;
        if (world.gun[b.gunID].del || !takes_part(shared, b.gunID, list, entry)) continue;
        if (rule && b.Job >= 0 && b.Job <= 6 && rule->excluded[b.Job]) continue;
        cand[k] = true;
    }
    return cand;
}

void choose_executor(MsgState& state, const Candidates& cand, const GunRolls& gun_roll, StrategyEntry& entry) {
    entry.exec_id = 0;
    entry.best = 0;
    entry.fail_id = 0;
    const StrategyRule* rule = strategy_rule(entry.code);
    if (!rule) return;
    const int com_level = state.shared.com_level[entry.list][entry.entry];
    for (int k = 1; k <= last_general(state.shared); ++k) {
        if (!cand[k]) continue;
        const Bushou& b = state.world.chr[k];
        const int score = ability_of(b, rule->ability);
        int value = 0;
        switch (rule->group) {
            case ChoiceGroup::A: value = score + gun_roll[b.gunID]; break;
            case ChoiceGroup::B: value = score + roll2d6(state.rng); break;
            case ChoiceGroup::T: {
                const int r1 = roll2d6(state.rng);
                const int r2 = roll2d6(state.rng);
                if (score + r1 >= com_level + r2) {
                    entry.fail_id = 0;
                    value = score + roll2d6(state.rng);
                } else {
                    entry.fail_id = k;
                    continue;
                }
                break;
            }
            case ChoiceGroup::None: continue;
        }
        if (value > entry.best) {
            entry.exec_id = k;
            entry.best = value;
        }
    }
}

void play_strategy_phase(MsgState& state) {
    const GunRolls gun_roll = draw_gun_rolls(state.rng);
    for (int list = 0; list <= 3; ++list) {
        const std::vector<int> codes = state.shared.com_codes[list];  // a strategy may not reshape the lists
        for (int entry = 0; entry < static_cast<int>(codes.size()) && entry <= 3; ++entry) {
            StrategyEntry e;
            e.list = list;
            e.entry = entry;
            e.code = codes[entry];
            player_headings(state, list, entry);
            const Candidates cand = find_candidates(state, list, entry, e.code);
            choose_executor(state, cand, gun_roll, e);
            e.entry_roll = roll2d6(state.rng);
            if (strategy_rule(e.code)) execute_strategy(state, e);
        }
    }
    checkMetubou(state);
    state.pages.mark_end();
}

void run_strategy_phase(MsgState& state) {
    play_strategy_phase(state);
    sv_Chr(state.folder, state.shared, state.world);
    sv_Gun(state.folder, state.shared, state.world);
    sv_Kuni(state.folder, state.shared, state.world);
}

}  // namespace teijinki
