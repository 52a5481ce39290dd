#pragma once
// What every strategy body shares: the current entry, its parameters, the executing general and
// his warlord, and short ways to tell the story. Internal to the strategy files.

#include <string>

#include "strategy/strategies.h"

namespace teijinki::strategy {

struct Run {
    MsgState& state;
    StrategyEntry& entry;

    SharedValues& shared() const { return state.shared; }
    Int16& subject() const { return state.shared.com_subject[entry.list][entry.entry]; }
    Int16& object() const { return state.shared.com_object[entry.list][entry.entry]; }
    Int16& level() const { return state.shared.com_level[entry.list][entry.entry]; }

    bool has_executor() const { return entry.exec_id > 0 && entry.best > 0; }
    Bushou& executor() const { return state.world.chr[entry.exec_id]; }
    // The executor's warlord w.
    int w() const { return executor().gunID; }
    Gun& own() const { return state.world.gun[w()]; }

    Bushou& chr(int k) const { return state.world.chr[k]; }
    Gun& gun(int g) const { return state.world.gun[g]; }
    Kuni& kuni(int p) const { return state.world.kuni[p]; }

    // Ids a parameter may name; anything else is a stale or empty offer, never a record to touch.
    bool valid_general(int k) const { return k >= 1 && k <= last_general(state.shared); }
    bool valid_warlord(int g) const { return g >= 1 && g <= last_warlord(state.shared); }
    bool valid_province(int p) const { return p >= 1 && p <= last_province(state.shared); }

    // The executor's picture and caption on the current page.
    void tag_executor() const { state.pages.tag(executor().jpg, executor().name); }

    void say(int section) const { state.show_text(section); }
    void say(int section, std::string sub1) const {
        state.shared.text_sub1 = std::move(sub1);
        state.show_text(section);
    }
    void say(int section, std::string sub1, std::string sub2) const {
        state.shared.text_sub1 = std::move(sub1);
        state.shared.text_sub2 = std::move(sub2);
        state.show_text(section);
    }
    // A sentence built in code, appended to the current page.
    void append(const std::string& sentence) const { state.append(sentence); }
};

// 1 人材募集, 4 黄巾賊退治, 5 異民族討伐
void recruit(const Run& run);
void yellow_turbans(const Run& run);
void tribes(const Run& run);
// 2 入国, 3 調略, 6 調停, 7 糾弾
void enter_province(const Run& run);
void subvert(const Run& run);
void mediate(const Run& run);
void denounce(const Run& run);
// 8 同盟参加, 9 脱退, 10 盟主交替
void join_alliance(const Run& run);
void leave_alliance(const Run& run);
void replace_leader(const Run& run);
// 11 戦争, 12 義戦
void declare_war(const Run& run, bool righteous);

}  // namespace teijinki::strategy
