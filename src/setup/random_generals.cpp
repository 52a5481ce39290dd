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

// A sum of dice In = Int(Rnd × n), drawn left to right, plus a constant.
struct DiceSum {
    int sides[3];  // 0 = no die
    int constant;
};

int throw_dice(RandomSource& rng, const DiceSum& d) {
    int total = d.constant;
    for (int n : d.sides)
        if (n > 0) total += roll(rng, n);
    return total;
}

// The job and its dice for policy, fight, wisdom, tactics and charm, by the first draw 1..10.
struct JobDice {
    int job;
    DiceSum ability[5];
};

constexpr DiceSum kStrong{{2, 4, 0}, 6};     // 6..10
constexpr DiceSum kMiddling{{5, 5, 0}, 1};   // 1..9, peaking at 5
constexpr DiceSum kThreeFours{{4, 4, 4}, 1}; // 1..10, peaking at 5 and 6
constexpr DiceSum kSanbou{{4, 4, 0}, 4};     // 4..10
constexpr DiceSum kGunshi{{3, 4, 0}, 5};     // 5..10
constexpr DiceSum kCharm{{5, 6, 0}, 1};      // 1..10
constexpr DiceSum kWeakArm{{4, 4, 0}, 1};    // 1..7

constexpr JobDice kBunkan{kJobBunkan, {kStrong, kMiddling, kMiddling, kMiddling, kMiddling}};
constexpr JobDice kBukan{kJobBukan, {kMiddling, kStrong, kMiddling, kMiddling, kMiddling}};
constexpr JobDice kSanbouJob{kJobSanbou, {kSanbou, kMiddling, kSanbou, kMiddling, kMiddling}};
constexpr JobDice kShougun{kJobShougun, {kThreeFours, kThreeFours, kThreeFours, kStrong, kCharm}};
constexpr JobDice kKunshu{kJobKunshu, {kThreeFours, kThreeFours, kThreeFours, kThreeFours, kThreeFours}};
constexpr JobDice kGunshiJob{kJobGunshi, {kGunshi, kWeakArm, kGunshi, kGunshi, kCharm}};

// Jobs come 20 % 文官, 10 % 武官, 10 % 参謀, 30 % 将軍, 20 % 君主, 10 % 軍師.
constexpr const JobDice* kJobByDraw[10] = {&kBunkan,   &kBunkan,   &kBukan,  &kSanbouJob, &kShougun,
                                           &kShougun,  &kShougun,  &kKunshu, &kKunshu,    &kGunshiJob};

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
        const JobDice& dice = *kJobByDraw[roll(rng, 10)];
        b.Job = dice.job;
        b.policy = throw_dice(rng, dice.ability[0]);
        b.fight = throw_dice(rng, dice.ability[1]);
        b.wisdom = throw_dice(rng, dice.ability[2]);
        b.tactics = throw_dice(rng, dice.ability[3]);
        b.charm = throw_dice(rng, dice.ability[4]);
        b.Setu = throw_dice(rng, kThreeFours);
        b.kunID = 0;
    }
}

}  // namespace teijinki
