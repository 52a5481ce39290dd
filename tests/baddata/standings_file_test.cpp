// The standings file as a player's editor may leave it: other line ends, quoted numbers with blanks,
// the last warlord's number; and each damage refused with its own message naming the line.

#include <gtest/gtest.h>

#include "messages/standings.h"
#include "test_support.h"
#include "world/error.h"

namespace teijinki {
namespace {

TEST(StandingsFileDamage, EachLineIsReadOrRefusedWithItsOwnMessage) {
    const std::string head = std::string(kStandingsHeading) + "\r\n";
    const std::string row = "190,20,\"甲\",40,10,3,3,20,60,70,10,2,1,0,96.5";  // warlord 20, destroyed, led by 2
    const std::pair<std::string, std::string> cases[] = {
        {head + row + "\r\n", ""},
        {std::string(kStandingsHeading) + "\n" + row, ""},
        {head + row + "\n" + row + "\r\" 190 \",20,\"甲\",40,10,3,3,20,60,70,10,2,1,0,\"96.5 \"", ""},
        {head + row + "\r\n\r\n", ""},  // a blank last line is no row
        {head + row + "\r\n\r\n" + row, "S: line 3: 15 items expected, found 1"},
        {head + row + "\n190,0,\"甲\",40,10,3,3,20,60,70,10,0,0,0,1", "S: line 3: warlord 0 is not one of 1 to 20"},
        {head + "190,1,\"甲\",40,10,3,3,20,60,70,10,0,0,0,", "S: line 2: the score \"\" is not a number"},
        {head + "190,1,\"甲\",40,10,3,3,20,60,70,10,0,0,1 1,1", "S: line 2: \"1 1\" is not a whole number"},
        {head + "190,1,\"甲\",40,10,3,3,20,60,70,10,0,0,,1", "S: line 2: \"\" is not a whole number"},
        {head + row + "\r\n190,1,\"甲\",x,10,3,3,20,60,70,10,0,0,0,1", "S: line 3: \"x\" is not a whole number"},
        {head + "190,1,\"甲\",40,10,3,3,20,60,70,10,0,0,0,9.5z", "S: line 2: the score \"9.5z\" is not a number"},
        {head + "190,21,\"甲\",40,10,3,3,20,60,70,10,0,0,0,1", "S: line 2: warlord 21 is not one of 1 to 20"},
        {head + row + "\n189,1,\"甲\",40,10,3,3,20,60,70,10,0,0,0,1", "S: line 3: the year 189 comes after 190"},
        {"年,軍閥\r\n" + row, "S: does not begin with the heading \"" + std::string(kStandingsHeading) + "\""},
    };
    for (const auto& [text, message] : cases) {
        EXPECT_EQ(testing::message_of([&] {
                      const auto rows = parse_standings(text, "S");
                      EXPECT_EQ(std::make_tuple(rows.back().year, rows.back().warlord, rows.back().alliance_leader,
                                                rows.back().destroyed, rows.back().player, rows.back().score),
                                std::make_tuple(190, 20, 2, true, false, 96.5f));
                  }),
                  message) << text;
    }
}

// A last row that lost its line break (a hand edit) gets one before the next year's rows.
TEST(StandingsFileDamage, ALastRowWithoutItsLineBreakIsEndedBeforeTheNextYear) {
    testing::TempGameFolder dir;
    EXPECT_TRUE(read_standings(dir.folder()).empty()) << "no file yet: no rows";
    dir.write("ini/standings.csv", std::string(kStandingsHeading) + "\r\n190,1,\"甲\",40,10,3,3,20,60,70,10,0,0,0,1");
    const GameFolder folder = dir.folder();
    write_standings_year(folder, read_standings_file(folder), 191, {StandingsRow{.year = 191, .warlord = 1, .name = "甲"}});
    EXPECT_EQ(read_standings(GameFolder(dir.root())).size(), 2u);
}

}  // namespace
}  // namespace teijinki
