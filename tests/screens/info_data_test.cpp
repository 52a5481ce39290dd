// What the information screens show, read from small working files.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <tuple>

#include "screens/general_sheet.h"
#include "screens/info_lists.h"
#include "screens/map_data.h"
#include "setup/new_game.h"
#include "shipped_game.h"
#include "world/error.h"
#include "world/random.h"
#include "world/records.h"

namespace teijinki {
namespace {

using testing::crlf_lines;
using testing::TempGameFolder;

std::string general(int id, const std::string& name, int lord, int job, const std::string& jpg,
                    const std::string& abilities = "11,22,33,44") {
    return crlf_lines({"." + std::to_string(id), "\"" + name + "\"", abilities, "55,66",
                       std::to_string(lord) + "," + std::to_string(job), "\"" + jpg + "\""});
}

std::string warlord(int id, const std::string& name, int meishu, int kunshu, int army, int seihei, bool destroyed,
                    const std::string& del_text = "") {
    return crlf_lines({"." + std::to_string(id), "\"" + name + "\"",
                       std::to_string(meishu) + "," + std::to_string(kunshu) + "," + std::to_string(army) + "," +
                           std::to_string(seihei) + ",20,80,70,50",
                       "\"" + (del_text.empty() ? std::string(destroyed ? "TRUE" : "FALSE") : del_text) + "\""});
}

std::string province(int id, const std::string& name, int owner, int army) {
    return crlf_lines({"." + std::to_string(id), "\"" + name + "\"", std::to_string(owner) + "," + std::to_string(army)});
}

std::string place(int id, const std::string& name, const std::string& region, int x, int y) {
    return crlf_lines({"." + std::to_string(id), "\"" + name + "\",\"" + region + "\"",
                       std::to_string(x) + "," + std::to_string(y)});
}

// Three warlords: 董卓 (lord 1, allied under 袁紹's lord 4), 袁紹 (lord 4, alliance leader),
// 張魯 (lord 6, destroyed). Generals 2, 3, 5 serve; 7 is free.
class SmallWorld : public ::testing::Test {
protected:
    void SetUp() override {
        dir.write("ini/busv.ini", general(1, "董卓", 1, 5, "toutaku1") + general(2, "李儒", 1, 6, "riju1") +
                                      general(3, "呂布", 1, 4, "ryofu1") + general(4, "袁紹", 4, 5, "enshou1") +
                                      general(5, "田豊", 4, 1, "denpou1") + general(6, "張魯", 6, 5, "chouro1") +
                                      general(7, "流浪人", 0, 2, "x1") + general(8, "閻圃", 6, 0, "enpo1"));
        dir.write("ini/gunsv.ini", warlord(1, "董卓", 4, 1, 30, 5, false) + warlord(2, "袁紹", 4, 4, 12, 3, false) +
                                       warlord(3, "張魯", 0, 6, 0, 0, true));
        dir.write("ini/Kunisv.ini", province(1, "洛陽", 1, 30) + province(2, "長安", 1, 20) +
                                        province(3, "南皮", 2, 12) + province(4, "漢中", 0, 7));
        dir.write("ini/KuniMap.ini", place(1, "洛陽", "豫州", 623, 296) + place(2, "長安", "雍州", 496, 308) +
                                         place(3, "南皮", "冀州", 775, 160) + place(4, "漢中", "益州", 429, 356));
        shared.bushou_count = 8;
        shared.gun_count = 3;
        shared.kuni_count = 4;
    }
    TempGameFolder dir;
    GameFolder folder = dir.folder();
    SharedValues shared;
};

// A sheet's five job lists, each as its generals' ids and names run together.
using JobLists = std::array<std::string, 5>;
JobLists job_lists(const info::WarlordSheet& sheet) {
    JobLists out;
    for (std::size_t l = 0; l < out.size(); ++l)
        for (const auto& entry : sheet.job_lists[l]) out[l] += std::to_string(entry.id) + entry.name;
    return out;
}

TEST_F(SmallWorld, WarlordSheetShowsFiguresProvincesAndGeneralsByJob) {
    const auto sheet = info::load_warlord_sheet(folder, shared, 1, "戦争を画策中");
    EXPECT_TRUE(sheet.found);
    EXPECT_EQ(std::tie(sheet.caption, sheet.warlord_id), std::make_tuple("董卓軍の内情", 1));
    // Army 30 + elite 5 in thousands, elite, fame, order, unity, awe, provinces.
    EXPECT_EQ(sheet.figure_values, (std::array<std::string, 7>{"35000", "5000", "20", "80", "70", "50", " 2"}));
    EXPECT_EQ(sheet.provinces + sheet.txt_lab + sheet.portrait + sheet.job_frames[2] + sheet.figure_captions[6],
              "洛陽、長安、戦争を画策中toutaku1参謀（軍師）領国数");
    EXPECT_EQ(job_lists(sheet), (JobLists{"", "", "2李儒", "3呂布", "1董卓"}));  // the 軍師 with the 参謀
    // 袁紹's sheet: his 文官 田豊 on the first list, himself on the last.
    EXPECT_EQ(job_lists(info::load_warlord_sheet(folder, shared, 2, "")), (JobLists{"5田豊", "", "", "", "4袁紹"}));
}

TEST_F(SmallWorld, WarlordSheetEdgeCases) {
    // No province: count 0 and an empty line.
    const auto landless = info::load_warlord_sheet(folder, shared, 3, "");
    EXPECT_EQ(landless.figure_values[6], " 0");
    EXPECT_EQ(landless.provinces, "");
    EXPECT_EQ(job_lists(landless), (JobLists{"", "", "", "", "6張魯"})) << "閻圃, without a job, is on no list";

    // A warlord that is not in the file: empty figures; the free general (kunID 0) is never listed.
    const auto missing = info::load_warlord_sheet(folder, shared, 9, "");
    EXPECT_FALSE(missing.found);
    EXPECT_EQ(missing.figure_values[0], "");
    EXPECT_EQ(job_lists(missing), JobLists{});
    EXPECT_EQ(missing.caption + missing.portrait, "軍の内情");  // no lord: no portrait, not even the stand-in
    // Warlord 0 would own nobody's provinces: none are counted.
    EXPECT_EQ(info::load_warlord_sheet(folder, shared, 0, "").figure_values[6], " 0");

    // A lord past the general count: the stand-in portrait.
    dir.write("ini/gunsv.ini", warlord(1, "董卓", 0, 12, 1, 1, false) + warlord(2, "袁紹", 4, 4, 1, 1, false) +
                                   warlord(3, "張魯", 0, 6, 0, 0, false));
    dir.write("ini/busv.ini", dir.read("ini/busv.ini") + general(9, "余計", 9, 5, "extra1"));
    EXPECT_EQ(info::load_warlord_sheet(folder, shared, 1, "").portrait, "zouhyou1");
}

TEST_F(SmallWorld, GeneralTableShowsOnlyTheAbilitiesOfEachJob) {
    const auto table = info::load_general_table(folder, shared, 1);
    EXPECT_EQ(table.caption + table.headings[0] + table.headings[7], "武将一覧名前職業");
    ASSERT_EQ(table.rows.size(), 3u);
    const auto& lord = table.rows[0];
    EXPECT_EQ(std::tie(lord.name, lord.id, table.rows[2].id), std::make_tuple("董卓", 1, 3));
    EXPECT_EQ(lord.values, (std::array<std::string, 7>{"11", "22", "33", "44", "55", "66", "君主"}));
    EXPECT_EQ(table.rows[1].values, (std::array<std::string, 7>{"11", "-", "33", "44", "55", "66", "軍師"}));
    EXPECT_EQ(table.rows[2].values, (std::array<std::string, 7>{"-", "22", "33", "44", "55", "66", "将軍"}));

    const auto others = info::load_general_table(folder, shared, 4);
    ASSERT_EQ(others.rows.size(), 2u);
    EXPECT_EQ(others.rows[1].values, (std::array<std::string, 7>{"11", "-", "-", "-", "55", "66", "文官"}));
    // Lord 0 would be the free generals: nobody is listed.
    EXPECT_TRUE(info::load_general_table(folder, shared, 0).rows.empty());
}

TEST_F(SmallWorld, WarlordListLeavesOutTheDestroyedAndCountsGeneralsAndProvinces) {
    const auto list = info::load_warlord_list(folder, shared);
    EXPECT_EQ(list.caption, "軍閥一覧");
    EXPECT_EQ(list.headings[1], "総兵力\r\n（千）");
    ASSERT_EQ(list.rows.size(), 2u);  // 張魯 is destroyed
    EXPECT_EQ(std::tie(list.rows[0].name, list.rows[1].warlord_id), std::make_tuple("董卓", 2));
    // No "000" in the list; 政安, 結束, 名声, 畏怖; generals 董卓, 李儒, 呂布; the alliance leader's lord.
    EXPECT_EQ(list.rows[0].values, (std::array<std::string, 9>{"35", "5", "80", "70", "20", "50", "3", "2", "袁紹"}));
    EXPECT_EQ(list.rows[1].values[6], "2");

    // Outside every alliance: an empty 盟主; no ruler, no province: 0 and 0; 盟主 general 1.
    dir.write("ini/gunsv.ini", warlord(1, "董卓", 0, 1, 30, 5, false) + warlord(2, "袁紹", 4, 4, 12, 3, false) +
                                   warlord(3, "張魯", 1, 0, 0, 0, false));
    const auto again = info::load_warlord_list(folder, shared);
    ASSERT_EQ(again.rows.size(), 3u);
    EXPECT_EQ(again.rows[0].values[8] + "/" + again.rows[2].values[6] + again.rows[2].values[7] + again.rows[2].values[8], "/00董卓");
}

TEST_F(SmallWorld, GeneralsByWarlordColumns) {
    const auto view = info::load_generals_by_warlord(folder, shared);
    EXPECT_EQ(view.caption, "各軍閥所属部将");
    EXPECT_EQ(std::tie(view.columns[0].heading, view.columns[2].heading), std::make_tuple("董卓", "張魯"));
    EXPECT_TRUE(view.columns[2].destroyed);  // silver
    EXPECT_FALSE(view.columns[0].destroyed);
    EXPECT_TRUE(view.columns[0].visible && view.columns[2].visible);
    EXPECT_FALSE(view.columns[3].visible);
    ASSERT_EQ(view.columns[0].generals.size(), 3u);
    EXPECT_EQ(view.columns[0].generals[1].id, 2);
    for (const auto& column : view.columns)
        for (const auto& g : column.generals) EXPECT_NE(g.name, "流浪人");  // serves nobody

    // Anything but "FALSE" counts as destroyed here.
    dir.write("ini/gunsv.ini", warlord(1, "董卓", 4, 1, 30, 5, false, "false") +
                                   warlord(2, "袁紹", 4, 4, 12, 3, false) + warlord(3, "張魯", 0, 6, 0, 0, false));
    EXPECT_TRUE(info::load_generals_by_warlord(folder, shared).columns[0].destroyed);
    // Fourteen warlords: the thirteenth has the last column, the fourteenth none.
    std::string fourteen;
    for (int id = 1; id <= 14; ++id) fourteen += warlord(id, "軍" + std::to_string(id), 0, id, 1, 1, false);
    dir.write("ini/gunsv.ini", fourteen);
    shared.gun_count = 14;
    EXPECT_EQ(info::load_generals_by_warlord(folder, shared).columns.back().heading, "軍13");
}

TEST_F(SmallWorld, ProvinceListNamesOwners) {
    const auto view = info::load_province_list(folder, shared);
    EXPECT_EQ(view.caption + view.headings[0] + view.headings[2], "国一覧国名君主");
    ASSERT_EQ(view.rows.size(), 4u);
    EXPECT_EQ(std::tie(view.rows[3].province_id, view.rows[0].name, view.rows[0].army, view.rows[0].owner, view.rows[3].owner),
              std::make_tuple(4, "洛陽", "30", "董卓", ""));
}

TEST_F(SmallWorld, MapColoursAndHoverLines) {
    const auto map = info::load_map(folder, shared);
    EXPECT_EQ(map.caption, "全国地図");
    ASSERT_EQ(map.provinces.size(), 4u);
    // The frames in the regions' order, each naming its provinces.
    std::vector<std::pair<std::string, std::vector<int>>> frames;
    for (const auto& f : map.regions) frames.push_back({f.name, f.province_ids});
    EXPECT_EQ(frames, (decltype(frames){{"益州", {4}}, {"豫州", {1}}, {"冀州", {3}}, {"雍州", {2}}}));
    EXPECT_EQ(std::to_string(map.provinces[1].province_id) + map.provinces[1].region, "2雍州");
    EXPECT_EQ(map.provinces[0].hover, "[洛陽]董卓軍：兵力30");
    // Each province in its owner's colours; nobody's is "無所属".
    for (int i = 0, owners[] = {1, 1, 2, 0}; i < 4; ++i)
        EXPECT_TRUE(map.provinces[i].owner == owners[i] && map.provinces[i].background == info::owner_colour(owners[i]) &&
                    map.provinces[i].text == info::owner_text_colour(owners[i])) << i;
    EXPECT_EQ(map.provinces[3].hover, "[漢中]無所属軍：兵力7");
    // Legend: names up to the warlord count, every swatch coloured.
    EXPECT_EQ(std::make_tuple(map.legend[0].warlord_id, map.legend[0].name, map.legend[2].name, map.legend[3].name,
                              map.legend[12].warlord_id),
              std::make_tuple(1, "董卓", "張魯", "", 13));
    EXPECT_EQ(map.legend[12].colour, (info::MapColour{255, 128, 128, false}));
}

TEST(MapColours, TableOfTheWarlords) {
    const info::MapColour table[14] = {{0, 0, 0, true},     {0, 0, 255, false},     {0, 255, 0, false},
                                       {255, 0, 0, false},  {255, 255, 0, false},   {255, 0, 255, false},
                                       {0, 0, 0, false},    {128, 128, 0, false},   {0, 255, 255, false},
                                       {255, 128, 0, false}, {0, 0, 128, false},    {192, 192, 192, false},
                                       {128, 0, 0, false},  {255, 128, 128, false}};
    // Ids no scenario uses are black; yellow text on the dark colours.
    for (int w = 0; w <= 20; ++w) {
        EXPECT_EQ(info::owner_colour(w), w < 14 ? table[w] : info::kBlack) << w;
        const bool dark = w == 1 || w == 6 || w == 10 || w == 12 || w >= 14;
        EXPECT_EQ(info::owner_text_colour(w), dark ? info::kYellow : info::kBlack) << w;
    }
    EXPECT_THROW(info::owner_colour(21), ProgramError);
}

TEST_F(SmallWorld, GeneralSheetShowsTheAbilitiesOfItsJobAndCharmAndSetuForAll) {
    const std::pair<const char*, const char*> by_job[] = {
        {"", ""},
        {"政治", " 11"},
        {"武勇", " 22"},
        {"政治/智謀/采配", " 11/ 33/ 44"},
        {"武勇/智謀/采配", " 22/ 33/ 44"},
        {"政治/武勇/智謀/采配", " 11/ 22/ 33/ 44"},
        {"政治/智謀/采配", " 11/ 33/ 44"},
    };
    auto lines = [](std::string text) {  // '/' stands for a line break
        for (std::size_t at; (at = text.find('/')) != std::string::npos;) text.replace(at, 1, "\r\n");
        return text;
    };
    dir.write("ini/Cmtsv.ini", crlf_lines({".1", "\"甲\"", "評", "."}));
    const char* const job_names[] = {"", "文官", "武官", "参謀", "将軍", "君主", "軍師"};
    EXPECT_EQ(job_name(-1), "");
    EXPECT_EQ(job_name(7), "");
    for (int job = 0; job <= 6; ++job) {
        dir.write("ini/busv.ini", general(1, "甲", 1, job, "kou1"));
        const GeneralSheet sheet = load_general_sheet(folder, 1, 1);
        EXPECT_EQ(std::make_tuple(sheet.job, sheet.kinds, sheet.values),
                  std::make_tuple(std::string(job_names[job]), lines(by_job[job].first), lines(by_job[job].second)))
            << job;
        EXPECT_EQ(sheet.fixed_kinds + "=" + sheet.fixed_values, lines("器量/節度= 55/ 66"));
        EXPECT_EQ(sheet.name + sheet.portrait + sheet.comment, "甲kou1  評\r\n");
    }
    const GeneralSheet nobody = load_general_sheet(folder, 2, 1);
    EXPECT_FALSE(nobody.found);
    EXPECT_EQ(nobody.name + nobody.kinds + nobody.fixed_kinds + nobody.comment, "");
}

TEST_F(SmallWorld, DamagedFilesAreNamed) {
    const auto owned_by = [&](int owner) {
        dir.write("ini/Kunisv.ini", province(1, "洛陽", owner, 30) + province(2, "長安", 1, 20) +
                                        province(3, "南皮", 2, 12) + province(4, "漢中", 0, 7));
    };
    owned_by(kMaxWarlords);
    EXPECT_NO_THROW(info::load_map(folder, shared));
    owned_by(kMaxWarlords + 1);
    try {
        info::load_map(folder, shared);
        FAIL() << "an owner outside the warlord ids is reported";
    } catch (const DataError& e) {
        EXPECT_NE(std::string(e.what()).find("Kunisv.ini"), std::string::npos) << e.what();
        EXPECT_EQ(e.record_id(), 1);
    }
    // The map's edges are on it; a step beyond any of them is refused.
    const std::string others = dir.read("ini/KuniMap.ini").substr(place(1, "洛陽", "豫州", 623, 296).size());
    for (const auto& [x, y, on] : {std::tuple{0, 0, true}, {1000, 800, true}, {-1, 0, false}, {1001, 0, false},
                                   {0, -1, false}, {0, 801, false}}) {
        dir.write("ini/KuniMap.ini", place(1, "洛陽", "豫州", x, y) + others);
        if (on) EXPECT_NO_THROW(info::load_map_places(folder, shared)) << x << "," << y;
        else EXPECT_THROW(info::load_map_places(folder, shared), DataError) << x << "," << y;
    }
    // A record numbered 0 is no province, whatever it holds.
    dir.write("ini/KuniMap.ini", place(0, "無", "中原", -5, 0) + place(1, "洛陽", "豫州", 623, 296) + others);
    EXPECT_EQ(info::load_map_places(folder, shared).size(), 4u);
    dir.write("ini/KuniMap.ini", place(1, "洛陽", "豫州", 623, 296) + place(2, "長安", "雍州", 496, 308));
    EXPECT_THROW(info::load_map_places(folder, shared), DataError);
    dir.write("ini/KuniMap.ini", place(1, "洛陽", "中原", 623, 296));
    EXPECT_THROW(info::load_map_places(folder, shared), DataError);
    std::filesystem::remove(dir.root() / "ini" / "gunsv.ini");
    EXPECT_THROW(info::load_warlord_list(folder, shared), DataError);
}

// The file's text without record id (its marker line up to the next marker).
std::string without_record(const std::string& text, int id) {
    const std::string marker = "." + std::to_string(id) + "\r\n";
    const std::size_t from = text.rfind("\n" + marker) == std::string::npos ? text.find(marker) : text.find("\n" + marker) + 1;
    const std::size_t to = text.find("\r\n.", from + marker.size());
    return text.substr(0, from) + (to == std::string::npos ? std::string() : text.substr(to + 2));
}

// Every screen reads the working files as the year does: a record missing within the count is
// refused, naming the file and the record, instead of being shown as a gap.
TEST_F(SmallWorld, EveryScreenRefusesAFileThatLacksARecord) {
    using Open = std::function<void()>;
    const std::vector<std::pair<const char*, Open>> screens = {
        {"sheet", [&] { info::load_warlord_sheet(folder, shared, 1, ""); }},
        {"table", [&] { info::load_general_table(folder, shared, 1); }},
        {"warlords", [&] { info::load_warlord_list(folder, shared); }},
        {"columns", [&] { info::load_generals_by_warlord(folder, shared); }},
        {"provinces", [&] { info::load_province_list(folder, shared); }},
        {"map", [&] { info::load_map(folder, shared); }},
        {"general", [&] { load_general_sheet(folder, 1, shared.bushou_count); }},
    };
    // Which screens read which file.
    const std::vector<std::tuple<std::string, int, std::vector<const char*>>> damages = {
        {"ini/busv.ini", 2, {"sheet", "table", "warlords", "columns", "general"}},
        {"ini/gunsv.ini", 2, {"sheet", "warlords", "columns", "provinces", "map"}},
        {"ini/Kunisv.ini", 3, {"sheet", "warlords", "provinces", "map"}},
    };
    for (const auto& [file, id, readers] : damages) {
        const std::string sound = dir.read(file);
        dir.write(file, without_record(sound, id));
        for (const char* reader : readers) {
            const auto it = std::find_if(screens.begin(), screens.end(), [&](const auto& s) { return std::string(s.first) == reader; });
            ASSERT_NE(it, screens.end());
            try {
                it->second();
                ADD_FAILURE() << reader << " read " << file << " without record " << id;
            } catch (const DataError& e) {
                EXPECT_EQ(e.file(), file) << reader;
                EXPECT_EQ(e.record_id(), id) << reader;
            }
        }
        dir.write(file, sound);
    }
    for (const auto& screen : screens) EXPECT_NO_THROW(screen.second()) << screen.first;
}

TEST(MapLayout, ARegionsFrameIsTheConvexHullOfItsPlacesWithoutRepeatsOrInnerPoints) {
    using Points = std::vector<info::MapPoint>;
    const std::pair<Points, Points> cases[] = {
        {{{10, 10}, {0, 10}, {5, 5}, {10, 0}, {0, 0}, {0, 0}}, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}},
        {{{10, 0}, {5, 0}, {0, 0}}, {{0, 0}, {10, 0}}},  // points on a line: its two ends
        {{{3, 4}, {1, 1}, {3, 4}}, {{1, 1}, {3, 4}}},
        // The second place from the left on the upper side; the second from the right likewise.
        {{{0, 0}, {1, 5}, {5, 10}, {10, 0}}, {{0, 0}, {10, 0}, {5, 10}, {1, 5}}},
        {{{0, 0}, {4, 0}, {5, 10}, {10, 1}}, {{0, 0}, {4, 0}, {10, 1}, {5, 10}}},
        {{{0, 0}, {0, 10}, {10, 5}}, {{0, 0}, {10, 5}, {0, 10}}},  // of two places above each other the upper comes first
        // Places barely off the line between their neighbours are still corners.
        {{{10, 0}, {5, 0.05}, {0, 0}, {5, -0.05}}, {{0, 0}, {5, -0.05}, {10, 0}, {5, 0.05}}},
        {{{7, 7}, {7, 7}}, {{7, 7}}},
        {Points(20, info::MapPoint{3, 3}), {{3, 3}}},  // enough places for the sort to partition
        {{}, {}},
    };
    for (const auto& [points, hull] : cases) {
        const Points got = info::convex_hull(points);
        ASSERT_EQ(got.size(), hull.size());
        for (std::size_t i = 0; i < hull.size(); ++i) EXPECT_TRUE(got[i].x == hull[i].x && got[i].y == hull[i].y) << i;
    }
}

TEST(MapLayout, OverlappingLabelsMoveHalfEachAlongTheirShallowerOverlapAndCaptionsSitAboveOrBeside) {
    using Points = std::vector<info::MapPoint>;
    auto same = [](const Points& a, const Points& b) {
        bool equal = a.size() == b.size();
        for (std::size_t i = 0; equal && i < a.size(); ++i) equal = a[i].x == b[i].x && a[i].y == b[i].y;
        return equal;
    };
    // Pairs 2 apart, far from each other. 44 x 26: one off the map brought onto it, pushed up from the
    // one it lands on and back onto it; 27.5 up and down (the lower one, half a unit down, stays below;
    // then the other way round); 6 across (then from the right). 10 x 40 less across: moved across even
    // half a unit or nothing apart. 20 x 20, 17 both ways: up and down.
    const info::MapPoint wide{44, 26}, tall{10, 40}, square{20, 20};
    const Points sizes = {wide, wide, wide, wide, wide, wide, wide, wide, wide, wide, tall, tall, tall, tall, square, square};
    const Points at = {{-100, 13}, {22, 13},   {100, 100}, {110, 100.5}, {200, 200.5}, {210, 200},
                       {300, 300},  {340, 302},  {440, 402}, {400, 400},   {600, 600},   {600.5, 620},
                       {700, 600},  {700, 620},  {800, 500}, {805, 505}};
    EXPECT_TRUE(same(info::spread_labels(at, sizes),
                     {{22, 13},  {22, 27},  {100, 86.25}, {110, 114.25}, {200, 214.25},  {210, 186.25},
                      {297, 300}, {343, 302}, {443, 402},   {397, 400},    {594.25, 600}, {606.25, 620},
                      {694, 600}, {706, 620}, {800, 491.5}, {805, 513.5}}));
    // An overlap no larger than the tolerance, across or up and down, moves nobody; a little more does.
    for (const info::MapPoint size : {info::MapPoint{0, 10}, info::MapPoint{10, 0}}) {
        EXPECT_TRUE(same(info::spread_labels({{100, 100}, {100, 100}}, Points(2, size), 1e-9), {{100, 100}, {100, 100}}));
        const double dx = size.x == 0 ? 2.5e-9 : 0, dy = size.y == 0 ? 2.5e-9 : 0;
        EXPECT_TRUE(same(info::spread_labels({{100, 100}, {100, 100}}, Points(2, size), 5e-9),
                         {{100 - dx, 100 - dy}, {100 + dx, 100 + dy}}));
    }
    // A place without a size pushes nobody, even where the list of sizes once held one.
    Points two_sizes(3, wide);
    two_sizes.pop_back();
    EXPECT_TRUE(same(info::spread_labels({{100, 100}, {500, 500}, {100, 100}}, two_sizes), {{100, 100}, {500, 500}}));
    // Region 0's caption 3 above its label; region 1's above its own would cover region 0's label,
    // so it goes to the upper left.
    std::vector<info::RegionFrame> frames(2);
    frames[0].province_ids = {1}, frames[0].hull = {{500, 300}}, frames[0].left = frames[0].right = 500, frames[0].top = 300;
    frames[1].province_ids = {2}, frames[1].hull = {{500, 330}}, frames[1].left = frames[1].right = 500, frames[1].top = 330;
    const auto captions = info::place_region_captions(frames, Points(2, {50, 24}), {{500, 300}, {500, 330}}, Points(2, {44, 26}));
    EXPECT_TRUE(same(captions, {{500, 272}, {450, 302}})) << captions[1].x << "," << captions[1].y;
    // Without a size a caption is taken as 40 x 20: above a label 20 from the left edge it just
    // fits, above one a quarter nearer it does not and goes to the upper right. Id 0 is no province.
    std::vector<info::RegionFrame> west(2);
    west[0].province_ids = {0, 1}, west[0].hull = {{20, 300}}, west[0].left = west[0].right = 20, west[0].top = 300;
    west[1].province_ids = {2}, west[1].hull = {{19.75, 600}}, west[1].left = west[1].right = 19.75, west[1].top = 600;
    EXPECT_TRUE(same(info::place_region_captions(west, {}, {{20, 300}, {19.75, 600}}, Points(2, {44, 26})),
                     {{20, 274}, {42.25, 574}}));
    // Above its label the caption would come within 30 of the frame drawn round the line of
    // region 1's places: it goes beside the label instead, the left side winning the tie.
    frames[1].province_ids = {}, frames[1].hull = {{450, 250}, {550, 250}}, frames[1].top = 250;
    EXPECT_TRUE(same(info::place_region_captions(frames, Points(2, {50, 24}), {{500, 300}}, {{44, 26}}),
                     {{450, 300}, {500, 250}}));
    // Region 1 as one place; then drawn the other way round with the caption above the label
    // deep inside it: beside the label, far enough out, whichever side comes first.
    frames[1].hull = {{500, 250}};
    EXPECT_TRUE(same(info::place_region_captions(frames, Points(2, {50, 24}), {{500, 300}}, {{44, 26}}),
                     {{475, 272}, {500, 250}}));
    frames[1].hull = {{440, 200}, {440, 305}, {560, 305}, {560, 200}};
    EXPECT_TRUE(same(info::place_region_captions(frames, Points(2, {200, 24}), {{500, 300}}, {{44, 26}}),
                     {{375, 272}, {500, 250}}));
    // A caption may touch another caption, a label or the map's edge, but not overlap it, nor come
    // within a pixel of another caption (then it goes to the upper right).
    for (const info::MapPoint at : {info::MapPoint{551, 300}, {449, 300}, {500, 354}, {975, 300}, {700, 40}, {550.5, 300}}) {
        std::vector<info::RegionFrame> pair(2);
        pair[0].province_ids = {1}, pair[0].left = pair[0].right = 500, pair[0].top = 300;
        pair[1].province_ids = {2}, pair[1].left = pair[1].right = at.x, pair[1].top = at.y;
        const info::MapPoint second = at.x == 550.5 ? info::MapPoint{575.5, 272} : info::MapPoint{at.x, at.y - 28};
        EXPECT_TRUE(same(info::place_region_captions(pair, Points(2, {50, 24}), {{500, 300}, at}, Points(2, {44, 26})),
                         {{500, 272}, second})) << at.x << "," << at.y;
    }
    // Nearness to a frame is to its edges: 0.25 below the middle of a 1-pixel edge is within 0.4.
    std::vector<info::RegionFrame> tip(2);
    tip[0].province_ids = {1}, tip[0].left = tip[0].right = 500.5;
    tip[1].hull = {{500, 250}, {501, 250}, {500, 200}}, tip[1].left = tip[1].right = 500, tip[1].top = 200;
    EXPECT_TRUE(same(info::place_region_captions(tip, Points(2, {50, 24}), {{500.5, 278.25}}, {{44, 26}}, 0.4),
                     {{475.5, 250.25}, {500, 200}}));
    // With almost no room asked round the frames, inside one is still too near.
    EXPECT_TRUE(same(info::place_region_captions(frames, Points(2, {200, 24}), {{500, 300}}, {{44, 26}}, 0.5),
                     {{437.5, 272}, {500, 250}}));
    // Region 0 with the last label, region 1 without (its caption at its frame's top middle), given
    // region 1's places: another label touching the caption from below (but not one within a pixel of
    // it), or the map's right edge 20 away; beside, down to the bottom edge and just as far from
    // region 1's line as asked; in line with region 1's two places but 100 beyond them;
    // inside a triangle with almost no room asked; 0.5 below a 1-pixel edge, outside the 0.4 asked.
    struct Case { Points labels, hull; double pad; info::MapPoint caption; };
    const Case cases[] = {{{{500, 298}, {500, 300}}, {}, 30, {500, 272}},
                          {{{500, 297.5}, {500, 300}}, {}, 30, {450, 272}},
                          {{{980, 300}}, {}, 30, {955, 272}},
                          {{{500, 788}}, {{400, 760}, {600, 760}}, 28, {450, 788}},
                          {{{500, 260}}, {{300, 232}, {400, 232}}, 30, {500, 232}},
                          {{{500, 300}}, {{400, 150}, {600, 150}, {500, 290}}, 0.5, {475, 272}},
                          {{{500.5, 278.5}}, {{500, 250}, {501, 250}, {500, 200}}, 0.4, {500.5, 250.5}}};
    for (const Case& c : cases) {
        std::vector<info::RegionFrame> pair(2);
        pair[0].province_ids = {static_cast<int>(c.labels.size())};
        pair[0].left = pair[0].right = c.labels.back().x, pair[0].top = c.labels.back().y;
        pair[1].hull = c.hull, pair[1].left = pair[1].right = 700, pair[1].top = 100;
        EXPECT_TRUE(same(info::place_region_captions(pair, Points(2, {50, 24}), c.labels, Points(c.labels.size(), {44, 26}), c.pad),
                         {c.caption, {700, 100}})) << c.caption.x << "," << c.caption.y;
    }
    // Being near another frame weighs 300 in height: 300 higher but inside the other frame ties
    // with a place outside it, and the first province's place wins the tie (either frame first).
    for (const bool labelled_first : {true, false}) {
        std::vector<info::RegionFrame> tie(2);
        info::RegionFrame &labelled = tie[labelled_first ? 0 : 1], &other = tie[labelled_first ? 1 : 0];
        labelled.province_ids = labelled_first ? std::vector<int>{1, 2} : std::vector<int>{2, 1}, labelled.left = labelled.right = 500;
        other.hull = {{400, 300}, {600, 300}, {600, 500}, {400, 500}}, other.left = other.right = 700, other.top = 100;
        const auto got = info::place_region_captions(tie, Points(2, {50, 24}), {{500, 400}, {500, 700}}, Points(2, {44, 26}));
        EXPECT_TRUE(labelled_first ? same(got, {{500, 372}, {700, 100}}) : same(got, {{700, 100}, {500, 672}})) << labelled_first;
    }
    // Height counts in full, distance from the frame's middle 0.3 a pixel: 50 higher but 200 further
    // out loses, 70 higher wins. Labels without sizes (or sizes without labels) place no caption.
    std::vector<info::RegionFrame> one(1);
    one[0].province_ids = {1, 2}, one[0].left = one[0].right = 500;
    for (const auto& [higher, at] : {std::pair{50.0, info::MapPoint{500, 372}}, {70.0, info::MapPoint{700, 302}}})
        EXPECT_TRUE(same(info::place_region_captions(one, {{50, 24}}, {{500, 400}, {750, 400 - higher}}, Points(2, {44, 26})),
                         {at})) << higher;
    EXPECT_TRUE(same(info::place_region_captions(one, {}, {}, {{44, 26}}), {{500, 0}}));
    EXPECT_TRUE(same(info::place_region_captions(one, {}, {{44, 26}}, {}), {{500, 0}}));
}

// Three labels in a column settle only over several rounds, apart and near, and a lone label stays
// exactly where it was; a label at the map's edge is pulled inside, on every side.
TEST(MapLayout, ACloseColumnSettlesOverSeveralRoundsAndEdgesPullLabelsInside) {
    const std::vector<info::MapPoint> at = {{500, 600}, {500, 600}, {500, 625}, {300, 63.4}};
    const auto moved = info::spread_labels(at, std::vector<info::MapPoint>(4, {44, 26}), 1.1);
    EXPECT_EQ(std::make_tuple(moved[3].x, moved[3].y), std::make_tuple(300, 63.4));
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_GE(std::abs(moved[i].y - moved[(i + 1) % 3].y), 26 - 1e-6) << i;
        EXPECT_LT(std::hypot(moved[i].x - at[i].x, moved[i].y - at[i].y), 20) << i;
    }
    const auto edge = info::spread_labels({{995, 5}, {3, 798}}, {{40, 20}, {40, 20}});
    EXPECT_EQ(std::make_tuple(edge[0].x, edge[0].y, edge[1].x, edge[1].y), std::make_tuple(980, 10, 20, 790));
}

TEST(ShippedMap, NewGameShowsEveryProvinceInItsRegion) {
    TempGameFolder dir;
    const GameFolder folder = dir.folder();
    SharedValues shared;
    SeededRandom rng(7);
    testing::start_shipped_game(dir, shared, rng, 2, {0});
    mk_Gunsv_rtn(folder, 2);

    const auto map = info::load_map(folder, shared);
    ASSERT_EQ(map.provinces.size(), 48u);
    ASSERT_EQ(map.regions.size(), 9u);
    for (const auto& frame : map.regions) {
        for (int id : frame.province_ids) {
            const auto& p = map.provinces[static_cast<std::size_t>(id - 1)];
            EXPECT_EQ(p.region, frame.name);
            EXPECT_TRUE(p.at.x >= frame.left && p.at.x <= frame.right && p.at.y >= frame.top && p.at.y <= frame.bottom);
        }
        // The hull reaches the frame's box on every side.
        double l = 1e9, r = -1e9, t = 1e9, b = -1e9;
        for (const auto& h : frame.hull) l = std::min(l, h.x), r = std::max(r, h.x), t = std::min(t, h.y), b = std::max(b, h.y);
        EXPECT_EQ(std::make_tuple(l, r, t, b), std::make_tuple(frame.left, frame.right, frame.top, frame.bottom)) << frame.name;
    }
    EXPECT_FALSE(map.legend[11].name.empty());
    EXPECT_TRUE(map.legend[12].name.empty());  // 12 warlords in this start

    std::vector<info::MapPoint> at, sizes;
    for (const auto& p : map.provinces) {
        at.push_back(p.at);
        sizes.push_back({44, 26});
    }
    const auto moved = info::spread_labels(at, sizes);
    for (std::size_t i = 0; i < moved.size(); ++i)
        for (std::size_t j = i + 1; j < moved.size(); ++j)
            EXPECT_TRUE(std::abs(moved[i].x - moved[j].x) >= 44 - 1e-6 || std::abs(moved[i].y - moved[j].y) >= 26 - 1e-6)
                << map.provinces[i].name << " and " << map.provinces[j].name;

    const auto generals = info::load_generals_by_warlord(folder, shared);
    EXPECT_FALSE(generals.columns[12].visible);
    EXPECT_TRUE(generals.columns[11].visible);
    EXPECT_EQ(info::load_warlord_list(folder, shared).rows.size(), 12u);
}

}  // namespace
}  // namespace teijinki
