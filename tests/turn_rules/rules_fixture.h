#pragma once
// A tiny world for the year rules: a temporary game folder with hand-written records and a
// Text.ini of the three year-end sections ("<sub1>|NN|<sub2>"), and a main-screen state over it.

#include <memory>
#include <string>
#include <vector>

#include "test_host.h"
#include "test_support.h"
#include "turn/main_state.h"

namespace teijinki::testing {

struct GeneralRow {
    std::string name;
    int policy = 1, charm = 1, kunID = 0, job = 0, fight = 1;
};
struct WarlordRow {
    std::string name;
    int meishuID = 0, kunshuID = 0, army = 0, seihei = 0, meisei = 0, tian = 0, kessoku = 0, ifu = 0;
    bool del = false;
};

inline std::string warlord_record(int id, const WarlordRow& r) {
    const auto n = [](int v) { return std::to_string(v); };
    return crlf_lines({"." + n(id), "\"" + r.name + "\"",
                       n(r.meishuID) + "," + n(r.kunshuID) + "," + n(r.army) + "," + n(r.seihei) + "," + n(r.meisei) +
                           "," + n(r.tian) + "," + n(r.kessoku) + "," + n(r.ifu),
                       r.del ? "\"TRUE\"" : "\"FALSE\""});
}

class RulesWorld {
public:
    explicit RulesWorld(std::unique_ptr<RandomSource> rng = std::make_unique<SeededRandom>(1))
        : folder(dir.folder()), rng_(std::move(rng)), m(folder, shared, *rng_, host) {
        const std::string text = crlf_lines(
            {".11", "+", "|11|", "*", "..", ".38", "+", "|38|", "*", "..", ".45", "+", "|45|", "*", "..", ".100"});
        dir.write("ini/Text.ini", text);
        m.text_table = TemplateTable::from_text(text);
        shared.msg_mode = kMsgStrategy;
        set_generals({});
        set_warlords({});
        set_provinces({});
    }

    void set_generals(const std::vector<GeneralRow>& rows) {
        std::string out;
        int id = 0;
        for (const auto& r : rows) {
            const std::string n = std::to_string(++id);
            out += crlf_lines({"." + n, "\"" + r.name + "\"", std::to_string(r.policy) + "," + std::to_string(r.fight) + ",1,1",
                               std::to_string(r.charm) + ",1", std::to_string(r.kunID) + "," + std::to_string(r.job),
                               "\"p" + n + "\""});
        }
        shared.bushou_count = id;
        dir.write("ini/busv.ini", out);
    }
    void set_warlords(const std::vector<WarlordRow>& rows) {
        std::string out;
        int id = 0;
        for (const auto& r : rows) out += warlord_record(++id, r);
        shared.gun_count = id;
        dir.write("ini/gunsv.ini", out);
    }
    // Province i is owned by owners[i - 1] and holds 5.
    void set_provinces(const std::vector<int>& owners) {
        std::string out;
        int id = 0;
        for (int owner : owners) {
            const std::string n = std::to_string(++id);
            out += crlf_lines({"." + n, "\"国" + n + "\"", std::to_string(owner) + ",5"});
        }
        shared.kuni_count = id;
        dir.write("ini/Kunisv.ini", out);
    }

    Gun warlord(int id) {
        m.ops.target_id = id;
        m.ops.ld_Gun_rtn();
        return m.ops.gun;
    }
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
