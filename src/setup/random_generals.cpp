#include "setup/random_generals.h"

#include <vector>

#include "world/error.h"
#include "world/list_io.h"

namespace teijinki {

namespace {

constexpr int kSurnamesRead = 170;
constexpr int kSurnamesDrawn = 166;  // the last four surnames are never drawn
constexpr int kGivenNames = 150;

std::vector<std::string> read_names(const GameFolder& folder, const char* literal, int wanted, int needed) {
    const std::string label = GameFolder::display_name(literal);
    ListReader in(folder.read_text(literal), label);
    std::vector<std::string> names(1);  // index 0 unused
    while (!in.eof() && static_cast<int>(names.size()) <= wanted) {
        std::string name = in.item();
        if (name.empty()) {
            if (in.eof()) break;  // a blank last line
            throw DataError(label, "name " + std::to_string(names.size()) + " is empty");
        }
        names.push_back(std::move(name));
    }
    const int count = static_cast<int>(names.size()) - 1;
    if (count < needed)
        throw DataError(label, "holds " + std::to_string(count) + " names; at least " + std::to_string(needed) +
                                   " are needed");
    return names;
}

// The sum of the listed dice In = Int(Rnd × n), drawn left to right, plus a constant.
int dice(RandomSource& rng, std::initializer_list<int> sides, int constant) {
    int total = constant;
    for (int n : sides) total += roll(rng, n);
    return total;
}

}  // namespace

void mk_Name_rtn(const GameFolder& folder, RandomSource& rng, Roster& roster) {
    const auto surnames = read_names(folder, "\\ini\\sei.ini", kSurnamesRead, kSurnamesDrawn);
    const auto given = read_names(folder, "\\ini\\mei.ini", kGivenNames, kGivenNames);
    rng.Randomize();
    for (int i = 1; i <= kRosterSize; ++i) {
        const int s = roll(rng, kSurnamesDrawn) + 1;
        const int g = roll(rng, kGivenNames) + 1;
        roster.generals[i].name = surnames[static_cast<std::size_t>(s)] + given[static_cast<std::size_t>(g)];
    }
}

void mk_Abl_rtn(RandomSource& rng, Roster& roster) {
    rng.Randomize();
    for (int i = 1; i <= kRosterSize; ++i) {
        Bushou& b = roster.generals[i];
        const int t = roll(rng, 10) + 1;
        switch (t) {
            case 1: case 2:  // 文官
                b.Job = kJobBunkan;
                b.policy = dice(rng, {2, 4}, 6);
                b.fight = dice(rng, {5, 5}, 1);
                b.wisdom = dice(rng, {5, 5}, 1);
                b.tactics = dice(rng, {5, 5}, 1);
                b.charm = dice(rng, {5, 5}, 1);
                break;
            case 3:  // 武官
                b.Job = kJobBukan;
                b.policy = dice(rng, {5, 5}, 1);
                b.fight = dice(rng, {2, 4}, 6);
                b.wisdom = dice(rng, {5, 5}, 1);
                b.tactics = dice(rng, {5, 5}, 1);
                b.charm = dice(rng, {5, 5}, 1);
                break;
            case 4:  // 参謀
                b.Job = kJobSanbou;
                b.policy = dice(rng, {4, 4}, 4);
                b.fight = dice(rng, {5, 5}, 1);
                b.wisdom = dice(rng, {4, 4}, 4);
                b.tactics = dice(rng, {5, 5}, 1);
                b.charm = dice(rng, {5, 5}, 1);
                break;
            case 5: case 6: case 7:  // 将軍
                b.Job = kJobShougun;
                b.policy = dice(rng, {4, 4, 4}, 1);
                b.fight = dice(rng, {4, 4, 4}, 1);
                b.wisdom = dice(rng, {4, 4, 4}, 1);
                b.tactics = dice(rng, {2, 4}, 6);
                b.charm = dice(rng, {5, 6}, 1);
                break;
            case 8: case 9:  // 君主
                b.Job = kJobKunshu;
                b.policy = dice(rng, {4, 4, 4}, 1);
                b.fight = dice(rng, {4, 4, 4}, 1);
                b.wisdom = dice(rng, {4, 4, 4}, 1);
                b.tactics = dice(rng, {4, 4, 4}, 1);
                b.charm = dice(rng, {4, 4, 4}, 1);
                break;
            default:  // 10: 軍師
                b.Job = kJobGunshi;
                b.policy = dice(rng, {3, 4}, 5);
                b.fight = dice(rng, {4, 4}, 1);
                b.wisdom = dice(rng, {3, 4}, 5);
                b.tactics = dice(rng, {3, 4}, 5);
                b.charm = dice(rng, {5, 6}, 1);
                break;
        }
        b.Setu = dice(rng, {4, 4, 4}, 1);
        b.kunID = 0;
    }
}

}  // namespace teijinki
