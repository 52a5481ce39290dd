#include "turn/policy.h"

#include <algorithm>
#include <array>

#include "turn/year_records.h"

namespace teijinki {

namespace {

using PerWarlord = std::array<int, kMaxWarlords + 1>;

bool alive(const WorkingSet& set, int id) { return !set.gun[id].del; }

// Int(R × 2) × Int(R × 6): 0 half of the time, else 0..5.
int bad_roll(RandomSource& rng) {
    const int first = roll(rng, 2);
    return first * roll(rng, 6);
}

void report(MainState& m, int section, const std::string& warlord, const std::string& general) {
    m.shared.text_sub1 = warlord;
    m.shared.text_sub2 = general;
    m.shared.text_no = section;
    m.text_table.compose(section, warlord, general, m.text);
}

}  // namespace

void Policy_rtn(MainState& m) {
    auto set = load_generals_and_warlords(m);
    PerWarlord bonus{}, divisor{}, culprit{};
    const int generals = last_general(m.shared);
    for (int g = 1; g <= generals; ++g) {
        const Bushou& b = set->chr[g];
        if (b.Job == kJobBukan || b.Job == kJobShougun || b.kunID == 0) continue;
        // A lord who leads no warlord any more still draws, but his men work for nobody.
        const int w = warlord_of_lord(m.shared, *set, b.kunID);
        const int policy = b.policy;
        if (policy >= 5 && w > 0) bonus[w] += policy - 4;
        if (policy <= 5) {
            const int bad = bad_roll(m.rng);
            if (bad > policy) {
                // An administrator without any talent spoils order as if he had 1.
                const int d = policy == 0 ? bad : static_cast<int>(CInt(static_cast<float>(bad) / static_cast<float>(policy)));
                if (w > 0) {
                    divisor[w] = d;
                    culprit[w] = g;
                }
            }
        }
    }
    bool changed = false;
    for (int w = 1; w <= last_warlord(m.shared); ++w) {
        if (!alive(*set, w)) continue;
        Gun& gun = set->gun[w];
        raise_capped(gun.tian, bonus[w], 100);
        changed = true;
        if (divisor[w] > 0) {
            gun.tian = Int(static_cast<float>(gun.tian) / static_cast<float>(divisor[w]));
            report(m, 11, gun.name, set->chr[culprit[w]].name);
        }
    }
    if (changed) save_warlords(m, *set);
}

void Jinji_rtn(MainState& m) {
    auto set = load_generals_and_warlords(m);
    PerWarlord best{}, hero{}, divisor{}, culprit{};
    const int generals = last_general(m.shared);
    for (int g = 1; g <= generals; ++g) {
        const Bushou& b = set->chr[g];
        if (b.Job == kJobBunkan || b.Job == kJobBukan || b.kunID == 0) continue;
        const int w = warlord_of_lord(m.shared, *set, b.kunID);
        const int charm = b.charm;
        const int r = roll2d6(m.rng);
        if (w > 0 && charm + r >= best[w]) {
            best[w] = charm;
            hero[w] = g;
        }
        if (charm <= 5) {
            const int bad = bad_roll(m.rng);
            if (bad > charm && w > 0) {
                divisor[w] = static_cast<int>(CInt(static_cast<float>(bad) / 2.0f));
                culprit[w] = g;
            }
        }
    }
    bool changed = false;
    for (int w = 1; w <= last_warlord(m.shared); ++w) {
        if (!alive(*set, w)) continue;
        Gun& gun = set->gun[w];
        if (roll2d6(m.rng) < best[w]) {
            raise_capped(gun.kessoku, best[w], 100);
            changed = true;
            report(m, 45, gun.name, set->chr[hero[w]].name);
        }
        if (divisor[w] > 0) {
            gun.kessoku = Int(static_cast<float>(gun.kessoku) / static_cast<float>(divisor[w]));
            changed = true;
            report(m, 38, gun.name, set->chr[culprit[w]].name);
        }
    }
    if (changed) save_warlords(m, *set);
}

}  // namespace teijinki
