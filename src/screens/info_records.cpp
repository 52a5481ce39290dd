#include "screens/info_records.h"

#include "world/list_io.h"
#include "world/record_file.h"
#include "world/working_set.h"

namespace teijinki::info {

void each_general(const GameFolder& folder, const SharedValues& shared,
                  const std::function<void(int id, const Bushou&)>& visit) {
    read_records(folder, files::kGenerals, RecordKind::General, shared.bushou_count, kMaxGenerals,
                 [&](const RecordItems& r, const std::string& label) {
                     Bushou b;
                     parse_general(r, label, b);
                     visit(r.id, b);
                 });
}

void each_warlord(const GameFolder& folder, const SharedValues& shared,
                  const std::function<void(int id, const Gun&, const std::string& del_text)>& visit) {
    read_records(folder, files::kWarlords, RecordKind::Warlord, shared.gun_count, kMaxWarlords,
                 [&](const RecordItems& r, const std::string& label) {
                     Gun g;
                     parse_warlord(r, label, g);
                     const auto items = split_items(r.fields.back());
                     visit(r.id, g, items.empty() ? std::string() : items.front());
                 });
}

void each_province(const GameFolder& folder, const SharedValues& shared,
                   const std::function<void(int id, const Kuni&)>& visit) {
    read_records(folder, files::kProvinces, RecordKind::Province, shared.kuni_count, kMaxProvinces,
                 [&](const RecordItems& r, const std::string& label) {
                     Kuni k;
                     parse_province(r, label, k);
                     visit(r.id, k);
                 });
}

std::map<int, std::string> warlord_names(const GameFolder& folder, const SharedValues& shared) {
    std::map<int, std::string> names;
    each_warlord(folder, shared, [&](int id, const Gun& g, const std::string&) { names[id] = g.name; });
    return names;
}

std::string name_or_empty(const std::map<int, std::string>& names, int id) {
    const auto it = names.find(id);
    return it == names.end() ? std::string() : it->second;
}

}  // namespace teijinki::info
