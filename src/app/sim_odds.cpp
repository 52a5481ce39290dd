#include "app/sim_odds.h"

#include <ostream>
#include <string>

#include "strategy/odds_text.h"
#include "turn/command_menu.h"
#include "turn/year_cycle.h"

namespace teijinki {

namespace {
// The title's line break becomes nothing: "入国（難易度 5・要政治）" on one terminal line.
std::string one_line(std::string text) {
    for (std::size_t at; (at = text.find(kCrLf)) != std::string::npos;) text.erase(at, 2);
    return text;
}
}  // namespace

void print_player_odds(const MainState& m, std::ostream& out) {
    if (!awaiting_player(m)) return;
    for (int panel = 0; panel <= kMaxAlliances; ++panel) {
        if (!is_own_panel(m, panel)) continue;
        out << "【見込み】" << m.year << "年　" << m.shared.player_name[m.turn_slot] << "（プレイヤー）の選べる作戦、各"
            << kOddsRuns << "回の試算\n";
        const std::vector<int>& codes = m.shared.com_codes[panel];
        for (int pos = 0; pos < static_cast<int>(codes.size()) && pos <= 3; ++pos) {
            const int code = codes[static_cast<std::size_t>(pos)];
            out << "  " << one_line(offer_title(code, m.shared.com_level[panel][pos]));
            const std::string line = odds_line(offer_odds(m, panel, pos));
            if (!line.empty()) out << "　" << line;
            out << "\n";
        }
    }
}

}  // namespace teijinki
