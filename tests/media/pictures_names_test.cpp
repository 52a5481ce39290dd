// Picture names: the CG\ file of a name, names that must not lead out of CG\, and the lords'
// portrait table the screens read from the working files.

#include <gtest/gtest.h>

#include <string>

#include "media/pictures.h"
#include "test_support.h"
#include "world/records.h"
#include "world/shared_values.h"

namespace teijinki {
namespace {

using testing::crlf_lines;
using testing::TempGameFolder;

TEST(PictureNames, ANameIsFoundInCgWhateverTheLetterCaseAndUnsafeNamesAreNoPicture) {
    TempGameFolder dir;
    dir.write("CG/Kanu1.JPG", "x");
    const GameFolder folder = dir.folder();
    EXPECT_EQ(picture_literal("kanu1"), "CG\\kanu1.jpg");
    const auto found = picture_file(folder, "kanu1");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->filename(), "Kanu1.JPG");
    EXPECT_FALSE(picture_file(folder, "chouhi1")) << "missing";
    EXPECT_FALSE(picture_file(folder, "")) << "no picture";

    dir.write("ini/secret.jpg", "x");
    for (const char* bad : {"../ini/secret", "..\\ini\\secret", "sub/x", "c:x", ".."}) {
        EXPECT_EQ(picture_literal(bad), "") << bad;
        EXPECT_FALSE(picture_file(folder, bad)) << bad;
    }
}

std::string general(int id, const std::string& name, int kun, const std::string& jpg) {
    return crlf_lines({"." + std::to_string(id), "\"" + name + "\"", "5,5,5,5", "5,5", std::to_string(kun) + ",5",
                       "\"" + jpg + "\""});
}

std::string warlord(int id, const std::string& name, int lord) {
    return crlf_lines({"." + std::to_string(id), "\"" + name + "\"", "0," + std::to_string(lord) + ",10,1,1,50,50,50",
                       "\"FALSE\""});
}

TEST(LordPortraits, EachWarlordGetsItsLordsPictureAndALostLordTheFootSoldier) {
    TempGameFolder dir;
    dir.write("ini/busv.ini", general(1, "甲", 1, "kou1") + general(2, "乙", 1, "otsu1") + general(3, "丙", 3, "hei1") +
                                  general(4, "丁", 4, "tei1"));
    dir.write("ini/gunsv.ini", warlord(1, "甲軍", 1) + warlord(2, "丙軍", 3) + warlord(3, "無軍", 9) +
                                   warlord(4, "丁軍", 4) + warlord(5, "外軍", 1));
    SharedValues shared;
    shared.gun_count = 4;
    shared.bushou_count = 3;  // general 4 lies past the count
    const GameFolder folder = dir.folder();

    const PortraitTable table = read_lord_portraits(folder, shared);
    EXPECT_EQ(table[0], "");
    EXPECT_EQ(table[1], "kou1");
    EXPECT_EQ(table[2], "hei1");
    EXPECT_EQ(table[3], kMissingGeneralPortrait) << "lord 9 has no record";
    EXPECT_EQ(table[4], kMissingGeneralPortrait) << "lord past bushou_count";
    EXPECT_EQ(table[5], "") << "warlord past gun_count";

    EXPECT_EQ(lord_portrait(folder, shared, 2), "hei1");
    EXPECT_EQ(lord_portrait(folder, shared, 0), kMissingGeneralPortrait);
    EXPECT_EQ(lord_portrait(folder, shared, 21), kMissingGeneralPortrait);
}

}  // namespace
}  // namespace teijinki
