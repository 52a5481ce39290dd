// Year end: administrators and public order, officers and cohesion.

#include <gtest/gtest.h>

#include "rules_fixture.h"
#include "turn/policy.h"

namespace {

using namespace teijinki;
using namespace teijinki::testing;

TEST(Policy, AnAdministratorOfPolicyFiveAddsOneAYearAndNeverSpoils) {
    RulesWorld w(std::make_unique<SeededRandom>(42));
    w.set_generals({{"君", 1, 1, 1, kJobShougun}, {"吏", 5, 1, 1, kJobBunkan}});
    w.set_warlords({{"甲", 0, 1, 0, 0, 0, 10}});
    for (int year = 1; year <= 60; ++year) {
        Policy_rtn(w.m);
        ASSERT_EQ(w.warlord(1).tian, 10 + year);
    }
    EXPECT_EQ(w.report(), "");
}

// One administrator of policy 3 and the two draws of his bad luck.
int order_after(int first, int second, std::string* report = nullptr) {
    RulesWorld w(scripted());
    w.set_generals({{"君", 1, 1, 1, kJobBukan}, {"吏", 3, 1, 1, kJobSanbou}});
    w.set_warlords({{"甲", 0, 1, 0, 0, 0, 60}});
    w.script().push_roll(first, 2);
    w.script().push_roll(second, 6);
    Policy_rtn(w.m);
    EXPECT_EQ(w.script().remaining(), 0u);
    if (report) *report = w.report();
    return w.warlord(1).tian;
}

TEST(Policy, PolicyThreeSpoilsOrderWhenTheDrawsGiveFourOrFive) {
    std::string report;
    EXPECT_EQ(order_after(1, 4, &report), 60);  // 4 / 3 rounds to 1: told, but order holds
    EXPECT_EQ(report, "甲|11|吏\r\n");
    EXPECT_EQ(order_after(1, 5, &report), 30);  // 5 / 3 rounds to 2
    EXPECT_EQ(report, "甲|11|吏\r\n");
    EXPECT_EQ(order_after(1, 3, &report), 60);
    EXPECT_EQ(report, "");
    EXPECT_EQ(order_after(0, 5, &report), 60);
    EXPECT_EQ(report, "");
}

TEST(Policy, OrderStopsAtHundredAndOnlyServingAdministratorsOfLivingWarlordsCount) {
    RulesWorld w(scripted());
    w.set_generals({
        {"君甲", 10, 1, 1, kJobKunshu},  // +6
        {"武", 9, 1, 1, kJobBukan},      // officers of the field do not administer
        {"将", 9, 1, 1, kJobShougun},
        {"浪", 9, 1, 0, kJobBunkan},     // serves nobody
        {"君乙", 9, 1, 2, kJobKunshu},   // his warlord is destroyed
        {"亡", 3, 1, 9, kJobBunkan},     // serves a lord who leads no warlord
    });
    w.set_warlords({{"甲", 0, 1, 0, 0, 0, 98}, {"乙", 0, 2, 0, 0, 0, 40, 0, 0, true}});
    // Only the last general draws; his bad luck must not fall on the warlord before him.
    w.script().push_roll(1, 2);
    w.script().push_roll(5, 6);
    Policy_rtn(w.m);
    EXPECT_EQ(w.script().remaining(), 0u);
    EXPECT_EQ(w.warlord(1).tian, 100);
    EXPECT_EQ(w.warlord(2).tian, 40);
    EXPECT_EQ(w.report(), "");
}

TEST(Policy, AnAdministratorWithoutTalentSpoilsWithoutBreakingTheYear) {
    RulesWorld w(scripted());
    w.set_generals({{"君", 1, 1, 1, kJobBukan}, {"愚", 0, 1, 1, kJobBunkan}});
    w.set_warlords({{"甲", 0, 1, 0, 0, 0, 60}});
    w.script().push_roll(1, 2);
    w.script().push_roll(3, 6);
    Policy_rtn(w.m);
    EXPECT_EQ(w.warlord(1).tian, 20);
    EXPECT_EQ(w.report(), "甲|11|愚\r\n");
}

TEST(Policy, OneRewriteGivesTheFileThatSavingEachWarlordInTurnGives) {
    const std::vector<GeneralRow> generals = {{"君甲", 7, 1, 1, kJobKunshu}, {"君乙", 2, 1, 2, kJobKunshu},
                                              {"君丙", 3, 1, 3, kJobKunshu}, {"吏", 4, 1, 3, kJobBunkan}};
    const std::vector<WarlordRow> rows = {{"甲", 0, 1, 5, 0, 0, 99}, {"乙", 0, 2, 5, 0, 0, 50},
                                          {"丙", 0, 3, 5, 0, 0, 70}, {"丁", 0, 4, 0, 0, 0, 10, 0, 0, true}};
    // A stray line and a record past the count, as a damaged or older file may hold.
    const std::string file = warlord_record(1, rows[0]) + "stray\r\n" + warlord_record(2, rows[1]) +
                             warlord_record(3, rows[2]) + warlord_record(4, rows[3]) +
                             warlord_record(5, {"余", 0, 9}) + warlord_record(6, {"余余", 0, 9});

    RulesWorld once(std::make_unique<SeededRandom>(5));
    once.set_generals(generals);
    once.set_warlords(rows);
    once.dir.write("ini/gunsv.ini", file);
    Policy_rtn(once.m);

    RulesWorld each;
    each.set_generals(generals);
    each.set_warlords(rows);
    each.dir.write("ini/gunsv.ini", file);
    for (int id = 1; id <= 3; ++id) {
        each.m.ops.target_id = id;
        each.m.ops.ld_Gun_rtn();
        each.m.ops.gun.tian = once.warlord(id).tian;
        each.m.ops.sv_Gun_rtn();
    }
    EXPECT_EQ(once.dir.read("ini/gunsv.ini"), each.dir.read("ini/gunsv.ini"));
    EXPECT_EQ(once.warlord(1).tian, 100);
}

// An officer of charm 8 and one of charm 3 serving 甲.
struct PersonnelYear {
    int kessoku_before;
    int officer_roll;     // the charm-3 officer's 2d6 halves (both)
    int bad_first, bad_second;
    int year_roll;        // the warlord's 2d6 halves (both)
};

std::unique_ptr<RulesWorld> run_personnel(const PersonnelYear& y) {
    auto world = std::make_unique<RulesWorld>(scripted());
    RulesWorld& w = *world;
    w.set_generals({{"君", 1, 9, 1, kJobBunkan}, {"参", 1, 8, 1, kJobSanbou}, {"軍", 1, 3, 1, kJobGunshi}});
    w.set_warlords({{"甲", 0, 1, 0, 0, 0, 0, y.kessoku_before}});
    auto& r = w.script();
    r.push_roll(0, 6);  // 参: 8 + 2 beats 0: the best is 8
    r.push_roll(0, 6);
    r.push_roll(y.officer_roll, 6);
    r.push_roll(y.officer_roll, 6);
    r.push_roll(y.bad_first, 2);
    r.push_roll(y.bad_second, 6);
    r.push_roll(y.year_roll, 6);
    r.push_roll(y.year_roll, 6);
    Jinji_rtn(w.m);
    EXPECT_EQ(r.remaining(), 0u);
    return world;
}

TEST(Personnel, TheBestOfficerRaisesCohesionAndAPoorOneSpoilsIt) {
    {
        // The year roll 2 is below the best 8: +8. Bad luck 5 over charm 3: 5 / 2 rounds to 2.
        auto w = run_personnel({50, 0, 1, 5, 0});
        EXPECT_EQ(w->warlord(1).kessoku, 29);
        EXPECT_EQ(w->report(), "甲|45|参\r\n甲|38|軍\r\n");
    }
    {
        // 軍 (3 + 12) outbids the best of 8 and becomes the hero with his own charm 3; the year
        // roll 12 is not below it. Bad luck 4: 4 / 2 = 2.
        auto w = run_personnel({50, 5, 1, 4, 5});
        EXPECT_EQ(w->warlord(1).kessoku, 25);
        EXPECT_EQ(w->report(), "甲|38|軍\r\n");
    }
    {
        // Cohesion stops at 100; bad luck 3 does not pass charm 3.
        auto w = run_personnel({95, 0, 1, 3, 0});
        EXPECT_EQ(w->warlord(1).kessoku, 100);
        EXPECT_EQ(w->report(), "甲|45|参\r\n");
    }
}

TEST(Personnel, DestroyedWarlordsAndFreeGeneralsTakeNoPart) {
    RulesWorld w(scripted());
    w.set_generals({{"君", 1, 9, 1, kJobKunshu}, {"浪", 1, 2, 0, kJobSanbou}, {"文", 1, 2, 1, kJobBunkan}});
    w.set_warlords({{"甲", 0, 1, 0, 0, 0, 0, 40, 0, true}});
    w.script().push_roll(0, 6);  // the lord's 2d6; no bad luck at charm 9, no year roll for the dead
    w.script().push_roll(0, 6);
    Jinji_rtn(w.m);
    EXPECT_EQ(w.script().remaining(), 0u);
    EXPECT_EQ(w.warlord(1).kessoku, 40);
}

}  // namespace
