#pragma once
// A small world for the strategy tests: four warlords, ten generals, five provinces, and a Text.ini
// whose section n composes to "[S<n>]" + text_sub1 + "|" + text_sub2 + CR LF, so a test sees which
// sections were told and with what.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "messages/msg_state.h"
#include "strategy/strategies.h"
#include "test_support.h"
#include "world/error.h"

namespace teijinki::testing {

inline std::string marker_text_ini() {
    std::string out;
    for (int n = 1; n <= 99; ++n)
        out += "." + std::to_string(n) + "\r\n[S" + std::to_string(n) + "]\r\n+\r\n|\r\n*\r\n..\r\n";
    out += ".100\r\n";
    return out;
}

// Whether a procedure of another part of the program is built yet (its placeholder throws
// ProgramError "... not built yet").
inline bool is_built(const std::function<void()>& call) {
    try {
        call();
    } catch (const ProgramError& e) {
        if (std::string(e.what()).find("not built yet") != std::string::npos) return false;
        throw;
    }
    return true;
}

class StrategyTest : public ::testing::Test {
protected:
    StrategyTest() : text(TemplateTable::from_text(marker_text_ini())), folder(temp.folder()) {
        shared.gun_count = 4;
        shared.bushou_count = 10;
        shared.kuni_count = 5;
        state = std::make_unique<MsgState>(folder, shared, rng, text);
        auto& chr = state->world.chr;
        auto& gun = state->world.gun;
        // Warlord g is ruled by general g; generals 5..8 serve warlords 1..4; 9 and 10 are free.
        for (int g = 1; g <= 4; ++g) {
            gun[g].id = g;
            gun[g].name = "軍" + std::to_string(g);
            gun[g].kunshuID = g;
            gun[g].meisei = 50;
            gun[g].ifu = 20;
            gun[g].kessoku = 50;
            gun[g].tian = 50;
        }
        for (int k = 1; k <= 10; ++k) {
            chr[k].name = "将" + std::to_string(k);
            chr[k].jpg = "pic" + std::to_string(k);
            chr[k].policy = 5;
            chr[k].fight = 5;
            chr[k].wisdom = 5;
            chr[k].tactics = 5;
            chr[k].charm = 5;
            chr[k].Setu = 5;
            const int lord = k <= 4 ? k : (k <= 8 ? k - 4 : 0);
            chr[k].kunID = lord;
            chr[k].gunID = lord;
            chr[k].Job = k <= 4 ? static_cast<int>(kJobKunshu) : static_cast<int>(kJobSanbou);
        }
        for (int p = 1; p <= 5; ++p) state->world.kuni[p].name = "州" + std::to_string(p);
    }

    // Runs code at panel 1, position 0 with the given parameters and choice.
    StrategyEntry run(int code, int exec_id, int best, int entry_roll, int subject = 0, int level = 0,
                      int object = 0, int fail_id = 0) {
        shared.com_subject[1][0] = subject;
        shared.com_object[1][0] = object;
        shared.com_level[1][0] = level;
        StrategyEntry e;
        e.list = 1;
        e.entry = 0;
        e.code = code;
        e.exec_id = exec_id;
        e.best = best;
        e.fail_id = fail_id;
        e.entry_roll = entry_roll;
        execute_strategy(*state, e);
        return e;
    }

    const std::string& page() { return state->pages.page_text[state->pages.page_no]; }
    Gun& gun(int g) { return state->world.gun[g]; }
    Bushou& chr(int k) { return state->world.chr[k]; }
    Kuni& kuni(int p) { return state->world.kuni[p]; }

    TempGameFolder temp;
    SharedValues shared;
    ScriptedRandom rng;
    TemplateTable text;
    GameFolder folder;
    std::unique_ptr<MsgState> state;
};

}  // namespace teijinki::testing
