#pragma once
// The six scenarios: one table that every rule reads.

namespace teijinki {

struct Scenario {
    int no;                      // 1..6
    const char* list_text;       // the title screen's entry
    int start_year;
    int end_year;
    int gun_count;
    int bushou_count;            // generals taken from the master
    const char* general_master;  // literal paths under the game folder
    const char* warlord_master;
    const char* province_master;
    const char* comment_master;
    int description_section;     // Command.ini section shown on the title screen
    bool random_allegiance;      // generals dealt out to the warlords at random
};

inline constexpr int kScenarioCount = 6;

// The scenario with number no, or nullptr outside 1..6.
const Scenario* find_scenario(int no);

}  // namespace teijinki
