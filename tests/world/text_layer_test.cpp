// The text layer: list input and output, encodings, case-insensitive names and crash-safe
// rewrites.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>

#include "test_support.h"
#include "world/cp932_memo.h"
#include "world/encoding.h"
#include "world/error.h"
#include "world/list_io.h"
#include "world/record_file.h"
#include "world/working_set.h"

namespace teijinki {
namespace {

using testing::TempGameFolder;
using testing::message_of;

TEST(ListReader, SplitsItemsAtCommasAndLineEndsAndStripsQuotes) {
    ListReader in("\"曹操\",\" 5\", 7 ,x y\r\n.12\n\nlast", "f");
    EXPECT_EQ(in.item(), "曹操");
    EXPECT_EQ(in.item(), " 5");  // inside quotes blanks stay
    EXPECT_EQ(in.number(1, "n"), 7);
    for (const char* expected : {"x y", ".12", ""}) EXPECT_EQ(in.item(), expected);  // an empty line is one empty item
    EXPECT_FALSE(in.eof());
    EXPECT_EQ(in.item(), "last");
    EXPECT_TRUE(in.eof());
    // A comma at a line's end leaves one more, empty, item; a quote left open ends with its line.
    ListReader trailing("ab,\r\ncd\n\"e\nf,\"g\"h", "f");  // and a read past the end gives nothing
    for (const char* expected : {"ab", "", "cd", "e", "f", "g", ""}) EXPECT_EQ(trailing.item(), expected);
    // A whole line is taken with its line end, whichever kind it is.
    ListReader lines("a,b\r\nc\rd\n\ne", "f");
    for (const char* expected : {"a,b", "c", "d", "", "e"}) EXPECT_EQ(lines.line(), expected);
    EXPECT_TRUE(lines.eof());
}

TEST(ListReader, NumbersAcceptLeadingBlanksAndSaturateAndRejectLetters) {
    std::int16_t v = 0;
    // Whole numbers are read as integers, reals through a real rounded half to even; both saturate
    // the same way.
    const std::vector<std::pair<const char*, int>> read = {{" 12", 12}, {"2.5", 2},   {"3.5", 4},    {"99999", 32767},
                                                          {"+7", 7},   {" -3 ", -3}, {"-40000", -32768},
                                                          {"7.", 7},   {".5", 0},    {"-2.5", -2},
                                                          {"12345678901234567890", 32767}, {"", 0}};
    for (const auto& [text, value] : read) {
        EXPECT_TRUE(parse_number(text, v)) << text;
        EXPECT_EQ(v, value) << text;
    }
    for (const char* text : {"1a", "-", "--1", "+-1", "1e5", "0x10", "1 2", "1..2"}) EXPECT_FALSE(parse_number(text, v)) << text;
    EXPECT_EQ(marker_id(".5"), 5);
    EXPECT_EQ(marker_id(".007"), 7);
    EXPECT_EQ(marker_id(".1234"), 123);
    EXPECT_EQ(marker_id("5"), -1);
}

TEST(ListWriter, QuotesTextsAndEndsLinesWithCrLf) {
    ListWriter w;
    w.text("同盟結束力").end_line().number(190).number(-3).number(0).end_line().number(1).raw_line("r").number(2);
    EXPECT_EQ(w.str(), "\"同盟結束力\"\r\n190,-3,0\r\n1r\r\n2");  // a raw line ends the line
    EXPECT_EQ(split_items("\"a,b\",1,,x,"), (std::vector<std::string>{"a,b", "1", "", "x", ""}));
    EXPECT_EQ(split_items(", ,"), (std::vector<std::string>{"", "", ""}));  // a blank item is empty
    EXPECT_EQ(split_items("a,b\r\nc"), (std::vector<std::string>{"a", "b"}));  // one line only
}

TEST(GameFolder, FindsFilesInAnyLetterCaseAndCreatesNewOnesAsSpelled) {
    TempGameFolder dir;
    dir.write("ini/Gunbatu1.ini", "x");
    const GameFolder folder = dir.folder();
    EXPECT_EQ(folder.resolve("\\ini\\gunbatu1.ini"), dir.root() / "ini/Gunbatu1.ini");
    EXPECT_EQ(folder.resolve("\\INI\\GUNBATU1.INI"), dir.root() / "ini/Gunbatu1.ini");
    EXPECT_EQ(folder.resolve("\\ini\\New.ini"), dir.root() / "ini/New.ini");
    dir.write("ini/zoo.ini", "z");  // the last letter too
    EXPECT_EQ(folder.resolve("\\Ini\\ZOO.ini"), dir.root() / "ini/zoo.ini");
    // A folder holding one of its own name in another letter case is not taken for it.
    std::filesystem::create_directory(dir.root() / "ini/INI");
    EXPECT_EQ(dir.folder().resolve("\\ini\\gunbatu1.ini"), dir.root() / "ini/Gunbatu1.ini");
    folder.copy_file("\\ini\\gunbatu1.ini", "\\ini\\Gunsv.ini");
    EXPECT_EQ(dir.read("ini/Gunsv.ini"), "x");
    EXPECT_EQ(message_of([&] { folder.copy_file("\\ini\\missing.ini", "\\ini\\b.ini"); }), "ini/missing.ini: file not found");
    // A folder cannot be read as a file, nor a file made where no folder is.
    EXPECT_FALSE(read_bytes(dir.root() / "ini"));
    EXPECT_EQ(message_of([&] { folder.read_text("\\ini"); }), "ini: cannot be read");
    EXPECT_EQ(message_of([&] { write_bytes_scratch(dir.root() / "no/c.ini", "c", "no/c.ini"); }),
              "no/c.ini: cannot be written: No such file or directory");
    EXPECT_EQ(message_of([&] { folder.copy_file("\\ini\\gunbatu1.ini", "\\no\\b.ini"); }),
              "no/b.ini: cannot be written: No such file or directory");
    EXPECT_EQ(message_of([&] { folder.write_text("\\ini\\INI", "x"); }), "ini/INI: cannot be replaced: Is a directory");
    EXPECT_EQ(message_of([&] { folder.replace_keeping_old("\\ini\\zoo.ini", "\\no\\zoo.ini", "x"); }),
              "no/zoo.ini: cannot be written: No such file or directory");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.root() / "ini"), {}), 4) << "a temporary file left";
}

// Text handed over as a view into a longer buffer must not be read past its end.
TEST(Encoding, ValidatesConvertsAndSplitsOnlyWhatItIsGiven) {
    const std::string buffer = "ab\xFF";
    EXPECT_TRUE(is_valid_utf8(std::string_view(buffer).substr(0, 2)));
    EXPECT_FALSE(is_valid_utf8(buffer));
    EXPECT_EQ(to_utf8(buffer, Encoding::Utf8), std::nullopt);
    EXPECT_FALSE(is_valid_utf8(std::string_view("aé").substr(0, 2)));  // "é" cut in two
    // The first and last code points of each length and round the surrogates.
    for (const char* good : {"é", "aé", "éa", "ü¥", "あ", "𠮷", "\xC2\x80", "\xE0\xA0\x80", "\xF0\x90\x80\x80",
                             "\xF4\x8F\xBF\xBF", "\xED\x9F\xBF", "\xEE\x80\x80"})
        EXPECT_TRUE(is_valid_utf8(good)) << good;
    EXPECT_TRUE(is_valid_utf8(std::string_view("abcdefgh\xFF").substr(0, 8)));
    for (const char* bad : {"\xC3", "\xC3" "a", "\xC0\x80", "\xE3\x81", "\xED\xA0\x80", "\x80", "\xC1\xBF", "\xE0\x9F\xBF",
                            "\xF0\x8F\xBF\xBF", "\xF4\x90\x80\x80", "\xED\xBF\xBF"})
        EXPECT_FALSE(is_valid_utf8(bad)) << bad;
    const std::string crlf = "a\r\n";
    EXPECT_EQ(split_lines(std::string_view(crlf).substr(0, 2)), (std::vector<std::string>{"a"}));
    EXPECT_EQ(split_lines("a\r\rb\n\r\nc"), (std::vector<std::string>{"a", "", "b", "", "c"}));

    // Half-width kana grow from one byte to three: more than the first guess of the room needed.
    const std::string kana_sjis(100, '\xB1');
    std::string kana_utf8;
    for (int i = 0; i < 100; ++i) kana_utf8 += "ｱ";
    EXPECT_EQ(to_utf8(kana_sjis, Encoding::ShiftJis), kana_utf8);
    EXPECT_EQ(from_utf8(kana_utf8, Encoding::ShiftJis), kana_sjis);

    // A character Shift-JIS lacks becomes one "?"; its neighbours of every length stay whole.
    TempGameFolder dir;
    dir.write("ini/Text.ini", *from_utf8(".1\r\n鼎陣記\r\n..\r\n", Encoding::ShiftJis));
    EXPECT_EQ(dir.folder().encode("aあ😀ｱ"), "a\x82\xA0?\xB1");
    EXPECT_EQ(dir.folder().encode("×あ😀"), "\x81\x7E\x82\xA0?");
    EXPECT_EQ(dir.folder().encode("\x80あb\xFF" "c"), "?\x82\xA0" "b?c");  // stray bytes
}

// The memo must give exactly the converter's bytes, whether a character is met for the first
// time or again, and refuse (leaving the output as it was) any text a read would not give back.
TEST(Cp932Memo, GivesTheConvertersBytesAndRefusesWhatDoesNotComeBack) {
    Cp932Memo memo;
    // Lead bytes at the ends of both their ranges (∵ 0x81, 滌 0x9F, 魏 0xE9, 黑 0xFC) and
    // one-byte half-width kana.
    // Two-byte UTF-8 too, at the end of a text (× in Latin-1, Д and Ω past it), and the first
    // character past the surrogates, a user-defined one the code page keeps (U+E000).
    const std::vector<std::string> texts = {"曹操,12\r\n", "ｿｳｿｳ 孫権", "曹操と孫権、∵①", "1,2,3", "滌黑", "3×", "ДΩ",
                                            "\xEE\x80\x80"};
    for (int round = 0; round < 2; ++round) {
        for (const std::string& text : texts) {
            std::string out = "kept";
            ASSERT_TRUE(memo.encode(text, out)) << text;
            EXPECT_EQ(out, "kept" + *from_utf8(text, Encoding::ShiftJis)) << text;
        }
    }
    const std::size_t known = memo.size();
    EXPECT_EQ(known, 16u);  // 曹操ｿｳ孫権と、∵①滌黑×ДΩ and U+E000: each once, plain ASCII never
    // "〜" comes back as "～"; the other characters of such a text are learnt all the same.
    // Broken or over-long UTF-8 (曹 in four bytes, × in three), a surrogate, a stray continuation
    // byte, a byte no UTF-8 has and × with a broken second byte are refused as the converter does.
    for (const std::string bad : {"劉備〜", "劉備😀", "劉備\xE3\x81", "\xC0\xAF", "\xF0\x86\x9B\xB9", "\xED\xA0\x80", "\x80", "\xFF", "\xC3\x17",
                                   "\xE0\x83\x97"}) {
        std::string out = "kept";
        EXPECT_FALSE(memo.encode(bad, out)) << bad;
        EXPECT_EQ(out, "kept") << bad;
    }
    EXPECT_EQ(memo.size(), known + 2);
    // A character cut by the end of the text given is not read on past it.
    const std::string cut = "劉備と";
    std::string from_cut = "kept";
    EXPECT_FALSE(memo.encode(std::string_view(cut).substr(0, cut.size() - 1), from_cut));
    EXPECT_EQ(from_cut, "kept");
    std::string out;
    EXPECT_TRUE(memo.encode("劉備", out));
    EXPECT_EQ(out, *from_utf8("劉備", Encoding::ShiftJis));
    // Every kanji of the first and second levels, far more than the memo first has room for.
    std::string kanji;
    for (int lead = 0x88; lead <= 0xEA; ++lead) {
        if (lead == 0xA0) lead = 0xE0;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const char code[] = {static_cast<char>(lead), static_cast<char>(trail)};
            if (auto one = to_utf8(std::string_view(code, 2), Encoding::ShiftJis)) kanji += *one;
        }
    }
    out.clear();
    ASSERT_TRUE(memo.encode(kanji, out));
    EXPECT_EQ(out, *from_utf8(kanji, Encoding::ShiftJis));
    EXPECT_GT(memo.size(), 6000u);
}

// Every way the game writes a file leaves it readable and writable by its owner, readable by all;
// and works when the game was started with standard input closed, so that a file opened gets 0.
TEST(GameFolder, FilesTheGameMakesAreReadableByAll) {
    TempGameFolder dir;
    const GameFolder folder = dir.folder();
    const mode_t before = ::umask(022);
    const int stdin_copy = ::dup(0);
    ::close(0);
    folder.write_text("\\ini\\a.ini", "a");
    folder.replace_keeping_old("\\ini\\b.ini", "\\ini\\b_old.ini", "b");
    write_bytes_scratch(dir.root() / "ini/c.ini", "c", "c");
    const std::string read_back = folder.read_text("\\ini\\a.ini") + read_bytes(dir.root() / "ini/c.ini").value_or("");
    const bool left_open = ::fcntl(0, F_GETFD) != -1;  // the game keeps no file open after its work
    if (stdin_copy >= 0) ::dup2(stdin_copy, 0), ::close(stdin_copy);
    ::umask(before);
    EXPECT_EQ(read_back, "ac");
    EXPECT_FALSE(left_open);
    for (const char* name : {"ini/a.ini", "ini/b.ini", "ini/c.ini"}) {
        const auto mode = std::filesystem::status(dir.root() / name).permissions() & std::filesystem::perms::all;
        EXPECT_EQ(mode, static_cast<std::filesystem::perms>(0644)) << name;
    }
}

// A full disk while the new version is written: the error names the file, the working file
// keeps its old bytes and is read afresh. A file whose size the system does not tell is read to
// its end (the memory map comes a page a read, the stack near its end).
TEST(GameFolder, AFullDiskIsReportedAndSizesAreOnlyAHint) {
    if (!std::filesystem::exists("/dev/full") || !std::filesystem::exists("/proc/self/maps"))
        GTEST_SKIP() << "no /dev/full or /proc here";
    TempGameFolder dir;
    dir.write("ini/b.ini", "old");
    std::filesystem::last_write_time(dir.root() / "ini/b.ini", std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    std::filesystem::create_symlink("/dev/full", dir.root() / "ini/b_old.ini");
    const GameFolder folder = dir.folder();
    ASSERT_EQ(folder.read_shared("\\ini\\b.ini")->text(), "old");
    std::vector<FileStep> steps;
    folder.keep_file_work(&steps);
    EXPECT_EQ(message_of([&] { folder.replace_keeping_old("\\ini\\b.ini", "\\ini\\b_old.ini", "new"); }),
              "ini/b_old.ini: cannot be written: No space left on device");
    EXPECT_EQ(dir.read("ini/b.ini"), "old");
    // What was known of the file is not trusted after a failed write: it is read again.
    EXPECT_EQ(folder.read_shared("\\ini\\b.ini")->text(), "old");
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[1].kind, FileStep::Kind::Read);
    EXPECT_NE(read_bytes("/proc/self/maps").value_or("").find("[stack]"), std::string::npos);
}

// A rewrite killed at any moment leaves the working file whole: either the old or the new one.
TEST(CrashSafety, RewriteKilledAtRandomMomentsLeavesACompleteFile) {
    TempGameFolder dir;
    std::string records;
    for (int id = 1; id <= 170; ++id)
        records += "." + std::to_string(id) + "\r\n\"武将" + std::to_string(id) + "\"\r\n5,5,5,5\r\n5,5\r\n0,1\r\n\"x\"\r\n";
    dir.write("ini/busv.ini", records);
    std::mt19937 gen(7);
    for (int round = 0; round < 60; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const GameFolder folder = dir.folder();
            SharedValues shared;
            shared.bushou_count = 170;
            WorkingSet set;
            ld_Chr(folder, shared, set);
            for (int i = 0;; ++i) {
                set.chr[1 + i % 170].policy = 1 + i % 9;
                sv_Chr(folder, shared, set);
            }
        }
        usleep(std::uniform_int_distribution<int>(200, 5000)(gen));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        int count = 0;
        scan_records(dir.folder().read_text("\\ini\\busv.ini"), RecordKind::General, "busv", [&](const RecordLines& r) {
            Bushou b;
            parse_general(r, "busv", b);
            ++count;
            return true;
        });
        ASSERT_EQ(count, 170) << "round " << round;
    }
}

}  // namespace
}  // namespace teijinki
