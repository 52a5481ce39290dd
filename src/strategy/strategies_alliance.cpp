// Strategies of alliance politics: joining an alliance (同盟参加), leaving it (脱退) and seizing
// its leadership (盟主交替). meishuID holds the ruler (general id) of the alliance's leader.
#include "strategy/strategy_run.h"
#include "world/numbers.h"

namespace teijinki::strategy {

void join_alliance(const Run& run) {
    if (!run.has_executor()) return;
    run.tag_executor();
    const Bushou& ex = run.executor();
    Gun& w = run.own();
    const float standing = static_cast<float>(w.meisei) / 20.0f + static_cast<float>(ex.policy) + 3.0f;
    if (standing >= static_cast<float>(run.entry.entry_roll + run.level())) {
        const int leader = run.subject();
        w.meishuID = leader;
        Int16& cohesion = run.state.shared.mei_kessoku[run.state.shared.gun_mei2[w.id]];
        // A newcomer of little fame weakens the alliance it joins.
        cohesion = CInt(static_cast<float>(cohesion) + static_cast<float>(w.meisei) / 12.0f - 5.0f);
        const std::string leader_name =
            run.valid_general(leader) ? run.chr(leader).name : std::string(kMissingGeneralName);
        run.say(8, ex.name, w.name + "の名声により" + w.name + "は" + leader_name + "の");
    } else {
        run.say(39, ex.name, w.name);
    }
}

void leave_alliance(const Run& run) {
    if (!run.has_executor() || run.entry.best < run.entry.entry_roll + run.level()) return;
    run.tag_executor();
    const Bushou& ex = run.executor();
    Gun& w = run.own();
    if (w.meishuID == ex.kunID) {
        // The leader cannot walk out of his own alliance.
        run.say(18, ex.name);
        return;
    }
    w.meishuID = 0;
    run.say(9, ex.name, w.name);
}

void replace_leader(const Run& run) {
    if (!run.has_executor()) return;
    run.tag_executor();
    const Bushou& ex = run.executor();
    Gun& w = run.own();
    const int old_leader = w.meishuID;
    if (old_leader <= 0 || old_leader == ex.kunID) {
        run.say(33, ex.name);
        return;
    }
    const int l = run.valid_general(old_leader) ? static_cast<int>(run.chr(old_leader).gunID) : 0;
    Gun& leader_gun = run.gun(l);
    const float ours = static_cast<float>(w.meisei + w.ifu) / 10.0f + static_cast<float>(run.entry.best);
    const float theirs = static_cast<float>(run.entry.entry_roll) +
                         static_cast<float>(leader_gun.meisei + leader_gun.ifu) / 10.0f +
                         static_cast<float>(run.level());
    if (ours >= theirs) {
        if (l > 0) leader_gun.meishuID = 0;
        for (int g = 1; g <= last_warlord(run.state.shared); ++g)
            if (run.gun(g).meishuID == old_leader) run.gun(g).meishuID = ex.kunID;
        run.say(10, ex.name, w.name);
    } else {
        run.say(44, ex.name);
    }
}

}  // namespace teijinki::strategy
