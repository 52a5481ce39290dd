// Picture names: the CG\ file of a name, whatever its letter case, and names that must not lead
// out of CG\.

#include <gtest/gtest.h>

#include <string>

#include "media/pictures.h"
#include "test_support.h"

namespace teijinki {
namespace {

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

}  // namespace
}  // namespace teijinki
