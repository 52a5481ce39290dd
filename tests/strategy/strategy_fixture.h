#pragma once
// A small world for the strategy tests: warlord g (1..4) ruled by general g, generals 5..8 serving
// warlords 1..4, generals 9 and 10 free, five provinces. Text section n composes to
// "[S<n>]" + text_sub1 + "|" + text_sub2 + CR LF, so a test sees which sections were told.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "messages/msg_state.h"
#include "strategy/strategies.h"
#include "strategy/strategy_table.h"
#include "test_support.h"
#include "world/error.h"

namespace teijinki::testing {

inline std::string marker_text_ini() {
    std::string out;
    for (int n = 1; n <= 99; ++n) out += "." + std::to_string(n) + "\r\n[S" + std::to_string(n) + "]\r\n+\r\n|\r\n*\r\n..\r\n";
    return out + ".100\r\n";
}

struct SmallWorld {
    explicit SmallWorld(RandomSource& rng) : text(TemplateTable::from_text(marker_text_ini())), folder(temp.folder()) {
        shared.gun_count = 4;
        shared.bushou_count = 10;
        shared.kuni_count = 5;
        state = std::make_unique<MsgState>(folder, shared, rng, text);
        for (int g = 1; g <= 4; ++g) {
            Gun& w = state->world.gun[g];
            w.id = g;
            w.name = "軍" + std::to_string(g);
            w.kunshuID = g;
            w.meisei = 50;
            w.ifu = 20;
            w.kessoku = 50;
            w.tian = 50;
            w.army = 30;
            state->world.kuni[g].gunID = g;
            state->world.kuni[g].army = 30;
        }
        for (int k = 1; k <= 10; ++k) {
            Bushou& b = state->world.chr[k];
            b.name = "将" + std::to_string(k);
            b.jpg = "pic" + std::to_string(k);
            b.policy = b.fight = b.wisdom = b.tactics = b.charm = b.Setu = 5;
            b.kunID = b.gunID = k <= 4 ? k : (k <= 8 ? k - 4 : 0);
            b.Job = k <= 4 ? 5 : 3;
        }
        for (int p = 1; p <= 5; ++p) state->world.kuni[p].name = "州" + std::to_string(p);
        state->world.kuni[5].gunID = 0;
    }

    // Carries out `code` as entry 0 of panel 1 with the given parameters and choice.
    void run(int code, int exec_id, int best, int entry_roll, int subject = 0, int level = 0, int fail_id = 0) {
        shared.com_subject[1][0] = subject;
        shared.com_level[1][0] = level;
        StrategyEntry e{1, 0, code, exec_id, best, fail_id, entry_roll};
        execute_strategy(*state, e);
    }
    const std::string& page() const { return state->pages.page_text[state->pages.page_no]; }
    Gun& gun(int g) { return state->world.gun[g]; }
    Bushou& chr(int k) { return state->world.chr[k]; }

    TempGameFolder temp;
    SharedValues shared;
    TemplateTable text;
    GameFolder folder;
    std::unique_ptr<MsgState> state;
};

struct ScriptedDice {
    ScriptedRandom rng;
};

// Bases are built in order, so the dice exist before the world keeps a reference to them.
class StrategyTest : public ::testing::Test, protected ScriptedDice, public SmallWorld {
protected:
    StrategyTest() : SmallWorld(rng) {}
};

}  // namespace teijinki::testing
