// The comment file as the general sheet reads it and the editor rewrites it: a rewritten comment
// reads back as typed (a leading point full-width) while every other record keeps its bytes.

#include <gtest/gtest.h>

#include "screens/comments.h"
#include "test_support.h"
#include "world/encoding.h"

namespace teijinki::testing {
namespace {

const std::string kRecordOne = crlf_lines({".1", "\"曹操\"", "乱世の奸雄。", "."});
const std::string kRecordThree = crlf_lines({".3", "\"荀彧\"", "王佐の才。", "."});
const std::string kComments = kRecordOne + crlf_lines({".2", "\"夏侯惇\"", "片目の猛将。", "."}) + kRecordThree;

class Comments : public ::testing::Test {
protected:
    void SetUp() override {
        tmp.write("ini/Cmtsv.ini", kComments);
        tmp.write("ini/Text.ini", crlf_lines({".1", "x", "..", ".100"}));
    }
    TempGameFolder tmp;
    GameFolder folder{tmp.root()};
};

TEST_F(Comments, ReaderIndentsEveryItemAndSplitsAtCommas) {
    tmp.write("ini/Cmtsv.ini", crlf_lines({".1", "\"曹操\"", "字は孟徳,沛国の人", "乱世の奸雄。", "."}));
    EXPECT_EQ(ld_Comment_rtn(folder, 1, 170), "  字は孟徳\r\n  沛国の人\r\n  乱世の奸雄。\r\n");
    EXPECT_EQ(ld_Comment_rtn(folder, 9, 170), "");
    tmp.write("ini/Cmtsv.ini", crlf_lines({".0", "\"誰か\"", "無番。", "."}) + kRecordOne);
    EXPECT_EQ(ld_Comment_rtn(folder, 0, 170), "");  // no general is numbered 0
}

// A typed item that begins with "." would end the record, so its point is stored full-width;
// nothing else typed is changed, and nothing stored is changed when it is shown.
TEST_F(Comments, TypedDotLinesReadBackWithAFullWidthPointAndOtherRecordsKeepTheirBytes) {
    const std::string typed = ".2\n..\n一行目, .二つ目\n\"..引用\"\n  .字下げ\n\\記号\n普通の行";
    ASSERT_TRUE(sv_Cmt_rtn(folder, 2, "夏侯惇", typed));
    const std::string file = tmp.read("ini/Cmtsv.ini");
    EXPECT_EQ(file.substr(0, kRecordOne.size()), kRecordOne);
    EXPECT_EQ(file.substr(file.size() - kRecordThree.size()), kRecordThree);
    EXPECT_EQ(ld_Comment_rtn(folder, 2, 170),
              "  ．2\r\n  ．.\r\n  一行目\r\n  ．二つ目\r\n  ．.引用\r\n  ．字下げ\r\n  \\記号\r\n  普通の行\r\n");
    // The record still ends where it did: the next general's comment is his own.
    EXPECT_EQ(ld_Comment_rtn(folder, 3, 170), "  王佐の才。\r\n");
    EXPECT_EQ(ld_Comment_rtn(folder, 3, 2), "") << "the reading stops at the last general's record";
    EXPECT_EQ(tmp.read("ini/Cmtimg.ini"), kComments);  // the scratch copy holds the old file

    // Only a point that begins an item is widened, and a line is not read past its end.
    const std::pair<std::string_view, std::string_view> kept[] = {
        {"x.y", "x.y"}, {"\"a\"x.b", "\"a\"x.b"}, {"\"a\",.b", "\"a\",．b"}, {std::string_view("x,.", 2), "x,"},
        {std::string_view("x,\t", 2), "x,"}, {std::string_view("x,\"", 2), "x,"}};
    for (const auto& [line, stored] : kept) EXPECT_EQ(escape_comment_line(line), stored) << line;
}

// In a Shift-JIS folder the byte 0x5C is the yen sign: a line written elsewhere that begins with
// it is shown whole and survives the editor's rewrite of another record byte for byte.
TEST_F(Comments, AShiftJisLineBeginningWithTheYenSignIsShownAndKept) {
    const auto sjis = [](const std::string& utf8) { return *from_utf8(utf8, Encoding::ShiftJis); };
    tmp.write("ini/Text.ini", sjis(crlf_lines({".1", "文", "..", ".100"})));
    const std::string yen_record = sjis(crlf_lines({".2", "\"夏侯惇\""})) + "\x5c" + sjis(crlf_lines({"百両の馬", "."}));
    tmp.write("ini/Cmtsv.ini", sjis(kRecordOne) + yen_record + sjis(kRecordThree));
    const GameFolder sjis_folder(tmp.root());
    ASSERT_EQ(sjis_folder.encoding(), Encoding::ShiftJis);
    EXPECT_EQ(ld_Comment_rtn(sjis_folder, 2, 170), "  \\百両の馬\r\n");
    ASSERT_TRUE(sv_Cmt_rtn(sjis_folder, 1, "曹操", ".5\n\\記"));
    EXPECT_NE(tmp.read("ini/Cmtsv.ini").find(yen_record), std::string::npos);
    EXPECT_EQ(ld_Comment_rtn(sjis_folder, 1, 170), "  ．5\r\n  \\記\r\n");
    EXPECT_EQ(ld_Comment_rtn(sjis_folder, 2, 170), "  \\百両の馬\r\n");
}

TEST_F(Comments, EmptyTextLeavesHeaderNameAndClosingLineAndAStrayLineBetweenRecordsGoes) {
    tmp.write("ini/Cmtsv.ini", kRecordOne + "迷子の行\r\n" + kRecordThree);
    ASSERT_TRUE(sv_Cmt_rtn(folder, 3, "荀彧", ""));
    EXPECT_EQ(tmp.read("ini/Cmtsv.ini"), kRecordOne + crlf_lines({".3", "\"荀彧\"", "."}));
    EXPECT_EQ(ld_Comment_rtn(folder, 3, 170), "");
    // A header that is the file's last line, without its line end, is still replaced whole.
    tmp.write("ini/Cmtsv.ini", kRecordOne + ".3");
    ASSERT_TRUE(sv_Cmt_rtn(folder, 3, "荀彧", "王佐"));
    EXPECT_EQ(tmp.read("ini/Cmtsv.ini"), kRecordOne + crlf_lines({".3", "\"荀彧\"", "王佐", "."}));
}

TEST_F(Comments, AGeneralWithoutRecordIsNotWrittenAndARecordWithoutClosingLineLosesNothing) {
    EXPECT_FALSE(sv_Cmt_rtn(folder, 7, "誰か", "text"));
    EXPECT_EQ(tmp.read("ini/Cmtsv.ini"), kComments);
    std::filesystem::remove(tmp.root() / "ini/Cmtsv.ini");
    EXPECT_FALSE(sv_Cmt_rtn(folder, 0, "誰か", "text"));  // no general is numbered 0: the file is not even read
    tmp.write("ini/Cmtsv.ini", kComments);
    // Record 1 lacks its closing "."; record 2 must survive the rewrite of record 3.
    tmp.write("ini/Cmtsv.ini", crlf_lines({".1", "\"曹操\"", "乱世の奸雄。", ".2", "\"夏侯惇\"", "猛将。", "."}) + kRecordThree);
    ASSERT_TRUE(sv_Cmt_rtn(folder, 3, "荀彧", "新しい評"));
    EXPECT_EQ(ld_Comment_rtn(folder, 2, 170), "  猛将。\r\n");
    EXPECT_EQ(ld_Comment_rtn(folder, 3, 170), "  新しい評\r\n");
    // The record met after the open one is replaced whole; typed CR LF ends a line like LF.
    ASSERT_TRUE(sv_Cmt_rtn(folder, 2, "夏侯惇", "隻眼\r\n猛将"));
    EXPECT_EQ(tmp.read("ini/Cmtsv.ini"), crlf_lines({".1", "\"曹操\"", "乱世の奸雄。", ".2", "\"夏侯惇\"", "隻眼", "猛将", ".",
                                                  ".3", "\"荀彧\"", "新しい評", "."}));
    // Out of order too: record 1 met after the open record 2 keeps its lines.
    const std::string two_then_one = crlf_lines({".2", "\"夏侯惇\"", "猛将。", ".1", "\"曹操\"", "乱世の奸雄。", "."});
    tmp.write("ini/Cmtsv.ini", two_then_one + kRecordThree);
    ASSERT_TRUE(sv_Cmt_rtn(folder, 3, "荀彧", "新しい評"));
    EXPECT_EQ(tmp.read("ini/Cmtsv.ini"), two_then_one + crlf_lines({".3", "\"荀彧\"", "新しい評", "."}));
}

}  // namespace
}  // namespace teijinki::testing
