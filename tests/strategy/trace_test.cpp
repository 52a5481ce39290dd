// The year's trace: one JSON object per line, and the entry event of execute_strategy.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

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

TEST(Trace, EventsAreJsonLinesBuiltFromTheGameState) {
    SharedValues shared;
    shared.gun_count = 2;
    shared.kuni_count = 3;
    shared.com_codes[1] = {7, 0};
    shared.com_subject[1][0] = 2, shared.com_object[1][0] = 4;
    shared.com_level[1][0] = 6;
    auto world = std::make_unique<WorkingSet>();
    world->gun[2].del = true;
    world->kuni[1].gunID = world->kuni[3].gunID = 2;
    world->kuni[4].gunID = 2;  // beyond kuni_count: no province of this game

    std::ostringstream out;
    JsonLinesTrace trace(out);
    trace_offers(trace, 190, shared);
    trace.pick(190, 2, 1, 0, true);
    trace.war(190, true, 1, 2, 2, 4, 1);
    trace.year_end(190, warlord_standing(shared, *world));
    const auto lines = parse_lines(out.str());
    ASSERT_EQ(lines.size(), 7u);
    for (const json& j : lines) EXPECT_EQ(j.at("year"), 190);
    EXPECT_EQ(lines[1], (json{{"type", "offers"}, {"year", 190}, {"panel", 1},
                              {"entries", {{{"pos", 0}, {"command", 7}, {"subject", 2}, {"object", 4}, {"level", 6}},
                                           {{"pos", 1}, {"command", 0}, {"subject", 0}, {"object", 0}, {"level", 0}}}}}));
    EXPECT_EQ(lines[3].at("entries").size(), 0u);
    EXPECT_EQ(lines[4].at("by"), "player");
    EXPECT_EQ(lines[5].at("kind"), "gisen");
    const json& standing = lines[6].at("warlords");
    ASSERT_EQ(standing.size(), 2u);
    EXPECT_EQ(standing[1].at("provinces"), 2);
    EXPECT_EQ(standing[1].at("del"), true);
    EXPECT_EQ(standing[0].at("provinces"), 0);

    EXPECT_THROW(JsonLinesTrace("/nonexistent-folder/trace.jsonl"), DataError);
}

TEST_F(StrategyTest, EntryEventNamesTheLivingParticipants) {
    std::ostringstream out;
    JsonLinesTrace trace(out);
    state->trace = &trace;
    shared.form_param = 195;
    for (int g : {1, 2, 3, 4}) shared.gun_mei2[g] = 1;
    shared.gun_mei[2] = 1;  // another entry of the same panel
    gun(3).del = true;
    run(kRecruit, 0, 0, 7, 9, 5, 6);
    const auto lines = parse_lines(out.str());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], (json{{"type", "entry"}, {"year", 195}, {"panel", 1}, {"pos", 0}, {"command", 1},
                              {"participants", {1, 4}}, {"exec_id", 0}, {"best", 0}, {"fail_id", 6}}));
}

}  // namespace
}  // namespace teijinki::testing
