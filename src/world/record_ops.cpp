#include "world/record_ops.h"

#include "world/error.h"
#include "world/record_file.h"

namespace teijinki {

namespace {

std::string label_of(const char* literal) { return GameFolder::display_name(literal); }

// A province's owner, its first number; refused, naming it, when it is no number.
int province_owner(const RecordItems& record, const std::string& label) {
    if (record.bad_number == 1)
        throw DataError(label, "field 1 is not a number (\"" + std::string(record.bad_text) + "\")", record.id);
    return record.numbers[0];
}

}  // namespace

void RecordOps::ld_Chr_rtn() {
    const auto records = current_records(folder_, files::kGenerals, RecordKind::General);
    const std::string& label = records->label();
    records->visit([&](const RecordItems& r) {
        bool fixed = false;
        if (r.id == target_id) {
            parse_general(r, label, chr);
            fixed = true;
        }
        if (r.id > shared_.bushou_count) {
            chr.name = kMissingGeneralName;
            fixed = true;
        }
        return !fixed;
    });
}

bool RecordOps::ld_Gun_rtn() {
    const auto records = current_records(folder_, files::kWarlords, RecordKind::Warlord);
    const std::string& label = records->label();
    bool alive = true;
    records->visit([&](const RecordItems& r) {
        bool fixed = false;
        if (r.id == target_id) {
            parse_warlord(r, label, gun);
            gun.id = r.id;
            alive = !gun.del;
            fixed = true;
        }
        if (r.id > shared_.gun_count) {
            gun.name.clear();
            fixed = true;
        }
        return !fixed;
    });
    return alive;
}

void RecordOps::ld_Kuni_rtn() {
    const auto records = current_records(folder_, files::kProvinces, RecordKind::Province);
    const std::string& label = records->label();
    records->visit([&](const RecordItems& r) {
        bool fixed = false;
        if (r.id == target_id) {
            parse_province(r, label, kuni);
            fixed = true;
        }
        if (r.id > shared_.kuni_count) {
            kuni.name = kMissingProvinceName;
            fixed = true;
        }
        return !fixed;
    });
}

void RecordOps::ld_kAbl_rtn(int warlord) {
    const auto records = current_records(folder_, files::kProvinces, RecordKind::Province);
    const std::string& label = records->label();
    kuni_list_count = 0;
    records->visit([&](const RecordItems& r) {
        if (r.id > 0 && province_owner(r, label) == warlord) {
            if (kuni_list_count > kMaxProvinces) throw DataError(label, "more provinces than the game holds", r.id);
            kuni_list[kuni_list_count++] = r.id;
        }
        return r.id < shared_.kuni_count;
    });
}

void RecordOps::mk_HeiFile_Master() {
    const int count = shared_.gun_count;
    if (count < 1) return;
    const auto provinces = current_records(folder_, files::kProvinces, RecordKind::Province);
    const std::string& kuni_label = provinces->label();
    Table<long long, kMaxWarlords + 1> sums;
    provinces->visit([&](const RecordItems& r) {
        if (r.id > 0) {
            Kuni k;
            parse_province(r, kuni_label, k);
            if (k.gunID >= 1 && k.gunID <= count) sums[k.gunID] += k.army;
        }
        return r.id < shared_.kuni_count;
    });
    const std::string gun_label = label_of(files::kWarlords);
    rewrite_records(folder_, files::kWarlords, files::kWarlordsScratch, RecordKind::Warlord,
                    [count](int id) { return id > count; },
                    [&](const RecordItems& r, std::string& out) {
                        if (r.id < 1 || r.id > count) return 0;
                        Gun g;
                        parse_warlord(r, gun_label, g);
                        g.id = r.id;
                        g.army = sums[r.id];
                        gun = g;  // the buffer ends on the last warlord, as one-by-one recounts leave it
                        append_warlord_lines(out, g, false);
                        return field_lines(RecordKind::Warlord) - 1;
                    });
}

}  // namespace teijinki
