#include "turn/year_records.h"

#include <algorithm>

namespace teijinki {

std::unique_ptr<WorkingSet> load_warlords(const MainState& m) {
    auto set = std::make_unique<WorkingSet>();
    ld_Gun(m.folder, m.shared, *set);
    return set;
}

std::unique_ptr<WorkingSet> load_generals_and_warlords(const MainState& m) {
    auto set = std::make_unique<WorkingSet>();
    ld_Chr(m.folder, m.shared, *set);
    ld_Gun(m.folder, m.shared, *set);
    return set;
}

void save_warlords(const MainState& m, const WorkingSet& set) { sv_Gun(m.folder, m.shared, set); }

int warlord_of_lord(const SharedValues& shared, const WorkingSet& set, int lord) {
    int found = 0;
    if (lord == 0) return 0;  // a free general serves no warlord
    const int count = last_warlord(shared);
    for (int i = 1; i <= count; ++i)
        if (set.gun[i].kunshuID == lord) found = i;
    return found;
}

}  // namespace teijinki
