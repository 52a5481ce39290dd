#include "setup/scenarios.h"

namespace teijinki {

namespace {
constexpr Scenario kScenarios[kScenarioCount] = {
    {1, "シナリオ１・董卓打倒", 189, 216, 13, 155, "\\ini\\Bushou1.ini", "\\ini\\gunbatu1.ini", "\\ini\\Kuni1.ini",
     "\\ini\\Comment1.ini", 21, false},
    {2, "シナリオ２・群雄割拠", 195, 221, 12, 155, "\\ini\\Bushou2.ini", "\\ini\\gunbatu2.ini", "\\ini\\Kuni2.ini",
     "\\ini\\Comment2.ini", 22, false},
    {3, "シナリオ３・諸星集夢", 200, 226, 13, 160, "\\ini\\Bushou.ini", "\\ini\\gunbatu.ini", "\\ini\\Kuni.ini",
     "\\ini\\Comment.ini", 23, false},
    {4, "シナリオ４・董卓打倒（仮想）", 189, 216, 13, 155, "\\ini\\Bushou1.ini", "\\ini\\gunbatu1.ini", "\\ini\\Kuni1.ini",
     "\\ini\\Comment1.ini", 24, true},
    {5, "シナリオ５・群雄割拠（仮想）", 195, 221, 12, 155, "\\ini\\Bushou2.ini", "\\ini\\gunbatu2.ini", "\\ini\\Kuni2.ini",
     "\\ini\\Comment2.ini", 25, true},
    {6, "シナリオ６・諸星集夢（仮想）", 200, 226, 13, 160, "\\ini\\Bushou.ini", "\\ini\\gunbatu.ini", "\\ini\\Kuni.ini",
     "\\ini\\Comment.ini", 26, true},
};
}  // namespace

const Scenario* find_scenario(int no) {
    if (no < 1 || no > kScenarioCount) return nullptr;
    return &kScenarios[no - 1];
}

}  // namespace teijinki
