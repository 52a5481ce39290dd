#pragma once
// What the title screen does, without drawing it: the splash, the scenario list and its
// descriptions, the warlords of a scenario, and the new-game choice.

#include <string>
#include <vector>

#include "setup/new_game.h"
#include "world/game_folder.h"
#include "world/host.h"
#include "world/random.h"
#include "world/shared_values.h"
#include "world/template_composer.h"

namespace teijinki {

inline constexpr const char* kHelpScenarioList = "シナリオを選んでください";
inline constexpr const char* kHelpWarlordList = "軍閥の君主を選んでから、「新規ゲーム」を押してください（複数プレイ可能）";
inline constexpr const char* kHelpMakingData = "データを作成しています";
inline constexpr const char* kTitleSplashText = "鼎陣記　－　治世巻";

class TitleRules {
public:
    TitleRules(const GameFolder& folder, SharedValues& shared, RandomSource& rng, Host& host);

    // Form_Load without the music: init_rtn, ld_Gnm_rtn. The splash count starts at 0 with the
    // screen, which makes its rules once.
    void Form_Load();
    // Defaults of scenario 1, masters copied, description 21 composed.
    void init_rtn();
    // Scenario list entry p (0..5) clicked or pressed. A damaged master throws DataError naming
    // it and leaves the previous scenario as it was: counts, list, description, working files.
    void scenario_click(int p);
    // The warlord list of the current scenario.
    void ld_Gnm_rtn();
    // "新規ゲーム" with the ticked positions of the warlord list. False when nothing is ticked
    // (the message box has been shown); true when the new game's files are made.
    bool new_game(const std::vector<bool>& ticked);

    // The splash: a click on the picture or caption, and a timer tick.
    void splash_click();
    void splash_tick();

    std::vector<std::string> scenario_entries;
    std::vector<WarlordEntry> warlords;  // List1(1)
    std::string description;             // Lab_txt
    std::string help;                    // Hlp
    int title_count = 0;
    bool splash_visible = true;
    bool splash_title_shown = false;  // Label1 shows the title instead of the credit line

private:
    void compose_description(int section);

    const GameFolder& folder_;
    SharedValues& shared_;
    RandomSource& rng_;
    Host& host_;
    TemplateTable commands_;
};

}  // namespace teijinki
