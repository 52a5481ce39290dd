#include "turn/command_menu.h"

#include <algorithm>

#include "strategy/strategy_table.h"
#include "turn/year_cycle.h"
#include "world/numbers.h"

namespace teijinki {

namespace {

std::string general_name(MainState& m, int id) {
    m.ops.target_id = id;
    m.ops.chr = Bushou{};
    m.ops.ld_Chr_rtn();
    return m.ops.chr.name;
}

std::string warlord_name(MainState& m, int id) {
    m.ops.target_id = id;
    m.ops.gun = Gun{};
    m.ops.ld_Gun_rtn();
    return m.ops.gun.name;
}

std::string province_name(MainState& m, int id) {
    m.ops.target_id = id;
    m.ops.kuni = Kuni{};
    m.ops.ld_Kuni_rtn();
    return m.ops.kuni.name;
}

bool valid_offer(const MainState& m, int panel, int position) {
    return panel >= 0 && panel <= kMaxAlliances && position >= 0 && position < 4 &&
           position < static_cast<int>(m.shared.com_codes[panel].size());
}

}  // namespace

const char* requirement_note(int code) {
    switch (code) {
    case kRecruit: return "要器量)";
    case kEnterProvince:
    case kDenounce:
    case kJoinAlliance: return "要政治）";
    case kSubvert:
    case kLeaveAlliance:
    case kReplaceLeader: return "要智謀）";
    case kYellowTurbans: return "要武力、他）";
    case kTribes: return "要采配、他）";
    case kMediate: return "要器量、他)";
    default: return "";
    }
}

std::string offer_title(int code, int level) {
    const std::string name(command_name(code));
    if ((code >= kEnterProvince && code <= kJoinAlliance) || code == kReplaceLeader)
        return name + kCrLf + "（難易度" + Str(level) + "・" + requirement_note(code);
    if (code == kRecruit || code == kLeaveAlliance) return name + kCrLf + "（" + requirement_note(code);
    return name;
}

bool is_own_panel(const MainState& m, int panel) {
    if (!awaiting_player(m) || panel < 0 || panel > kMaxAlliances) return false;
    // The panel his warlord is listed in. Comparing alliance leaders would also take a free
    // alliance slot (leader 0) for the panel of a player in no alliance (also 0), and a plan
    // confirmed there would be carried out at the same position of his real panel.
    const int w = m.shared.player_gun[m.turn_slot];
    const auto& listed = m.gun_lst[panel].ids;
    return std::find(listed.begin(), listed.end(), w) != listed.end();
}

bool prepare_offer(MainState& m, int panel, int position) {
    if (!valid_offer(m, panel, position)) return false;
    SharedValues& sh = m.shared;
    const int code = sh.com_codes[panel][static_cast<std::size_t>(position)];
    const int subject = sh.com_subject[panel][position];
    const int object = sh.com_object[panel][position];
    const int level = sh.com_level[panel][position];

    sh.start_mode = is_own_panel(m, panel) ? 1 : 0;
    sh.msg_text = offer_title(code, level);

    sh.text_sub1.clear();
    sh.text_sub2.clear();
    sh.form_param = 0;  // no data button unless the offer names a general
    switch (code) {
    case kRecruit:
    case kJoinAlliance:
        sh.text_sub1 = general_name(m, subject);
        sh.form_param = subject;
        break;
    case kEnterProvince:
        sh.text_sub1 = province_name(m, subject);
        break;
    case kSubvert:
    case kDenounce:
    case kWar:
    case kRighteousWar:
        sh.text_sub1 = warlord_name(m, subject);
        break;
    case kYellowTurbans:
        sh.text_sub1 = general_name(m, subject);
        sh.text_sub2 = province_name(m, object) + "の黄巾賊を討伐し、その地を占領する。";
        sh.form_param = subject;
        break;
    case kTribes:
        sh.text_sub1 = general_name(m, subject);
        sh.text_sub2 = Str(object) + "000を傘下に収める。";
        sh.form_param = subject;
        break;
    default:
        break;
    }
    sh.text_no = code == kWait ? 20 : code;
    sh.form_result = 0;
    return true;
}

OfferOdds offer_odds(const MainState& m, int panel, int position, int runs) {
    const int own = is_own_panel(m, panel) ? static_cast<int>(m.shared.player_gun[m.turn_slot]) : 0;
    return estimate_offer_odds(m.folder, m.shared, m.text_table, panel, position, own, runs);
}

bool confirm_offer(MainState& m, int panel, int position) {
    SharedValues& sh = m.shared;
    bool stored = false;
    // Only the player whose turn it is may store a plan, and only from his own panel.
    if (sh.form_result == 1 && valid_offer(m, panel, position) && is_own_panel(m, panel)) {
        if (m.host.message_box(sh.msg_text + kConfirmSuffix, Buttons::YesNo) == Answer::Yes) {
            sh.gun_mei[sh.player_gun[m.turn_slot]] = position;
            m.picked_by_player[sh.player_gun[m.turn_slot]] = true;
            stored = true;
            end_move(m);
        }
    }
    sh.form_result = 0;
    return stored;
}

void prepare_warlord_sheet(MainState& m, int panel, int warlord) {
    SharedValues& sh = m.shared;
    sh.form_param = warlord;
    std::string plan;
    if (warlord >= 1 && warlord <= kMaxWarlords && panel >= 0 && panel <= kMaxAlliances) {
        const int pos = sh.gun_mei[warlord];
        const auto& codes = sh.com_codes[panel];
        if (pos >= 0 && pos < static_cast<int>(codes.size())) plan = std::string(command_name(codes[static_cast<std::size_t>(pos)]));
    }
    sh.msg_text = plan + kPlottingSuffix;
}

PlayerSheet player_sheet(const MainState& m, int row) {
    PlayerSheet out;
    int seen = -1;
    for (int k = 0; k <= 18; ++k) {
        if (m.shared.player_lord[k] == 0) continue;
        if (++seen != row) continue;
        const int w = m.shared.player_gun[k];
        bool listed = false;
        for (int p = 0; p <= kMaxAlliances && !listed; ++p)
            for (int id : m.gun_lst[p].ids)
                if (id == w && w != 0) {
                    out.panel = p;
                    listed = true;
                }
        if (listed)
            out.warlord = w;
        else
            out.fallen_message = m.shared.player_name[k] + kAlreadyFallen;
        return out;
    }
    return out;
}

void cmdMusic_Click(MainState& m) {
    if (m.bgm_on) {
        m.bgm_on = false;
        m.host.stop_music();
    } else {
        m.bgm_on = true;
        // Switching the music on is the player's way to try again after a failure.
        m.music_failed = false;
        stMusic(m, "china1");
    }
}

const char* music_menu_caption(const MainState& m) { return m.bgm_on ? "BGM/OFF" : "BGM/ON"; }

}  // namespace teijinki
