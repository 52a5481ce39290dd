#include "setup/new_game.h"

#include "setup/scenarios.h"
#include "world/error.h"
#include "world/list_io.h"
#include "world/record_file.h"

namespace teijinki {

namespace {

// The masters are checked before they are copied: damage found later would be blamed on the
// working copy, a file the player cannot mend.
void check_master(const GameFolder& folder, const char* literal, RecordKind kind, int count) {
    check_record_set(folder.read_master_text(literal), kind, GameFolder::display_name(literal), count);
}

}  // namespace

void mk_Rinbusv(const GameFolder& folder, const Scenario& s) {
    check_master(folder, s.general_master, RecordKind::General, s.bushou_count);
    check_comment_set(folder.read_master_text(s.comment_master), GameFolder::display_name(s.comment_master));
    folder.copy_file(s.general_master, files::kGenerals);
    folder.copy_file(s.comment_master, files::kComments);
}

void mk_Kunisv_rtn(const GameFolder& folder, int scenario_no) {
    const Scenario* s = find_scenario(scenario_no);
    if (!s) return;
    check_master(folder, s->province_master, RecordKind::Province, kProvincesInGame);
    folder.copy_file(s->province_master, files::kProvinces);
}

void mk_Gunsv_rtn(const GameFolder& folder, int scenario_no) {
    const Scenario* s = find_scenario(scenario_no);
    if (!s) return;
    check_master(folder, s->warlord_master, RecordKind::Warlord, s->gun_count);
    folder.copy_file(s->warlord_master, files::kWarlords);
}

std::vector<WarlordEntry> ld_Gnm_rtn(const GameFolder& folder, const SharedValues& shared) {
    std::vector<WarlordEntry> list;
    const Scenario* s = find_scenario(shared.scenario_no);
    if (!s) return list;
    const std::string label = GameFolder::display_name(s->warlord_master);
    ListReader in(folder.read_text(s->warlord_master), label);
    int last_id = 0;
    while (!in.eof()) {
        const std::string item = in.item();
        const int id = marker_id(item);
        if (id >= 0) {
            last_id = id;
            WarlordEntry entry;
            entry.name = in.item();
            in.number(id, "meishuID");
            entry.ruler_id = in.number(id, "kunshuID");
            list.push_back(std::move(entry));
        }
        if (last_id >= shared.gun_count) break;
    }
    return list;
}

void mk_Busv_rtn(const GameFolder& folder, const SharedValues& shared, RandomSource& rng,
                 const std::vector<WarlordEntry>& warlords, Roster& roster) {
    const Scenario* s = find_scenario(shared.scenario_no);
    if (s) {
        const std::string label = GameFolder::display_name(s->general_master);
        const std::string text = folder.read_text(s->general_master);
        scan_records(text, RecordKind::General, label, [&](const RecordLines& r) {
            if (r.id > 0) {
                if (r.id > kMaxGenerals) throw DataError(label, "record id beyond " + std::to_string(kMaxGenerals), r.id);
                parse_general(r, label, roster.generals[r.id]);
            }
            return r.id < shared.bushou_count;
        });
        if (s->random_allegiance) {
            rng.Randomize();
            const int entries = static_cast<int>(warlords.size());
            for (int i = 1; i <= kRosterSize; ++i) {
                Bushou& b = roster.generals[i];
                if (b.kunID == i) continue;  // a lord keeps his own warlord
                const int x = roll(rng, 40) + 1;
                b.kunID = x <= entries ? warlords[static_cast<std::size_t>(x - 1)].ruler_id : 0;
            }
        }
    }
    std::string out;
    out.reserve(kRosterSize * 64);
    for (int i = 1; i <= kRosterSize; ++i) {
        out += "." + std::to_string(i) + "\r\n";
        append_general_lines(out, roster.generals[i]);
    }
    folder.write_text(files::kGenerals, std::move(out));
}

void ori_Chr_rtn(const GameFolder& folder, SharedValues& shared, RandomSource& rng,
                 const std::vector<WarlordEntry>& warlords) {
    Roster roster;
    mk_Name_rtn(folder, rng, roster);
    mk_Abl_rtn(rng, roster);
    mk_Busv_rtn(folder, shared, rng, warlords, roster);
    shared.bushou_count = kRosterSize;
}

bool select_scenario(const GameFolder& folder, SharedValues& shared, int scenario_no) {
    const Scenario* s = find_scenario(scenario_no);
    if (!s) return false;
    // The masters are checked before anything changes, so a damaged one leaves the previous
    // scenario whole: its counts and its working files.
    mk_Rinbusv(folder, *s);
    shared.scenario_no = scenario_no;
    shared.gun_count = s->gun_count;
    shared.bushou_count = s->bushou_count;
    shared.kuni_count = kProvincesInGame;
    return true;
}

bool start_new_game_files(const GameFolder& folder, SharedValues& shared, RandomSource& rng,
                          const std::vector<WarlordEntry>& warlords, const std::vector<bool>& ticked) {
    shared.start_mode = 0;
    bool any = false;
    for (std::size_t m = 0; m < warlords.size() && m <= static_cast<std::size_t>(kMaxWarlords); ++m) {
        if (m < ticked.size() && ticked[m]) {
            shared.player_lord[static_cast<long>(m)] = warlords[m].ruler_id;
            shared.player_name[static_cast<long>(m)] = warlords[m].name;
            any = true;
        } else {
            shared.player_lord[static_cast<long>(m)] = 0;
            // A name left from an earlier game (最初から leaves "0") would be taken for a player
            // by the save preview; an unticked position has no player, so no name.
            shared.player_name[static_cast<long>(m)].clear();
        }
    }
    if (!any) return false;
    ori_Chr_rtn(folder, shared, rng, warlords);
    mk_Kunisv_rtn(folder, shared.scenario_no);
    return true;
}

}  // namespace teijinki
