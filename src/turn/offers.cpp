#include "turn/offers.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "strategy/strategy_table.h"
#include "world/record_file.h"

namespace teijinki {

namespace {

struct FreeGeneral {
    int id;
    int charm;
};

// The draws of one year's offers. The files do not change while the offers are drawn, so each is
// read at most once however many searches look at it.
class OfferDraw {
public:
    explicit OfferDraw(MainState& m) : m_(m), sh_(m.shared) {}

    void alliance_panel(int p) {
        for (int j = 0; j < 4; ++j) alliance_draw(p, roll(m_.rng, 14) + 1);
        close_list(p);
    }

    void unallied_panel() {
        for (int j = 0; j < 4; ++j) unallied_draw(roll(m_.rng, 10) + 1);
        close_list(0);
    }

private:
    // Appends an offer; its parameters go under the position it received.
    int add(int p, int code) {
        sh_.com_codes[p].push_back(code);
        return static_cast<int>(sh_.com_codes[p].size()) - 1;
    }

    void close_list(int p) {
        if (sh_.com_codes[p].size() <= 2) sh_.com_codes[p].push_back(kWait);
    }

    int d4() { return roll(m_.rng, 4) + roll(m_.rng, 4) + 2; }
    int d6() { return roll(m_.rng, 6) + roll(m_.rng, 6) + 2; }
    int unallied_level() { return roll(m_.rng, 3) + roll(m_.rng, 3) + 3; }

    static int pick(RandomSource& rng, const std::vector<int>& candidates) {
        if (candidates.empty()) return 0;
        return candidates[static_cast<std::size_t>(roll(rng, static_cast<int>(candidates.size())))];
    }

    // Rnd_Zai_rtn: a general who serves nobody. Re-seeds first.
    std::optional<FreeGeneral> Rnd_Zai_rtn() {
        m_.rng.Randomize();
        if (!free_generals_) load_free_generals();
        if (free_generals_->empty()) return std::nullopt;
        const int n = static_cast<int>(free_generals_->size());
        return (*free_generals_)[static_cast<std::size_t>(roll(m_.rng, n))];
    }

    void load_free_generals() {
        free_generals_.emplace();
        const auto records = current_records(m_.folder, files::kGenerals, RecordKind::General);
        const std::string& label = records->label();
        const int count = sh_.bushou_count;
        records->visit([&](const RecordItems& r) {
            if (r.id > count) return false;
            if (r.id >= 1) {
                Bushou b;
                parse_general(r, label, b);
                if (b.kunID == 0) free_generals_->push_back({r.id, b.charm});
            }
            return true;
        });
    }

    // rnd_Kuni2: an unowned province, else any province.
    int rnd_Kuni2() {
        if (!unowned_) {
            m_.ops.ld_kAbl_rtn(0);
            unowned_.emplace();
            for (int i = 0; i < m_.ops.kuni_list_count; ++i) unowned_->push_back(m_.ops.kuni_list[i]);
        }
        if (unowned_->empty()) return roll(m_.rng, sh_.kuni_count) + 1;
        return pick(m_.rng, *unowned_);
    }

    // Rnd_Dou_rtn: a warlord of the same panel.
    int Rnd_Dou_rtn(int p) { return pick(m_.rng, m_.gun_lst[p].ids); }

    // Rnd_Teki_rtn: a warlord outside the drawing alliance (the unallied included).
    int Rnd_Teki_rtn(int p) {
        std::vector<int> candidates;
        for (int s = 0; s <= kMaxAlliances; ++s) {
            if (s != 0 && s == p) continue;
            const auto& ids = m_.gun_lst[s].ids;
            candidates.insert(candidates.end(), ids.begin(), ids.end());
        }
        return pick(m_.rng, candidates);
    }

    // rndTaMeiRtn: the leader of another alliance slot; a free slot yields 0.
    int rndTaMeiRtn(int p) {
        std::vector<int> candidates;
        for (int s = 1; s <= kMaxAlliances; ++s)
            if (s != p) candidates.push_back(sh_.mei_leader[s]);
        return pick(m_.rng, candidates);
    }

    // rndGunRtn: any listed warlord, the drawing one included.
    int rndGunRtn() {
        std::vector<int> candidates;
        for (int s = 0; s <= kMaxAlliances; ++s) {
            const auto& ids = m_.gun_lst[s].ids;
            candidates.insert(candidates.end(), ids.begin(), ids.end());
        }
        return pick(m_.rng, candidates);
    }

    void set(int p, int pos, std::optional<int> subject, std::optional<int> object, std::optional<int> level) {
        if (subject) sh_.com_subject[p][pos] = *subject;
        if (object) sh_.com_object[p][pos] = *object;
        if (level) sh_.com_level[p][pos] = *level;
    }

    void alliance_draw(int p, int k) {
        switch (k) {
        case 1:
        case 14:
            if (auto g = Rnd_Zai_rtn()) set(p, add(p, kRecruit), g->id, {}, g->charm);
            break;
        case 2: {
            const int province = rnd_Kuni2();
            set(p, add(p, kEnterProvince), province, {}, d4());
            break;
        }
        case 3:
        case 7:
            if (const int target = Rnd_Dou_rtn(p); target > 0) set(p, add(p, k), target, {}, d4());
            break;
        case 4:
            if (auto g = Rnd_Zai_rtn()) {
                const int province = rnd_Kuni2();
                set(p, add(p, kYellowTurbans), g->id, province, d4());
            }
            break;
        case 5:
            if (auto g = Rnd_Zai_rtn()) {
                const int pos = add(p, kTribes);
                const int troops = d6();
                set(p, pos, g->id, troops, d4());
            }
            break;
        case 6:
            set(p, add(p, kMediate), {}, {}, d4());
            break;
        case 8: {
            // With no other alliance to join the draw simply offers nothing.
            const int leader = rndTaMeiRtn(p);
            if (leader > 0 && leader != sh_.mei_leader[p]) set(p, add(p, kJoinAlliance), leader, {}, d4());
            break;
        }
        case 9:
            set(p, add(p, kLeaveAlliance), {}, {}, static_cast<int>(CInt(static_cast<float>(sh_.mei_kessoku[p]) / 10.0f)));
            break;
        case 10:
            set(p, add(p, kReplaceLeader), {}, {}, d4());
            break;
        case 11:
        case 13:  // never an assassination: the draw becomes a war
            if (const int enemy = Rnd_Teki_rtn(p); enemy > 0) set(p, add(p, kWar), enemy, {}, {});
            break;
        case 12:
            if (const int enemy = Rnd_Teki_rtn(p); enemy > 0) set(p, add(p, kRighteousWar), enemy, {}, {});
            break;
        default:
            break;
        }
    }

    void unallied_draw(int k) {
        constexpr int p = 0;
        int pos = -1;
        switch (k) {
        case 1:
            if (auto g = Rnd_Zai_rtn()) {
                pos = add(p, kRecruit);
                set(p, pos, g->id, {}, g->charm);
            }
            break;
        case 2:
        case 7:
            if (auto g = Rnd_Zai_rtn()) {
                const int province = rnd_Kuni2();
                pos = add(p, kYellowTurbans);
                set(p, pos, g->id, province, {});
            }
            break;
        case 3:
        case 8:
            // The tribes' leader is a free general here too: the expedition may win him over.
            if (auto g = Rnd_Zai_rtn()) {
                pos = add(p, kTribes);
                set(p, pos, g->id, d6(), {});
            }
            break;
        case 4:
        case 9:
            if (const int leader = rndTaMeiRtn(p); leader > 0) {
                pos = add(p, kJoinAlliance);
                set(p, pos, leader, {}, {});
            }
            break;
        case 5:
        case 6:
            if (const int target = rndGunRtn(); target > 0) {
                pos = add(p, k == 5 ? kWar : kRighteousWar);
                set(p, pos, target, {}, {});
            }
            break;
        case 10: {
            const int province = rnd_Kuni2();
            pos = add(p, kEnterProvince);
            set(p, pos, province, {}, {});
            break;
        }
        default:
            break;
        }
        if (pos >= 0) set(p, pos, {}, {}, unallied_level());
    }

    MainState& m_;
    SharedValues& sh_;
    std::optional<std::vector<FreeGeneral>> free_generals_;
    std::optional<std::vector<int>> unowned_;
};

}  // namespace

void ld_Com_rtn(MainState& m) {
    for (int p = 0; p <= kMaxAlliances; ++p) m.shared.com_codes[p].clear();
    OfferDraw draw(m);
    for (int p = 1; p <= kMaxAlliances; ++p) draw.alliance_panel(p);
    draw.unallied_panel();
}

void Tagun_rtn(MainState& m) {
    SharedValues& sh = m.shared;
    for (int p = 0; p <= kMaxAlliances; ++p) {
        const std::vector<int>& codes = sh.com_codes[p];
        const int n = static_cast<int>(codes.size());
        for (int w : m.gun_lst[p].ids) {
            if (n == 0) {
                sh.gun_mei[w] = 0;
                continue;
            }
            int pos = roll(m.rng, n);
            if (codes[static_cast<std::size_t>(pos)] == kWar) {
                // A weak side thinks twice before attacking one more than three times its size.
                const int target = sh.com_subject[p][pos];
                if (target >= 1 && target <= kMaxWarlords) {
                    const int ours = sh.mei_troops[p];
                    const int theirs = sh.mei_troops[sh.gun_mei2[target]];
                    if (ours * 3 < theirs) pos = roll(m.rng, n);
                }
            }
            sh.gun_mei[w] = codes[static_cast<std::size_t>(pos)] == kWait ? 0 : pos;
        }
    }
}

}  // namespace teijinki
