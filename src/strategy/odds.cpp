#include "strategy/odds.h"

#include <memory>
#include <set>

#include "messages/msg_state.h"
#include "strategy/strategy_phase.h"
#include "strategy/strategy_table.h"
#include "war/battle_sheet.h"
#include "world/random.h"
#include "world/trace.h"
#include "world/working_set.h"

namespace teijinki {

namespace {

// Fixed seeds, so that the same situation always shows the same figures.
constexpr std::uint64_t kFirstSeed = 0x6F646473ULL;

// The story sections that tell how an entry of each strategy ended (0 = none).
struct OutcomeSections {
    int success = 0;
    int partial = 0;
    int province = 0;
    int leader = 0;
};

OutcomeSections outcome_sections(int code) {
    switch (code) {
    case kRecruit: return {.success = 1};        // joined
    case kEnterProvince: return {.success = 2};  // taken
    case kSubvert: return {.success = 3};        // cohesion broken
    case kYellowTurbans: return {.success = 4, .province = 14, .leader = 1};
    case kTribes: return {.success = 46, .partial = 15, .leader = 1};
    case kMediate: return {.success = 6};
    case kDenounce: return {.success = 7};
    case kJoinAlliance: return {.success = 8};
    case kLeaveAlliance: return {.success = 9};
    case kReplaceLeader: return {.success = 10};
    default: return {};  // wars are read from their verdict
    }
}

// What one run did with the entry, gathered from the run's trace: the entry's event opens it (the
// executor is chosen, nothing of it is carried out yet), the next entry's event or the end of
// the run closes it. In between nothing but the entry itself changes the world.
class EntryWatch : public TraceSink {
public:
    EntryWatch(const WorkingSet& world, int panel, int pos) : world_(world), panel_(panel), pos_(pos) {}

    void offers(int, int, const std::vector<TraceOffer>&) override {}
    void pick(int, int, int, int, bool) override {}
    void year_end(int, const std::vector<TraceWarlord>&) override {}

    void entry(int, int panel, int pos, int, const std::vector<int>& participants, int exec_id, int best,
               int) override {
        close();
        if (panel != panel_ || pos != pos_) return;
        open_ = true;
        participants_ = static_cast<int>(participants.size());
        if (exec_id >= 1 && exec_id <= kMaxGenerals && best > 0) {
            executor_ = exec_id;
            side_ = world_.chr[exec_id].gunID;
        }
        for (int k = 0; k < static_cast<int>(served_before_.size()); ++k) served_before_[k] = world_.chr[k].gunID;
    }

    void war(int, bool, int attacker, int, int, int tactic, int verdict) override {
        if (!open_ || attacker != side_ || fought_) return;
        fought_ = true;
        tactic_ = tactic;
        verdict_ = verdict;
    }

    void told(int, int section) override {
        if (open_) told_.insert(section);
    }

    // Ends the entry; generals now serving the executor's warlord who did not before came over.
    void close() {
        if (!open_) return;
        open_ = false;
        if (side_ < 1) return;
        for (int k = 1; k < static_cast<int>(served_before_.size()); ++k)
            if (served_before_[k] != side_ && world_.chr[k].gunID == side_) ++gained_;
    }

    void add_to(OfferOdds& odds, Table<int, kMaxGenerals + 1>& chosen) const {
        odds.participants = participants_;
        if (executor_ < 1) return;
        ++odds.executed;
        ++chosen[executor_];
        if (odds.own >= 1 && side_ == odds.own) ++odds.by_own;
        const OutcomeSections sections = outcome_sections(odds.code);
        auto told = [&](int section) { return section > 0 && told_.contains(section); };
        if (told(sections.success)) {
            ++odds.success;
            if (odds.own >= 1 && side_ == odds.own) ++odds.success_by_own;
        }
        if (told(sections.partial)) ++odds.partial;
        if (told(sections.province)) ++odds.province_taken;
        if (told(sections.leader)) ++odds.leader_joined;
        odds.generals_gained += gained_;
        if (!fought_) return;
        const bool surrender = tactic_ == kSurrenderDemand;
        if (verdict_ == kAttackerWins)
            ++(surrender ? odds.war.enemy_yielded : odds.war.won);
        else if (verdict_ == kDefenderWins)
            ++(surrender ? odds.war.own_yielded : odds.war.lost);
        else
            ++(surrender ? odds.war.demand_refused : odds.war.drawn);
    }

private:
    const WorkingSet& world_;
    int panel_;
    int pos_;
    bool open_ = false;
    int participants_ = 0;
    int executor_ = 0;
    int side_ = 0;
    Table<Int16, kMaxGenerals + 1> served_before_;
    std::set<int> told_;
    int gained_ = 0;
    bool fought_ = false;
    int tactic_ = 0;
    int verdict_ = 0;
};

}  // namespace

OfferOdds estimate_offer_odds(const GameFolder& folder, const SharedValues& shared, const TemplateTable& text,
                              int panel, int pos, int own, int runs) {
    OfferOdds odds;
    odds.panel = panel;
    odds.pos = pos;
    odds.own = own >= 1 && own <= kMaxWarlords ? own : 0;
    if (panel < 0 || panel > kMaxAlliances || pos < 0 || pos > 3) return odds;
    const std::vector<int>& codes = shared.com_codes[panel];
    if (pos >= static_cast<int>(codes.size())) return odds;
    odds.code = codes[static_cast<std::size_t>(pos)];
    if (!strategy_rule(odds.code) || runs < 1) return odds;

    SharedValues plans = shared;
    if (odds.own >= 1) plans.gun_mei[odds.own] = static_cast<Int16>(pos);
    auto loaded = std::make_unique<WorkingSet>();
    load_working_set(folder, plans, *loaded);

    Table<int, kMaxGenerals + 1> chosen;
    for (int i = 0; i < runs; ++i) {
        SharedValues run_shared = plans;
        SeededRandom dice(kFirstSeed + static_cast<std::uint64_t>(i));
        auto state = std::make_unique<MsgState>(folder, run_shared, dice, text);
        state->world = *loaded;
        EntryWatch watch(state->world, panel, pos);
        state->trace = &watch;
        play_strategy_phase(*state);  // its pages are dropped with the state
        watch.close();
        watch.add_to(odds, chosen);
    }
    odds.runs = runs;
    for (int k = 1; k < static_cast<int>(chosen.size()); ++k)
        if (chosen[k] > odds.top_executor_runs) {
            odds.top_executor = k;
            odds.top_executor_runs = chosen[k];
        }
    if (odds.top_executor) {
        const Bushou& general = loaded->chr[odds.top_executor];
        odds.top_executor_name = general.name;
        if (general.gunID >= 1 && general.gunID <= kMaxWarlords) {
            odds.top_executor_warlord = general.gunID;
            odds.top_executor_warlord_name = loaded->gun[general.gunID].name;
        }
    }
    return odds;
}

}  // namespace teijinki
