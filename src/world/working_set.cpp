#include "world/working_set.h"

#include "world/error.h"
#include "world/record_file.h"

namespace teijinki {

void read_records(const GameFolder& folder, const char* literal, RecordKind kind, int count, int limit,
                  const std::function<void(const RecordItems&, const std::string& label)>& read) {
    const auto records = current_records(folder, literal, kind);
    const std::string& label = records->label();
    // Records arrive in ascending order, so the first id skipped is the first one missing; a file
    // cut off at a record boundary would otherwise leave the last records as they were.
    int expected = 1;
    records->visit([&](const RecordItems& r) {
        if (r.id > count) return false;
        if (r.id >= 1) {
            if (r.id > limit) throw DataError(label, "record id beyond " + std::to_string(limit), r.id);
            if (r.id != expected) throw DataError(label, "record missing", expected);
            read(r, label);
            ++expected;
        }
        return true;
    });
    if (expected <= count)
        throw DataError(label, "record missing (the file holds " + std::to_string(expected - 1) + " of " +
                                   std::to_string(count) + ")", expected);
}

void ld_Chr(const GameFolder& folder, const SharedValues& shared, WorkingSet& set) {
    read_records(folder, files::kGenerals, RecordKind::General, shared.bushou_count, kMaxGenerals,
                 [&](const RecordItems& r, const std::string& label) { parse_general(r, label, set.chr[r.id]); });
}

void ld_Gun(const GameFolder& folder, const SharedValues& shared, WorkingSet& set) {
    read_records(folder, files::kWarlords, RecordKind::Warlord, shared.gun_count, kMaxWarlords,
                 [&](const RecordItems& r, const std::string& label) {
                     parse_warlord(r, label, set.gun[r.id]);
                     set.gun[r.id].id = r.id;
                 });
}

void ld_Chr2(const SharedValues& shared, WorkingSet& set) {
    for (int k = 1; k <= shared.bushou_count; ++k) {
        Bushou& b = set.chr[k];
        b.gunID = 0;
        if (b.kunID == 0) continue;
        for (int i = 1; i <= shared.gun_count; ++i)
            if (set.gun[i].kunshuID == b.kunID) b.gunID = i;
    }
}

void ld_Kuni(const GameFolder& folder, const SharedValues& shared, WorkingSet& set) {
    read_records(folder, files::kProvinces, RecordKind::Province, shared.kuni_count, kMaxProvinces,
                 [&](const RecordItems& r, const std::string& label) { parse_province(r, label, set.kuni[r.id]); });
}

void load_working_set(const GameFolder& folder, const SharedValues& shared, WorkingSet& set) {
    ld_Chr(folder, shared, set);
    ld_Gun(folder, shared, set);
    ld_Chr2(shared, set);
    ld_Kuni(folder, shared, set);
}

void sv_Chr(const GameFolder& folder, const SharedValues& shared, const WorkingSet& set) {
    const int count = shared.bushou_count;
    rewrite_records(folder, files::kGenerals, files::kGeneralsScratch, RecordKind::General,
                    [count](int id) { return id >= count; },
                    [&](const RecordItems& r, std::string& out) {
                        if (r.id < 1 || r.id > count || r.id > kMaxGenerals) return 0;
                        append_general_lines(out, set.chr[r.id], false);  // jpg as read
                        return field_lines(RecordKind::General) - 1;
                    });
}

void sv_Gun(const GameFolder& folder, const SharedValues& shared, const WorkingSet& set) {
    const int count = shared.gun_count;
    rewrite_records(folder, files::kWarlords, files::kWarlordsScratch, RecordKind::Warlord,
                    [count](int id) { return id > count; },
                    [&](const RecordItems& r, std::string& out) {
                        if (r.id < 1 || r.id > count || r.id > kMaxWarlords) return 0;
                        append_warlord_lines(out, set.gun[r.id]);
                        return field_lines(RecordKind::Warlord);
                    });
}

void sv_Kuni(const GameFolder& folder, const SharedValues& shared, const WorkingSet& set) {
    const int count = shared.kuni_count;
    rewrite_records(folder, files::kProvinces, files::kProvincesScratch, RecordKind::Province,
                    [count](int id) { return id > count; },
                    [&](const RecordItems& r, std::string& out) {
                        if (r.id < 1 || r.id > count || r.id > kMaxProvinces) return 0;
                        append_province_lines(out, set.kuni[r.id]);
                        return field_lines(RecordKind::Province);
                    });
}

}  // namespace teijinki
