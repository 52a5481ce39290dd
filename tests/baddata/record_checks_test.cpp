// The whole-file checks behind the refusals: record order, record counts, number fields, comment
// files, the closing header of a template table and stray control bytes in files the game only
// reads. Each damage has its own message, naming the file and the record or line at fault.

#include <gtest/gtest.h>

#include <numeric>
#include <tuple>

#include "test_support.h"
#include "world/error.h"
#include "world/record_file.h"
#include "world/template_composer.h"

namespace teijinki::testing {
namespace {

std::string province(int id, const std::string& name, int gun, int army) {
    return "." + std::to_string(id) + "\r\n\"" + name + "\"\r\n" + std::to_string(gun) + "," + std::to_string(army) + "\r\n";
}

// The message of the DataError a call throws; empty when it throws nothing.
template <class F>
std::string message_of(F f) {
    try {
        f();
    } catch (const DataError& e) {
        return e.what();
    }
    return "";
}

TEST(RecordChecks, EachDamageOfARecordFileHasItsOwnMessage) {
    const std::string a = province(1, "A", 1, 10), b = province(2, "B", 1, 10), c = province(3, "C", 2, 5);
    const std::string general = crlf_lines({".1", "\"甲\"", "1,2,3,4", "5,6", "1,2", "\"pic\"  "});
    struct Case {
        RecordKind kind;
        std::string text;
        int count;
        const char* message;
    };
    const Case cases[] = {
        {RecordKind::Province, a + b + c, 3, ""},
        {RecordKind::Province, ".0\r\n\"zero\"\r\nx\r\n" + a, 1, ""},  // no record of the game's: not read
        {RecordKind::Province, a + b + c + ".4\r\n\"D\"\r\nx,1\r\n", 3, ""},  // past the count: not read
        {RecordKind::Province, a + c + b, 0, "K: record 2: record out of order: it follows record 3"},
        {RecordKind::Province, a + a, 0, "K: record 1: record out of order: it follows record 1"},
        {RecordKind::Province, a + b + c, 4, "K: record 4: record missing (the file holds 3 of 4)"},
        {RecordKind::Province, b + c, 2, "K: record 1: record missing"},
        {RecordKind::Province, a + c, 3, "K: record 2: record missing"},
        {RecordKind::Province, a + ".2\r\n\"B\"\r\n", 0, "K: record 2: record ends before its last field"},
        {RecordKind::Province, a + ".2\r\n\"B\"\r\n1,y\r\n", 2, "K: record 2: army is not a number (\"y\")"},
        {RecordKind::Province, "", 1, "K: holds no records"},
        {RecordKind::Province, ".0\r\n\"zero\"\r\n1,1\r\n", 0, "K: holds no records"},
        {RecordKind::Province, a + ".2\r\n\"B\r\n1,1\r\n", 0,
         "K: record 2: a text field ends without its closing quote (the record is cut off)"},
        {RecordKind::Province, a + ".2\r\n\"\r\n1,1\r\n", 0,
         "K: record 2: a text field ends without its closing quote (the record is cut off)"},
        {RecordKind::General, general, 1, ""},
        {RecordKind::General, general + crlf_lines({".2", "\"乙\"", "1,2,3,4", "5,6", "1,2", "\"pi"}), 0,
         "K: record 2: a text field ends without its closing quote (the record is cut off)"},
        {RecordKind::General, crlf_lines({".1", "\"甲\"", "1,2,3,4", "5,6", "1,2"}), 0,
         "K: record 1: record ends before its last field"},
        {RecordKind::Warlord, crlf_lines({".1", "\"甲\"", "1,2,3,4,5,6,7,8", "\"TRUE\""}), 1, ""},
        {RecordKind::Warlord, crlf_lines({".1", "\"甲\"", "1,2,3,4,5,6,7,8"}), 1,
         "K: record 1: record ends before its last field"},
    };
    for (const Case& k : cases)
        EXPECT_EQ(message_of([&] { check_record_set(k.text, k.kind, "K", k.count); }), k.message) << k.text;
}

// Every number field reads into its own member; a letter in any one of them is refused, naming
// that field (the first of two).
TEST(RecordChecks, EachNumberFieldReadsIntoItsMemberOrIsRefusedByName) {
    struct Kind {
        RecordKind kind;
        std::string text;
        int first;  // the numbers are first, first + 1, ...
        std::vector<std::string> fields;
        std::string name, last;
    };
    const Kind kinds[] = {
        {RecordKind::General, crlf_lines({".1", "\"甲\"", "101,102,103,104", "105,106", "107,108", "\"pic\""}), 101,
         {"policy", "fight", "wisdom", "tactics", "charm", "Setu", "kunID", "Job"}, "甲", "pic"},
        {RecordKind::Warlord, crlf_lines({".1", "\"乙\"", "201,202,203,204,205,206,207,208", "\"TRUE\""}), 201,
         {"meishuID", "kunshuID", "army", "seihei", "meisei", "tian", "kessoku", "ifu"}, "乙", "TRUE"},
        {RecordKind::Province, crlf_lines({".1", "\"丙\"", "301,302"}), 301, {"gunID", "army"}, "丙", ""},
    };
    // name, numbers in file order, the closing item
    using Read = std::tuple<std::string, std::vector<int>, std::string>;
    auto read = [](RecordKind kind, const std::string& text) {
        Read out;
        scan_records(text, kind, "K", [&](const RecordLines& r) {
            if (kind == RecordKind::General) {
                Bushou b;
                parse_general(r, "K", b);
                out = {b.name, {b.policy, b.fight, b.wisdom, b.tactics, b.charm, b.Setu, b.kunID, b.Job}, b.jpg};
                EXPECT_EQ(general_lord(read_items(r, kind), "K"), b.kunID);
            } else if (kind == RecordKind::Warlord) {
                Gun g;
                parse_warlord(r, "K", g);
                out = {g.name, {g.meishuID, g.kunshuID, g.army, g.seihei, g.meisei, g.tian, g.kessoku, g.ifu},
                       g.del ? "TRUE" : "FALSE"};
            } else {
                Kuni k;
                parse_province(r, "K", k);
                out = {k.name, {k.gunID, k.army}, ""};
            }
            return true;
        });
        return out;
    };
    for (const Kind& k : kinds) {
        std::vector<int> numbers(k.fields.size());
        std::iota(numbers.begin(), numbers.end(), k.first);
        EXPECT_EQ(read(k.kind, k.text), Read(k.name, numbers, k.last));
        for (std::size_t f = 0; f < k.fields.size(); ++f) {
            std::string bad = k.text;
            bad.insert(bad.find(std::to_string(k.first + static_cast<int>(f))), "q");
            if (f + 1 < k.fields.size()) bad.insert(bad.find(std::to_string(k.first + static_cast<int>(f) + 1)), "q");
            EXPECT_EQ(message_of([&] { read(k.kind, bad); }),
                      "K: record 1: " + k.fields[f] + " is not a number (\"q" + std::to_string(k.first + static_cast<int>(f)) +
                          "\")");
        }
    }
    // A general's lord is refused as the whole record is: by its first bad field.
    EXPECT_EQ(message_of([&] {
                  scan_records(crlf_lines({".1", "\"甲\"", "1,x,3,4", "5,6", "7,8", "\"p\""}), RecordKind::General, "K",
                               [](const RecordLines& r) { return general_lord(read_items(r, RecordKind::General), "K") > 0; });
              }),
              "K: record 1: fight is not a number (\"x\")");
    // A warlord is destroyed only by "TRUE" itself.
    EXPECT_EQ(std::get<2>(read(RecordKind::Warlord, crlf_lines({".1", "\"乙\"", "1,2,3,4,5,6,7,8", "\"true\""}))), "FALSE");
}

TEST(RecordChecks, CommentFilesKeepTheirHeadersInOrderAndClosed) {
    const std::string a = ".1\r\n\"A\"\r\nline\r\n.\r\n";
    const std::string b = ".2\r\n\"B\"\r\n.\r\n";
    const std::string c = ".3\r\n\"C\"\r\n  \\.escaped\r\n.\r\n";
    const std::pair<std::string, const char*> cases[] = {
        {a + b + c, ""},
        {a + c, ""},  // a general may have no comment
        {a + c + b, "C: record 2: record out of order: it follows record 3"},
        {b + a + c, "C: record 1: record out of order: it follows record 2"},
        {a + b + ".3\r\n\"C\"\r\nhalf a li", "C: record 3: the last record has no closing \".\" line (the file is cut off)"},
    };
    for (const auto& [text, message] : cases) EXPECT_EQ(message_of([&] { check_comment_set(text, "C"); }), message) << text;
}

TEST(RecordChecks, TemplateTableNeedsItsClosingHeader) {
    TempGameFolder dir;
    dir.write("ini/Text.ini", ".1\r\nhello\r\n..\r\n.100\r\n..\r\n");
    EXPECT_NO_THROW(TemplateTable::load(dir.folder(), "\\ini\\Text.ini"));
    dir.write("ini/Text.ini", ".1\r\nhello\r\n..\r\n.99\r\n..\r\n");
    EXPECT_EQ(message_of([&] { TemplateTable::load(dir.folder(), "\\ini\\Text.ini"); }),
              "ini/Text.ini: has no closing header numbered 100 or more (the file is cut off)");
}

TEST(RecordChecks, ReadOnlyFilesRefuseControlBytes) {
    TempGameFolder dir;
    const std::pair<std::string, const char*> cases[] = {
        {"\"a\tb\"\r\nline two \r\n", ""},
        {"\"ab\"\r\nline\x7f two\r\n", "ini/Kuni1.ini: line 2 holds the control byte 0x7F (a damaged byte)"},
        {"\x01", "ini/Kuni1.ini: line 1 holds the control byte 0x01 (a damaged byte)"},
        {"\n\r\n\x1f", "ini/Kuni1.ini: line 3 holds the control byte 0x1F (a damaged byte)"},
    };
    for (const auto& [text, message] : cases) {
        dir.write("ini/Kuni1.ini", text);
        EXPECT_EQ(message_of([&] { dir.folder().read_master_text("\\ini\\Kuni1.ini"); }), message) << text;
        // Working files are not held to it: a player's typed text may hold anything.
        EXPECT_EQ(dir.folder().read_text("\\ini\\Kuni1.ini"), text);
    }
}

}  // namespace
}  // namespace teijinki::testing
