// The whole-file checks behind the refusals: record order, record counts, comment files, the
// closing header of a template table and stray control bytes in files the game only reads.

#include <gtest/gtest.h>

#include "test_support.h"
#include "world/error.h"
#include "world/record_file.h"
#include "world/template_composer.h"

namespace teijinki::testing {
namespace {

std::string province(int id, const std::string& name, int gun, int army) {
    return "." + std::to_string(id) + "\r\n\"" + name + "\"\r\n" + std::to_string(gun) + "," + std::to_string(army) + "\r\n";
}

// The DataError a call throws, or an empty one when it throws nothing.
template <class F>
DataError error_of(F f) {
    try {
        f();
    } catch (const DataError& e) {
        return e;
    }
    return DataError("", "nothing thrown");
}

TEST(RecordChecks, RecordsMustAscend) {
    const std::string text = province(1, "A", 1, 10) + province(3, "C", 1, 10) + province(2, "B", 1, 10);
    const DataError e = error_of([&] { scan_records(text, RecordKind::Province, "ini/K.ini", [](const RecordLines&) { return true; }); });
    EXPECT_EQ(e.file(), "ini/K.ini");
    EXPECT_EQ(e.record_id(), 2);
    const DataError twice = error_of([&] {
        scan_records(province(1, "A", 1, 10) + province(1, "A", 1, 10), RecordKind::Province, "ini/K.ini",
                     [](const RecordLines&) { return true; });
    });
    EXPECT_EQ(twice.record_id(), 1);
}

TEST(RecordChecks, EveryRecordUpToTheCountIsThere) {
    const std::string three = province(1, "A", 1, 10) + province(2, "B", 1, 10) + province(3, "C", 2, 5);
    EXPECT_NO_THROW(check_record_set(three, RecordKind::Province, "ini/K.ini", 3));
    // Records after the count are not looked at, even broken ones.
    EXPECT_NO_THROW(check_record_set(three + ".4\r\n\"D\"\r\nx,1\r\n", RecordKind::Province, "ini/K.ini", 3));
    EXPECT_STREQ(error_of([&] { check_record_set(three, RecordKind::Province, "ini/K.ini", 4); }).what(),
                 "ini/K.ini: record 4: record missing (the file holds 3 of 4)");
    const std::string gap = province(1, "A", 1, 10) + province(3, "C", 2, 5);
    EXPECT_EQ(error_of([&] { check_record_set(gap, RecordKind::Province, "ini/K.ini", 3); }).record_id(), 2);
    EXPECT_EQ(error_of([&] { check_record_set(province(1, "A", 1, 10) + ".2\r\n\"B\"\r\n1,y\r\n", RecordKind::Province,
                                              "ini/K.ini", 2); })
                  .record_id(),
              2);
    EXPECT_EQ(error_of([&] { check_record_set("", RecordKind::Province, "ini/K.ini", 1); }).file(), "ini/K.ini");
    EXPECT_STREQ(error_of([&] { check_record_set("", RecordKind::Province, "ini/K.ini", 0); }).what(),
                 "ini/K.ini: holds no records");
}

TEST(RecordChecks, CommentFilesKeepTheirHeadersInOrderAndClosed) {
    const std::string a = ".1\r\n\"A\"\r\nline\r\n.\r\n";
    const std::string b = ".2\r\n\"B\"\r\n.\r\n";
    const std::string c = ".3\r\n\"C\"\r\n  \\.escaped\r\n.\r\n";
    EXPECT_NO_THROW(check_comment_set(a + b + c, "ini/C.ini"));
    EXPECT_NO_THROW(check_comment_set(a + c, "ini/C.ini")) << "a general may have no comment";
    EXPECT_EQ(error_of([&] { check_comment_set(a + c + b, "ini/C.ini"); }).record_id(), 2);
    EXPECT_EQ(error_of([&] { check_comment_set(b + a + c, "ini/C.ini"); }).record_id(), 1);
    EXPECT_EQ(error_of([&] { check_comment_set(a + b + ".3\r\n\"C\"\r\nhalf a li", "ini/C.ini"); }).record_id(), 3);
}

TEST(RecordChecks, TextFieldsCutInsideTheirQuotesAreRefused) {
    const std::string whole = ".1\r\n\"A\"\r\n1,2,3,4\r\n5,6\r\n1,2\r\n\"pic\"\r\n";
    EXPECT_NO_THROW(check_record_set(whole, RecordKind::General, "save/b.ini", 0));
    const std::string cut = whole + ".2\r\n\"B\"\r\n1,2,3,4\r\n5,6\r\n1,2\r\n\"pi";
    EXPECT_EQ(error_of([&] { check_record_set(cut, RecordKind::General, "save/b.ini", 0); }).record_id(), 2);
}

TEST(RecordChecks, TemplateTableNeedsItsClosingHeader) {
    TempGameFolder dir;
    dir.write("ini/Text.ini", ".1\r\nhello\r\n..\r\n.100\r\n..\r\n");
    EXPECT_NO_THROW(TemplateTable::load(dir.folder(), "\\ini\\Text.ini"));
    dir.write("ini/Text.ini", ".1\r\nhello\r\n..\r\n.99\r\n..\r\n");
    EXPECT_EQ(error_of([&] { TemplateTable::load(dir.folder(), "\\ini\\Text.ini"); }).file(), "ini/Text.ini");
}

TEST(RecordChecks, ReadOnlyFilesRefuseControlBytes) {
    TempGameFolder dir;
    dir.write("ini/Kuni1.ini", "\"a\tb\"\r\nline two\r\n");
    EXPECT_NO_THROW(dir.folder().read_master_text("\\ini\\Kuni1.ini"));
    dir.write("ini/Kuni1.ini", "\"ab\"\r\nline\x7f two\r\n");
    const DataError e = error_of([&] { dir.folder().read_master_text("\\ini\\Kuni1.ini"); });
    EXPECT_EQ(e.file(), "ini/Kuni1.ini");
    EXPECT_NE(std::string(e.what()).find("line 2"), std::string::npos) << e.what();
    // Working files are not held to it: a player's typed text may hold anything.
    EXPECT_NO_THROW(dir.folder().read_text("\\ini\\Kuni1.ini"));
}

}  // namespace
}  // namespace teijinki::testing
