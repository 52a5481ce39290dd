// Save slots: the slot file's layout, the slot names, the preview, a save and a load that restore
// the game exactly, and the ways a slot or a load can go wrong without costing the player a game.

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <utility>

#include "slot_fixture.h"
#include "world/encoding.h"
#include "world/error.h"

namespace teijinki {
namespace {

using testing::crlf_lines;
using testing::SlotWorld;
namespace fs = std::filesystem;

TEST(SlotFile, IsTheHeadingSixValuesAndThreeLinesForEachOfSixteenPlayers) {
    SlotWorld w;
    w.set_players("曹操", 190, 1);
    ASSERT_TRUE(w.save("4"));
    const std::string text = w.dir.read("save/save4.ini");
    std::string expected = crlf_lines({"同盟結束力", "190,40,55,100,1,1", "曹操", "1", "1,0", "", "0", "0,0", "劉備", "7", "3,2"});
    for (int k = 3; k < 16; ++k) expected += crlf_lines({"", "0", "0,0"});
    EXPECT_EQ(text, expected);

    SlotFile back = parse_slot_file(text, "save4.ini");
    EXPECT_EQ(format_slot_file(back), text);

    // Loaded, the counts follow the slot's scenario at once; a scenario not known leaves them.
    SharedValues shared;
    shared.gun_count = shared.bushou_count = 5;
    slot_to_shared(back, shared);
    EXPECT_EQ(std::make_tuple(int(shared.scenario_no), int(shared.gun_count), int(shared.bushou_count), shared.player_name[2],
                              int(shared.player_lord[2]), int(shared.player_gun[2]), int(shared.player_mei[2])),
              std::make_tuple(1, 13, 170, std::string("劉備"), 7, 3, 2));
    back.save_info[4] = 9;
    shared.scenario_no = shared.gun_count = 5;
    slot_to_shared(back, shared);
    EXPECT_EQ(std::make_tuple(int(shared.scenario_no), int(shared.gun_count), int(shared.save_info[4])), std::make_tuple(5, 5, 9));
}

TEST(SlotFile, AnIncompleteOrForeignFileIsRefusedNamingIt) {
    SlotWorld w;
    w.set_players("曹操", 190, 1);
    const std::string good = format_slot_file(slot_from_shared(w.shared));
    const auto fails = [](const std::string& text) {
        try {
            parse_slot_file(text, "save/save9.ini");
        } catch (const DataError& e) {
            EXPECT_EQ(e.file(), "save/save9.ini");
            return true;
        }
        return false;
    };
    EXPECT_FALSE(fails(good));
    EXPECT_TRUE(fails(good.substr(0, good.size() - 6))) << "last player's line cut";
    EXPECT_TRUE(fails("同盟\r\n" + good.substr(good.find('\n') + 1))) << "wrong heading";
    std::string five = good;
    five.replace(five.find("190,40,55,100,1,1"), 17, "190,40,55,100,1");
    EXPECT_TRUE(fails(five)) << "five header values";
    std::string word = good;
    word.replace(word.find("\r\n7\r\n"), 5, "\r\nx\r\n");
    EXPECT_TRUE(fails(word)) << "a lord that is not a number";
}

TEST(SlotNames, TheEmptyNumberAndNumbersWithLeadingZerosAreSlotsOfTheirOwn) {
    SlotWorld w;
    w.set_players("曹操", 190, 1);
    ASSERT_TRUE(w.save(""));
    for (const char* f : {"save/busv.ini", "save/gunsv.ini", "save/Cmtsv.ini", "save/Kunisv.ini", "save/kdnlog.log",
                          "save/save.ini"})
        EXPECT_TRUE(w.exists(f)) << f;
    EXPECT_EQ(w.dir.read("save/busv.ini"), w.dir.read("ini/busv.ini"));

    ASSERT_TRUE(w.save("7"));
    w.write_game("袁紹", 9);
    w.set_players("袁紹", 200, 3);
    ASSERT_TRUE(w.save("07"));
    EXPECT_NE(w.dir.read("save/gunsv7.ini"), w.dir.read("save/gunsv07.ini"));

    ASSERT_TRUE(w.load("7"));
    EXPECT_EQ(w.shared.player_name[0], "曹操");
    EXPECT_EQ(w.shared.save_info[0], 190);
    EXPECT_NE(w.dir.read("ini/busv.ini").find("曹操"), std::string::npos);
    ASSERT_TRUE(w.load("07"));
    EXPECT_EQ(w.shared.player_name[0], "袁紹");
    EXPECT_EQ(w.shared.save_info[4], 3);
}

TEST(SlotNames, ANumberWithOtherCharactersOrTooManyDigitsIsRefusedBeforeAnythingIsWritten) {
    SlotWorld w;
    w.set_players("曹操", 190, 1);
    EXPECT_FALSE(w.save("12a"));
    EXPECT_NE(w.problem.find("数字"), std::string::npos);
    std::string too_long;
    for (std::size_t i = 0; i <= kMaxSlotDigits; ++i) too_long += static_cast<char>('0' + i % 10);
    EXPECT_FALSE(w.save(too_long));
    EXPECT_NE(w.problem.find("長すぎ"), std::string::npos);
    // Below the screen the slot files refuse it too, named by the number's first 20 digits.
    const auto refused_file = [](auto f) { try { f(); } catch (const DataError& e) { return e.file(); } return std::string(); };
    const std::string cut_name = "save/save01234567890123456789.ini";
    EXPECT_EQ(refused_file([&] { read_slot(w.folder, too_long); }), cut_name);
    EXPECT_EQ(refused_file([&] { write_slot(w.folder, too_long, slot_from_shared(w.shared)); }), cut_name);
    EXPECT_FALSE(w.load("../x"));
    EXPECT_TRUE(fs::is_empty(w.dir.root() / "save"));
    w.dir.write("save/savea.ini.new", "x");  // no slot's file: a bad number finishes no save
    finish_interrupted_save(w.folder, "a");
    EXPECT_TRUE(w.exists("save/savea.ini.new"));
    for (const auto& box : w.host.boxes) EXPECT_EQ(box.text.find("でセーブしますか"), std::string::npos) << "no question first";

    ASSERT_TRUE(w.save(std::string(kMaxSlotDigits, '3'))) << w.problem;
    ASSERT_TRUE(w.load(std::string(kMaxSlotDigits, '3'))) << w.problem;

    // A file where the save folder should be is named, not the first file that cannot go in it.
    fs::remove_all(w.dir.root() / "save");
    w.dir.write("save", "x");
    EXPECT_EQ(refused_file([&] { write_slot(w.folder, "1", slot_from_shared(w.shared)); }), "save");
}

TEST(Preview, NamesScenarioFirstPlayerAmongSlotsZeroToFourteenAndYear) {
    SlotWorld w;
    w.set_players("", 190, 1);  // slot 0 empty: slot 2's 劉備 is the first name
    ASSERT_TRUE(w.save("1"));
    SvldRules screen(w.folder, w.shared, w.host);
    w.shared.start_mode = 2;
    screen.init_rtn();
    EXPECT_EQ(screen.caption + screen.Hlp, "ロード画面セーブ番号を打ち込んでください");
    screen.Command1_Click(1);
    EXPECT_EQ(screen.Lab_num, "save1");
    ASSERT_TRUE(screen.Rinload_rtn());
    EXPECT_EQ(screen.slot_info, "シナリオ 1劉備 190年");

    // A name only in slot 15 is not looked at.
    SlotFile only_last = slot_from_shared(SharedValues{});
    only_last.save_info[0] = 200;
    only_last.save_info[4] = 3;
    only_last.players[15].name = "孫権";
    EXPECT_EQ(slot_preview(only_last), "シナリオ 3 200年");

    // The load question carries the preview.
    w.host.answer(Answer::Cancel);
    screen.Command2_Click(1);
    EXPECT_EQ(w.host.boxes.back().text, "save1シナリオ 1劉備 190年\r\nこれをロードしますか？");
    EXPECT_FALSE(screen.closed);
    screen.Command2_Click(0);  // the number cleared, then 戻る
    screen.Command3_Click();
    EXPECT_EQ(std::make_tuple(screen.Lab_num, screen.typed_no, screen.closed), std::make_tuple(std::string("save"), std::string(), true));
}

TEST(SaveAndLoad, RestoreTheWorkingFilesByteForByteAndEverySharedValueOfTheSlot) {
    SlotWorld w;
    w.set_players("曹操", 195, 2);
    const std::string saved_files = w.working_bytes();
    const SharedValues saved = w.shared;
    ASSERT_TRUE(w.save("12"));
    EXPECT_EQ(w.dir.read("save/kdnlog12.log"), w.dir.read("ini/kodarn.log"));

    // The game goes on and changes everything.
    w.write_game("呂布", 30);
    w.set_players("呂布", 201, 5);
    w.shared.save_info[5] = 0;
    w.shared.player_lord[2] = 0;
    w.shared.player_name[2] = "";
    ASSERT_NE(w.working_bytes(), saved_files);

    ASSERT_TRUE(w.load("12"));
    EXPECT_EQ(w.working_bytes(), saved_files);
    EXPECT_EQ(std::tie(w.shared.save_info, w.shared.player_name, w.shared.player_lord, w.shared.player_gun, w.shared.player_mei),
              std::tie(saved.save_info, saved.player_name, saved.player_lord, saved.player_gun, saved.player_mei));
}

TEST(SaveAndLoad, ShiftJisFoldersKeepTheirEncodingInTheSlotFile) {
    SlotWorld w;
    // A Shift-JIS working file makes the folder a Shift-JIS one.
    const auto sjis = from_utf8(w.dir.read("ini/busv.ini"), Encoding::ShiftJis);
    ASSERT_TRUE(sjis);
    w.dir.write("ini/busv.ini", *sjis);
    const GameFolder folder = w.dir.folder();
    SharedValues shared;
    shared.save_info[4] = 1;
    shared.player_name[0] = "曹操";
    write_slot(folder, "3", slot_from_shared(shared));
    const std::string bytes = w.dir.read("save/save3.ini");
    EXPECT_FALSE(is_valid_utf8(bytes));
    EXPECT_EQ(read_slot(folder, "3").slot.players[0].name, "曹操");
}

TEST(Save, AMissingWorkingFileIsReportedAndTheEarlierSaveOfTheSlotStaysWhole) {
    SlotWorld w;
    w.set_players("曹操", 190, 1);
    ASSERT_TRUE(w.save("3"));
    const std::string slot_before = w.dir.read("save/save3.ini") + w.dir.read("save/busv3.ini");

    w.set_players("曹操", 205, 1);
    fs::remove(w.dir.root() / "ini/Kunisv.ini");
    EXPECT_FALSE(w.save("3"));
    EXPECT_EQ(w.shared.form_result, 0) << "a failed save is not reported as done";
    EXPECT_EQ(w.host.boxes.back().text.rfind("セーブできませんでした。\r\n", 0), 0u);
    EXPECT_NE(w.host.boxes.back().text.find("ini/Kunisv.ini"), std::string::npos);
    EXPECT_EQ(w.dir.read("save/save3.ini") + w.dir.read("save/busv3.ini"), slot_before);
    for (const auto& e : fs::directory_iterator(w.dir.root() / "save"))
        EXPECT_EQ(e.path().extension() == ".new", false) << "no leftovers: " << e.path();
}

TEST(Save, AGameWhoseLogOrSaveFolderWentMissingIsStillSaved) {
    SlotWorld w;
    w.set_players("曹操", 190, 1);
    fs::remove_all(w.dir.root() / "save");
    fs::remove(w.dir.root() / "ini/kodarn.log");
    ASSERT_TRUE(w.save("1")) << w.problem;
    EXPECT_EQ(w.dir.read("save/kdnlog1.log"), "");
    ASSERT_TRUE(w.load("1")) << w.problem;
}

// A crash in the middle of a save, rebuilt from the files a save leaves at each step.
TEST(Save, ACrashBeforeTheOldSlotFileWentLeavesTheOldSlotAndACrashAfterItTheNewOne) {
    SlotWorld w;
    w.set_players("曹操", 190, 1);
    ASSERT_TRUE(w.save("1"));
    const std::string old_slot = w.dir.read("save/save1.ini");
    w.write_game("袁術", 8);
    w.set_players("袁術", 199, 2);
    ASSERT_TRUE(w.save("2"));  // the files a save of slot 1 would have written under temporary names
    const auto stage_new_files = [&] {
        for (const char* name : {"busv", "gunsv", "Cmtsv", "Kunisv"})
            w.dir.write(std::string("save/") + name + "1.ini.new", w.dir.read(std::string("save/") + name + "2.ini"));
        w.dir.write("save/kdnlog1.log.new", w.dir.read("save/kdnlog2.log"));
        w.dir.write("save/save1.ini.new", w.dir.read("save/save2.ini"));
    };

    // All six temporary files written, the old slot file still there: the old slot counts.
    stage_new_files();
    LoadedSlot loaded = read_slot(w.folder, "1");
    EXPECT_EQ(loaded.slot.save_info[0], 190);
    EXPECT_FALSE(w.exists("save/save1.ini.new"));
    EXPECT_FALSE(w.exists("save/busv1.ini.new"));
    EXPECT_EQ(w.dir.read("save/save1.ini"), old_slot);

    // Old slot file gone and two copies renamed: the save is finished when the slot is looked at.
    stage_new_files();
    fs::remove(w.dir.root() / "save/save1.ini");
    fs::rename(w.dir.root() / "save/busv1.ini.new", w.dir.root() / "save/busv1.ini");
    fs::rename(w.dir.root() / "save/gunsv1.ini.new", w.dir.root() / "save/gunsv1.ini");
    loaded = read_slot(w.folder, "1");
    EXPECT_EQ(loaded.slot.save_info[0], 199);
    for (const char* name : {"busv", "gunsv", "Cmtsv", "Kunisv", "save"})
        EXPECT_EQ(w.dir.read(std::string("save/") + name + "1.ini"), w.dir.read(std::string("save/") + name + "2.ini"))
            << name;
    EXPECT_EQ(w.dir.read("save/kdnlog1.log"), w.dir.read("save/kdnlog2.log"));

    // A save refused for a missing working file still finishes the one it found cut off.
    stage_new_files();
    fs::remove(w.dir.root() / "save/save1.ini");
    fs::remove(w.dir.root() / "ini/Kunisv.ini");
    EXPECT_FALSE(w.save("1"));
    EXPECT_EQ(w.exists("save/save1.ini") ? w.dir.read("save/save1.ini") : "", w.dir.read("save/save2.ini"));
}

TEST(Load, ADamagedSlotLeavesTheWorkingFilesAndTheGameUntouched) {
    SlotWorld w;
    w.set_players("曹操", 190, 1);
    ASSERT_TRUE(w.save("6"));
    w.write_game("董卓", 40);
    w.set_players("董卓", 210, 1);
    const std::string game = w.working_bytes();
    const std::string slot_file = w.dir.read("save/save6.ini");
    const std::string generals = w.dir.read("save/busv6.ini");

    const auto try_damaged = [&](const std::string& what) -> std::string {
        SCOPED_TRACE(what);
        w.host.boxes.clear();
        EXPECT_FALSE(w.load("6"));
        EXPECT_EQ(w.working_bytes(), game);
        EXPECT_EQ(w.shared.save_info[0], 210);
        EXPECT_EQ(w.shared.player_name[0], "董卓");
        EXPECT_EQ(w.shared.form_result, 0);
        if (w.host.boxes.size() != 1) {
            ADD_FAILURE() << "told once, and no load question after a failed preview";
            return {};
        }
        EXPECT_EQ(w.host.boxes.back().text.rfind("ファイルが見つかりません\r\n", 0), 0u);
        return w.host.boxes.back().text;
    };
    fs::remove(w.dir.root() / "save/save6.ini");
    EXPECT_NE(try_damaged("slot file missing").find("save/save6.ini"), std::string::npos);
    w.dir.write("save/save6.ini", slot_file.substr(0, slot_file.size() / 2));
    EXPECT_NE(try_damaged("slot file cut in half").find("save/save6.ini"), std::string::npos);
    w.dir.write("save/save6.ini", slot_file);

    std::string bad_scenario = slot_file;
    bad_scenario.replace(bad_scenario.find("190,40,55,100,1,1"), 17, "190,40,55,100,9,1");
    w.dir.write("save/save6.ini", bad_scenario);
    EXPECT_NE(try_damaged("scenario 9").find("scenario 9"), std::string::npos);
    w.dir.write("save/save6.ini", slot_file);

    w.dir.write("save/busv6.ini", generals.substr(0, generals.size() - 20));
    EXPECT_NE(try_damaged("generals cut short").find("save/busv6.ini"), std::string::npos);
    w.dir.write("save/busv6.ini", generals);

    // Cut at a record boundary, every record left is whole: the counts give it away.
    for (const auto& [file, marker] : {std::pair<std::string, std::string>{"save/busv6.ini", ".101"},
                                       {"save/gunsv6.ini", ".13"},
                                       {"save/Kunisv6.ini", ".48"}}) {
        const std::string whole = w.dir.read(file);
        w.dir.write(file, whole.substr(0, whole.find("\r\n" + marker + "\r\n") + 2));
        EXPECT_NE(try_damaged(file + " cut before " + marker).find(file), std::string::npos);
        w.dir.write(file, whole);
    }

    fs::remove(w.dir.root() / "save/Kunisv6.ini");
    EXPECT_NE(try_damaged("provinces missing").find("save/Kunisv6.ini"), std::string::npos);
}

TEST(Load, AWriteThatFailsOnTheThirdFileRollsBackTheTwoBeforeAndTellsThePlayer) {
    SlotWorld w;
    w.set_players("曹操", 190, 1);
    ASSERT_TRUE(w.save("8"));
    w.write_game("馬騰", 17);
    w.set_players("馬騰", 215, 6);
    const std::string game = w.working_bytes();

    int writes = 0;
    const FileWriter fail_third = [&](const fs::path& target, std::string_view bytes, const std::string& label) {
        const bool fails = ++writes == 3;  // cut short: half the bytes in place
        write_file_replacing(target, fails ? bytes.substr(0, bytes.size() / 2) : bytes, label);
        if (fails) throw DataError(label, "cannot be written: No space left on device");
    };
    EXPECT_FALSE(w.load("8", fail_third));
    EXPECT_EQ(writes, 6) << "three load writes, then the three files touched put back through the same writer";
    EXPECT_EQ(w.working_bytes(), game) << "the two files already copied are put back";
    EXPECT_EQ(w.shared.form_result, 0);
    EXPECT_EQ(w.shared.save_info[0], 215) << "the shared values are not taken from a failed load";
    EXPECT_EQ(w.shared.player_name[0], "馬騰");
    EXPECT_EQ(w.host.boxes.back().text, "ロードできませんでした。\r\nini/Cmtsv.ini: cannot be written: No space left on device; "
                                        "the game files were put back as they were");  // the file named once

    // A working file that did not exist before the failed load does not exist after it.
    fs::remove(w.dir.root() / "ini/busv.ini");
    writes = 0;
    EXPECT_FALSE(w.load("8", fail_third));
    EXPECT_FALSE(w.exists("ini/busv.ini"));

    // Any exception from a write counts, not only the file layer's own.
    const FileWriter throws_other = [](const fs::path&, std::string_view, const std::string&) {
        throw std::runtime_error("device gone");
    };
    w.write_game("馬騰", 17);
    EXPECT_FALSE(w.load("8", throws_other));
    EXPECT_EQ(w.working_bytes(), game);

    // A full disk: from the third write on every write fails, the put-backs too. The message
    // names the two files that really hold the slot's bytes, not the one whose write failed.
    const std::string comments = w.dir.read("ini/Cmtsv.ini");
    writes = 0;
    const FileWriter disk_full = [&](const fs::path& target, std::string_view bytes, const std::string& label) {
        if (++writes >= 3) throw DataError(label, "cannot be written: No space left on device");
        write_file_replacing(target, bytes, label);
    };
    EXPECT_FALSE(w.load("8", disk_full));
    EXPECT_EQ(writes, 5) << "three load writes and two put-backs";
    const std::string full = w.host.boxes.back().text;
    EXPECT_TRUE(full.ends_with("ini/Cmtsv.ini: cannot be written: No space left on device; "
                               "these game files could not be put back: ini/busv.ini, ini/gunsv.ini"))
        << full;
    EXPECT_EQ(w.dir.read("ini/Cmtsv.ini"), comments);
    EXPECT_EQ(w.dir.read("ini/busv.ini"), w.dir.read("save/busv8.ini"));
}

TEST(Load, ASlotWithoutStandingsOrWithDamagedOnesLoadsTheGameAndStartsTheStandingsAgain) {
    SlotWorld w;
    w.set_players("曹操", 190, 1);
    ASSERT_TRUE(w.save("4"));
    const std::string generals = w.dir.read("ini/busv.ini");
    const auto load_over_another_game = [&] {
        w.write_game("董卓", 40);
        w.host.boxes.clear();
        EXPECT_TRUE(w.load("4")) << w.problem;
        EXPECT_EQ(w.dir.read("ini/busv.ini"), generals);
        EXPECT_EQ(w.dir.read("ini/standings.csv"), "") << "the other game's standings are gone";
        return w.host.boxes.empty() ? std::string() : w.host.boxes.back().text;
    };

    // A slot from before the standings were kept: the question is the usual one.
    fs::remove(w.dir.root() / "save/standings4.csv");
    EXPECT_EQ(load_over_another_game(), "save4シナリオ 1曹操 190年\r\nこれをロードしますか？");

    // Damaged ones are named in the question, and the game loads all the same.
    w.dir.write("save/standings4.csv", "年,軍閥\r\n190,1\r\n");
    const std::string told = load_over_another_game();
    EXPECT_EQ(told.rfind(std::string("save4シナリオ 1曹操 190年\r\n") + kStandingsNotLoaded, 0), 0u) << told;
    EXPECT_NE(told.find("save/standings4.csv"), std::string::npos);
    EXPECT_TRUE(told.ends_with("これをロードしますか？"));

    // One screen asked about that slot, then about the slot made whole: the notice went with it.
    SvldRules screen(w.folder, w.shared, w.host);
    w.shared.start_mode = 2;
    screen.init_rtn();
    screen.type_text("4");
    ASSERT_TRUE(screen.Rinload_rtn());
    EXPECT_NE(screen.standings_notice, "");
    fs::remove(w.dir.root() / "save/standings4.csv");
    ASSERT_TRUE(screen.Rinload_rtn());
    EXPECT_EQ(screen.standings_notice, "");
    // The slot went while the question was open: the load is refused and the player told why.
    fs::remove(w.dir.root() / "save/save4.ini");
    EXPECT_FALSE(screen.load_rtn());
    EXPECT_EQ(w.host.boxes.back().text.rfind(std::string(kFileNotFound) + "\r\n", 0), 0u) << w.host.boxes.back().text;
}

TEST(SlotList, ListsEverySlotNewestFirstWithItsPreviewAndTheDamagedOnesAsDamaged) {
    SlotWorld w;
    w.set_players("曹操", 190, 1);
    for (const char* slot : {"", "3", "07", "8", "9"}) ASSERT_TRUE(w.save(slot)) << slot;
    // Slot 3 as the original platform wrote it, in Shift-JIS; 07 and 8 damaged in two ways.
    const auto sjis = from_utf8(w.dir.read("save/save3.ini"), Encoding::ShiftJis);
    ASSERT_TRUE(sjis);
    w.dir.write("save/save3.ini", *sjis);
    w.dir.write("save/save07.ini", "同盟結束力\r\n190,1\r\n");
    fs::remove(w.dir.root() / "save/Kunisv8.ini");
    w.dir.write("save/kdn_end.log", "not a slot");
    w.dir.write("save/saveA.ini", "not a slot either");
    const auto at = fs::file_time_type::clock::now();
    int age = 0;
    for (const char* name : {"save/save07.ini", "save/save3.ini", "save/save9.ini", "save/save.ini", "save/save8.ini"})
        fs::last_write_time(w.dir.root() / name, at - std::chrono::minutes(++age));
    w.dir.write("save/SAVE9.INI", w.dir.read("save/save9.ini"));  // one slot in two letter cases is listed once
    fs::last_write_time(w.dir.root() / "save/SAVE9.INI", fs::last_write_time(w.dir.root() / "save/save9.ini"));

    const auto slots = list_slots(w.folder);
    ASSERT_EQ(slots.size(), 5u);
    const std::vector<std::pair<std::string, bool>> expected = {{"07", true}, {"3", false}, {"9", false}, {"", false}, {"8", true}};
    for (std::size_t i = 0; i < slots.size(); ++i) {
        EXPECT_EQ(slots[i].number, expected[i].first) << i;
        EXPECT_EQ(slots[i].damaged, expected[i].second) << i;
        EXPECT_EQ(slots[i].preview, expected[i].second ? "" : "シナリオ 1曹操 190年") << i;
    }
    EXPECT_NE(slots[0].problem.find("save/save07.ini"), std::string::npos) << slots[0].problem;
    EXPECT_NE(slots[4].problem.find("save/Kunisv8.ini"), std::string::npos) << slots[4].problem;
    EXPECT_EQ(slot_list_row(slots[1]), "save3　シナリオ 1曹操 190年　" + saved_time_text(slots[1].saved_at));
    EXPECT_EQ(slot_list_row(slots[0]).rfind("save07　（壊れています）　", 0), 0u);

    // The screen lists them, and a picked slot's number is the one typed.
    SvldRules screen(w.folder, w.shared, w.host);
    w.shared.start_mode = 2;
    screen.init_rtn();
    ASSERT_EQ(screen.saved_slots.size(), 5u);
    screen.Command1_Click(5);
    screen.Command2_Click(0);  // 取消 clears what was typed
    for (int digit : {0, 9, 10, -1}) screen.Command1_Click(digit);  // a button past either end types nothing
    const std::size_t boxes = w.host.boxes.size();
    screen.Command2_Click(2);  // no such button: nothing is loaded nor asked
    EXPECT_EQ(std::make_tuple(screen.Lab_num, w.host.boxes.size()), std::make_tuple(std::string("save09"), boxes));
    screen.pick_slot(3);
    EXPECT_EQ(screen.Lab_num, "save");
    screen.pick_slot(2);
    EXPECT_EQ(screen.Lab_num, "save9");
    const GameFolder nowhere(w.dir.root() / "nowhere");
    SvldRules none(nowhere, w.shared, w.host);
    none.init_rtn();
    none.pick_slot(0);  // no slots: a click on the list picks nothing
    EXPECT_EQ(none.Lab_num, "save");
}

}  // namespace
}  // namespace teijinki
