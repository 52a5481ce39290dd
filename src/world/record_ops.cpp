#include "world/record_ops.h"

#include "world/error.h"
#include "world/list_io.h"
#include "world/record_file.h"

namespace teijinki {

namespace {

std::string label_of(const char* literal) { return GameFolder::display_name(literal); }

// Ids index the per-id tables; a file that names an id beyond them is damaged.
void check_table_id(int id, int limit, const std::string& label) {
    if (id > limit) throw DataError(label, "record id beyond " + std::to_string(limit), id);
}

std::vector<std::string> without_last(std::vector<std::string> lines) {
    lines.pop_back();
    return lines;
}

// Field number n (1-based, after the name) of a record.
int numeric_field(const RecordLines& record, const std::string& label, int n) {
    std::string text;
    for (const auto& line : record.fields) {
        text += line;
        text += "\r\n";
    }
    ListReader in(std::move(text), label);
    in.item();  // name
    int value = 0;
    for (int k = 1; k <= n; ++k) value = in.number(record.id, "field " + std::to_string(k));
    return value;
}

}  // namespace

void RecordOps::ld_Chr_rtn() {
    const std::string label = label_of(files::kGenerals);
    const std::string text = folder_.read_text(files::kGenerals);
    scan_records(text, RecordKind::General, label, [&](const RecordLines& r) {
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
    const std::string label = label_of(files::kWarlords);
    const std::string text = folder_.read_text(files::kWarlords);
    bool alive = true;
    scan_records(text, RecordKind::Warlord, label, [&](const RecordLines& r) {
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
    const std::string label = label_of(files::kProvinces);
    const std::string text = folder_.read_text(files::kProvinces);
    scan_records(text, RecordKind::Province, label, [&](const RecordLines& r) {
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

void RecordOps::ld_gAbl_rtn() {
    const std::string label = label_of(files::kWarlords);
    const std::string text = folder_.read_text(files::kWarlords);
    scan_records(text, RecordKind::Warlord, label, [&](const RecordLines& r) {
        if (r.id > 0) {
            check_table_id(r.id, kMaxGenerals, label);
            abl_tbl[r.id] = numeric_field(r, label, field_no);
        }
        return r.id < shared_.gun_count;
    });
}

void RecordOps::ld_kAbl_rtn(int warlord) {
    const std::string label = label_of(files::kProvinces);
    const std::string text = folder_.read_text(files::kProvinces);
    kuni_list_count = 0;
    scan_records(text, RecordKind::Province, label, [&](const RecordLines& r) {
        if (r.id > 0 && numeric_field(r, label, 1) == warlord) {
            if (kuni_list_count > kMaxProvinces) throw DataError(label, "more provinces than the game holds", r.id);
            kuni_list[kuni_list_count++] = r.id;
        }
        return r.id < shared_.kuni_count;
    });
}

void RecordOps::ld_Kunshu_rtn() {
    field_no = 2;
    ld_gAbl_rtn();
    for (int i = 1; i <= shared_.gun_count; ++i) gun_lord[i] = abl_tbl[i];
}

void RecordOps::mk_HeiFile_Master() {
    const int count = shared_.gun_count;
    if (count < 1) return;
    const std::string kuni_label = label_of(files::kProvinces);
    const std::string kuni_text = folder_.read_text(files::kProvinces);
    Table<long long, kMaxWarlords + 1> sums;
    scan_records(kuni_text, RecordKind::Province, kuni_label, [&](const RecordLines& r) {
        if (r.id > 0) {
            Kuni k;
            parse_province(r, kuni_label, k);
            if (k.gunID >= 1 && k.gunID <= count && k.gunID <= kMaxWarlords) sums[k.gunID] += k.army;
        }
        return r.id < shared_.kuni_count;
    });
    const std::string gun_label = label_of(files::kWarlords);
    std::vector<std::string> fresh;
    rewrite_records(folder_, files::kWarlords, files::kWarlordsScratch, RecordKind::Warlord,
                    [count](int id) { return id > count; },
                    [&](const RecordLines& r) -> const std::vector<std::string>* {
                        if (r.id < 1 || r.id > count) return nullptr;
                        Gun g;
                        parse_warlord(r, gun_label, g);
                        g.id = r.id;
                        g.army = sums[r.id];
                        gun = g;  // the buffer ends on the last warlord, as one-by-one recounts leave it
                        fresh = without_last(warlord_lines(g));
                        return &fresh;
                    });
}

}  // namespace teijinki
