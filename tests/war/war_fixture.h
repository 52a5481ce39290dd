#pragma once
// A small world for battles: warlords, generals and provinces set by hand, prose sections that
// show which text was told with which substitutions, and a scripted or seeded source of dice.

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "messages/msg_state.h"
#include "test_support.h"
#include "world/random.h"
#include "world/template_composer.h"

namespace teijinki::testing {

// Every section prints its number and the substitutions it uses, e.g. "<19:呉| 54>" + CR LF
// (the closing ".." line breaks the line).
inline std::string battle_prose() {
    const char* sections[] = {"13+*", "16+*", "17+*", "19+*", "20+*", "25+*", "26+*", "28+*", "29+*", "30+*",
                              "34+*", "35+",  "36",   "37+",  "40",   "41+*", "42+*", "49+",  "50+",  "51+",
                              "54+",  "55*",  "57+*"};
    std::string text;
    for (const std::string s : sections) {
        const std::string number = s.substr(0, 2), subs = s.substr(2);
        text += "." + number + "\r\n<" + number + ":\r\n";
        if (subs.find('+') != std::string::npos) text += "+\r\n";
        if (subs.size() == 2) text += "|\r\n";
        if (subs.find('*') != std::string::npos) text += "*\r\n";
        text += ">\r\n..\r\n";
    }
    return text + ".100\r\n";
}

struct General {
    int id;
    const char* name;
    int gun, job, policy, fight, wisdom, tactics, charm, setu;
};

class WarWorld {
public:
    WarWorld() : text_(TemplateTable::from_text(battle_prose())), state_(folder_, shared, dice, text_) {
        shared.gun_count = shared.bushou_count = shared.kuni_count = 0;
        for (auto& v : shared.mei_kessoku) v = 100;
        chr(0).name = kMissingGeneralName;
        chr(0).jpg = kMissingGeneralPortrait;
    }

    MsgState& state() { return state_; }
    Gun& gun(int id) { return state_.world.gun[id]; }
    Bushou& chr(int id) { return state_.world.chr[id]; }
    Kuni& kuni(int id) { return state_.world.kuni[id]; }

    Gun& add_warlord(int id, const char* name, int ruler, int army, int seihei, int tian, int kessoku) {
        Gun& g = gun(id);
        g = Gun{};
        g.id = id, g.name = name, g.kunshuID = ruler, g.army = army, g.seihei = seihei;
        g.tian = tian, g.kessoku = kessoku, g.meisei = 50, g.ifu = 10;
        shared.gun_count = std::max<int>(shared.gun_count, id);
        return g;
    }
    // Serves the ruler of warlord d.gun.
    Bushou& add_general(const General& d) {
        Bushou& b = chr(d.id);
        b.name = d.name, b.gunID = d.gun, b.kunID = d.gun > 0 ? static_cast<int>(gun(d.gun).kunshuID) : 0;
        b.Job = d.job, b.policy = d.policy, b.fight = d.fight, b.wisdom = d.wisdom, b.tactics = d.tactics;
        b.charm = d.charm, b.Setu = d.setu, b.jpg = "cg" + std::to_string(d.id);
        shared.bushou_count = std::max<int>(shared.bushou_count, d.id);
        return b;
    }
    Kuni& add_province(int id, const char* name, int owner, int army = 10) {
        Kuni& k = kuni(id);
        k.name = name, k.gunID = owner, k.army = army;
        shared.kuni_count = std::max<int>(shared.kuni_count, id);
        return k;
    }
    // Int(Rnd × n) comes out as k, for each (k, n) in order.
    void rolls(std::initializer_list<std::pair<int, int>> values) {
        for (const auto& [k, n] : values) dice.push_roll(k, n);
    }

    SharedValues shared;
    TestDice dice;

private:
    GameFolder folder_{"/nonexistent-teijinki-war-test"};
    TemplateTable text_;
    MsgState state_;
};

}  // namespace teijinki::testing
