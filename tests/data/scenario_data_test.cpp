// The shipped scenario masters, name lists and province map, read through the game's own file
// layer. A fault is reported with its file and record so the table it came from is easy to find.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "setup/scenarios.h"
#include "turn/invariants.h"
#include "world/encoding.h"
#include "world/error.h"
#include "world/game_folder.h"
#include "world/list_io.h"
#include "world/record_file.h"
#include "world/records.h"

namespace teijinki {
namespace {

constexpr int kProvinceCount = 48;
constexpr int kAbilityMax = 10;
constexpr int kSetuMax = 15;
const std::array<std::string, 9> kRegions = {"荊州", "益州", "揚州", "豫州", "徐州",
                                             "冀州", "幽州", "雍州", "涼州"};

struct Report {
    std::vector<std::string> problems;
    void add(const std::string& file, int record, const std::string& what) {
        problems.push_back(file + (record >= 0 ? " record " + std::to_string(record) : "") + ": " + what);
    }
    std::string text() const {
        std::string out;
        for (const auto& p : problems) out += p + "\n";
        return out;
    }
};

struct Loaded {
    std::vector<Bushou> generals;  // index = id - 1
    std::vector<Gun> warlords;
    std::vector<Kuni> provinces;
};

// Numbers on a field line must be whole numbers that fit 16 bits: the reader saturates a wider
// value and reads an empty item as 0, which would hide the fault. The first field line is the
// name; a general's last line (jpg) and a warlord's (del) are texts too.
void check_number_lines(const RecordLines& r, RecordKind kind, const std::string& file, Report& report) {
    const std::size_t end = kind == RecordKind::Province ? r.fields.size() : r.fields.size() - 1;
    for (std::size_t i = 1; i < end; ++i)
        for (const std::string& item : split_items(r.fields[i]))
            if (item.empty() || !fits_16_bits(item)) report.add(file, r.id, "'" + item + "' is not a 16-bit whole number");
}

// Reads one master with scan_records, checking ids run 1..count without gaps or repeats.
template <class Record>
std::vector<Record> read_master(const GameFolder& folder, const char* literal, RecordKind kind, int count,
                                void (*parse)(const RecordLines&, const std::string&, Record&), Report& report) {
    const std::string file = GameFolder::display_name(literal);
    std::vector<Record> out;
    try {
        const std::string text = folder.read_text(literal);
        int expected = 1;
        scan_records(text, kind, file, [&](const RecordLines& r) {
            if (r.id != expected) report.add(file, r.id, "id " + std::to_string(r.id) + " where " +
                                                             std::to_string(expected) + " belongs");
            expected = r.id + 1;
            check_number_lines(r, kind, file, report);
            Record rec;
            parse(r, file, rec);
            out.push_back(rec);
            return true;
        });
        if (static_cast<int>(out.size()) != count)
            report.add(file, -1, std::to_string(out.size()) + " records, the scenario has " + std::to_string(count));
    } catch (const DataError& e) {
        report.add(file, e.record_id(), e.what());
    }
    return out;
}

void check_text(const std::string& file, int record, const std::string& text, Report& report) {
    if (!cp932_can_hold(text)) report.add(file, record, "'" + text + "' cannot be written in CP932");
}

// Comment master: ".id", the name, one or more text lines, then ".".
void check_comments(const GameFolder& folder, const char* literal, const std::vector<Bushou>& generals,
                    Report& report) {
    const std::string file = GameFolder::display_name(literal);
    std::map<int, std::pair<std::string, int>> found;  // id -> name, number of text lines
    try {
        const std::vector<std::string> lines = split_lines(folder.read_text(literal));
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const int id = marker_id(lines[i]);
            if (id <= 0) continue;
            if (found.count(id)) report.add(file, id, "comment given twice");
            std::string name = i + 1 < lines.size() ? split_items(lines[i + 1]).front() : "";
            int text_lines = 0;
            std::size_t k = i + 2;
            for (; k < lines.size() && (lines[k].empty() || lines[k][0] != '.'); ++k) {
                ++text_lines;
                check_text(file, id, lines[k], report);
                if (lines[k].find(',') != std::string::npos)
                    report.add(file, id, "a comma in the comment would split the line");
            }
            if (k >= lines.size() || marker_id(lines[k]) != 0)
                report.add(file, id, "comment not closed by a \".\" line");
            found[id] = {name, text_lines};
            i = k > i ? k - 1 : i;
        }
    } catch (const DataError& e) {
        report.add(file, e.record_id(), e.what());
        return;
    }
    for (std::size_t i = 0; i < generals.size(); ++i) {
        const int id = static_cast<int>(i) + 1;
        const auto it = found.find(id);
        if (it == found.end()) {
            report.add(file, id, "no comment for " + generals[i].name);
        } else {
            if (it->second.first != generals[i].name)
                report.add(file, id, "comment names " + it->second.first + ", the general is " + generals[i].name);
            if (it->second.second == 0) report.add(file, id, "comment without text");
        }
    }
}

Loaded check_scenario(const GameFolder& folder, const Scenario& s, Report& report) {
    Loaded w;
    w.generals = read_master<Bushou>(folder, s.general_master, RecordKind::General, s.bushou_count,
                                     parse_general, report);
    w.warlords = read_master<Gun>(folder, s.warlord_master, RecordKind::Warlord, s.gun_count, parse_warlord,
                                  report);
    w.provinces = read_master<Kuni>(folder, s.province_master, RecordKind::Province, kProvinceCount,
                                    parse_province, report);
    const std::string gfile = GameFolder::display_name(s.general_master);
    const std::string wfile = GameFolder::display_name(s.warlord_master);
    const std::string pfile = GameFolder::display_name(s.province_master);
    const int n_generals = static_cast<int>(w.generals.size());

    std::set<int> lords;
    for (const Gun& g : w.warlords) lords.insert(g.kunshuID);

    for (int id = 1; id <= n_generals; ++id) {
        const Bushou& b = w.generals[id - 1];
        check_text(gfile, id, b.name, report);
        check_text(gfile, id, b.jpg, report);
        const std::array<std::pair<const char*, int>, 5> abilities = {
            {{"policy", b.policy}, {"fight", b.fight}, {"wisdom", b.wisdom}, {"tactics", b.tactics},
             {"charm", b.charm}}};
        for (const auto& [field, value] : abilities)
            if (value < 1 || value > kAbilityMax)
                report.add(gfile, id, std::string(field) + " " + std::to_string(value) + " outside 1.." +
                                          std::to_string(kAbilityMax));
        if (b.Setu < 1 || b.Setu > kSetuMax) report.add(gfile, id, "Setu " + std::to_string(b.Setu) + " outside 1..15");
        if (b.Job < 1 || b.Job > 6) report.add(gfile, id, "Job " + std::to_string(b.Job) + " outside 1..6");
        if (b.jpg.empty()) report.add(gfile, id, "no portrait name");
        const bool is_lord = lords.count(id) > 0;
        if (is_lord && (b.kunID != id || b.Job != kJobKunshu))
            report.add(gfile, id, b.name + " leads a warlord but has kunID " + std::to_string(b.kunID) +
                                      " and Job " + std::to_string(b.Job));
        if (!is_lord && b.Job == kJobKunshu) report.add(gfile, id, b.name + " has Job 5 but leads no warlord");
        if (!is_lord && b.kunID != 0 && !lords.count(b.kunID))
            report.add(gfile, id, "kunID " + std::to_string(b.kunID) + " names no lord");
    }

    std::vector<int> province_army(w.warlords.size() + 1, 0);
    for (int id = 1; id <= static_cast<int>(w.provinces.size()); ++id) {
        const Kuni& k = w.provinces[id - 1];
        check_text(pfile, id, k.name, report);
        if (k.gunID < 0 || k.gunID > static_cast<int>(w.warlords.size()))
            report.add(pfile, id, "owner " + std::to_string(k.gunID) + " outside 0.." +
                                      std::to_string(w.warlords.size()));
        else
            province_army[k.gunID] += k.army;
        if (k.army < 0) report.add(pfile, id, "negative troops");
    }

    std::set<int> alliances;
    for (int id = 1; id <= static_cast<int>(w.warlords.size()); ++id) {
        const Gun& g = w.warlords[id - 1];
        check_text(wfile, id, g.name, report);
        if (g.kunshuID < 1 || g.kunshuID > n_generals) {
            report.add(wfile, id, "lord " + std::to_string(g.kunshuID) + " is no general of the master");
            continue;
        }
        if (g.del) report.add(wfile, id, "starts destroyed");
        if (province_army[id] == 0) report.add(wfile, id, g.name + " starts without a province");
        if (g.army != province_army[id])
            report.add(wfile, id, "army " + std::to_string(g.army) + ", its provinces hold " +
                                      std::to_string(province_army[id]));
        if (g.meishuID != 0) {
            const bool leader_found = std::any_of(w.warlords.begin(), w.warlords.end(), [&](const Gun& o) {
                return o.kunshuID == g.meishuID && o.meishuID == o.kunshuID;
            });
            if (!leader_found) report.add(wfile, id, "alliance leader " + std::to_string(g.meishuID) + " leads none");
            alliances.insert(g.meishuID);
        }
        const std::array<std::pair<const char*, int>, 3> percent = {
            {{"tian", g.tian}, {"kessoku", g.kessoku}, {"ifu", g.ifu}}};
        for (const auto& [field, value] : percent)
            if (value < 0 || value > 100) report.add(wfile, id, std::string(field) + " outside 0..100");
    }
    if (alliances.size() > 3) report.add(wfile, -1, std::to_string(alliances.size()) + " alliances, room for 3");

    check_comments(folder, s.comment_master, w.generals, report);
    return w;
}

std::vector<std::string> read_list(const GameFolder& folder, const char* literal) {
    ListReader in(folder.read_text(literal), GameFolder::display_name(literal));
    std::vector<std::string> out;
    while (!in.eof()) {
        std::string item = in.item();
        if (!item.empty()) out.push_back(item);
    }
    return out;
}

// Province map: ".id", "name","region", x,y.
void check_map(const GameFolder& folder, const std::vector<Kuni>& provinces, Report& report) {
    const char* literal = "\\ini\\KuniMap.ini";
    const std::string file = GameFolder::display_name(literal);
    std::vector<std::string> lines;
    try {
        lines = split_lines(folder.read_text(literal));
    } catch (const DataError& e) {
        report.add(file, -1, e.what());
        return;
    }
    std::map<int, std::vector<std::string>> places;
    for (std::size_t i = 0; i + 2 < lines.size(); ++i) {
        const int id = marker_id(lines[i]);
        if (id <= 0) continue;
        std::vector<std::string> fields = split_items(lines[i + 1]);
        for (const auto& item : split_items(lines[i + 2])) fields.push_back(item);
        places[id] = fields;
    }
    for (int id = 1; id <= static_cast<int>(provinces.size()); ++id) {
        const auto it = places.find(id);
        if (it == places.end() || it->second.size() != 4) {
            report.add(file, id, "no place on the map for " + provinces[id - 1].name);
            continue;
        }
        const auto& f = it->second;
        if (f[0] != provinces[id - 1].name) report.add(file, id, "map label " + f[0] + " for " + provinces[id - 1].name);
        if (std::find(kRegions.begin(), kRegions.end(), f[1]) == kRegions.end())
            report.add(file, id, "region " + f[1] + " is not one of the nine");
        std::int16_t x = -1, y = -1;
        if (!parse_number(f[2], x) || !parse_number(f[3], y) || x < 0 || x > 1000 || y < 0 || y > 800)
            report.add(file, id, "position " + f[2] + "," + f[3] + " outside the 1000 x 800 map");
    }
}

class ShippedData : public ::testing::Test {
protected:
    GameFolder folder{TEIJINKI_DATA_DIR};
};

TEST_F(ShippedData, EveryHistoricalStartKeepsTheRulesOfTheMasters) {
    for (int no = 1; no <= 3; ++no) {
        const Scenario* s = find_scenario(no);
        ASSERT_NE(s, nullptr);
        Report report;
        const Loaded w = check_scenario(folder, *s, report);
        check_map(folder, w.provinces, report);
        EXPECT_TRUE(report.problems.empty()) << "scenario " << no << ":\n" << report.text();
        EXPECT_EQ(static_cast<int>(w.generals.size()), s->bushou_count);
        EXPECT_EQ(static_cast<int>(w.warlords.size()), s->gun_count);
    }
}

TEST_F(ShippedData, ProvincesAndPeopleAreTheSameAcrossTheStarts) {
    std::vector<std::vector<std::string>> province_names;
    std::map<std::string, std::string> portrait_of;  // name -> jpg
    std::map<std::string, std::string> person_of;    // jpg -> name
    for (int no = 1; no <= 3; ++no) {
        Report report;
        const Loaded w = check_scenario(folder, *find_scenario(no), report);
        std::vector<std::string> names;
        for (const Kuni& k : w.provinces) names.push_back(k.name);
        province_names.push_back(names);
        for (const Bushou& b : w.generals) {
            auto [p, fresh_name] = portrait_of.emplace(b.name, b.jpg);
            EXPECT_EQ(p->second, b.jpg) << b.name << " changes portrait between starts";
            auto [q, fresh_jpg] = person_of.emplace(b.jpg, b.name);
            EXPECT_EQ(q->second, b.name) << "portrait " << b.jpg << " is shared by two people";
        }
    }
    EXPECT_EQ(province_names[0], province_names[1]);
    EXPECT_EQ(province_names[0], province_names[2]);
}

TEST_F(ShippedData, NameListsFillTheTablesOfInventedGenerals) {
    const auto surnames = read_list(folder, "\\ini\\sei.ini");
    const auto given = read_list(folder, "\\ini\\mei.ini");
    EXPECT_GE(surnames.size(), 170u);
    EXPECT_GE(given.size(), 150u);
    for (const auto& n : surnames) EXPECT_TRUE(cp932_can_hold(n)) << "sei.ini: " << n;
    for (const auto& n : given) EXPECT_TRUE(cp932_can_hold(n)) << "mei.ini: " << n;
    EXPECT_EQ(std::set<std::string>(surnames.begin(), surnames.end()).size(), surnames.size());
}

}  // namespace
}  // namespace teijinki
