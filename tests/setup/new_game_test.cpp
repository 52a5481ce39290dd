// A new game's working set: invented generals, the merge with the master, random allegiance,
// the title screen's choices.

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <map>
#include <tuple>
#include <vector>

#include "setup/new_game.h"
#include "setup/random_generals.h"
#include "setup/scenarios.h"
#include "setup/title_rules.h"
#include "test_support.h"
#include "world/error.h"
#include "world/record_file.h"
#include "world/working_set.h"

namespace teijinki {
namespace {

using testing::TempGameFolder;

class QuietHost : public Host {
public:
    std::vector<std::string> boxes;
    Answer message_box(const std::string& text, Buttons) override {
        boxes.push_back(text);
        return Answer::Ok;
    }
    void show_pages(const PageStore&, int, bool) override {}
    void show_warlord_list() override {}
    void show_map() override {}
    bool play_music(const std::string&) override { return true; }
    void stop_music() override {}
    void end_program() override {}
};

std::string name_list(const std::string& stem, int count) {
    std::string out;
    for (int i = 1; i <= count; ++i) out += "\"" + stem + std::to_string(i) + "\"\r\n";
    return out;
}

// A master whose lords are generals 1 and 2 (warlords 1 and 2); marker ids padded when asked.
std::string general_master(int count, bool padded = false) {
    std::string out;
    for (int id = 1; id <= count; ++id) {
        const int kun = id <= 2 ? id : (id % 3 == 0 ? 0 : 1 + id % 2);
        const int job = id <= 2 ? 5 : 1 + id % 4;
        char marker[16];
        std::snprintf(marker, sizeof marker, padded ? ".%03d" : ".%d", id);
        out += std::string(marker) + "\r\n\"将" + std::to_string(id) + "\"\r\n9,9,9,9\r\n9,9\r\n" + std::to_string(kun) + "," +
               std::to_string(job) + "\r\n\"p" + std::to_string(id) + "\"\r\n";
    }
    return out;
}

std::string warlord_master() {
    return ".1\r\n\"甲軍\"\r\n0,1,10,1,50,50,50,10\r\n\"FALSE\"\r\n.2\r\n\"乙軍\"\r\n0,2,10,1,50,50,50,10\r\n\"FALSE\"\r\n";
}

// A record numbered 0, which the merge skips.
std::string crlf_zero_record() { return ".0\r\n\"零\"\r\n1,1,1,1\r\n1,1\r\n0,1\r\n\"z\"\r\n"; }

class NewGameTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.write("ini/sei.ini", name_list("姓", 170));
        dir.write("ini/mei.ini", name_list("名", 150));
        for (const char* suffix : {"1", "2", ""}) {
            const std::string s = suffix;
            dir.write("ini/Bushou" + s + ".ini", general_master(s == "" ? 165 : 160));
            dir.write("ini/Gunbatu" + s + ".ini", warlord_master());
            // Every map has 48 provinces; a master with fewer is refused before it is copied.
            std::string provinces;
            for (int k = 1; k <= 48; ++k) provinces += "." + std::to_string(k) + "\r\n\"州" + std::to_string(k) + "\"\r\n1,20\r\n";
            dir.write("ini/Kuni" + s + ".ini", provinces);
            dir.write("ini/Comment" + s + ".ini", ".1\r\n\"将1\"\r\ncomment " + s + "\r\n.\r\n");
        }
    }

    std::map<int, Bushou> written() {
        std::map<int, Bushou> out;
        scan_records(dir.folder().read_text("\\ini\\busv.ini"), RecordKind::General, "busv", [&](const RecordLines& r) {
            parse_general(r, "busv", out[r.id]);
            return true;
        });
        return out;
    }

    TempGameFolder dir;
    GameFolder folder = dir.folder();
    SharedValues shared;
    SeededRandom rng{11};
    const std::vector<WarlordEntry> two = {{"甲軍", 1}, {"乙軍", 2}};
};

TEST_F(NewGameTest, InventedGeneralsTakeTheirNamesJobsAndDiceRowsInDrawOrder) {
    testing::TestDice dice;
    for (float r : {0.9999f, 0.9999f, 0.0f, 0.5f}) dice.push(r);  // surname first; 167..170 never drawn
    dice.then_seeded(3);
    Roster roster;
    mk_Name_rtn(folder, dice, roster);
    EXPECT_EQ(roster.generals[1].name + roster.generals[2].name, "姓166名150姓1名76");

    // By the job draw t: the job, the dice per ability (policy, fight, wisdom, tactics, charm)
    // and each ability's least and greatest value; 節度 is I4 + I4 + I4 + 1 for every job.
    struct JobRow {
        int job, dice[5], least[5], most[5];
    };
    const JobRow bunkan{kJobBunkan, {2, 2, 2, 2, 2}, {6, 1, 1, 1, 1}, {10, 9, 9, 9, 9}};
    const JobRow shougun{kJobShougun, {3, 3, 3, 2, 2}, {1, 1, 1, 6, 1}, {10, 10, 10, 10, 10}};
    const JobRow kunshu{kJobKunshu, {3, 3, 3, 3, 3}, {1, 1, 1, 1, 1}, {10, 10, 10, 10, 10}};
    const JobRow by_draw[10] = {bunkan, bunkan,
                                {kJobBukan, {2, 2, 2, 2, 2}, {1, 6, 1, 1, 1}, {9, 10, 9, 9, 9}},
                                {kJobSanbou, {2, 2, 2, 2, 2}, {4, 1, 4, 1, 1}, {10, 9, 10, 9, 9}},
                                shougun, shougun, shougun, kunshu, kunshu,
                                {kJobGunshi, {2, 2, 2, 2, 2}, {5, 1, 5, 5, 1}, {10, 7, 10, 10, 10}}};
    // Three generals per draw: every die lowest, every die highest, and policy, wisdom and charm
    // highest with the others lowest, which shows that each ability takes its own dice in turn.
    for (int t = 0; t < 10; ++t)
        for (int kind = 0; kind < 3; ++kind) {
            dice.push_roll(t, 10);
            for (int a = 0; a < 5; ++a)
                for (int d = 0; d < by_draw[t].dice[a]; ++d) dice.push(kind == 1 || (kind == 2 && a % 2 == 0) ? 0.9999f : 0.0f);
            for (int d = 0; d < 3; ++d) dice.push(kind == 1 ? 0.9999f : 0.0f);
        }
    roster.generals[1].kunID = 5;  // invented generals serve nobody, whatever the roster held
    mk_Abl_rtn(dice, roster);
    EXPECT_EQ(dice.randomize_calls(), 2);
    for (int t = 0; t < 10; ++t)
        for (int kind = 0; kind < 3; ++kind) {
            const Bushou& b = roster.generals[1 + 3 * t + kind];
            const JobRow& row = by_draw[t];
            std::vector<int> expected;
            for (int a = 0; a < 5; ++a) expected.push_back(kind == 1 || (kind == 2 && a % 2 == 0) ? row.most[a] : row.least[a]);
            expected.push_back(kind == 1 ? 10 : 1);
            EXPECT_EQ(b.Job, row.job) << t;
            EXPECT_EQ((std::vector<int>{b.policy, b.fight, b.wisdom, b.tactics, b.charm, b.Setu}), expected) << t << " " << kind;
            EXPECT_EQ(b.kunID, 0);
        }
}

TEST_F(NewGameTest, HistoricalScenarioKeepsTheMasterAndAddsFreeInventedGenerals) {
    ASSERT_TRUE(select_scenario(folder, shared, 1));
    EXPECT_EQ(dir.read("ini/busv.ini"), dir.read("ini/Bushou1.ini"));  // copied for the title screen
    ori_Chr_rtn(folder, shared, rng, two);
    EXPECT_EQ(shared.bushou_count, 170);
    auto generals = written();
    ASSERT_EQ(generals.size(), 170u);
    EXPECT_EQ(generals.begin()->first, 1);
    EXPECT_EQ(generals.rbegin()->first, 170);
    for (int id = 1; id <= 155; ++id) ASSERT_EQ(generals[id].name, "将" + std::to_string(id));
    for (int id = 156; id <= 170; ++id) {
        ASSERT_EQ(generals[id].kunID, 0);
        ASSERT_EQ(generals[id].jpg, "");
        ASSERT_GE(generals[id].Setu, 1);  // dealt abilities, none left at 0
        ASSERT_EQ(generals[id].name.rfind("姓", 0), 0u);
    }
}

TEST_F(NewGameTest, ScenarioThreeTakesOneHundredSixtyAndPaddedMarkersComeOutPlain) {
    dir.write("ini/Bushou.ini", crlf_zero_record() + general_master(165, true));
    ASSERT_TRUE(select_scenario(folder, shared, 3));
    ori_Chr_rtn(folder, shared, rng, two);
    const std::string text = dir.read("ini/busv.ini");
    EXPECT_EQ(text.rfind(".1\r\n", 0), 0u);
    EXPECT_NE(text.find("\r\n.170\r\n"), std::string::npos);
    EXPECT_EQ(text.find(".001"), std::string::npos);
    auto generals = written();
    EXPECT_EQ(generals[160].name, "将160");
    EXPECT_EQ(generals[161].name.rfind("姓", 0), 0u);  // records after the count are ignored
}

TEST_F(NewGameTest, RandomAllegianceDealsNonLordsByPositionAndKeepsLords) {
    // General 1 serves warlord 2 here: only general 2, lord of his own warlord, keeps it.
    std::string master = general_master(160);
    dir.write("ini/Bushou1.ini", master.replace(master.find("\r\n1,5\r\n"), 7, "\r\n2,1\r\n"));
    ASSERT_TRUE(select_scenario(folder, shared, 4));
    // x = Int(R × 40) + 1 names the x-th listed warlord's lord; beyond the list, nobody.
    testing::TestDice dice;
    for (float r : {0.0245f, 0.049f, 0.051f, 0.9999f, 0.0245f}) dice.push(r);  // x = 1, 2, 3, 40, 1: generals 1, 3..6
    dice.then_seeded(5);
    Roster roster;
    mk_Busv_rtn(folder, shared, dice, two, roster);
    EXPECT_EQ(dice.randomize_calls(), 1);
    EXPECT_EQ(dice.draws(), 169u);
    auto generals = written();
    EXPECT_EQ((std::vector<int>{generals[1].kunID, generals[2].kunID, generals[3].kunID, generals[4].kunID,
                                generals[5].kunID, generals[6].kunID}),
              (std::vector<int>{1, 2, 2, 0, 0, 1}));
}

TEST(Scenarios, ThreeStartsEachPlayedWithTheirGeneralsOrDealtAtRandom) {
    const char* stems[] = {"1", "2", ""};
    for (int no = 0; no <= 7; ++no) {
        const Scenario* s = find_scenario(no);
        if (no < 1 || no > 6) {
            EXPECT_EQ(s, nullptr) << no;
            continue;
        }
        const int start = (no - 1) % 3;
        const std::string stem = stems[start];
        EXPECT_EQ(std::make_tuple(s->no, s->start_year, s->end_year, s->gun_count, s->bushou_count, s->random_allegiance),
                  std::make_tuple(no, std::array{189, 195, 200}[start], std::array{216, 221, 226}[start],
                                  std::array{13, 12, 13}[start], start == 2 ? 160 : 155, no > 3));
        EXPECT_EQ(std::string(s->general_master) + s->warlord_master + s->province_master + s->comment_master,
                  "\\ini\\Bushou" + stem + ".ini\\ini\\gunbatu" + stem + ".ini\\ini\\Kuni" + stem +
                      ".ini\\ini\\Comment" + stem + ".ini");
        EXPECT_EQ(s->description_section, 20 + no);
    }
}

TEST_F(NewGameTest, ScenarioFiveSeedsFromTheSecondStartsFiles) {
    shared.kuni_count = 40;  // left from elsewhere
    ASSERT_TRUE(select_scenario(folder, shared, 5));
    EXPECT_EQ(std::make_tuple(shared.scenario_no, shared.gun_count, shared.bushou_count, shared.kuni_count),
              std::make_tuple(5, 12, 155, 48));
    EXPECT_EQ(dir.read("ini/Cmtsv.ini"), dir.read("ini/Comment2.ini"));
    mk_Kunisv_rtn(folder, 5);
    EXPECT_EQ(dir.read("ini/Kunisv.ini"), dir.read("ini/Kuni2.ini"));
    // Outside 1..6 nothing is copied.
    for (const char* file : {"ini/Kunisv.ini", "ini/gunsv.ini"}) dir.write(file, "old");
    mk_Kunisv_rtn(folder, 7);
    mk_Gunsv_rtn(folder, 7);
    EXPECT_EQ(dir.read("ini/Kunisv.ini") + dir.read("ini/gunsv.ini"), "oldold");
    EXPECT_FALSE(select_scenario(folder, shared, 0));
}

TEST_F(NewGameTest, MissingOrShortFilesAreErrorsNamingTheFile) {
    Roster roster;
    // Only the first 170 surnames are read; a blank last line is no name.
    for (const std::string& surnames : {name_list("姓", 170) + ",,\r\n", name_list("姓", 168) + "\r\n"}) {
        dir.write("ini/sei.ini", surnames);
        EXPECT_NO_THROW(mk_Name_rtn(folder, rng, roster));
    }
    // Too few surnames, or an empty one among the 170 read, even past the 166 drawn.
    for (const auto& [surnames, why] : {std::pair{name_list("姓", 100), "holds 100 names"},
                                        std::pair{name_list("姓", 169) + "\"\"\r\n\"姓171\"\r\n", "name 170 is empty"}}) {
        dir.write("ini/sei.ini", surnames);
        try {
            mk_Name_rtn(folder, rng, roster);
            ADD_FAILURE() << why;
        } catch (const DataError& e) {
            EXPECT_EQ(e.file() + " " + why, "ini/sei.ini " + std::string(std::strstr(e.what(), why) ? why : e.what()));
        }
    }
    // A master missing, or short of the scenario's 155 generals, is refused before anything is copied.
    for (const bool missing : {false, true}) {
        dir.write("ini/Bushou2.ini", general_master(150));
        if (missing) std::filesystem::remove(dir.root() / "ini/Bushou2.ini");
        try {
            select_scenario(folder, shared, 2);
            ADD_FAILURE() << missing;
        } catch (const DataError& e) {
            EXPECT_EQ(e.file(), "ini/Bushou2.ini");
        }
        EXPECT_FALSE(std::filesystem::exists(dir.root() / "ini/busv.ini")) << missing;
    }
    // A master changed after its check: a record numbered past the tables is refused by number.
    ASSERT_TRUE(select_scenario(folder, shared, 1));
    dir.write("ini/Bushou1.ini", general_master(2) + ".201\r\n\"超\"\r\n9,9,9,9\r\n9,9\r\n0,1\r\n\"p\"\r\n");
    try {
        mk_Busv_rtn(folder, shared, rng, two, roster);
        ADD_FAILURE() << "record 201 read";
    } catch (const DataError& e) {
        EXPECT_EQ(std::make_tuple(e.file(), e.record_id()), std::make_tuple(std::string("ini/Bushou1.ini"), 201));
    }
}

TEST_F(NewGameTest, TitleScreenListsWarlordsAndRefusesAnEmptyChoice) {
    QuietHost host;
    TitleRules title(folder, shared, rng, host);
    dir.write("ini/Command.ini", ".21\r\n董卓\r\n..\r\n.22\r\n群雄\r\n/\r\n割拠\r\n..\r\n.100\r\n");
    std::string thirteen;  // the second start's master lists more warlords than its 12
    for (int id = 1; id <= 13; ++id) thirteen += "." + std::to_string(id) + "\r\n\"軍" + std::to_string(id) + "\"\r\n0," + std::to_string(id) + ",1,1,1,1,1,1\r\n\"FALSE\"\r\n";
    dir.write("ini/Gunbatu2.ini", thirteen);
    shared.scenario_no = 5, shared.gun_count = 12;
    title.Form_Load();
    title.Form_Load();  // opened again: every scenario listed once
    EXPECT_EQ(std::make_tuple(shared.scenario_no, shared.gun_count, shared.text_no), std::make_tuple(1, 13, 21));
    EXPECT_EQ(title.description, "董卓\r\n");
    EXPECT_EQ(title.scenario_entries.size(), 6u);
    ASSERT_EQ(title.warlords.size(), 2u);
    EXPECT_EQ(title.warlords[1].ruler_id, 2);
    shared.gun_count = 1;  // the list stops at the scenario's count
    EXPECT_EQ(ld_Gnm_rtn(folder, shared).size(), 1u);
    shared.scenario_no = 7;  // no such scenario: no list
    EXPECT_TRUE(ld_Gnm_rtn(folder, shared).empty());
    shared.scenario_no = 1;

    for (const int p : {1, 0, -1, kScenarioCount}) title.scenario_click(p);  // the last two are beside the list
    EXPECT_EQ(shared.scenario_no, 1);
    title.scenario_click(1);
    EXPECT_EQ(title.description, "割拠\r\n");
    EXPECT_EQ(std::make_tuple(shared.scenario_no, shared.text_no, title.warlords.size()), std::make_tuple(2, 22, 12u));
    EXPECT_EQ(title.warlords[11].name, "軍12");

    const std::string before = dir.read("ini/busv.ini");
    shared.player_lord[1] = 9;  // left from an earlier game: cleared all the same
    std::vector<bool> beyond(13);
    beyond[12] = true;  // a tick past the listed warlords chooses nobody
    std::vector<bool> short_list = {false, true};
    short_list.pop_back();  // its bit stays behind, where a read past the end would find a choice
    for (const auto& ticked : {beyond, short_list}) EXPECT_FALSE(title.new_game(ticked));
    EXPECT_EQ(shared.player_lord[1], 0);
    ASSERT_EQ(host.boxes.size(), 2u);
    EXPECT_EQ(host.boxes[0], "武将が選択されていません");
    EXPECT_EQ(dir.read("ini/busv.ini"), before);
    EXPECT_EQ(title.help, "");

    shared.player_name[1] = "0";  // what 最初から leaves behind
    EXPECT_TRUE(title.new_game({true, false}));
    EXPECT_EQ(std::tie(shared.player_lord[0], shared.player_name[0], shared.player_lord[1], shared.player_name[1]),
              std::make_tuple(1, "軍1", 0, ""));
    EXPECT_EQ(std::make_tuple(shared.bushou_count, title.help), std::make_tuple(170, std::string(kHelpMakingData)));

    // A list longer than the player slots fills slots 0..20 and leaves the rest; a new game starts afresh.
    const std::vector<WarlordEntry> many(22, {"軍", 3});
    shared.start_mode = 2;
    EXPECT_TRUE(start_new_game_files(folder, shared, rng, many, std::vector<bool>(22, true)));
    EXPECT_EQ(std::make_tuple(shared.player_lord[20], shared.start_mode), std::make_tuple(3, 0));
}

TEST_F(NewGameTest, SplashShowsTheTitleFromTheSecondEventAndVanishes) {
    QuietHost host;
    // After each event: T when the title replaces the credit line, V while the splash is shown.
    for (const bool by_click : {false, true}) {
        TitleRules title(folder, shared, rng, host);
        std::string seen;
        for (int event = 1; event <= (by_click ? 3 : 5); ++event) {
            by_click ? title.splash_click() : title.splash_tick();
            seen += std::string(event > 1 ? " " : "") + (title.splash_title_shown ? "T" : "-") + (title.splash_visible ? "V" : "-");
        }
        EXPECT_EQ(seen, by_click ? "-V TV T-" : "-V TV TV TV T-");
    }
}

}  // namespace
}  // namespace teijinki
