#pragma once
// What must hold in a running game after every year, checked from the files themselves: the soak
// program, the fault tests and the benchmark all use it, so a rule change that breaks the world
// is caught by whichever runs first.

#include <array>
#include <string>
#include <vector>

#include "messages/page_store.h"
#include "world/game_folder.h"
#include "world/shared_values.h"

namespace teijinki {

// Follows one game from year to year. check_year reads the working files and the log and returns
// one line per broken rule (empty when all is well):
// - every number in the files fits in 16 bits;
// - 170 general records, ids 1..170 in order; gun_count warlord records; kuni_count provinces;
// - every warlord's tian at most 100;
// - every mei_kessoku within 0..100 (the year has just started);
// - every province owned by warlord 1..gun_count or by nobody;
// - a destroyed warlord owns no province and has no troops, keeps its record and stays destroyed;
// - a warlord id keeps its name and its lord for the whole game, and no two living warlords
//   share a lord;
// - the log ends with exactly one "EOT=======" line.
class YearInvariants {
public:
    std::vector<std::string> check_year(const GameFolder& folder, const SharedValues& shared, int year);

private:
    bool first_ = true;
    std::array<bool, kMaxWarlords + 1> destroyed_{};
    std::array<int, kMaxWarlords + 1> lord_{};
    std::array<std::string, kMaxWarlords + 1> name_{};
};

// The pages the message window is shown: page_no and the last page within 0..39, and an "EOT"
// entry that closes the text (strategy mode, where the phase writes the pages).
std::vector<std::string> check_pages(const PageStore& pages, int msg_mode);

// Whether a list item is a whole number within the 16-bit range (blanks around it allowed, an
// empty item counts as 0 as the readers take it).
bool fits_16_bits(const std::string& item);

}  // namespace teijinki
