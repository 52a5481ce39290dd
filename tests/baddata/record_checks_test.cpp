// The whole-file checks behind the refusals: record order, record counts, number fields, comment
// files, the closing header of a template table and stray control bytes in files the game only
// reads. Each damage has its own message, naming the file and the record or line at fault.

#include <gtest/gtest.h>

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

TEST(RecordChecks, EachDamageOfARecordFileHasItsOwnMessage) {
    const std::string a = province(1, "A", 1, 10), b = province(2, "B", 1, 10), c = province(3, "C", 2, 5);
    const std::string general = crlf_lines({".1", "\"甲\"", "1,2,3,4", "5,6", "1,2", "\"pic\"  "});
    const std::string cut = "K: record 2: a text field ends without its closing quote (the record is cut off)";
    constexpr RecordKind P = RecordKind::Province, G = RecordKind::General, W = RecordKind::Warlord;
    const std::tuple<RecordKind, std::string, int, std::string> cases[] = {
        {P, a + b + c, 3, ""},
        {P, ".0\r\n\"zero\"\r\nx\r\n" + a, 1, ""},                // no record of the game's: not read
        {P, a + b + c + ".4\r\n\"D\"\r\nx,1\r\n", 3, ""},  // past the count: not read
        {P, a + c + b, 0, "K: record 2: record out of order: it follows record 3"},
        {P, a + a, 0, "K: record 1: record out of order: it follows record 1"},
        {P, a + b + c, 4, "K: record 4: record missing (the file holds 3 of 4)"},
        {P, a + c, 3, "K: record 2: record missing"},
        {P, a + c, 0, ""},  // no count given: gaps are no fault
        {P, a + ".2\r\n\"B\"\r\n", 0, "K: record 2: record ends before its last field"},
        {P, a + ".2\r\n\"B\"\r\n1,y\r\n", 2, "K: record 2: army is not a number (\"y\")"},
        {P, "", 1, "K: holds no records"},
        {P, ".0\r\n\"zero\"\r\n1,1\r\n", 0, "K: holds no records"},
        {P, a + ".2\r\n\"B\r\n1,1\r\n", 0, cut},
        {P, a + ".2\r\n\"\r\n1,1\r\n", 0, cut},
        {G, general, 1, ""},
        {G, general + crlf_lines({".2", "\"乙\"", "1,2,3,4", "5,6", "1,2", "\"pi"}), 0, cut},
        {G, crlf_lines({".1", "\"甲\"", "1,2,3,4", "5,6", "1,2"}), 0, "K: record 1: record ends before its last field"},
        {W, crlf_lines({".1", "\"甲\"", "1,2,3,4,5,6,7,8", "\"TRUE\""}), 1, ""},
        {W, crlf_lines({".1", "\"甲\"", "1,2,3,4,5,6,7,8"}), 1, "K: record 1: record ends before its last field"},
    };
    for (const auto& [kind, text, count, message] : cases)
        EXPECT_EQ(message_of([&] { check_record_set(text, kind, "K", count); }), message) << text;
}

// Every number field reads into its own member; a letter in any one (the first of two) is refused
// naming that field. A warlord is destroyed only by "TRUE" itself.
TEST(RecordChecks, EachNumberFieldReadsIntoItsMemberOrIsRefusedByName) {
    const std::tuple<RecordKind, std::string, std::vector<std::string>> kinds[] = {
        {RecordKind::General, crlf_lines({".1", "\"甲\"", "101,102,103,104", "105,106", "107,108", "\"pic\""}),
         {"policy", "fight", "wisdom", "tactics", "charm", "Setu", "kunID", "Job"}},
        {RecordKind::Warlord, crlf_lines({".1", "\"乙\"", "201,202,203,204,205,206,207,208", "\"TRUE\""}),
         {"meishuID", "kunshuID", "army", "seihei", "meisei", "tian", "kessoku", "ifu"}},
        {RecordKind::Province, crlf_lines({".1", "\"丙\"", "301,302"}), {"gunID", "army"}},
    };
    const std::vector<std::vector<int>> values = {{101, 102, 103, 104, 105, 106, 107, 108, 107},
                                                  {201, 202, 203, 204, 205, 206, 207, 208, 1}, {301, 302}};
    auto read = [](RecordKind kind, const std::string& text) {  // the numbers, then the lord or del
        std::pair<std::string, std::vector<int>> out;
        scan_records(text, kind, "K", [&](const RecordLines& r) {
            Bushou b;
            Gun g;
            Kuni k;
            if (kind == RecordKind::General && (parse_general(r, "K", b), true))
                out = {b.name + b.jpg, {b.policy, b.fight, b.wisdom, b.tactics, b.charm, b.Setu, b.kunID, b.Job,
                                        general_lord(read_items(r, kind), "K")}};
            if (kind == RecordKind::Warlord && (parse_warlord(r, "K", g), true))
                out = {g.name, {g.meishuID, g.kunshuID, g.army, g.seihei, g.meisei, g.tian, g.kessoku, g.ifu, g.del}};
            if (kind == RecordKind::Province && (parse_province(r, "K", k), true)) out = {k.name, {k.gunID, k.army}};
            return true;
        });
        return out;
    };
    const char* names[] = {"甲pic", "乙", "丙"};
    for (int i = 0; i < 3; ++i) {
        const auto& [kind, text, fields] = kinds[i];
        EXPECT_EQ(read(kind, text), std::make_pair(std::string(names[i]), values[static_cast<std::size_t>(i)]));
        for (std::size_t f = 0; f < fields.size(); ++f) {
            const std::string number = std::to_string(values[static_cast<std::size_t>(i)][f]);
            std::string bad = text;
            if (f + 1 < fields.size()) bad.insert(bad.find(std::to_string(values[static_cast<std::size_t>(i)][f + 1])), "q");
            bad.insert(bad.find(number), "q");
            EXPECT_EQ(message_of([&] { read(kind, bad); }), "K: record 1: " + fields[f] + " is not a number (\"q" + number + "\")");
        }
    }
    EXPECT_EQ(read(RecordKind::Warlord, crlf_lines({".1", "\"乙\"", "1,2,3,4,5,6,7,8", "\"true\""})).second.back(), 0);
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
        {a + a, "C: record 1: record out of order: it follows record 1"},
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

// Working files are not held to it: a player's typed text may hold anything. A broken byte is
// refused in both.
TEST(RecordChecks, ReadOnlyFilesRefuseControlBytes) {
    TempGameFolder dir;
    const std::string broken = "ini/Kuni1.ini: not readable as UTF-8 or Shift-JIS text (a broken byte)";
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"\"a\tb\"\r\nline two \r\n", "", ""},
        {"\"ab\"\r\nline\x7f two\r\n", "ini/Kuni1.ini: line 2 holds the control byte 0x7F (a damaged byte)", ""},
        {"\x01", "ini/Kuni1.ini: line 1 holds the control byte 0x01 (a damaged byte)", ""},
        {"\n\r\n\x1f", "ini/Kuni1.ini: line 3 holds the control byte 0x1F (a damaged byte)", ""},
        {std::string("\x82\xA0\x82", 3), broken, broken},  // Shift-JIS cut inside a character
    };
    for (const auto& [text, master, working] : cases) {
        dir.write("ini/Kuni1.ini", text);
        EXPECT_EQ(message_of([&] { dir.folder().read_master_text("\\ini\\Kuni1.ini"); }), master) << text;
        EXPECT_EQ(message_of([&] { EXPECT_EQ(dir.folder().read_text("\\ini\\Kuni1.ini"), text); }), working) << text;
    }
}

}  // namespace
}  // namespace teijinki::testing
