// The year rules on the shipped historical starts: thirty year starts and ends without the
// strategies in between, then a report.

#include <gtest/gtest.h>

#include <filesystem>

#include "setup/new_game.h"
#include "shipped_game.h"
#include "turn/offers.h"
#include "turn/panels.h"
#include "turn/policy.h"
#include "turn/reports.h"

namespace {

using namespace teijinki;
using namespace teijinki::testing;

TEST(ShippedScenarios, ThirtyYearsOfPanelsOffersPolicyAndPersonnel) {
    for (int scenario = 1; scenario <= 3; ++scenario) {
        SCOPED_TRACE("scenario " + std::to_string(scenario));
        TempGameFolder dir;
        const GameFolder folder = dir.folder();
        SharedValues shared;
        SeededRandom rng(scenario);
        ScriptedHost host;
        MainState m(folder, shared, rng, host);
        start_shipped_game(dir, shared, rng, scenario, {0});
        mk_Gunsv_rtn(m.folder, scenario);
        m.text_table = TemplateTable::load(m.folder, "\\ini\\Text.ini");
        mkFristLog(m);
        ld_PCGun_rtn(m);
        ini_Mei_rtn(m);
        shared.msg_mode = kMsgStrategy;
        for (int year = 0; year < 30; ++year) {
            res_Mei_rtn(m);
            Limit_rtn(m);
            Dsp_rtn(m);
            Tagun_rtn(m);
            int listed = 0;
            for (int p = 0; p <= 3; ++p) {
                listed += static_cast<int>(m.gun_lst[p].ids.size());
                for (int id : m.gun_lst[p].ids) ASSERT_LT(shared.gun_mei[id], std::max<int>(1, shared.com_codes[p].size()));
            }
            ASSERT_EQ(listed, shared.gun_count) << "every warlord of a start is in a panel";
            Policy_rtn(m);
            Jinji_rtn(m);
            for (int id = 1; id <= shared.gun_count; ++id) {
                m.ops.target_id = id;
                m.ops.ld_Gun_rtn();
                ASSERT_LE(m.ops.gun.tian, 100);
                ASSERT_LE(m.ops.gun.kessoku, 100);
            }
        }
        m.text.clear();
        Houkoku_rtn(m);
        ASSERT_EQ(host.windows.size(), 1u);
        EXPECT_NE(host.windows[0].pages[0].find(shared.player_name[0] + "（プレイヤー）"), std::string::npos);
        EXPECT_EQ(dir.read("save/kdn_end.log"), dir.read("ini/kodarn.log"));
    }
}

}  // namespace
