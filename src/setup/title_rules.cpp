#include "setup/title_rules.h"

#include "setup/scenarios.h"
#include "world/record_file.h"

namespace teijinki {

TitleRules::TitleRules(const GameFolder& folder, SharedValues& shared, RandomSource& rng, Host& host)
    : folder_(folder), shared_(shared), rng_(rng), host_(host) {}

void TitleRules::Form_Load() {
    init_rtn();
    ld_Gnm_rtn();
}

void TitleRules::init_rtn() {
    commands_ = TemplateTable::load(folder_, files::kCommand);
    description.clear();
    scenario_entries.clear();
    for (int no = 1; no <= kScenarioCount; ++no) scenario_entries.emplace_back(find_scenario(no)->list_text);
    // The screen opens on the first scenario, as if it had been chosen.
    select_scenario(folder_, shared_, 1);
    compose_description(21);
}

void TitleRules::compose_description(int section) {
    shared_.text_no = section;
    SingleTextStore store;
    commands_.compose(section, shared_.text_sub1, shared_.text_sub2, store);
    description = store.text;
}

void TitleRules::scenario_click(int p) {
    if (p < 0 || p >= kScenarioCount) return;
    // The new list is read before anything changes and the description composed last, so a
    // damaged master leaves the previous scenario whole on the screen too.
    SharedValues chosen;
    chosen.scenario_no = static_cast<Int16>(p + 1);
    chosen.gun_count = find_scenario(p + 1)->gun_count;
    std::vector<WarlordEntry> listed = teijinki::ld_Gnm_rtn(folder_, chosen);
    select_scenario(folder_, shared_, p + 1);
    warlords = std::move(listed);
    compose_description(p + 21);
}

void TitleRules::ld_Gnm_rtn() { warlords = teijinki::ld_Gnm_rtn(folder_, shared_); }

bool TitleRules::new_game(const std::vector<bool>& ticked) {
    bool any = false;
    for (std::size_t m = 0; m < warlords.size() && m < ticked.size(); ++m) any = any || ticked[m];
    if (!any) {
        // Player slots are still cleared for the unticked positions, as the list is walked first.
        start_new_game_files(folder_, shared_, rng_, warlords, ticked);
        host_.message_box(kNoWarlordChosen, Buttons::Ok);
        return false;
    }
    help = kHelpMakingData;
    return start_new_game_files(folder_, shared_, rng_, warlords, ticked);
}

void TitleRules::splash_click() {
    ++title_count;
    if (title_count > 1) splash_title_shown = true;
    if (title_count > 2) splash_visible = false;
}

void TitleRules::splash_tick() {
    ++title_count;
    if (title_count > 1) splash_title_shown = true;
    if (title_count > 4) splash_visible = false;
}

}  // namespace teijinki
