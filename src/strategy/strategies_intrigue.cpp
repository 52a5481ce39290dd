// Strategies of influence: taking a province peacefully (入国), breaking a rival's cohesion
// (調略), mediating within the alliance (調停) and denouncing a rival (糾弾).
#include <algorithm>

#include "events/defection.h"
#include "strategy/strategy_run.h"
#include "world/numbers.h"

namespace teijinki::strategy {

void enter_province(const Run& run) {
    if (!run.has_executor()) return;
    run.tag_executor();
    const Bushou& ex = run.executor();
    const int p = run.subject();
    if (!run.valid_province(p)) {
        run.say(33, ex.name);
        return;
    }
    Gun& w = run.own();
    Kuni& province = run.kuni(p);
    if (province.gunID == w.id) {
        run.say(53, ex.name);
        return;
    }
    if (province.gunID != 0) {
        // A governed province resists according to its owner's public order.
        const Gun& owner = run.gun(province.gunID);
        run.level() = CInt(static_cast<float>(owner.tian) / 10.0f + static_cast<float>(run.level()) - 5.0f);
        run.append(province.name + "の太守は、" + owner.name + "である。" + kCrLf);
    }
    const float standing = static_cast<float>(w.meisei) / 10.0f + static_cast<float>(ex.policy);
    if (standing >= static_cast<float>(run.entry.entry_roll + run.level())) {
        province.gunID = w.id;
        run.say(2, ex.name, w.name + "の名声により" + province.name + "の住民は" + w.name);
    } else {
        run.say(22, w.name, province.name);
    }
}

void subvert(const Run& run) {
    const int s = run.subject();
    if (!run.has_executor()) {
        const int failed = run.entry.fail_id;
        if (failed > 0 && run.chr(failed).gunID != s && run.valid_warlord(s))
            run.say(23, run.chr(failed).name, run.gun(s).name);
        return;
    }
    run.tag_executor();
    const Bushou& ex = run.executor();
    if (!run.valid_warlord(s) || run.gun(s).kunshuID == ex.kunID) {
        run.say(33, ex.name);
        return;
    }
    Gun& target = run.gun(s);
    const float factor = (25.0f - static_cast<float>(ex.wisdom)) / 25.0f;
    target.kessoku = Int(factor * static_cast<float>(target.kessoku));
    run.say(3, ex.name, target.name + "陣営の結束が" + Str(static_cast<long long>(target.kessoku)));
    Gun& w = run.own();
    Rnd_Shuppon2(run.state, w, target);
    if (!run.state.shared.text_sub1.empty()) {
        run.state.shared.text_sub2 = w.name;
        run.say(13);
    }
}

void mediate(const Run& run) {
    if (!run.has_executor()) {
        if (run.entry.fail_id > 0) run.say(58, "調停");
        return;
    }
    run.tag_executor();
    const Bushou& ex = run.executor();
    Gun& w = run.own();
    raise_capped(w.meisei, run.level(), 200);
    raise_capped(run.state.shared.mei_kessoku[run.state.shared.gun_mei2[w.id]], ex.policy, 100);
    // Tells both gains: the fame by the difficulty overcome, the alliance's cohesion by the
    // mediator's policy.
    run.say(6, ex.name,
            w.name + "の名声が" + Str(static_cast<long long>(run.level())) + "、同盟の結束が" +
                Str(static_cast<long long>(ex.policy)));
}

void denounce(const Run& run) {
    if (!run.has_executor()) {
        if (run.entry.fail_id > 0) run.say(58, "糾弾");
        return;
    }
    run.tag_executor();
    const Bushou& ex = run.executor();
    const int s = run.subject();
    if (!run.valid_warlord(s)) {
        run.say(33, ex.name);
        return;
    }
    if (s == run.w()) {
        run.say(27, ex.name);
        return;
    }
    Gun& target = run.gun(s);
    // Single precision as the rules compute it: level 2 leaves exactly 90 %, level 8 60 %.
    const float keep = 1.0f - static_cast<float>(run.level()) / 20.0f;
    target.meisei = Int(keep * static_cast<float>(target.meisei));
    target.kessoku = Int(keep * static_cast<float>(target.kessoku));
    Int16& cohesion = run.state.shared.mei_kessoku[run.state.shared.gun_mei2[s]];
    cohesion = CInt(static_cast<float>(2 * cohesion) / 3.0f);
    run.state.shared.text_sub2 =
        target.name + "の名声と、その幕僚の結束が" + Str(static_cast<long long>(run.level()));
    run.say(7);
}

}  // namespace teijinki::strategy
