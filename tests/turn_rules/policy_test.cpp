// Year end: administrators and public order, officers and cohesion.

#include <gtest/gtest.h>

#include "rules_fixture.h"
#include "turn/policy.h"

namespace {

using namespace teijinki;
using namespace teijinki::testing;

// Order 63 after one administrator of the given policy drew (first, second) for his bad luck.
int order_after(int policy, int first, int second, std::string& report) {
    RulesWorld w(scripted());
    w.set_generals({{"君", 1, 1, 1, kJobBukan}, {"吏", policy, 1, 1, kJobSanbou}});
    w.set_warlords({{"甲", 0, 1, 0, 0, 0, 63}});
    w.script().push_roll(first, 2);
    w.script().push_roll(second, 6);
    Policy_rtn(w.m);
    EXPECT_EQ(w.script().remaining(), 0u);
    report = w.report();
    return w.warlord(1).tian;
}

TEST(Policy, PolicyThreeSpoilsOrderWhenTheDrawsGiveFourOrFive) {
    std::string report;
    EXPECT_EQ(order_after(3, 1, 4, report), 63);  // 4 / 3 rounds to 1: told, but order holds
    EXPECT_EQ(report, "甲|11|吏\r\n");
    EXPECT_EQ(order_after(3, 1, 5, report), 31);  // 5 / 3 rounds to 2; 31.5 is cut
    EXPECT_EQ(report, "甲|11|吏\r\n");
    for (const auto& [first, second] : {std::pair{1, 3}, {0, 5}}) {  // 3 is not above 3, nor is 0
        EXPECT_EQ(order_after(3, first, second, report), 63);
        EXPECT_EQ(report, "");
    }
    EXPECT_EQ(order_after(0, 1, 3, report), 21) << "no talent spoils as policy 1 would";
    EXPECT_EQ(order_after(5, 1, 5, report), 64);  // policy 5 adds 1 and still draws, though no draw beats it
    EXPECT_EQ(report, "");
}

TEST(Policy, OrderStopsAtHundredAndOnlyServingAdministratorsOfLivingWarlordsCount) {
    RulesWorld w(scripted());
    w.set_generals({
        {"君甲", 6, 1, 1, kJobKunshu},   // +2, and too able to draw
        {"武", 3, 1, 1, kJobBukan},      // officers of the field do not administer, nor draw
        {"将", 3, 1, 1, kJobShougun},
        {"浪", 3, 1, 0, kJobBunkan},     // serves nobody
        {"君乙", 9, 1, 2, kJobKunshu},   // his warlord is destroyed
        {"亡", 3, 1, 9, kJobBunkan},     // serves a lord who leads no warlord: draws, harms nobody
    });
    w.set_warlords({{"甲", 0, 1, 0, 0, 0, 99}, {"乙", 0, 2, 0, 0, 0, 40, 0, 0, true}});
    w.script().push_roll(1, 2);
    w.script().push_roll(5, 6);
    Policy_rtn(w.m);
    EXPECT_EQ(w.script().remaining(), 0u);
    EXPECT_EQ(w.warlord(1).tian, 100);
    EXPECT_EQ(w.warlord(2).tian, 40);
    EXPECT_EQ(w.report(), "");
}

TEST(Policy, OneRewriteGivesTheFileThatSavingEachWarlordInTurnGives) {
    const std::vector<GeneralRow> generals = {{"君甲", 7, 1, 1, 5}, {"君乙", 2, 1, 2, 5}, {"君丙", 3, 1, 3, 5}};
    const std::vector<WarlordRow> rows = {{"甲", 0, 1, 5, 0, 0, 99}, {"乙", 0, 2, 5, 0, 0, 50}, {"丙", 0, 3, 5, 0, 0, 70},
                                          {"丁", 0, 4, 0, 0, 0, 10, 0, 0, true}};
    // A stray line and records past the count, as an older file may hold.
    const std::string file = warlord_record(1, rows[0]) + "stray\r\n" + warlord_record(2, rows[1]) +
                             warlord_record(3, rows[2]) + warlord_record(4, rows[3]) + warlord_record(5, {"余"}) +
                             warlord_record(6, {"余余"});
    RulesWorld once(std::make_unique<SeededRandom>(5));
    once.set_generals(generals);
    once.set_warlords(rows);
    once.dir.write("ini/gunsv.ini", file);
    Policy_rtn(once.m);
    // Saving each warlord in turn leaves its new order and nothing else changed, the stray line
    // dropped, the destroyed warlord and the first record past the count as read, and the rest gone.
    std::string expected;
    for (int id = 1; id <= 3; ++id) {
        WarlordRow row = rows[id - 1];
        row.tian = once.warlord(id).tian;
        expected += warlord_record(id, row);
    }
    expected += warlord_record(4, rows[3]) + warlord_record(5, {"余"});
    EXPECT_EQ(once.dir.read("ini/gunsv.ini"), expected);
}

// 甲 with officers 将 (charm 6, too able for bad luck), 参 (charm 8) and 軍 (charm 2), generals 1
// to 3; the lord, general 4, is a 文官 and takes no part.
std::unique_ptr<RulesWorld> personnel(int kessoku, int officer_roll, int bad, int year_roll) {
    auto w = std::make_unique<RulesWorld>(scripted());
    w->set_generals({{"将", 1, 6, 4, kJobShougun}, {"参", 1, 8, 4, kJobSanbou}, {"軍", 1, 2, 4, kJobGunshi},
                     {"君", 1, 9, 4, kJobBunkan}});
    w->set_warlords({{"甲", 0, 4, 0, 0, 0, 0, kessoku}});
    auto& r = w->script();
    for (auto [k, n] : {std::pair{0, 6}, {0, 6}, {0, 6}, {0, 6}, {officer_roll, 6}, {officer_roll, 6}, {1, 2}, {bad, 6},
                        {year_roll, 6}, {year_roll, 6}})
        r.push_roll(k, n);
    Jinji_rtn(w->m);
    EXPECT_EQ(r.remaining(), 0u);
    return w;
}

TEST(Personnel, TheBestOfficerRaisesCohesionAndAPoorOneSpoilsIt) {
    const struct {
        int kessoku, officer_roll, bad, year_roll, after;
        const char* report;
    } cases[] = {
        {51, 0, 5, 0, 29, "甲|45|参\r\n甲|38|軍\r\n"},  // roll 2 below the best 8: +8; 5 / 2 rounds to 2; 29.5 is cut
        {50, 5, 4, 5, 25, "甲|38|軍\r\n"},             // 軍's 2 + 12 outbids: the best is his own 2, not above 12
        {50, 2, 2, 0, 50, ""},                          // 軍's 2 + 6 ties the 8 and takes it; bad luck 2 is not above charm 2
        {50, 0, 2, 3, 50, ""},                          // the year's 8 is not below the best 8
        {95, 0, 3, 0, 50, "甲|45|参\r\n甲|38|軍\r\n"},  // stops at 100; bad luck 3 / 2 rounds to 2
        {50, 0, 2, 0, 58, "甲|45|参\r\n"},
    };
    for (const auto& c : cases) {
        auto w = personnel(c.kessoku, c.officer_roll, c.bad, c.year_roll);
        EXPECT_EQ(std::make_pair(int(w->warlord(1).kessoku), w->report()), std::make_pair(c.after, std::string(c.report)))
            << c.kessoku << " " << c.officer_roll << " " << c.bad << " " << c.year_roll;
    }
}

}  // namespace
