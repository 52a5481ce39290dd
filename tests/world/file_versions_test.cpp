// What a folder remembers of its files between procedures: the last version read or written,
// the records worked out from it, and where each name resolved. The files stay the truth: any
// change on disk is seen, and what is remembered is only reused for bytes that are unchanged.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <tuple>

#include "test_support.h"
#include "world/encoding.h"
#include "world/record_file.h"
#include "world/working_set.h"

namespace teijinki {
namespace {

namespace fs = std::filesystem;
using testing::TempGameFolder;
using testing::crlf_lines;

std::string province_file(int army_of_first) {
    return crlf_lines({".1", "\"陳留\"", "1," + std::to_string(army_of_first), ".2", "\"冀州\"", "2,30"});
}

int first_army(const GameFolder& folder) {
    int army = -1;
    current_records(folder, files::kProvinces, RecordKind::Province)->visit([&](const RecordItems& r) {
        Kuni k;
        parse_province(r, "p", k);
        army = k.army;
        return false;
    });
    return army;
}

// An hour ago: old enough that the stamp alone tells versions apart.
void make_old(const fs::path& path, int minutes_ago = 60) {
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::minutes(minutes_ago));
}

std::vector<FileStep::Kind> kinds(const std::vector<FileStep>& steps) {
    std::vector<FileStep::Kind> out;
    for (const FileStep& s : steps) out.push_back(s.kind);
    return out;
}

TEST(FileVersions, EveryChangeOnDiskIsReadAfresh) {
    // Each change keeps the size (20 → 25), so only the stamp or the bytes can tell; and lies
    // beyond the first read of the file.
    auto file_of = [](int army) { return std::string(20000, ';') + "\r\n" + province_file(army); };
    struct Case {
        const char* change;
        bool old_before;  // the file's time was long past when it was first read
        std::function<void(const TempGameFolder&)> apply;
    };
    const std::string file = "ini/Kunisv.ini";
    const std::vector<Case> cases = {
        {"new, rewritten in place within the same time stamp (a coarse file clock)", false,
         [&](const TempGameFolder& d) {
             const auto stamp = fs::last_write_time(d.root() / file);
             d.write(file, file_of(25));
             fs::last_write_time(d.root() / file, stamp);
         }},
        {"old, rewritten in place", true, [&](const TempGameFolder& d) { d.write(file, file_of(25)); }},
        {"replaced by a new file, as a load does", true,
         [&](const TempGameFolder& d) {
             d.write("ini/restored.tmp", file_of(25));
             fs::rename(d.root() / "ini/restored.tmp", d.root() / file);
         }},
        {"rewritten in place long after, with an old time of its own", true,
         [&](const TempGameFolder& d) {
             d.write(file, file_of(25));
             make_old(d.root() / file, 30);
         }},
    };
    for (const Case& c : cases) {
        TempGameFolder dir;
        dir.write(file, file_of(20));
        if (c.old_before) make_old(dir.root() / file);
        const GameFolder folder = dir.folder();
        ASSERT_EQ(first_army(folder), 20) << c.change;
        c.apply(dir);
        EXPECT_EQ(first_army(folder), 25) << c.change;
        EXPECT_EQ(folder.read_shared(files::kProvinces)->bytes(), file_of(25)) << c.change;
    }
}

TEST(FileVersions, AnUnchangedFileIsCheckedAndItsRecordsReused) {
    TempGameFolder dir;
    dir.write("ini/Kunisv.ini", province_file(20));
    make_old(dir.root() / "ini/Kunisv.ini");
    const GameFolder folder = dir.folder();
    std::vector<FileStep> steps;
    folder.keep_file_work(&steps);
    const auto first = current_records(folder, files::kProvinces, RecordKind::Province);
    const auto again = current_records(folder, files::kProvinces, RecordKind::Province);
    EXPECT_EQ(first.get(), again.get());
    EXPECT_EQ(kinds(steps), (std::vector{FileStep::Kind::Read, FileStep::Kind::Check}));

    // Touched without a change: read once more, and still the same records.
    make_old(dir.root() / "ini/Kunisv.ini", 30);
    EXPECT_EQ(current_records(folder, files::kProvinces, RecordKind::Province).get(), first.get());
    EXPECT_EQ(steps.back().kind, FileStep::Kind::Read);
    // A copy asked for leaves a kept file kept and does not keep one it had to read.
    dir.write("ini/once.ini", "x");
    steps.clear();
    make_old(dir.root() / "ini/once.ini");
    for (const char* file : {files::kProvinces, files::kProvinces, "ini/once.ini", "ini/once.ini", "ini/absent.ini"})
        folder.read_text_if_present(file);
    EXPECT_EQ(kinds(steps), (std::vector{FileStep::Kind::Check, FileStep::Kind::Check, FileStep::Kind::Read, FileStep::Kind::Read,
                                         FileStep::Kind::Check}));
    EXPECT_EQ(steps.back().path, "ini/absent.ini");
}

TEST(FileVersions, TheFoldersOwnRewriteIsKnownAsWritten) {
    TempGameFolder dir;
    dir.write("ini/Kunisv.ini", province_file(20));
    const GameFolder folder = dir.folder();
    SharedValues shared;
    shared.kuni_count = 2;
    WorkingSet set;
    ld_Kuni(folder, shared, set);
    set.kuni[1].army = 7;
    std::vector<FileStep> steps;  // what the file-work benchmark replays
    folder.keep_file_work(&steps);
    sv_Kuni(folder, shared, set);
    ASSERT_EQ(kinds(steps), (std::vector{FileStep::Kind::Read, FileStep::Kind::Replace}));
    EXPECT_EQ(std::tie(steps[1].path, steps[1].other, steps[1].bytes),
              std::make_tuple(fs::path("ini/Kunisv.ini"), fs::path("ini/Kuniimg.ini"), province_file(7).size()));
    const auto text = folder.read_shared(files::kProvinces);
    EXPECT_EQ(text->bytes(), dir.read("ini/Kunisv.ini"));
    EXPECT_EQ(text->bytes(), province_file(7));
    EXPECT_EQ(dir.read("ini/Kuniimg.ini"), province_file(20));  // the old bytes stay as the scratch copy
    // Just written, its time cannot vouch for it: a change made at once, within the same time
    // stamp, is still seen.
    const auto stamp = fs::last_write_time(dir.root() / "ini/Kunisv.ini");
    dir.write("ini/Kunisv.ini", province_file(9));
    fs::last_write_time(dir.root() / "ini/Kunisv.ini", stamp);
    EXPECT_EQ(first_army(folder), 9);
}

// A rewrite hands the new version the records it made, most of them kept from the old version:
// they must be exactly what reading the written file gives.
TEST(FileVersions, ARewritesRecordsAreThoseAFreshReadGives) {
    auto sjis = [](const std::string& utf8) { return *from_utf8(utf8, Encoding::ShiftJis); };
    const std::string generals = crlf_lines({".1", "\"曹操\"", "9,8,7,6", "5,4", "1,5", "\"sousou1\"", "; a note", ".2",
                                             "\"劉備\"", " 1, 2,3,4", "5,x", "2,5", "\"ryubi1\"", ".3", "\"孫堅\"", "3,3,3,3",
                                             "3,3", "3,5", "\"sonken1\""});
    std::string lf_only = generals;
    std::erase(lf_only, '\r');
    struct Case {
        const char* what;
        std::string file;
        bool shift_jis;
        std::function<void(WorkingSet&)> change;
        int count;
    };
    const std::vector<Case> cases = {
        {"one general changed, one record left as read with a field that is no number", generals, false,
         [](WorkingSet& s) { s.chr[3].charm = 12; }, 3},
        {"nothing changed, but the old file's lines end in LF alone", lf_only, false, [](WorkingSet&) {}, 3},
        {"the rewrite stops before the last record", generals, false, [](WorkingSet&) {}, 2},
        {"Shift-JIS, a name changed to one the code page lacks", sjis(generals), true,
         [](WorkingSet& s) { s.chr[1].name = "曹😀"; }, 3},
        {"a name whose line breaks make a marker of its last line", generals, false,
         [](WorkingSet& s) { s.chr[1].name = "曹\r\n\r\n\r\n\r\n\r\n.9"; }, 3},
    };
    for (const Case& c : cases) {
        TempGameFolder dir;
        if (c.shift_jis) dir.write("ini/Text.ini", sjis(".1\r\n鼎陣記\r\n"));
        dir.write("ini/busv.ini", c.file);
        const GameFolder folder = dir.folder();
        SharedValues shared;
        shared.bushou_count = c.count;
        WorkingSet set;
        // Record 2 holds a letter where a number belongs: it is written back as read.
        current_records(folder, files::kGenerals, RecordKind::General)->visit([&](const RecordItems& r) {
            if (r.bad_number == 0 && r.id <= c.count) parse_general(r, "busv", set.chr[r.id]);
            return true;
        });
        c.change(set);
        rewrite_records(folder, files::kGenerals, files::kGeneralsScratch, RecordKind::General,
                        [&](int id) { return id >= c.count; },
                        [&](const RecordItems& r, std::string& out) {
                            if (r.bad_number != 0) return 0;
                            append_general_lines(out, set.chr[r.id], false);
                            return 4;
                        });
        const auto version = folder.read_shared(files::kGenerals);
        const auto known = current_records(folder, files::kGenerals, RecordKind::General);
        const std::string fresh_text = GameFolder(dir.root()).read_text(files::kGenerals);
        ASSERT_EQ(version->text(), fresh_text) << c.what;
        const RecordSet fresh(fresh_text, RecordKind::General, "ini/busv.ini");
        auto records = [](const RecordSet& set, std::vector<RecordItems>& out) {
            return testing::message_of([&] { set.visit([&](const RecordItems& r) { return out.push_back(r), true; }); });
        };
        std::vector<RecordItems> got, want;
        EXPECT_EQ(records(*known, got), records(fresh, want)) << c.what;
        ASSERT_EQ(got.size(), want.size()) << c.what;
        const std::string_view text = version->text();
        auto inside = [&](std::string_view v) {
            return !v.data() || (v.data() >= text.data() && v.data() + v.size() <= text.data() + text.size());
        };
        for (std::size_t k = 0; k < got.size(); ++k) {
            const RecordItems& g = got[k];
            const RecordItems& w = want[k];
            EXPECT_EQ(std::vector<std::string_view>(g.fields.begin(), g.fields.end()),
                      std::vector<std::string_view>(w.fields.begin(), w.fields.end())) << c.what;
            EXPECT_EQ(std::tie(g.id, g.marker, g.name, g.numbers, g.bad_number, g.bad_text, g.last),
                      std::tie(w.id, w.marker, w.name, w.numbers, w.bad_number, w.bad_text, w.last)) << c.what;
            for (std::string_view v : {g.marker, g.name, g.last, g.bad_text, g.fields.front(), g.fields.back()})
                EXPECT_TRUE(inside(v)) << c.what << ": a view of record " << g.id << " points outside the text";
        }
    }
}

TEST(FileVersions, RememberedPathsFollowFilesThatAppearAndGo) {
    TempGameFolder dir;
    const GameFolder folder = dir.folder();
    // Missing: the spelling given; then a file in another letter case appears and is used.
    EXPECT_EQ(folder.resolve("\\ini\\new.ini"), dir.root() / "ini/new.ini");
    EXPECT_FALSE(folder.read_shared_if_present("\\ini\\new.ini"));
    dir.write("ini/NEW.INI", "x");
    EXPECT_EQ(folder.resolve("\\ini\\new.ini"), dir.root() / "ini/NEW.INI");
    EXPECT_EQ(folder.read_text("\\ini\\new.ini"), "x");
    // Found in another case; the spelling given appears beside it and wins, as a lookup would.
    dir.write("ini/new.ini", "y");
    EXPECT_EQ(folder.read_text("\\ini\\new.ini"), "y");
    // Gone again: back to the other one; and with neither, no file.
    fs::remove(dir.root() / "ini/new.ini");
    EXPECT_EQ(folder.read_text("\\ini\\new.ini"), "x");
    fs::remove(dir.root() / "ini/NEW.INI");
    EXPECT_FALSE(folder.read_shared_if_present("\\ini\\new.ini"));
    EXPECT_THROW(folder.read_text("\\ini\\new.ini"), DataError);
}

TEST(FileVersions, AShiftJisRewriteKeepsUntouchedLinesAndKnowsItsText) {
    TempGameFolder dir;
    auto sjis = [](const std::string& utf8) { return *from_utf8(utf8, Encoding::ShiftJis); };
    dir.write("ini/Text.ini", sjis(".1\r\n鼎陣記\r\n"));
    // 0x87 0x9A is the second code of "∵": it reads as the first, 0x81 0xE6, would write.
    const std::string kept_line = "\x87\x9A" + sjis("の年\r\n");
    dir.write("ini/kodarn.log", sjis("鼎陣記の記録\r\n") + kept_line + sjis("EOT=======\r\n"));
    const GameFolder folder = dir.folder();
    ASSERT_EQ(folder.encoding(), Encoding::ShiftJis);
    const std::string old_text = folder.read_shared(files::kLog)->text();
    // Lines kept, one changed, one added with a character the code page lacks.
    std::string text = old_text;
    text.replace(text.find("EOT"), std::string::npos, "曹操😀\r\nEOT=======\r\n");
    folder.replace_keeping_old(files::kLog, files::kLogScratch, text);

    const std::string bytes = dir.read("ini/kodarn.log");
    EXPECT_EQ(bytes, sjis("鼎陣記の記録\r\n") + kept_line + sjis("曹操?\r\nEOT=======\r\n"));
    // What the folder remembers is exactly what reading the file afresh gives.
    EXPECT_EQ(folder.read_shared(files::kLog)->text(), dir.folder().read_text(files::kLog));
    EXPECT_EQ(folder.read_shared(files::kLog)->bytes(), bytes);

    // Further rewrites, each from the version the one before made (its line starts known from
    // the rewrite, not worked out afresh): they must be the ones a fresh read works out.
    for (const std::string next : {"鼎陣記の記録\r\n曹操\r\n劉備\r\nEOT=======\r\n",
                                   "鼎陣記の記録\r\n曹操\r\n劉備\r\n孫権",
                                   "鼎陣記の記録\r\n袁紹\r\n劉備\r\n孫権\r\n\r\n",
                                   "鼎陣記の記録\r\n袁紹\r\n劉備\r\n孫権\r\n\r\n董卓\r\n", "\r\n", ""}) {
        folder.replace_keeping_old(files::kLog, files::kLogScratch, next);
        const auto known = folder.read_shared(files::kLog);
        const auto fresh = dir.folder().read_shared(files::kLog);
        EXPECT_EQ(known->text(), fresh->text()) << next;
        EXPECT_EQ(known->line_starts().text, fresh->line_starts().text) << next;
        EXPECT_EQ(known->line_starts().bytes, fresh->line_starts().bytes) << next;
    }

    // A last line without its line end is kept byte for byte too.
    const std::string last_line = "\x87\x9A" + sjis("の年");
    dir.write("ini/kodarn.log", sjis("鼎陣記の記録\r\n") + last_line);
    const GameFolder again = dir.folder();
    std::string unended = again.read_shared(files::kLog)->text();
    unended.replace(0, unended.find('\r'), "記録");
    again.replace_keeping_old(files::kLog, files::kLogScratch, unended);
    EXPECT_EQ(dir.read("ini/kodarn.log"), sjis("記録\r\n") + last_line);
}

// The log grows by its end only: its old bytes are kept as they are (a character read one way
// and written another included), the new lines follow in the folder's encoding, and what the
// folder then knows of the file is what a fresh read gives.
TEST(FileVersions, AGrowingLogKeepsItsBytesAndIsKnownAsAFreshReadGivesIt) {
    auto sjis = [](const std::string& utf8) { return *from_utf8(utf8, Encoding::ShiftJis); };
    const std::string two_way = "\x87\x9A";  // "∵", which a write would make 0x81 0xE6
    const std::string tail = "曹操〜😀\r\nEOT=======\r\n";
    struct Case {
        const char* what;
        bool shift_jis_folder;
        std::string old_log, expected;
    };
    const std::vector<Case> cases = {
        {"Shift-JIS", true, sjis("記録\r\n") + two_way + "\r\nEOT=======\r\n",
         sjis("記録\r\n") + two_way + "\r\n" + sjis("曹操～?\r\nEOT=======\r\n")},
        {"UTF-8", false, "記録\r\nEOT=======\r\n", "記録\r\n" + tail},
        {"a UTF-8 log in a Shift-JIS folder", true, "記録\r\nEOT=======\r\n", sjis("記録\r\n曹操～?\r\nEOT=======\r\n")},
    };
    for (const Case& c : cases) {
        TempGameFolder dir;
        dir.write("ini/Text.ini", c.shift_jis_folder ? sjis(".1\r\n鼎陣記\r\n") : ".1\r\n鼎陣記\r\n");
        dir.write("ini/kodarn.log", c.old_log);
        const GameFolder folder = dir.folder();
        auto old = folder.read_shared(files::kLog);
        const std::size_t keep = old->bytes().find("EOT");
        folder.extend_keeping_old(files::kLog, files::kLogScratch, std::move(old), keep, tail);
        EXPECT_EQ(dir.read("ini/kodarn.log"), c.expected) << c.what;
        EXPECT_EQ(dir.read("ini/kodarn.img"), c.old_log) << c.what;
        const auto known = folder.read_shared(files::kLog);
        const auto fresh = dir.folder().read_shared(files::kLog);
        EXPECT_EQ(known->text(), fresh->text()) << c.what;
        EXPECT_EQ(known->is_utf8(), fresh->is_utf8()) << c.what;
        EXPECT_EQ(known->line_starts().bytes, fresh->line_starts().bytes) << c.what;
    }
}

TEST(FileVersions, AUtf8RewriteKnowsWhatAReadGives) {
    // Only the bytes between what the versions share at both ends are checked: each case puts
    // the change against a character cut in two by such an end.
    struct Case {
        const char* what;
        std::string old_text, new_text;
    };
    const std::vector<Case> cases = {
        {"grown at the end", "あい\r\n", "あい\r\nう\r\n"},
        {"the last byte of a character changed", "あい\r\n", "あう\r\n"},
        {"the first byte of a character changed", "xあ\r\n", "yあ\r\n"},
        {"a character inserted between two", "あい\r\n", "あえい\r\n"},
        {"cut short", "あいう\r\n", "あ\r\n"},
        {"emptied", "あい\r\n", ""},
        {"a character cut in two", "あい\r\n", "あ\xE3\x81\r\n"},
        {"a stray continuation byte before a kept character", "かい\r\n", "か\x81い\r\n"},
        {"a lead byte before a kept character", "い\r\n", "\xE3い\r\n"},
        {"bytes neither UTF-8 nor Shift-JIS", "あ\r\n", "\x80\x80\r\n"},
        {"a broken last byte", "あ\r\n", "あ\r\xE3"},
        {"a stray continuation byte (a half-width kana in Shift-JIS) at the end", "éx", "qx\xA9"},
    };
    for (const Case& c : cases) {
        TempGameFolder dir;
        dir.write("ini/Text.ini", ".1\r\n鼎陣記\r\n");
        dir.write("ini/kodarn.log", c.old_text);
        const GameFolder folder = dir.folder();
        ASSERT_EQ(folder.encoding(), Encoding::Utf8);
        ASSERT_TRUE(folder.read_shared(files::kLog));
        const auto now = folder.replace_keeping_old(files::kLog, files::kLogScratch, c.new_text);
        EXPECT_EQ(dir.read("ini/kodarn.log"), c.new_text) << c.what;
        std::shared_ptr<const FileText> fresh;
        try {
            fresh = dir.folder().read_shared(files::kLog);
        } catch (const DataError&) {
            // A read refuses the bytes: the folder must not claim to know them.
        }
        ASSERT_EQ(now != nullptr, fresh != nullptr) << c.what;
        if (now) {
            EXPECT_EQ(now->text(), fresh->text()) << c.what;
            EXPECT_EQ(now->is_utf8(), fresh->is_utf8()) << c.what;
        }
    }
}

}  // namespace
}  // namespace teijinki
