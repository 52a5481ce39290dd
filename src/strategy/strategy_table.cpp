#include "strategy/strategy_table.h"

namespace teijinki {

std::string_view command_name(int code) {
    static constexpr std::string_view names[] = {"待機", "人材募集", "入国", "調略", "黄巾賊退治", "異民族討伐", "調停",
                                                 "糾弾", "同盟参加", "脱退", "盟主交替", "戦争", "義戦", "暗殺"};
    if (code < 0 || code > 13) return "";
    return names[code];
}

namespace {
//                                     job: 0      文官   武官   参謀   将軍   君主   軍師
constexpr StrategyRule kRules[12] = {
    {Ability::Charm, ChoiceGroup::T, {false, true, true, false, false, false, false}},     // 1 人材募集
    {Ability::Policy, ChoiceGroup::B, {false, false, true, false, true, false, false}},    // 2 入国
    {Ability::Wisdom, ChoiceGroup::T, {false, true, true, false, true, false, false}},     // 3 調略
    {Ability::Fight, ChoiceGroup::B, {false, true, false, true, false, false, true}},      // 4 黄巾賊退治
    {Ability::Tactics, ChoiceGroup::T, {false, true, true, true, false, false, false}},    // 5 異民族討伐
    {Ability::Charm, ChoiceGroup::T, {false, true, true, false, true, false, false}},      // 6 調停
    {Ability::Policy, ChoiceGroup::T, {false, false, true, false, true, false, false}},    // 7 糾弾
    {Ability::Policy, ChoiceGroup::A, {false, false, true, false, true, false, false}},    // 8 同盟参加
    {Ability::Wisdom, ChoiceGroup::B, {false, true, true, false, false, false, false}},    // 9 脱退
    {Ability::Wisdom, ChoiceGroup::A, {false, true, true, false, true, false, false}},     // 10 盟主交替
    {Ability::Wisdom, ChoiceGroup::A, {false, true, true, false, false, false, false}},    // 11 戦争
    {Ability::Policy, ChoiceGroup::A, {false, true, true, false, true, false, false}},     // 12 義戦
};
}  // namespace

const StrategyRule* strategy_rule(int code) {
    if (code < 1 || code > 12) return nullptr;
    return &kRules[code - 1];
}

int ability_of(const Bushou& general, Ability ability) {
    switch (ability) {
        case Ability::Policy: return general.policy;
        case Ability::Fight: return general.fight;
        case Ability::Wisdom: return general.wisdom;
        case Ability::Tactics: return general.tactics;
        case Ability::Charm: return general.charm;
    }
    return 0;
}

}  // namespace teijinki
