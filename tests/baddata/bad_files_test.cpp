// Damaged copies of every kind of file the game reads: scenario masters and name lists, template
// tables, working files and save slots, each cut short (a slot's record files also at a record
// boundary), with a letter in a number, with its record markers out of order, missing, or in a
// Shift-JIS folder with a broken byte. Each must give one message that names the file, and the
// game must refuse cleanly: teijinki-sim exits 2 with the message on stderr, and nothing the
// player had is changed.

#include <gtest/gtest.h>

#include <map>

#include "../faults/fault_support.h"
#include "setup/title_rules.h"
#include "test_support.h"
#include "turn/seeded_games.h"
#include "turn/year_cycle.h"
#include "world/encoding.h"
#include "world/random.h"

namespace teijinki::testing {
namespace {

namespace fs = std::filesystem;

enum class Damage { Truncated, CutAtRecord, LetterInNumber, MarkersOutOfOrder, Missing, BrokenShiftJis };

const char* damage_name(Damage d) {
    const char* names[] = {"truncated", "cut_at_record", "letter_in_number", "markers_out_of_order", "missing", "broken_shift_jis"};
    return names[static_cast<int>(d)];
}

bool shipped_data() { return fs::exists(fs::path(TEIJINKI_DATA_DIR) / "ini" / "Text.ini"); }

// The whole ini/ folder re-encoded in Shift-JIS, as the original platform wrote it.
void to_shift_jis(const fs::path& root) {
    for (const auto& e : fs::directory_iterator(root / "ini")) {
        const std::string bytes = *read_bytes(e.path());
        auto sjis = from_utf8(bytes, Encoding::ShiftJis);
        ASSERT_TRUE(sjis) << e.path() << " has characters Shift-JIS cannot hold";
        write_bytes_atomic(e.path(), *sjis, e.path().string());
    }
}

// The offset of the start of line n (0-based) of the record with id, or npos.
std::size_t record_line(const std::string& text, int id, int n) {
    const auto lines = split_lines(text);
    std::size_t pos = 0;
    const std::string marker = "." + std::to_string(id);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == marker) {
            std::size_t at = pos;
            for (int k = 0; k < n; ++k) at = text.find('\n', at) + 1;
            return at;
        }
        pos = text.find('\n', pos) + 1;
    }
    return std::string::npos;
}

// Damages one file of the folder. records: the file is made of records (it has markers and, when
// numbers is true, number fields).
void damage(const fs::path& root, const std::string& relative, Damage d, bool numbers) {
    const fs::path path = GameFolder(root).resolve("\\" + relative);
    if (d == Damage::BrokenShiftJis && is_valid_utf8(*read_bytes(root / "ini" / "Text.ini"))) to_shift_jis(root);
    std::string text = *read_bytes(path);
    switch (d) {
        case Damage::Truncated: {
            // Cut in the middle of a line near the middle of the file.
            std::size_t cut = text.size() / 2;
            while (cut > 0 && (text[cut] == '\r' || text[cut] == '\n')) --cut;
            text.resize(cut);
            break;
        }
        case Damage::CutAtRecord: {
            // Cut before the record marker nearest the middle: every record left is whole.
            const std::size_t marker = text.find("\n.", text.size() / 2);
            ASSERT_NE(marker, std::string::npos);
            text.resize(marker + 1);
            break;
        }
        case Damage::LetterInNumber: {
            const std::size_t at = record_line(text, 2, 2);  // the first number line of record 2
            ASSERT_NE(at, std::string::npos);
            text.insert(at, "x");
            break;
        }
        case Damage::MarkersOutOfOrder: {
            const std::size_t one = record_line(text, 1, 0);
            const std::size_t two = record_line(text, 2, 0);
            ASSERT_NE(one, std::string::npos);
            ASSERT_NE(two, std::string::npos);
            text[one + 1] = '2';
            text[two + 1] = '1';
            break;
        }
        case Damage::Missing: fs::remove(path); return;
        case Damage::BrokenShiftJis: {
            // A lead byte followed by a byte no Shift-JIS character has as its second. Inside a
            // line the lead byte may pair with the byte before it and leave a stray DEL instead.
            const std::size_t at = numbers ? record_line(text, 2, 1) : text.size() / 2;
            text.insert(at == std::string::npos ? 0 : at, "\x82\x7f");
            break;
        }
    }
    write_bytes_atomic(path, text, relative);
}

// Whether the message names the file; the game matches file names without regard to case.
bool names_file(std::string message, std::string file) {
    for (auto* s : {&message, &file})
        for (char& ch : *s) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return message.find(file) != std::string::npos;
}

std::map<std::string, std::string> snapshot(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file() && e.path().filename().string().find(".tmp") == std::string::npos)
            files[fs::relative(e.path(), root).string()] = *read_bytes(e.path());
    return files;
}

struct Case {
    std::string file;  // relative path with '/'
    Damage damage;
    bool numbers;      // the file has number fields
};

std::string case_name(const ::testing::TestParamInfo<Case>& info) {
    std::string name = info.param.file + "_" + damage_name(info.param.damage);
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}

// teijinki-sim on a folder whose one file is damaged: exit 2, one message naming the file.
void expect_refused(const std::vector<std::string>& args, const fs::path& root, const std::string& file,
                    bool unchanged) {
    TempGameFolder out;
    const auto before = snapshot(root);
    const int status = run_sim(args, (out.root() / "err").string());
    const std::string message = out.read("err");
    EXPECT_EQ(status, 2) << message;
    EXPECT_TRUE(names_file(message, file)) << "the message does not name " << file << ": " << message;
    // The program's own line, and the line naming the file when they differ.
    EXPECT_LE(std::count(message.begin(), message.end(), '\n'), 2) << message;
    if (unchanged) {
        EXPECT_TRUE(snapshot(root) == before) << "a refused load changed the folder";
    }
}

// Scenario masters, name lists and template tables: a new game of scenario 1 refuses to start.
class MasterFileTest : public ::testing::TestWithParam<Case> {};

TEST_P(MasterFileTest, NewGameRefusesWithTheFileNamed) {
    if (!shipped_data()) GTEST_SKIP() << "the shipped data folder is not there yet";
    ASSERT_TRUE(fs::exists(sim_program())) << sim_program() << " is not built";
    const Case& c = GetParam();
    TempGameFolder dir;
    prepare_game_folder(TEIJINKI_DATA_DIR, dir.root());
    damage(dir.root(), c.file, c.damage, c.numbers);
    expect_refused({"--dir", dir.root().string(), "--scenario", "1", "--seed", "5", "--players", "1", "--years", "1", "--quiet"},
                   dir.root(), c.file, false);
}

std::vector<Case> master_cases() {
    std::vector<Case> cases;
    for (const char* file : {"ini/Bushou1.ini", "ini/Gunbatu1.ini", "ini/Kuni1.ini"})
        for (Damage d : {Damage::Truncated, Damage::LetterInNumber, Damage::MarkersOutOfOrder, Damage::Missing,
                         Damage::BrokenShiftJis})
            cases.push_back({file, d, true});
    for (Damage d : {Damage::Truncated, Damage::MarkersOutOfOrder, Damage::Missing, Damage::BrokenShiftJis})
        cases.push_back({"ini/Comment1.ini", d, false});
    for (const char* file : {"ini/sei.ini", "ini/mei.ini", "ini/Text.ini", "ini/Command.ini"})
        for (Damage d : {Damage::Missing, Damage::BrokenShiftJis})
            if (file != std::string("ini/Text.ini") || d != Damage::Missing) cases.push_back({file, d, false});
    for (const char* file : {"ini/Text.ini", "ini/Command.ini"}) cases.push_back({file, Damage::Truncated, false});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Masters, MasterFileTest, ::testing::ValuesIn(master_cases()), case_name);

// A folder that lost its template table is taken for one without a game: teijinki-sim fills in
// what is missing from the shipped data and plays, leaving every file that was there alone.
TEST(MasterFileRefill, MissingTemplateTableIsRefilledFromTheShippedData) {
    if (!shipped_data()) GTEST_SKIP() << "the shipped data folder is not there yet";
    ASSERT_TRUE(fs::exists(sim_program())) << sim_program() << " is not built";
    TempGameFolder dir;
    prepare_game_folder(TEIJINKI_DATA_DIR, dir.root());
    damage(dir.root(), "ini/Text.ini", Damage::Missing, false);
    // A mark in a master that the refill must not overwrite.
    std::string kuni = *read_bytes(dir.root() / "ini" / "Kuni1.ini");
    kuni += "\r\n";
    write_bytes_atomic(dir.root() / "ini" / "Kuni1.ini", kuni, "ini/Kuni1.ini");
    TempGameFolder out;
    EXPECT_EQ(run_sim({"--dir", dir.root().string(), "--scenario", "1", "--seed", "5", "--players", "1", "--years", "1",
                       "--quiet"},
                      (out.root() / "err").string()),
              0)
        << out.read("err");
    EXPECT_EQ(read_bytes(dir.root() / "ini" / "Text.ini"), read_bytes(fs::path(TEIJINKI_DATA_DIR) / "ini" / "Text.ini"));
    EXPECT_EQ(read_bytes(dir.root() / "ini" / "Kuni1.ini"), kuni);
}

// Save slots: a load refuses, and the working files stay as they were.
class SlotFileTest : public ::testing::TestWithParam<Case> {};

TEST_P(SlotFileTest, LoadRefusesWithTheFileNamedAndKeepsTheGame) {
    if (!shipped_data()) GTEST_SKIP() << "the shipped data folder is not there yet";
    ASSERT_TRUE(fs::exists(sim_program())) << sim_program() << " is not built";
    const Case& c = GetParam();
    TempGameFolder dir;
    prepare_game_folder(TEIJINKI_DATA_DIR, dir.root());
    ASSERT_EQ(run_sim({"--dir", dir.root().string(), "--seed", "5", "--players", "1", "--years", "1", "--quiet", "--save", "3"}), 0);
    damage(dir.root(), c.file, c.damage, c.numbers);
    expect_refused({"--dir", dir.root().string(), "--quiet", "--load", "3"}, dir.root(), c.file, true);
}

std::vector<Case> slot_cases() {
    std::vector<Case> cases;
    for (const char* file : {"save/busv3.ini", "save/gunsv3.ini", "save/Kunisv3.ini"})
        for (Damage d : {Damage::Truncated, Damage::CutAtRecord, Damage::LetterInNumber, Damage::MarkersOutOfOrder,
                         Damage::Missing, Damage::BrokenShiftJis})
            cases.push_back({file, d, true});
    for (Damage d : {Damage::Truncated, Damage::MarkersOutOfOrder, Damage::Missing, Damage::BrokenShiftJis})
        cases.push_back({"save/Cmtsv3.ini", d, false});
    for (Damage d : {Damage::Truncated, Damage::Missing, Damage::BrokenShiftJis}) {
        cases.push_back({"save/kdnlog3.log", d, false});
        cases.push_back({"save/save3.ini", d, false});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Slots, SlotFileTest, ::testing::ValuesIn(slot_cases()), case_name);

// Working files damaged between two years: the next year refuses with the file named and
// writes nothing.
class WorkingFileTest : public ::testing::TestWithParam<Case> {};

TEST_P(WorkingFileTest, NextYearRefusesWithTheFileNamed) {
    if (!shipped_data()) GTEST_SKIP() << "the shipped data folder is not there yet";
    const Case& c = GetParam();
    TempGameFolder dir;
    prepare_game_folder(TEIJINKI_DATA_DIR, dir.root());
    if (c.damage == Damage::BrokenShiftJis) to_shift_jis(dir.root());
    const GameFolder folder(dir.root());
    SharedValues shared;
    SeededRandom rng(9);
    QuietHost host;
    TitleRules title(folder, shared, rng, host);
    title.Form_Load();
    std::vector<bool> ticked(title.warlords.size(), false);
    ticked[0] = true;
    ASSERT_TRUE(title.new_game(ticked));
    MainState m(folder, shared, rng, host);
    open_main(m);
    ASSERT_TRUE(auto_move(m));
    damage(dir.root(), c.file, c.damage, c.numbers);
    const auto before = snapshot(dir.root());
    try {
        while (auto_move(m) && !m.game_over) {
        }
        ADD_FAILURE() << "the game played on to its end";
    } catch (const DataError& e) {
        EXPECT_TRUE(names_file(e.what(), c.file)) << e.what();
    }
    EXPECT_TRUE(snapshot(dir.root()) == before) << "a refused year changed the folder";
}

std::vector<Case> working_cases() {
    std::vector<Case> cases;
    for (const char* file : {"ini/busv.ini", "ini/gunsv.ini", "ini/Kunisv.ini"})
        for (Damage d : {Damage::Truncated, Damage::LetterInNumber, Damage::MarkersOutOfOrder, Damage::Missing,
                         Damage::BrokenShiftJis})
            cases.push_back({file, d, true});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Working, WorkingFileTest, ::testing::ValuesIn(working_cases()), case_name);

}  // namespace
}  // namespace teijinki::testing
