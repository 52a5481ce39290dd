// The year's trace: JSON Lines output, the offers and standings it is built from, and the entry
// event execute_strategy reports.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "strategy/strategy_table.h"
#include "strategy_fixture.h"
#include "world/trace.h"

namespace teijinki::testing {
namespace {

using nlohmann::json;

std::vector<json> parse_lines(const std::string& text) {
    std::vector<json> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(json::parse(line));
    return out;
}

TEST(JsonLinesTrace, EveryEventIsOneObjectPerLineWithTypeAndYear) {
    std::ostringstream out;
    JsonLinesTrace trace(out);
    trace.offers(190, 2, {{0, 11, 5, 0, 0}, {1, 0, 0, 0, 0}});
    trace.pick(190, 7, 2, 1, true);
    trace.pick(190, 8, 2, 0, false);
    trace.entry(190, 2, 0, 11, {7, 8}, 31, 17, 0);
    trace.war(190, true, 7, 5, 2, 4, 1);
    trace.year_end(190, {{3, 120, 10, 88, 60, 70, 15, true, 0}});
    const auto lines = parse_lines(out.str());
    ASSERT_EQ(lines.size(), 6u);
    for (const json& j : lines) EXPECT_EQ(j.at("year"), 190);

    EXPECT_EQ(lines[0].at("type"), "offers");
    EXPECT_EQ(lines[0].at("panel"), 2);
    EXPECT_EQ(lines[0].at("entries")[0], (json{{"pos", 0}, {"command", 11}, {"subject", 5}, {"object", 0}, {"level", 0}}));
    EXPECT_EQ(lines[0].at("entries")[1].at("command"), 0);
    EXPECT_EQ(lines[1].at("by"), "player");
    EXPECT_EQ(lines[2].at("by"), "computer");
    EXPECT_EQ(lines[2].at("gun"), 8);
    EXPECT_EQ(lines[3], (json{{"type", "entry"}, {"year", 190}, {"panel", 2}, {"pos", 0}, {"command", 11},
                              {"participants", {7, 8}}, {"exec_id", 31}, {"best", 17}, {"fail_id", 0}}));
    EXPECT_EQ(lines[4].at("kind"), "gisen");
    EXPECT_EQ(lines[4].at("verdict"), 1);
    EXPECT_EQ(lines[4].at("tactic"), 4);
    const json w = lines[5].at("warlords")[0];
    EXPECT_EQ(w.at("id"), 3);
    EXPECT_EQ(w.at("del"), true);
    EXPECT_EQ(w.at("ifu"), 15);
    EXPECT_EQ(w.at("provinces"), 0);
}

TEST(JsonLinesTrace, AnUnwritableFileIsNamed) {
    try {
        JsonLinesTrace trace("/nonexistent-folder/trace.jsonl");
        FAIL() << "no error";
    } catch (const DataError& e) {
        EXPECT_EQ(e.file(), "/nonexistent-folder/trace.jsonl");
    }
}

TEST(TraceSources, OffersFollowTheListsAndStandingsCountProvinces) {
    SharedValues shared;
    shared.gun_count = 2;
    shared.kuni_count = 3;
    shared.com_codes[1] = {2, 7, 0};
    shared.com_subject[1][0] = 4;
    shared.com_level[1][0] = 6;
    shared.com_subject[1][1] = 2;
    shared.com_level[1][1] = 3;
    shared.com_object[1][2] = 99;  // a stale value the list still lines up with
    const auto offers = panel_offers(shared, 1);
    ASSERT_EQ(offers.size(), 3u);
    EXPECT_EQ(offers[0].command, 2);
    EXPECT_EQ(offers[0].subject, 4);
    EXPECT_EQ(offers[0].level, 6);
    EXPECT_EQ(offers[1].pos, 1);
    EXPECT_EQ(offers[1].command, 7);
    EXPECT_EQ(offers[2].command, 0);
    EXPECT_EQ(offers[2].object, 99);
    EXPECT_TRUE(panel_offers(shared, 0).empty());

    std::ostringstream out;
    JsonLinesTrace trace(out);
    trace_offers(trace, 189, shared);
    const auto lines = parse_lines(out.str());
    ASSERT_EQ(lines.size(), 4u);
    for (int p = 0; p < 4; ++p) EXPECT_EQ(lines[p].at("panel"), p);

    auto world = std::make_unique<WorkingSet>();
    world->gun[1].army = 40;
    world->gun[2].del = true;
    world->kuni[1].gunID = 2;
    world->kuni[2].gunID = 2;
    world->kuni[3].gunID = 0;
    world->kuni[4].gunID = 1;  // beyond kuni_count: not a province of this game
    const auto standing = warlord_standing(shared, *world);
    ASSERT_EQ(standing.size(), 2u);
    EXPECT_EQ(standing[0].id, 1);
    EXPECT_EQ(standing[0].army, 40);
    EXPECT_EQ(standing[0].provinces, 0);
    EXPECT_EQ(standing[1].provinces, 2);
    EXPECT_TRUE(standing[1].del);
}

TEST(TraceSources, YearEndWithoutWorkingFilesNamesTheFile) {
    TempGameFolder temp;
    SharedValues shared;
    std::ostringstream out;
    JsonLinesTrace trace(out);
    EXPECT_THROW(trace_year_end(trace, 189, temp.folder(), shared), DataError);
    EXPECT_EQ(out.str(), "");
}

using EntryTrace = StrategyTest;

TEST_F(EntryTrace, ExecuteStrategyReportsTheEntryWithItsLivingParticipants) {
    std::ostringstream out;
    JsonLinesTrace trace(out);
    state->trace = &trace;
    shared.form_param = 195;
    for (int g : {1, 3, 4}) shared.gun_mei2[g] = 1;
    shared.gun_mei[4] = 1;  // another entry of the same panel
    gun(3).del = true;
    shared.gun_mei2[2] = 0;
    run(kWait, 0, 0, 7);
    run(kRecruit, 0, 0, 7, 9, 5, 0, 6);
    const auto lines = parse_lines(out.str());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].at("type"), "entry");
    EXPECT_EQ(lines[0].at("command"), 0);
    EXPECT_EQ(lines[1], (json{{"type", "entry"}, {"year", 195}, {"panel", 1}, {"pos", 0}, {"command", 1},
                              {"participants", {1}}, {"exec_id", 0}, {"best", 0}, {"fail_id", 6}}));
}

}  // namespace
}  // namespace teijinki::testing
