#include "turn/standings_year.h"

#include "turn/reports.h"
#include "turn/year_records.h"
#include "world/error.h"
#include "world/working_set.h"

namespace teijinki {

namespace {

bool played(const SharedValues& shared, int warlord) {
    for (int k = 0; k <= kMaxWarlords; ++k)
        if (shared.player_gun[k] == warlord) return true;
    return false;
}

void write_or_tell(MainState& m, const StandingsFile& file, const std::vector<StandingsRow>& year_rows) {
    try {
        write_standings_year(m.folder, file, m.year, year_rows);
    } catch (const std::exception& e) {
        m.host.message_box(std::string(kStandingsNotWritten) + kCrLf + e.what(), Buttons::Ok);
    }
}

}  // namespace

std::vector<StandingsRow> standings_rows(const MainState& m) {
    // Of the generals only whom each serves counts: read from their records, not loaded whole.
    auto set = std::make_unique<WorkingSet>();
    ld_Gun(m.folder, m.shared, *set);
    ld_Kuni(m.folder, m.shared, *set);
    const int count = last_warlord(m.shared);
    Table<int, kMaxWarlords + 1> provinces{};
    Table<int, kMaxWarlords + 1> generals{};
    for (int p = 1; p <= last_province(m.shared); ++p) {
        const int owner = set->kuni[p].gunID;
        if (owner >= 1 && owner <= count) ++provinces[owner];
    }
    read_records(m.folder, files::kGenerals, RecordKind::General, m.shared.bushou_count, kMaxGenerals,
                 [&](const RecordItems& r, const std::string& label) {
                     const int serves = warlord_of_lord(m.shared, *set, general_lord(r, label));
                     if (serves >= 1 && serves <= count) ++generals[serves];
                 });
    std::vector<StandingsRow> rows;
    for (int id = 1; id <= count; ++id) {
        const Gun& g = set->gun[id];
        StandingsRow r;
        r.year = m.year;
        r.warlord = id;
        r.name = g.name;
        r.troops = g.army + g.seihei;
        r.seihei = g.seihei;
        r.provinces = provinces[id];
        r.generals = generals[id];
        r.meisei = g.meisei;
        r.tian = g.tian;
        r.kessoku = g.kessoku;
        r.ifu = g.ifu;
        r.alliance_leader = g.meishuID;
        r.destroyed = g.del;
        r.player = played(m.shared, id);
        // A destroyed warlord scores nothing, as the report lists it "滅亡".
        r.score = g.del ? 0.0f : score_terms(m.shared, g).total();
        rows.push_back(std::move(r));
    }
    return rows;
}

void record_standings(MainState& m) {
    const std::vector<StandingsRow> year_rows = standings_rows(m);
    StandingsFile file;
    try {
        file = read_standings_file(m.folder);
    } catch (const DataError& e) {
        std::string told = std::string(kStandingsRestarted) + kCrLf + e.what();
        try {
            m.folder.copy_file(kStandingsFile, kStandingsDamagedFile);
            told += std::string(kCrLf) + kStandingsKeptAs + GameFolder::display_name(kStandingsDamagedFile);
        } catch (const std::exception&) {
            // Not kept; the message then does not claim it was.
        }
        m.host.message_box(told, Buttons::Ok);
    }
    write_or_tell(m, file, year_rows);
}

void start_standings(MainState& m) { write_or_tell(m, StandingsFile{}, standings_rows(m)); }

}  // namespace teijinki
