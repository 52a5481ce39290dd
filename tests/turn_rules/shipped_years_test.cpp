// The year rules on the shipped scenarios: thirty year starts and year ends of each historical
// start without the strategies in between, checking what must hold every year.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "setup/new_game.h"
#include "strategy/strategy_table.h"
#include "test_host.h"
#include "test_support.h"
#include "turn/offers.h"
#include "turn/panels.h"
#include "turn/policy.h"
#include "turn/reports.h"

namespace {

using namespace teijinki;
using namespace teijinki::testing;

TEST(ShippedScenarios, ThirtyYearsOfOffersPolicyAndPersonnelKeepTheRules) {
    const auto ini = std::filesystem::path(TEIJINKI_DATA_DIR) / "ini";
    for (const char* f : {"Bushou1.ini", "Gunbatu1.ini", "Kuni1.ini", "Text.ini"})
        if (!std::filesystem::exists(ini / f)) GTEST_SKIP() << "shipped " << f << " is not there yet";

    for (int scenario = 1; scenario <= 3; ++scenario) {
        SCOPED_TRACE("scenario " + std::to_string(scenario));
        TempGameFolder dir;
        dir.copy_shipped_ini();
        const GameFolder folder = dir.folder();
        SharedValues shared;
        SeededRandom rng(100 + scenario);
        ScriptedHost host;
        ASSERT_TRUE(select_scenario(folder, shared, scenario));
        const auto warlords = ld_Gnm_rtn(folder, shared);
        std::vector<bool> ticked(warlords.size(), false);
        ticked[0] = true;
        ASSERT_TRUE(start_new_game_files(folder, shared, rng, warlords, ticked));
        mk_Gunsv_rtn(folder, scenario);

        MainState m(folder, shared, rng, host);
        m.text_table = TemplateTable::load(folder, "\\ini\\Text.ini");
        mkFristLog(m);
        ld_PCGun_rtn(m);
        ASSERT_GT(shared.player_gun[0], 0);
        ini_Mei_rtn(m);
        shared.msg_mode = 1;
        for (int year = 0; year < 30; ++year) {
            res_Mei_rtn(m);
            Limit_rtn(m);
            Dsp_rtn(m);
            Tagun_rtn(m);
            int listed = 0;
            for (int p = 0; p <= 3; ++p) {
                listed += static_cast<int>(m.gun_lst[p].ids.size());
                const auto& codes = shared.com_codes[p];
                ASSERT_LE(codes.size(), 4u);
                for (int code : codes) ASSERT_NE(code, kAssassinate);
                ASSERT_EQ(codes.size() <= 3 && !codes.empty() && codes.back() == kWait,
                          std::count(codes.begin(), codes.end(), kWait) == 1);
                for (int id : m.gun_lst[p].ids) {
                    ASSERT_EQ(shared.gun_mei2[id], p);
                    ASSERT_LT(shared.gun_mei[id], std::max<int>(1, static_cast<int>(codes.size())));
                }
                ASSERT_GE(shared.mei_kessoku[p], 0);
                ASSERT_LE(shared.mei_kessoku[p], 100);
            }
            ASSERT_EQ(listed, shared.gun_count) << "every warlord of a fresh start is in a panel";
            m.text.clear();
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
        m.text.text_buf[0] = "ゲーム最終結果\r\n";
        Houkoku_rtn(m);
        ASSERT_EQ(host.windows.size(), 1u);
        EXPECT_NE(host.windows[0].pages[0].find("（プレイヤー）"), std::string::npos);
        EXPECT_EQ(dir.read("save/kdn_end.log"), dir.read("ini/kodarn.log"));
    }
}

}  // namespace
