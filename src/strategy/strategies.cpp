#include "strategy/strategies.h"

#include "strategy/strategy_phase.h"
#include "strategy/strategy_run.h"
#include "strategy/strategy_table.h"
#include "world/trace.h"

namespace teijinki {

std::vector<int> entry_participants(const MsgState& state, int list, int entry) {
    std::vector<int> out;
    for (int g = 1; g <= last_warlord(state.shared); ++g)
        if (!state.world.gun[g].del && takes_part(state.shared, g, list, entry)) out.push_back(g);
    return out;
}

void gain_fame(Gun& gun, int n) {
    if (gun.meisei < 200) gun.meisei += n;
}

void gain_awe(Gun& gun, int n) {
    if (gun.ifu < 100) gun.ifu += n;
}

void execute_strategy(MsgState& state, StrategyEntry& entry) {
    if (state.trace)
        state.trace->entry(state.shared.form_param, entry.list, entry.entry, entry.code,
                           entry_participants(state, entry.list, entry.entry), entry.exec_id, entry.best,
                           entry.fail_id);

    const strategy::Run run{state, entry};
    switch (entry.code) {
        case kRecruit: strategy::recruit(run); break;
        case kEnterProvince: strategy::enter_province(run); break;
        case kSubvert: strategy::subvert(run); break;
        case kYellowTurbans: strategy::yellow_turbans(run); break;
        case kTribes: strategy::tribes(run); break;
        case kMediate: strategy::mediate(run); break;
        case kDenounce: strategy::denounce(run); break;
        case kJoinAlliance: strategy::join_alliance(run); break;
        case kLeaveAlliance: strategy::leave_alliance(run); break;
        case kReplaceLeader: strategy::replace_leader(run); break;
        case kWar: strategy::declare_war(run, false); break;
        case kRighteousWar: strategy::declare_war(run, true); break;
        default: break;  // 待機, 暗殺 and anything else are never carried out
    }
}

}  // namespace teijinki
