// The record operations on the working files: what a one-record load reads and gives past the
// count, and the collecting and recounting operations.

#include <gtest/gtest.h>

#include "test_support.h"
#include "world/error.h"
#include "world/record_ops.h"
#include "world/trace.h"
#include "world/working_set.h"

namespace teijinki {
namespace {

using testing::TempGameFolder;
using testing::crlf_lines;
using testing::message_of;

std::string general(int id, const std::string& name, int kun, int job, const std::string& jpg, int policy = 5) {
    return crlf_lines({"." + std::to_string(id), "\"" + name + "\"", std::to_string(policy) + ",6,7,8", "4,5",
                       std::to_string(kun) + "," + std::to_string(job), "\"" + jpg + "\""});
}

std::string warlord(int id, const std::string& name, int meishu, int kunshu, int army, bool del = false) {
    return crlf_lines({"." + std::to_string(id), "\"" + name + "\"",
                       std::to_string(meishu) + "," + std::to_string(kunshu) + "," + std::to_string(army) +
                           ",3,50,60,70,10",
                       del ? "\"TRUE\"" : "\"FALSE\""});
}

std::string province(int id, const std::string& name, int owner, int army) {
    return crlf_lines({"." + std::to_string(id), "\"" + name + "\"", std::to_string(owner) + "," + std::to_string(army)});
}

class RecordOpsTest : public ::testing::Test {
protected:
    void SetUp() override {
        shared.bushou_count = 3;
        shared.gun_count = 2;
        shared.kuni_count = 3;
        dir.write("ini/busv.ini", general(1, "曹操", 1, 5, "sousou1") + "stray line\r\n" + general(2, "夏侯惇", 1, 4, "kakouton1") +
                                      general(3, "荀彧", 1, 3, "junnyu1") + general(4, "後の人", 0, 1, "x"));
        dir.write("ini/gunsv.ini", warlord(1, "曹操", 0, 1, 5) + warlord(2, "袁紹", 2, 4, 0, true) + warlord(3, "余分", 0, 0, 0));
        dir.write("ini/Kunisv.ini", province(1, "陳留", 1, 20) + province(2, "冀州", 2, 30) + province(3, "許昌", 1, 15) +
                                        province(4, "余分", 1, 99));
    }
    TempGameFolder dir;
    GameFolder folder = dir.folder();
    SharedValues shared;
    RecordOps ops{folder, shared};
};

TEST_F(RecordOpsTest, LoadsOneRecordAndGivesDefaultsPastTheCount) {
    ops.target_id = 2;
    ops.ld_Chr_rtn();
    EXPECT_EQ(std::tie(ops.chr.name, ops.chr.Job, ops.chr.jpg), std::make_tuple("夏侯惇", 4, "kakouton1"));

    // A record past the count stops the scan with the default name; the abilities stay.
    ops.target_id = 5;
    ops.ld_Chr_rtn();
    EXPECT_EQ(ops.chr.name, "何某");
    EXPECT_EQ(ops.chr.Job, 4);

    ops.target_id = 3;
    ops.ld_Gun_rtn();
    EXPECT_EQ(ops.gun.name, "");
    ops.target_id = 49;
    shared.kuni_count = 3;
    ops.ld_Kuni_rtn();
    EXPECT_EQ(ops.kuni.name, "某国");
}

TEST_F(RecordOpsTest, WarlordAliveResultFollowsTheDestroyedLine) {
    ops.target_id = 1;
    EXPECT_TRUE(ops.ld_Gun_rtn());
    ops.target_id = 2;
    EXPECT_FALSE(ops.ld_Gun_rtn());
    EXPECT_EQ(std::tie(ops.gun.name, ops.gun.id), std::make_tuple("袁紹", 2));
    ops.target_id = 17;  // not found: alive, buffer unchanged until the count stops the scan
    shared.gun_count = 20;
    EXPECT_TRUE(ops.ld_Gun_rtn());
}

TEST_F(RecordOpsTest, CollectsTheProvincesOfAWarlord) {
    ops.ld_kAbl_rtn(1);
    ASSERT_EQ(ops.kuni_list_count, 2);
    EXPECT_EQ(ops.kuni_list[0], 1);
    EXPECT_EQ(ops.kuni_list[1], 3);
    dir.write("ini/Kunisv.ini", province(1, "陳留", 1, 20) + crlf_lines({".2", "\"冀州\"", "y,1"}));
    EXPECT_EQ(message_of([&] { ops.ld_kAbl_rtn(1); }), "ini/Kunisv.ini: record 2: field 1 is not a number (\"y\")");
    std::string many;  // the list holds 51 provinces; a 52nd is refused
    for (int id = 1; id <= 52; ++id) many += province(id, "p", 1, 1);
    dir.write("ini/Kunisv.ini", many);
    shared.kuni_count = 51;
    ops.ld_kAbl_rtn(1);
    EXPECT_EQ(std::make_pair(ops.kuni_list_count, int(ops.kuni_list[50])), std::make_pair(51, 51));
    shared.kuni_count = 52;
    EXPECT_EQ(message_of([&] { ops.ld_kAbl_rtn(1); }), "ini/Kunisv.ini: record 52: more provinces than the game holds");
}

TEST_F(RecordOpsTest, RecountsEveryWarlordsTroopsFromItsProvinces) {
    dir.write("ini/gunsv.ini", warlord(0, "零", 0, 1, 9) + dir.read("ini/gunsv.ini"));  // none of the game's: kept
    const std::string before = dir.read("ini/gunsv.ini");
    shared.gun_count = 0;  // no warlords in play: the file stays whole
    ops.mk_HeiFile_Master();
    EXPECT_EQ(dir.read("ini/gunsv.ini"), before);
    shared.gun_count = 2;
    ops.mk_HeiFile_Master();
    // The buffer ends on the last warlord; destroyed warlords are recounted too.
    EXPECT_EQ(std::tie(ops.gun.id, ops.gun.army), std::make_tuple(2, 30));
    ops.target_id = 1;
    ops.ld_Gun_rtn();
    EXPECT_EQ(ops.gun.army, 35);
    EXPECT_TRUE(dir.read("ini/gunsv.ini").starts_with(warlord(0, "零", 0, 1, 9)));
}

TEST_F(RecordOpsTest, BadNumbersAndTruncatedRecordsNameTheFileAndRecord) {
    dir.write("ini/busv.ini", general(1, "曹操", 1, 5, "a") + crlf_lines({".2", "\"x\"", "1,abc,1,1", "1,1", "0,1", "\"b\""}));
    ops.target_id = 2;
    EXPECT_EQ(message_of([&] { ops.ld_Chr_rtn(); }), "ini/busv.ini: record 2: fight is not a number (\"abc\")");
    EXPECT_THROW(current_records(folder, files::kGenerals, RecordKind::General)->visit([](const RecordItems& r) {
        return general_lord(r, "busv") >= 0;  // the lord alone is not read past a damaged number
    }), DataError);
    dir.write("ini/busv.ini", general(1, "曹操", 1, 5, "a") + crlf_lines({".2", "\"x\""}));
    EXPECT_EQ(message_of([&] { ops.ld_Chr_rtn(); }), "ini/busv.ini: record 2: record ends before its last field");
    std::filesystem::remove(dir.root() / "ini/busv.ini");
    EXPECT_EQ(message_of([&] { ops.ld_Chr_rtn(); }), "ini/busv.ini: file not found");
    // A file cut off after a whole record: the whole-set load names the first record missing.
    dir.write("ini/busv.ini", general(1, "曹操", 1, 5, "a") + general(2, "夏侯惇", 1, 4, "b"));
    WorkingSet set;
    EXPECT_EQ(message_of([&] { ld_Chr(folder, shared, set); }), "ini/busv.ini: record 3: record missing (the file holds 2 of 3)");
}

// Twenty warlords fill the tables, the twentieth counted and written; a twenty-first is refused.
TEST_F(RecordOpsTest, TwentyWarlordsFitAndATwentyFirstIsRefused) {
    std::string warlords;
    for (int id = 1; id <= 21; ++id) warlords += warlord(id, "w", 0, id, 0);
    dir.write("ini/gunsv.ini", warlords);
    dir.write("ini/Kunisv.ini", province(1, "a", 20, 12) + province(2, "b", 21, 13));
    shared.kuni_count = 2;
    shared.gun_count = 20;
    ops.mk_HeiFile_Master();
    EXPECT_EQ(std::tie(ops.gun.id, ops.gun.army), std::make_tuple(20, 12));
    WorkingSet set;
    ld_Gun(folder, shared, set);
    set.gun[20].meisei = 99;
    sv_Gun(folder, shared, set);
    EXPECT_NE(dir.read("ini/gunsv.ini").find("\r\n0,20,12,3,99,60,70,10\r\n"), std::string::npos);
    shared.gun_count = 21;
    EXPECT_EQ(message_of([&] { ld_Gun(folder, shared, set); }), "ini/gunsv.ini: record 21: record id beyond 20");
}

TEST(Trace, AFileTraceHoldsOneLinePerEvent) {
    TempGameFolder dir;
    JsonLinesTrace((dir.root() / "trace.jsonl").string()).pick(190, 2, 1, 0, false);
    EXPECT_EQ(dir.read("trace.jsonl"), "{\"by\":\"computer\",\"gun\":2,\"panel\":1,\"pos\":0,\"type\":\"pick\",\"year\":190}\n");
}

TEST_F(RecordOpsTest, WholeSetLoadLinksGeneralsToWarlordsAndWritesDestruction) {
    WorkingSet set;
    load_working_set(folder, shared, set);
    EXPECT_EQ(set.chr[2].gunID, 1);
    EXPECT_EQ(set.gun[2].kunshuID, 4);
    EXPECT_TRUE(set.gun[2].del);
    EXPECT_EQ(set.kuni[2].name, "冀州");
    const std::vector<TraceWarlord> standing = warlord_standing(shared, set);
    ASSERT_EQ(standing.size(), 2u);
    const TraceWarlord& cao = standing[0];
    EXPECT_EQ(std::tie(cao.id, cao.army, cao.seihei, cao.meisei, cao.tian, cao.kessoku, cao.ifu, cao.del, cao.provinces),
              std::make_tuple(1, 5, 3, 50, 60, 70, 10, false, 2));

    // The first and the last record of each count are written.
    set.gun[1].del = true;
    set.gun[2].meisei = 77;
    set.chr[1].policy = 9;
    set.chr[3].kunID = 0;
    set.chr[1].jpg = "changed";  // never written: the portrait stays as read
    set.kuni[1].army = 21;
    set.kuni[3].gunID = 2;
    // A record numbered 0 is none of the game's: the rewrites keep it as it is.
    const std::string zeros[] = {general(0, "零", 1, 5, "z"), warlord(0, "零", 0, 1, 9), province(0, "零", 1, 9)};
    const char* files[] = {"ini/busv.ini", "ini/gunsv.ini", "ini/Kunisv.ini"};
    for (int f = 0; f < 3; ++f) dir.write(files[f], zeros[f] + dir.read(files[f]));
    const std::string generals_before = dir.read("ini/busv.ini");
    sv_Gun(folder, shared, set);
    sv_Chr(folder, shared, set);
    sv_Kuni(folder, shared, set);
    for (int f = 0; f < 3; ++f) EXPECT_TRUE(dir.read(files[f]).starts_with(zeros[f])) << files[f];
    WorkingSet again;
    again.chr[3].gunID = 2;  // a set used before: the links are made afresh
    load_working_set(folder, shared, again);
    EXPECT_EQ(std::tie(again.gun[1].del, again.gun[2].meisei, again.chr[1].policy, again.kuni[1].army),
              std::make_tuple(true, 77, 9, 21));
    EXPECT_EQ(again.chr[3].gunID, 0);
    EXPECT_EQ(again.kuni[3].gunID, 2);
    // The generals' rewrite ends with the last general; the others keep the record after the count.
    EXPECT_EQ(dir.read("ini/busv.ini").find("後の人"), std::string::npos);
    EXPECT_NE(dir.read("ini/gunsv.ini").find("余分"), std::string::npos);
    EXPECT_NE(dir.read("ini/Kunisv.ini").find("余分"), std::string::npos);
    EXPECT_EQ(again.chr[1].jpg, "sousou1");
    // The stray line is dropped; the scratch copy keeps the file as it was before the rewrite.
    EXPECT_EQ(dir.read("ini/busv.ini").find("stray line"), std::string::npos);
    EXPECT_EQ(dir.read("ini/buimg.ini"), generals_before);
}

}  // namespace
}  // namespace teijinki
