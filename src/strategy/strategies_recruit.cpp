// Strategies that win generals over: 人材募集, and the two expeditions (黄巾賊退治, 異民族討伐)
// that end in the 器量 contest for the enemy leader.
#include "events/defection.h"
#include "strategy/strategy_run.h"
#include "world/numbers.h"
#include "world/random.h"

namespace teijinki::strategy {

namespace {

// The recruit now serves the executor's ruler and warlord; section 1 tells it.
void join_executor(const Run& run, int recruit) {
    Bushou& r = run.chr(recruit);
    r.kunID = run.executor().kunID;
    r.gunID = run.executor().gunID;
    run.say(1, r.name, run.own().name + "が");
}

// The 器量 contest of the executor's ruler against the enemy leader com_subject.
void charm_contest(const Run& run) {
    const int leader = run.subject();
    const int roll = roll2d6(run.state.rng);
    if (!run.valid_general(leader)) return;  // an expedition without a leader has nobody to win over
    const int ruler = run.executor().kunID;
    const int ruler_charm = run.valid_general(ruler) ? static_cast<int>(run.chr(ruler).charm) : 0;
    if (roll + ruler_charm >= run.entry.entry_roll + run.chr(leader).charm) {
        join_executor(run, leader);
    } else {
        run.append(run.chr(leader).name + "は身を隠したようだった。");
        run.say(43, run.executor().name);
    }
}

}  // namespace

void recruit(const Run& run) {
    if (!run.has_executor()) {
        if (run.entry.fail_id > 0) {
            run.state.shared.text_sub2 = run.chr(run.entry.fail_id).name;
            run.say(52);
        }
        return;
    }
    run.tag_executor();
    const int k = run.subject();
    if (!run.valid_general(k)) {
        run.say(33, run.executor().name);
        return;
    }
    Gun& w = run.own();
    // r = 0 with probability 0.6: the recruit comes without being asked twice.
    const long long r = Int(run.state.rng.Rnd() * 5.0f / 3.0f);
    if (r == 1)
        run.say(47, run.executor().name, run.chr(k).name + "は" + w.name);
    else
        run.say(48, run.chr(k).name);
    const float standing = static_cast<float>(w.meisei - w.ifu) / 7.0f;
    if (r == 0 || standing >= static_cast<float>(run.entry.entry_roll - 5))
        join_executor(run, k);
    else
        run.say(21);
}

void yellow_turbans(const Run& run) {
    if (!run.has_executor()) return;
    run.tag_executor();
    const Bushou& ex = run.executor();
    const int bar = run.entry.entry_roll + run.level();
    if (!(run.entry.best >= bar || ex.tactics > bar)) {
        run.say(43, ex.name);
        return;
    }
    Gun& w = run.own();
    run.say(4, ex.name);
    gain_fame(w, 3);
    gain_awe(w, 1);

    const int r = roll(run.state.rng, 10) + roll(run.state.rng, 10) + 2;
    const int p = run.object();
    const std::string province = run.valid_province(p) ? run.kuni(p).name : std::string(kMissingProvinceName);
    if (run.valid_province(p) && r + w.tian >= 50) {
        run.kuni(p).gunID = w.id;
        update_Army(run.state);
        run.say(14, ex.name, province + "の人民が");
    } else {
        run.say(24, ex.name, province + "の人民");
    }
    charm_contest(run);
}

void tribes(const Run& run) {
    if (!run.has_executor()) return;
    run.tag_executor();
    const Bushou& ex = run.executor();
    Gun& w = run.own();
    run.say(5);
    const long long gain = Int(static_cast<float>((ex.charm + 1) * run.object()) / 10.0f);
    w.seihei += gain;
    w.tian -= 5;
    if (w.tian < 0) w.tian = 0;
    if (ex.fight + 4 >= run.entry.entry_roll + run.level()) {
        run.state.shared.text_sub2 = w.name;
        run.say(46);
        gain_fame(w, 3);
        gain_awe(w, 3);
    } else {
        gain_fame(w, 1);
        gain_awe(w, 3);
        run.state.shared.text_sub2 = Str(gain) + "000が";
        run.say(15);
    }
    charm_contest(run);
}

}  // namespace teijinki::strategy
