// Wars between the warlords of the shipped scenarios, told with the shipped prose.
#include <gtest/gtest.h>

#include <filesystem>

#include "setup/new_game.h"
#include "shipped_game.h"
#include "war/war.h"
#include "world/working_set.h"

namespace teijinki::testing {
namespace {

TEST(ShippedData, WarsOfEveryScenarioRunToAnEnd) {
    for (int scenario = 1; scenario <= 6; ++scenario) {
        TempGameFolder dir;
        const GameFolder folder = dir.folder();
        SharedValues shared;
        SeededRandom rng(static_cast<std::uint64_t>(scenario));
        start_shipped_game(dir, shared, rng, scenario, {0});
        mk_Gunsv_rtn(folder, scenario);
        for (auto& unity : shared.mei_kessoku) unity = 80;
        const TemplateTable text = TemplateTable::load(folder, "\\ini\\Text.ini");

        for (int g = 1; g < shared.gun_count; ++g) {
            for (const WarKind kind : {WarKind::War, WarKind::Gisen}) {
                MsgState state(folder, shared, rng, text);
                load_working_set(folder, shared, state.world);
                const int generals_before = [&] {
                    int n = 0;
                    for (int k = 1; k <= shared.bushou_count; ++k) n += state.world.chr[k].gunID > 0;
                    return n;
                }();
                BattleSheet sheet;
                WarSummary summary;
                ASSERT_NO_THROW(summary = fight_battle(state, state.world.gun[g], state.world.gun[g + 1], kind, &sheet))
                    << "scenario " << scenario << " war " << g;
                EXPECT_GE(sheet.taishou[0], 1) << "every warlord has a commander";
                EXPECT_LE(state.pages.page_no, PageStore::kLastPage);
                for (int s : {g, g + 1}) {
                    const Gun& w = state.world.gun[s];
                    EXPECT_LE(w.meisei, 200);
                    EXPECT_GE(w.seihei, 0);
                    EXPECT_LE(w.kessoku, 100);
                }
                // Desertion frees generals but never makes new ones.
                int generals_after = 0;
                for (int k = 1; k <= shared.bushou_count; ++k) generals_after += state.world.chr[k].gunID > 0;
                EXPECT_LE(generals_after, generals_before);
                if (summary.tactic != kSurrenderDemand) {
                    bool told = false;
                    for (int p = 0; p <= state.pages.page_no; ++p)
                        told = told || state.pages.page_text[p].find(tactic_name(summary.tactic)) != std::string::npos;
                    EXPECT_TRUE(told) << "the chosen tactic is named in the story";
                }
            }
        }
    }
}

}  // namespace
}  // namespace teijinki::testing
