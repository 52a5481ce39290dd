#pragma once
// A tiny world for the year rules: a temporary game folder with hand-written records and a
// Text.ini of the three year-end sections, and a main-screen state over it.

#include <memory>
#include <string>
#include <vector>

#include "test_host.h"
#include "test_support.h"
#include "turn/main_state.h"
#include "world/random.h"

namespace teijinki::testing {

struct GeneralRow {
    std::string name;
    int policy = 1, charm = 1, kunID = 0, job = 0;
};

struct WarlordRow {
    std::string name;
    int meishuID = 0, kunshuID = 0, army = 0, seihei = 0, meisei = 0, tian = 0, kessoku = 0, ifu = 0;
    bool del = false;
};

struct ProvinceRow {
    std::string name;
    int gunID = 0, army = 0;
};

inline std::string generals_file(const std::vector<GeneralRow>& rows) {
    std::string out;
    int id = 0;
    for (const auto& r : rows) {
        ++id;
        out += crlf_lines({"." + std::to_string(id), "\"" + r.name + "\"", std::to_string(r.policy) + ",1,1,1",
                           std::to_string(r.charm) + ",1", std::to_string(r.kunID) + "," + std::to_string(r.job),
                           "\"p" + std::to_string(id) + "\""});
    }
    return out;
}

inline std::string warlord_record(int id, const WarlordRow& r) {
    return crlf_lines({"." + std::to_string(id), "\"" + r.name + "\"",
                       std::to_string(r.meishuID) + "," + std::to_string(r.kunshuID) + "," + std::to_string(r.army) + "," +
                           std::to_string(r.seihei) + "," + std::to_string(r.meisei) + "," + std::to_string(r.tian) + "," +
                           std::to_string(r.kessoku) + "," + std::to_string(r.ifu),
                       r.del ? "\"TRUE\"" : "\"FALSE\""});
}

inline std::string warlords_file(const std::vector<WarlordRow>& rows) {
    std::string out;
    int id = 0;
    for (const auto& r : rows) out += warlord_record(++id, r);
    return out;
}

inline std::string provinces_file(const std::vector<ProvinceRow>& rows) {
    std::string out;
    int id = 0;
    for (const auto& r : rows) {
        ++id;
        out += crlf_lines({"." + std::to_string(id), "\"" + r.name + "\"",
                           std::to_string(r.gunID) + "," + std::to_string(r.army)});
    }
    return out;
}

// The year-end sections, worded for tests: "<sub1>|11|<sub2>" and a line break.
inline std::string year_end_text() {
    return crlf_lines({".11", "+", "|11|", "*", "..", ".38", "+", "|38|", "*", "..", ".45", "+", "|45|", "*", "..",
                       ".100"});
}

class RulesWorld {
public:
    explicit RulesWorld(std::unique_ptr<RandomSource> rng = std::make_unique<SeededRandom>(1))
        : folder(dir.folder()), rng_(std::move(rng)), m(folder, shared, *rng_, host) {
        shared.msg_mode = 1;
        shared.kuni_count = 0;
        shared.bushou_count = 0;
        shared.gun_count = 0;
        dir.write("ini/Text.ini", year_end_text());
        m.text_table = TemplateTable::from_text(year_end_text());
        set_generals({});
        set_warlords({});
        set_provinces({});
    }

    void set_generals(const std::vector<GeneralRow>& rows) {
        shared.bushou_count = static_cast<int>(rows.size());
        dir.write("ini/busv.ini", generals_file(rows));
    }
    void set_warlords(const std::vector<WarlordRow>& rows) {
        shared.gun_count = static_cast<int>(rows.size());
        dir.write("ini/gunsv.ini", warlords_file(rows));
    }
    void set_provinces(const std::vector<ProvinceRow>& rows) {
        shared.kuni_count = static_cast<int>(rows.size());
        dir.write("ini/Kunisv.ini", provinces_file(rows));
    }

    Gun warlord(int id) {
        m.ops.target_id = id;
        m.ops.ld_Gun_rtn();
        return m.ops.gun;
    }

    RandomSource& rng() { return *rng_; }
    ScriptedRandom& script() { return dynamic_cast<ScriptedRandom&>(*rng_); }
    std::string report() const { return m.text.text_buf[0]; }

    TempGameFolder dir;
    GameFolder folder;
    SharedValues shared;
    ScriptedHost host;

private:
    std::unique_ptr<RandomSource> rng_;

public:
    MainState m;
};

inline std::unique_ptr<RandomSource> scripted() { return std::make_unique<ScriptedRandom>(); }

}  // namespace teijinki::testing
