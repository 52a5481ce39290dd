// A comment file whose lines end in a lone CR (an old editor's line ends) keeps reading right
// after the comment editor rewrites it (found by the comment-file fuzzer: an empty line was
// inserted after such a header, and the general's name then showed as his comment).

#include <gtest/gtest.h>

#include "screens/comments.h"
#include "test_support.h"

namespace teijinki::testing {
namespace {

TEST(CommentFileTest, LoneCarriageReturnLinesSurviveTheEditorsRewrite) {
    TempGameFolder dir;
    dir.write("ini/Text.ini", crlf_lines({".001", "x", "..", ".100", ".."}));
    dir.write("ini/Cmtsv.ini", ".1\r\"甲\"\rold\r.\r.2\r\"乙\"\rsecond\r.\r");
    const GameFolder folder = dir.folder();
    ASSERT_TRUE(sv_Cmt_rtn(folder, 1, "甲", "new\nlast"));
    EXPECT_EQ(ld_Comment_rtn(folder, 1, 200), "  new\r\n  last\r\n");
    EXPECT_EQ(ld_Comment_rtn(folder, 2, 200), "  second\r\n");
}

}  // namespace
}  // namespace teijinki::testing
