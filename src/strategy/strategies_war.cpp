// 戦争 and 義戦: the declaration of war; the battle itself is War_rtn / Gisen_rtn.
#include "events/destruction.h"
#include "strategy/strategy_run.h"
#include "war/war.h"

namespace teijinki::strategy {

void declare_war(const Run& run, bool righteous) {
    if (!run.has_executor()) return;
    run.tag_executor();
    const Bushou& ex = run.executor();
    const int s = run.subject();
    // No war on oneself, and none on an empty target (an offer whose search found nobody).
    if (s == run.w() || !run.valid_warlord(s)) {
        run.say(32, ex.name, "");
        return;
    }
    Gun& w = run.own();
    Gun& target = run.gun(s);
    if (righteous) {
        raise_capped(w.meisei, 5, 200);
        run.say(12, ex.name, w.name + "は" + target.name);
    } else {
        run.say(12, ex.name, w.name + "を中心とした連合軍は、" + target.name);
    }
    if (isPlayer(run.state, s)) {
        run.append(std::string(kPlayerAttackedNotice) + kCrLf);
        run.state.attacked = true;
    }
    if (righteous)
        Gisen_rtn(run.state, w, target);
    else
        War_rtn(run.state, w, target);
}

}  // namespace teijinki::strategy
