// The comment editor opened from the general sheet: what it writes and what the sheet then shows.

#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>

#include "ui/info/cmt_edit_dialog.h"
#include "screens/comments.h"
#include "screens/general_sheet.h"
#include "ui/info/status_dialog.h"
#include "ui/ui_support.h"

namespace teijinki::testing {
namespace {

TEST(Comments, EditorFromTheSheetRewritesAndTheSheetShowsTheNewComment) {
    TempGameFolder tmp;
    tmp.write("ini/busv.ini", crlf_lines({".1", "\"曹操\"", "90,72,91,96", "96,80", "1,5", "\"soushou1\"", ".2", "\"夏侯惇\"",
                                          "60,89,64,78", "70,88", "1,4", "\"kakouton1\"", ".3", "\"荀彧\"", "96,20,94,60",
                                          "80,90", "1,1", "\"junik1\""}));
    tmp.write("ini/Cmtsv.ini", crlf_lines({".1", "\"曹操\"", "乱世の奸雄。", ".", ".2", "\"夏侯惇\"", "片目の猛将。", "."}));
    tmp.write("ini/Text.ini", crlf_lines({".1", "x", "..", ".100"}));
    const GameFolder folder{tmp.root()};
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
