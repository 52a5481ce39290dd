#include "events/defection.h"

#include <algorithm>

#include "world/numbers.h"

namespace teijinki {

namespace {

constexpr const char* kNameSeparator = "、";
constexpr const char* kLongDiscontent = "以前より民心の離れていた";

// The pass both break-aways share: a fresh seed and empty name lists, then every province of
// `loser` whose d100 passes `bar` goes where `leave` sends it.
template <class Leave>
void break_away(MsgState& state, int loser, float bar, Leave leave) {
    state.rng.Randomize();
    state.shared.text_sub1.clear();
    state.shared.text_sub2.clear();
    const int last = last_province(state.shared);
    for (int p = 1; p <= last; ++p) {
        Kuni& province = state.world.kuni[p];
        if (province.gunID != loser) continue;
        const int r = roll(state.rng, 100) + 1;
        if (real(r) > bar) leave(province);
    }
}

// A province that leaves for nobody: named in text_sub2.
void left_independent(MsgState& state, Kuni& province) {
    province.gunID = 0;
    state.shared.text_sub2 += province.name + kNameSeparator;
}


}  // namespace

int Sch_chr_rtn(MsgState& state, int w) {
    int n = 0;
    const int last = last_general(state.shared);
    for (int k = 1; k <= last; ++k)
        if (state.world.chr[k].gunID == w) state.chr_list[n++] = k;
    return n;
}

int Rnd_Shuppon(MsgState& state, const Gun& g) {
    const int n = Sch_chr_rtn(state, g.id);
    if (n <= 1) return 0;
    const int examined = std::min<int>(n, state.shared.bushou_count);
    const float loyalty = real(g.kessoku) / 10.0f;
    for (int i = 0; i < examined; ++i) {
        const int k = state.chr_list[i];
        const int d1 = roll(state.rng, 10);
        const int d2 = roll(state.rng, 10);
        const int r = d1 + d2 + 2;
        if (real(r) >= loyalty + real(state.world.chr[k].Setu) && k != g.kunshuID) return k;
    }
    return 0;
}

void Rnd_Shuppon2(MsgState& state, const Gun& to, const Gun& from) {
    state.rng.Randomize();
    state.shared.text_sub1.clear();
    // Copies: `to` or `from` may be changed through the world while generals move.
    const int from_id = from.id;
    const int from_ruler = from.kunshuID;
    const float unity_bar = real(from.kessoku) / 5.0f + 40.0f;
    const int to_id = to.id;
    const int to_ruler = to.kunshuID;
    const int last = last_general(state.shared);
    for (int k = 1; k <= last; ++k) {
        Bushou& man = state.world.chr[k];
        if (man.gunID != from_id) continue;
        const int d1a = roll(state.rng, 8);
        const int d1b = roll(state.rng, 8);
        const int d2a = roll(state.rng, 50);
        const int d2b = roll(state.rng, 50);
        const int d1 = d1a + d1b;
        const int d2 = d2a + d2b + 2;
        if (d1 >= man.Setu + 2 && real(d2) > unity_bar && k != from_ruler) {
            man.gunID = to_id;
            man.kunID = to_ruler;
            state.shared.text_sub1 += man.name + kNameSeparator;
        }
    }
}

void rnd_Dokuritu(MsgState& state, const Gun& winner, const Gun& loser, int hold) {
    const int winner_id = winner.id;
    break_away(state, loser.id, real(loser.tian) / 5.0f + 50.0f, [&](Kuni& province) {
        const int da = roll(state.rng, 16);
        const int db = roll(state.rng, 16);
        if (hold > da + db) {
            province.gunID = winner_id;
            state.shared.text_sub1 += province.name + kNameSeparator;
        } else {
            left_independent(state, province);
        }
    });
    if (!state.shared.text_sub1.empty()) {
        state.shared.text_sub1 = kLongDiscontent + state.shared.text_sub1;
        state.show_text(54);
    }
    if (!state.shared.text_sub2.empty()) state.show_text(55);
}

void rnd_Dokuritu2(MsgState& state, const Gun& g) {
    break_away(state, g.id, real(g.tian) / 3.0f + 60.0f, [&](Kuni& province) { left_independent(state, province); });
    if (!state.shared.text_sub2.empty()) {
        state.shared.text_sub2 = kLongDiscontent + state.shared.text_sub2;
        state.show_text(55);
    }
}

void update_Army(MsgState& state) {
    const int warlords = last_warlord(state.shared);
    for (int g = 1; g <= warlords; ++g) state.world.gun[g].army = 0;
    const int last = last_province(state.shared);
    for (int p = 1; p <= last; ++p) {
        const Kuni& province = state.world.kuni[p];
        state.world.gun[province.gunID].army += province.army;
    }
}

}  // namespace teijinki
