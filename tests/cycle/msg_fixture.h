#pragma once
// A message-window state over a small in-memory world, for the destruction and phase tests.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "messages/msg_state.h"
#include "test_support.h"
#include "world/random.h"
#include "world/template_composer.h"

namespace teijinki::testing {

inline TemplateTable small_text_table() {
    return TemplateTable::from_text(crlf_lines({".59", "+", "が新たな盟主となった。", "..", ".60", "+", "は滅び去った。", "..", ".100", ".."}));
}

class MsgFixture : public ::testing::Test {
protected:
    MsgFixture() {
        shared.gun_count = 4;
        shared.bushou_count = 8;
        shared.kuni_count = 3;
        reset();
    }
    // A fresh window state: warlords 1..4 ruled by generals 1..4, no land, no alliance.
    void reset() {
        state = std::make_unique<MsgState>(folder, shared, rng, text);
        for (int g = 1; g <= 4; ++g) {
            Gun& gun = world().gun[g];
            gun.id = g;
            gun.name = "軍" + std::to_string(g);
            gun.kunshuID = g;  // general g rules warlord g
            gun.meisei = 0;
            gun.ifu = 0;
            Bushou& ruler = world().chr[g];
            ruler.name = "君" + std::to_string(g);
            ruler.kunID = g;
            ruler.gunID = g;
            ruler.Job = kJobKunshu;
        }
    }
    WorkingSet& world() { return state->world; }
    // General k serves warlord g.
    void serve(int k, int g, int job = kJobShougun) {
        Bushou& b = world().chr[k];
        b.name = "将" + std::to_string(k);
        b.kunID = g;
        b.gunID = g;
        b.Job = job;
    }

    TempGameFolder dir;
    GameFolder folder = dir.folder();
    SharedValues shared;
    ScriptedRandom rng;
    TemplateTable text = small_text_table();
    std::unique_ptr<MsgState> state;
};

}  // namespace teijinki::testing
