#include "strategy/odds_text.h"

#include <cmath>
#include <cstdio>

#include "strategy/strategy_table.h"

namespace teijinki {

namespace {

std::string percent(int count, int runs) {
    return std::to_string(std::lround(100.0 * count / runs)) + "％";
}

std::string about(int count, int runs) { return "約" + percent(count, runs); }

// The general chosen most often, with his warlord when that is not the one asked about (and is not
// named after the general himself); then how often the own generals carry the offer out, when
// other warlords' generals do too.
std::string executor(const OfferOdds& o) {
    const bool named_with_warlord = o.top_executor_warlord != o.own && !o.top_executor_warlord_name.empty() &&
                                    o.top_executor_warlord_name != o.top_executor_name;
    std::string who = named_with_warlord ? o.top_executor_warlord_name + "軍の" + o.top_executor_name
                                         : o.top_executor_name;
    if (o.own >= 1 && o.by_own < o.executed) who += "、自軍は " + percent(o.by_own, o.runs);
    return who;
}

std::string war_outcomes(const OfferOdds& o) {
    const WarOdds& w = o.war;
    std::string out = "、勝 " + percent(w.won, o.runs) + "・負 " + percent(w.lost, o.runs) + "・引分 " +
                      percent(w.drawn, o.runs);
    // The ways a surrender demand can end are rare; they are named only when they happened.
    if (w.enemy_yielded) out += "・敵の降伏 " + percent(w.enemy_yielded, o.runs);
    if (w.own_yielded) out += "・自軍の降伏 " + percent(w.own_yielded, o.runs);
    if (w.demand_refused) out += "・物別れ " + percent(w.demand_refused, o.runs);
    return out;
}

const char* success_meaning(int code) {
    switch (code) {
    case kRecruit: return "成功：目当ての人材が仕官する";
    case kEnterProvince: return "成功：その地に入国し、自国とする";
    case kSubvert: return "成功：相手陣営の結束を崩す（寝返りは成功したときの平均の人数）";
    case kYellowTurbans: return "成功：黄巾賊を討つ（占領はその地も得ること）";
    case kTribes: return "成功：異民族に大勝する（一部成功は兵を得るのみ）";
    case kMediate: return "成功：調停を果たす";
    case kDenounce: return "成功：相手の名声と結束を削ぐ";
    case kJoinAlliance: return "成功：同盟に加わる";
    case kLeaveAlliance: return "成功：同盟を抜ける";
    case kReplaceLeader: return "成功：盟主の座を得る";
    case kWar:
    case kRighteousWar: return "勝・負・引分：戦の決着（降伏は降伏勧告による決着）";
    default: return "";
    }
}

}  // namespace

std::string odds_line(const OfferOdds& o) {
    if (o.runs < 1) return {};
    std::string line = o.own >= 1 ? "見込み：" : "見込み（今の計画のまま）：";
    if (o.participants == 0) return line + "この作戦を選んだ軍閥はない";
    line += "実行 " + percent(o.executed, o.runs);
    if (o.top_executor) line += "（" + executor(o) + "）";
    if (o.executed == 0) return line;
    switch (o.code) {
    case kWar:
    case kRighteousWar: return line + war_outcomes(o);
    case kTribes: return line + "、成功 " + about(o.success, o.runs) + "、一部成功 " + about(o.partial, o.runs);
    case kYellowTurbans:
        return line + "、成功 " + about(o.success, o.runs) + "（占領 " + about(o.province_taken, o.runs) + "）";
    case kSubvert:
        line += "、成功 " + about(o.success, o.runs);
        if (o.success && o.generals_gained) {
            char average[16];
            std::snprintf(average, sizeof average, "%.1f", static_cast<double>(o.generals_gained) / o.success);
            line += std::string("（寝返り 平均") + average + "人）";
        }
        return line;
    default: return line + "、成功 " + about(o.success, o.runs);
    }
}

std::string odds_detail(const OfferOdds& o) {
    if (o.runs < 1) return {};
    const StrategyRule* rule = strategy_rule(o.code);
    std::string out = rule && rule->group == ChoiceGroup::T ? "実行：難易度の試しに通った武将がこの作戦を行う"
                                                             : "実行：この作戦を行う武将が選ばれる";
    out += "\n";
    out += success_meaning(o.code);
    if (o.code == kYellowTurbans || o.code == kTribes) out += "\n首領の帰順：" + about(o.leader_joined, o.runs);
    if (o.own >= 1 && o.by_own < o.executed) {
        out += "\n自軍の武将が行う：" + percent(o.by_own, o.runs);
        if (o.code != kWar && o.code != kRighteousWar) out += "、自軍による成功：" + about(o.success_by_own, o.runs);
        out += "（ほかは同じ作戦を選んだ軍閥の武将）";
    }
    if (o.own < 1) out += "\n各軍閥の今の計画のままで試算";
    out += "\nこの年の作戦を" + std::to_string(o.runs) + "回試算した結果";
    return out;
}

}  // namespace teijinki
