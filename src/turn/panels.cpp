#include "turn/panels.h"

#include <algorithm>

#include "turn/offers.h"
#include "turn/year_records.h"

namespace teijinki {

namespace {

constexpr const char* kUnalliedCaption = "独立軍閥";

// Alliance slots from the warlord file: every warlord that leads its own alliance takes the first
// free slot in file order; a fourth leader finds none. set_cohesion(slot, leader) decides the
// slot's cohesion.
template <class SetCohesion>
void assign_slots(MainState& m, const WorkingSet& set, SetCohesion set_cohesion) {
    for (int s = 1; s <= kMaxAlliances; ++s) {
        m.shared.mei_leader[s] = 0;
        m.panel_caption[s].clear();  // a slot nobody takes shows no stale leader
    }
    m.shared.mei_leader[0] = 0;
    const int count = last_warlord(m.shared);
    for (int id = 1; id <= count; ++id) {
        const Gun& g = set.gun[id];
        if (g.meishuID == 0 || g.meishuID != g.kunshuID) continue;
        for (int s = 1; s <= kMaxAlliances; ++s) {
            if (m.shared.mei_leader[s] != 0) continue;
            m.shared.mei_leader[s] = g.meishuID;
            m.panel_caption[s] = g.name;
            set_cohesion(s, g);
            break;
        }
    }
}

}  // namespace

void Dsp_rtn(MainState& m) {
    m.year_heading = Digits(m.year) + "年の戦況";
    Dsp_Gun_rtn(m);
    ld_Meiichi_rtn(m);
    ld_Com_rtn(m);
}

void Dsp_Gun_rtn(MainState& m) {
    SharedValues& sh = m.shared;
    for (int p = 0; p <= kMaxAlliances; ++p) {
        m.gun_lst[p].clear();
        sh.mei_troops[p] = 0;
    }
    m.panel_caption[0] = kUnalliedCaption;
    const auto set = load_warlords(m);
    const int count = last_warlord(m.shared);
    for (int id = 1; id <= count; ++id) {
        const Gun& g = set->gun[id];
        if (g.del) continue;
        int panel = -1;
        if (g.meishuID == 0) {
            panel = 0;
        } else {
            for (int s = 1; s <= kMaxAlliances && panel < 0; ++s)
                if (sh.mei_leader[s] == g.meishuID) panel = s;
        }
        if (panel >= 0) {
            m.gun_lst[panel].ids.push_back(id);
            m.gun_lst[panel].names.push_back(g.name);
            sh.mei_troops[panel] += static_cast<int>(g.army) + static_cast<int>(g.seihei);
        }
        for (int k = 0; k <= kMaxWarlords; ++k) {
            if (sh.player_lord[k] != 0 && sh.player_lord[k] == g.kunshuID) {
                sh.player_gun[k] = id;
                sh.player_mei[k] = g.meishuID;
            }
        }
    }
}

void ld_Meiichi_rtn(MainState& m) {
    for (int p = 0; p <= kMaxAlliances; ++p)
        for (int id : m.gun_lst[p].ids) m.shared.gun_mei2[id] = p;
}

void ini_Mei_rtn(MainState& m) {
    const auto set = load_warlords(m);
    assign_slots(m, *set, [&](int s, const Gun& leader) { m.shared.mei_kessoku[s] = leader.meisei; });
}

void res_Mei_rtn(MainState& m) {
    SharedValues& sh = m.shared;
    // Cohesion stays with the lord who leads the alliance, wherever its slot ends up.
    GeneralTable old;
    for (int s = 1; s <= kMaxAlliances; ++s) {
        const int leader = sh.mei_leader[s];
        if (leader >= 1 && leader <= kMaxGenerals) old[leader] = sh.mei_kessoku[s];
    }
    const auto set = load_warlords(m);
    assign_slots(m, *set, [&](int s, const Gun& leader) {
        const int lord = leader.meishuID;
        const int kept = (lord >= 1 && lord <= kMaxGenerals) ? static_cast<int>(old[lord]) : 0;
        sh.mei_kessoku[s] = kept < 1 ? static_cast<int>(leader.meisei) : kept;
    });
}

void Limit_rtn(MainState& m) {
    for (int s = 0; s <= kMaxAlliances; ++s)
        m.shared.mei_kessoku[s] = std::clamp<int>(m.shared.mei_kessoku[s], 0, 100);
}

void dsp_Init_rtn(MainState& m) {
    m.player_list.clear();
    for (int k = 0; k <= 18; ++k)
        if (m.shared.player_lord[k] != 0) m.player_list.push_back(m.shared.player_name[k]);
}

}  // namespace teijinki
