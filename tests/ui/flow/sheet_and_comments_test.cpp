// The general sheet and the comment editor on a small game folder: what the sheet shows by job,
// and that a rewritten comment reads back as typed (a leading point full-width) while every
// other record keeps its bytes.

#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>

#include "ui/info/cmt_edit_dialog.h"
#include "screens/comments.h"
#include "screens/general_sheet.h"
#include "ui/info/status_dialog.h"
#include "ui/ui_support.h"
#include "world/encoding.h"

namespace teijinki::testing {
namespace {

const std::string kGenerals = crlf_lines({
    ".1", "\"曹操\"", "90,72,91,96", "96,80", "1,5", "\"soushou1\"",
    ".2", "\"夏侯惇\"", "60,89,64,78", "70,88", "1,4", "\"kakouton1\"",
    ".3", "\"荀彧\"", "96,20,94,60", "80,90", "1,1", "\"junik1\"",
});

const std::string kRecordOne = crlf_lines({".1", "\"曹操\"", "乱世の奸雄。", "."});
const std::string kRecordThree = crlf_lines({".3", "\"荀彧\"", "王佐の才。", "."});
const std::string kComments = kRecordOne + crlf_lines({".2", "\"夏侯惇\"", "片目の猛将。", "."}) + kRecordThree;

class Comments : public ::testing::Test {
protected:
    void SetUp() override {
        tmp.write("ini/busv.ini", kGenerals);
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
    EXPECT_EQ(tmp.read("ini/Cmtimg.ini"), kComments);  // the scratch copy holds the old file
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

TEST_F(Comments, EmptyTextLeavesHeaderNameAndClosingLine) {
    ASSERT_TRUE(sv_Cmt_rtn(folder, 1, "曹操", ""));
    EXPECT_EQ(tmp.read("ini/Cmtsv.ini").substr(0, 16), crlf_lines({".1", "\"曹操\"", "."}).substr(0, 16));
    EXPECT_EQ(ld_Comment_rtn(folder, 1, 170), "");
    EXPECT_EQ(ld_Comment_rtn(folder, 3, 170), "  王佐の才。\r\n");
}

TEST_F(Comments, AGeneralWithoutRecordIsNotWrittenAndARecordWithoutClosingLineLosesNothing) {
    EXPECT_FALSE(sv_Cmt_rtn(folder, 7, "誰か", "text"));
    EXPECT_EQ(tmp.read("ini/Cmtsv.ini"), kComments);
    // Record 1 lacks its closing "."; record 2 must survive the rewrite of record 3.
    tmp.write("ini/Cmtsv.ini", crlf_lines({".1", "\"曹操\"", "乱世の奸雄。", ".2", "\"夏侯惇\"", "猛将。", "."}) + kRecordThree);
    ASSERT_TRUE(sv_Cmt_rtn(folder, 3, "荀彧", "新しい評"));
    EXPECT_EQ(ld_Comment_rtn(folder, 2, 170), "  猛将。\r\n");
    EXPECT_EQ(ld_Comment_rtn(folder, 3, 170), "  新しい評\r\n");
}

TEST_F(Comments, SheetShowsTheAbilitiesOfTheJob) {
    const GeneralSheet lord = load_general_sheet(folder, 1, 3);
    EXPECT_EQ(lord.job, "君主");
    EXPECT_EQ(lord.kinds, "政治\r\n武勇\r\n智謀\r\n采配");
    EXPECT_EQ(lord.values, " 90\r\n 72\r\n 91\r\n 96");
    EXPECT_EQ(lord.fixed_kinds, "器量\r\n節度");
    EXPECT_EQ(lord.fixed_values, " 96\r\n 80");
    const GeneralSheet general = load_general_sheet(folder, 2, 3);
    EXPECT_EQ(general.kinds, "武勇\r\n智謀\r\n采配");
    const GeneralSheet civil = load_general_sheet(folder, 3, 3);
    EXPECT_EQ(civil.kinds, "政治");
    EXPECT_EQ(civil.comment, "  王佐の才。\r\n");
    const GeneralSheet nobody = load_general_sheet(folder, 9, 3);
    EXPECT_FALSE(nobody.found);
    EXPECT_TRUE(nobody.name.empty());
    // The scan stops at the count: general 3 lies past a count of 2.
    EXPECT_FALSE(load_general_sheet(folder, 3, 2).found);
}

TEST_F(Comments, EditorFromTheSheetRewritesAndTheSheetShowsTheNewComment) {
    RecordingOpener opener;
    ScriptedQtHost host(folder, opener);
    SharedValues shared;
    shared.bushou_count = 3;
    shared.form_param = 2;
    ui::StatusDialog sheet(nullptr, host, folder, shared, true);
    EXPECT_EQ(sheet.findChild<QLabel*>(QStringLiteral("Name_lab"))->text(), QStringLiteral("夏侯惇"));
    host.on_dialog = [](QDialog& d) {
        auto* editor = qobject_cast<ui::CmtEditDialog*>(&d);
        ASSERT_NE(editor, nullptr);
        EXPECT_TRUE(editor->text_box()->toPlainText().isEmpty());
        editor->text_box()->setPlainText(QStringLiteral(".1 は曹操\n隻眼"));
        click(d, "Command1_1");
    };
    sheet.Lab_cmt_Click();
    EXPECT_EQ(shared.form_result, 1);
    EXPECT_EQ(shared.msg_text, "夏侯惇");
    EXPECT_EQ(sheet.findChild<QLabel*>(QStringLiteral("Lab_cmt"))->text(), QStringLiteral("  ．1 は曹操\n  隻眼\n"));
    EXPECT_EQ(ld_Comment_rtn(folder, 1, 170), "  乱世の奸雄。\r\n");

    // 戻る writes nothing.
    const std::string before = tmp.read("ini/Cmtsv.ini");
    shared.form_result = 0;
    host.on_dialog = [](QDialog& d) {
        qobject_cast<ui::CmtEditDialog*>(&d)->text_box()->setPlainText(QStringLiteral("消えるはず"));
        click(d, "Command1_0");
    };
    sheet.Lab_cmt_Click();
    EXPECT_EQ(shared.form_result, 0);
    EXPECT_EQ(tmp.read("ini/Cmtsv.ini"), before);
}

}  // namespace
}  // namespace teijinki::testing
