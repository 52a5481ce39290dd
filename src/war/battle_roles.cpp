#include "war/battle_roles.h"

#include <algorithm>
#include <optional>

namespace teijinki {

namespace {

// The role's score of one general before the random bonus; nullopt when he is not eligible.
using RoleTerms = std::optional<float> (*)(const Bushou&);

// Every eligible general draws his bonus in id order, so the number of draws depends on how many
// are eligible. An equal score keeps the earlier general.
int contest(MsgState& state, const Gun& g, RoleTerms terms, bool single_bonus_draw) {
    int result = 0;
    long long best = 0;
    const int last = last_general(state.shared);
    for (int b = 1; b <= last; ++b) {
        const Bushou& man = state.world.chr[b];
        if (man.gunID != g.id) continue;
        const std::optional<float> ability = terms(man);
        if (!ability) continue;
        int bonus;
        if (single_bonus_draw) {
            bonus = roll(state.rng, 2) + 1;
        } else {
            const int u1 = roll(state.rng, 3);
            const int u2 = roll(state.rng, 3);
            bonus = u1 + u2 + 2;
        }
        const float score = static_cast<float>(bonus) + *ability;
        if (score > static_cast<float>(best)) {
            best = CInt(score);
            result = b;
        }
    }
    state.contest_score = best;
    return result;
}

std::optional<float> commander_terms(const Bushou& man) {
    if (man.Job != kJobShougun && man.Job != kJobKunshu && man.Job != kJobGunshi) return std::nullopt;
    return static_cast<float>(man.tactics) + static_cast<float>(man.charm);
}

std::optional<float> strategist_terms(const Bushou& man) {
    if (man.Job == kJobSanbou || man.Job == kJobGunshi)
        return static_cast<float>(man.wisdom) + static_cast<float>(man.tactics);
    // A general is a soldier first: his wisdom counts half when he plans.
    if (man.Job == kJobShougun) return static_cast<float>(man.wisdom) * 0.5f + static_cast<float>(man.tactics);
    return std::nullopt;
}

std::optional<float> field_general_terms(const Bushou& man) {
    if (man.Job != kJobShougun) return std::nullopt;
    return static_cast<float>(man.tactics);
}

std::optional<float> duellist_terms(const Bushou& man) {
    if (man.Job != kJobKunshu && man.Job != kJobShougun && man.Job != kJobBukan) return std::nullopt;
    return static_cast<float>(man.fight);
}

template <class Pick>
void total(MsgState& state, const Gun& g, Pick pick) {
    long long sum = 0;
    const int last = last_general(state.shared);
    for (int b = 1; b <= last; ++b) {
        const Bushou& man = state.world.chr[b];
        if (man.gunID != g.id) continue;
        sum += pick(man);
    }
    if (sum == 0) sum = 1;
    state.contest_score = sum;
}

bool job_in(int job, std::initializer_list<int> jobs) { return std::find(jobs.begin(), jobs.end(), job) != jobs.end(); }

}  // namespace

int Taishou_rtn(MsgState& state, const Gun& g) { return contest(state, g, commander_terms, false); }
int Gunsi_rtn(MsgState& state, const Gun& g) { return contest(state, g, strategist_terms, false); }
int Shougun_rtn(MsgState& state, const Gun& g) { return contest(state, g, field_general_terms, false); }
int Ikki_rtn(MsgState& state, const Gun& g) { return contest(state, g, duellist_terms, true); }

void Ttl_Shou_rtn(MsgState& state, const Gun& g) {
    total(state, g, [](const Bushou& m) { return m.Job == kJobShougun ? static_cast<int>(m.tactics) : 0; });
}
void Ttl_Fgt_rtn(MsgState& state, const Gun& g) {
    total(state, g, [](const Bushou& m) { return m.Job == kJobShougun ? static_cast<int>(m.fight) : 0; });
}
void Ttl_Plc_rtn(MsgState& state, const Gun& g) {
    total(state, g, [](const Bushou& m) {
        return job_in(m.Job, {kJobSanbou, kJobBunkan, kJobShougun, kJobGunshi}) ? static_cast<int>(m.policy) : 0;
    });
}
void Ttl_Wis_rtn(MsgState& state, const Gun& g) {
    total(state, g, [](const Bushou& m) {
        return job_in(m.Job, {kJobSanbou, kJobShougun, kJobGunshi}) ? static_cast<int>(m.tactics) : 0;
    });
}

}  // namespace teijinki
